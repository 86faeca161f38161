#include "THostLiteRuntime.h"

#ifdef _MSC_VER

#include <eh.h>

// msvcrt.dll exports the switch under this C++ name; Wine's <eh.h> spells it set_se_translator.
_se_translator_function __cdecl _set_se_translator(_se_translator_function translator);

THostTerminateHandler HostTerminateHandler() {
  const terminate_handler current = ::set_terminate(nullptr);
  ::set_terminate(current);
  return current;
}

THostTranslator HostSetTranslator(THostTranslator translator) {
  return _set_se_translator(translator);
}

#else

#include <exception>

THostTerminateHandler HostTerminateHandler() { return std::get_terminate(); }

#endif
