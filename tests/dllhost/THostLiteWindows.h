// The Windows headers as the lean host includes them: without the macros that rename interface
// operations (GetObject) or clash with the standard library (min, max).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef GetObject
