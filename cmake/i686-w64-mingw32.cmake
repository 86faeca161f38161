# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686). The win32
# thread model keeps the GCC runtime to two DLLs, libgcc_s_dw2-1.dll and libstdc++-6.dll, which
# ship beside T3dExport.dll; the posix model would add libwinpthread-1.dll.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(T3D_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${T3D_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${T3D_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${T3D_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${T3D_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${T3D_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The x87 unit keeps 80-bit intermediates; SSE rounds every step to single or double precision
# exactly as the x86-64 build does, so both write the same numbers.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
