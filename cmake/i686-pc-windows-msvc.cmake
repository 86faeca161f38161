# Cross-compiles for 32-bit Windows with the host application's own C++ ABI (Microsoft's), from
# Debian packages only: clang-14 for i686-pc-windows-msvc, lld-link 16, llvm-dlltool for the import
# libraries, Wine's MSVC-style C and Windows headers (libwine-dev) and libc++'s headers
# (libc++-14-dev; its compiled library does not exist for this target, so only header-only parts
# of the standard library may be used). The start-up code and the few runtime symbols that the
# compiler vendor's static runtime would bring are our own: KXCore/Source/MSVC.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(T3D_MSVC_ABI ON)

# Every tool from LLVM 14's own directory, but the linker: lld-link 14 gives an export table an
# empty entry 0 (ordinal base 0); lld-link 16 starts it at the .def's first ordinal.
set(T3D_LLVM_BIN /usr/lib/llvm-14/bin)
set(CMAKE_CXX_COMPILER ${T3D_LLVM_BIN}/clang++)
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
set(CMAKE_LINKER /usr/lib/llvm-16/bin/lld-link)
set(CMAKE_AR ${T3D_LLVM_BIN}/llvm-ar)
set(CMAKE_RANLIB ${T3D_LLVM_BIN}/llvm-ranlib)
# Nothing links without our start-up code, which the compiler check cannot know about.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# No system library but the import libraries that the build makes (KXCore/Source/MSVC).
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every image")
# clang is also the link driver; the compile-only flags below mean nothing to it there. It finds
# lld-link among the programs of -B.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wno-unused-command-line-argument -fuse-ld=lld -B/usr/lib/llvm-16/bin/")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wno-unused-command-line-argument -fuse-ld=lld -B/usr/lib/llvm-16/bin/")

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-resource-dir
                OUTPUT_VARIABLE T3D_CLANG_RESOURCES OUTPUT_STRIP_TRAILING_WHITESPACE)
set(T3D_WINE_INCLUDE /usr/include/wine/wine)

# Search order: libc++, then our fixes to the C and Windows headers (they go on with
# #include_next), clang's own headers, Wine's msvcrt and Windows headers.
string(JOIN " " CMAKE_CXX_FLAGS_INIT
  -fms-extensions -fms-compatibility -fms-compatibility-version=19.16
  -nostdinc
  -isystem /usr/lib/llvm-14/include/c++/v1
  -isystem ${CMAKE_CURRENT_LIST_DIR}/../KXCore/Source/MSVC/include
  -isystem ${T3D_CLANG_RESOURCES}/include
  -isystem ${T3D_WINE_INCLUDE}/msvcrt
  -isystem ${T3D_WINE_INCLUDE}/windows
  # msvcrt.dll itself, not a later runtime.
  -D_MSVCR_VER=0
  # libc++ without Microsoft's runtime headers, and with every template in the headers.
  -D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_EXTERN_TEMPLATE
  -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS
  # Function-local statics need no guard: the plug-in is entered from one thread at a time.
  -fno-threadsafe-statics
  # The x87 unit keeps 80-bit intermediates; SSE rounds every step to single or double precision
  # exactly as the x86-64 build does, so both write the same numbers.
  -msse2 -mfpmath=sse)
