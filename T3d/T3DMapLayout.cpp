#include "T3d/T3DMapLayout.h"

std::uint8_t MapLayout = 0;
