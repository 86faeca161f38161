// Start-up and shut-down of an image built for the MSVC C++ ABI without the compiler vendor's
// start-up objects: what an image's entry point runs when it is loaded and unloaded.
#pragma once

/// Runs the dynamic initialisers that the compiler listed in the .CRT$XC* sections, in order.
void KXRunStaticInitializers();

/// Runs the functions registered with this image's atexit, the last registered first.
void KXRunExitList();
