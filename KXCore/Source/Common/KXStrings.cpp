#include "KXStrings.h"

#include <cstring>

std::int32_t StrLength(const char* s) { return s ? static_cast<std::int32_t>(std::strlen(s)) : 0; }
