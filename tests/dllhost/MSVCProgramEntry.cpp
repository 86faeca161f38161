// The entry point of a test program built for the MSVC C++ ABI without the compiler vendor's
// start-up objects (lld-link /entry:HostProgramEntry): msvcrt.dll parses the command line, the
// program's static objects are built, main runs, the program's exit list runs, and msvcrt's exit
// flushes its streams and ends the process with main's result.
#include <corecrt_startup.h>
#include <stdlib.h>

#include "KXCore/Source/MSVC/KXImageStartup.h"

int main(int argc, char** argv);

extern "C" void __cdecl HostProgramEntry() {
  _set_app_type(_crt_console_app);
  int argc = 0;
  char** argv = nullptr;
  char** environment = nullptr;
  int newMode = 0;
  __getmainargs(&argc, &argv, &environment, 0, &newMode);
  KXRunStaticInitializers();
  const int result = main(argc, argv);
  KXRunExitList();
  exit(result);
}
