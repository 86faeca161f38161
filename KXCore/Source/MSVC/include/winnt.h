// Wine's <winnt.h> defines these 64-bit and pointer interlocked operations inline for 32-bit x86,
// where Microsoft's compiler has no intrinsics for them; clang declares them built in on every x86
// target and refuses the definitions. Wine's inline versions are kept under other names.
#pragma once

#define _InterlockedAnd64 KXWineInterlockedAnd64
#define _InterlockedCompareExchangePointer KXWineInterlockedCompareExchangePointer
#define _InterlockedDecrement64 KXWineInterlockedDecrement64
#define _InterlockedExchangeAdd64 KXWineInterlockedExchangeAdd64
#define _InterlockedExchangePointer KXWineInterlockedExchangePointer
#define _InterlockedIncrement64 KXWineInterlockedIncrement64
#define _InterlockedOr64 KXWineInterlockedOr64
#define _InterlockedXor64 KXWineInterlockedXor64

#include_next <winnt.h>
