// Processor faults in the plug-in's code become TKXException through the thread's
// structured-exception translator, which belongs to the C runtime (msvcrt's _set_se_translator):
// switching translation on installs the plug-in's translator there and hands back the one that
// was in force, the host's or none.
//
// The runtime itself calls that translator only from the frame handler of a function compiled
// for asynchronous exceptions, and clang marks every function it compiles synchronous, so for the
// plug-in's own code it never would. A vectored handler does it instead: for a processor fault in
// this image, on a thread that has a translator, it resumes the thread in RaiseTranslatedFault,
// which calls the translator. Its throw is an ordinary throw from the faulting frame, and the
// frame chain unwinds from there.
#include <eh.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "KXPlatform.h"
#include "KXWindowsFaults.h"

// msvcrt.dll exports the switch under this C++ name; Wine's <eh.h> spells it set_se_translator.
_se_translator_function __cdecl _set_se_translator(_se_translator_function translator);

// The runtime calls translators with the system's own records.
static_assert(offsetof(KXSystemExceptionRecord, code) == offsetof(EXCEPTION_RECORD, ExceptionCode),
              "code");
static_assert(offsetof(KXSystemExceptionRecord, address) ==
                  offsetof(EXCEPTION_RECORD, ExceptionAddress),
              "address");
static_assert(offsetof(KXSystemExceptionInfo, record) ==
                  offsetof(EXCEPTION_POINTERS, ExceptionRecord),
              "record");
static_assert(offsetof(KXSystemExceptionInfo, context) ==
                  offsetof(EXCEPTION_POINTERS, ContextRecord),
              "context");

namespace {

PVOID gHandler = nullptr;
KXImageRange gImage;

// The handler lives in this library's code: take it out of the chain when the library goes.
struct HandlerAtUnload {
  ~HandlerAtUnload() {
    if (gHandler) RemoveVectoredExceptionHandler(gHandler);
  }
} gHandlerAtUnload;

_se_translator_function RuntimeTranslator() {
  const _se_translator_function current = _set_se_translator(nullptr);
  _set_se_translator(current);
  return current;
}

// Entered, not called, on the faulting thread, with the fault's code in ECX and its address in
// EDX. The stack pointer is still the faulting function's, so every frame of the chain is whole.
// A translator that returns leaves nowhere to return to.
[[noreturn]] void __fastcall RaiseTranslatedFault(DWORD code, void* address) {
  EXCEPTION_RECORD record{};
  record.ExceptionCode = code;
  record.ExceptionAddress = address;
  CONTEXT context{};
  EXCEPTION_POINTERS pointers{&record, &context};
  if (const _se_translator_function translator = RuntimeTranslator()) translator(code, &pointers);
  ::terminate();
}




// Nothing may be written below the faulting stack pointer during dispatch (the system's
// exception frames lie there), so the code and address travel in registers that the faulting
// code gives up anyway: it never resumes where it was.
LONG CALLBACK OnException(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (!KXIsTranslatedFault(record->ExceptionCode) || !gImage.Contains(record->ExceptionAddress) ||
      !RuntimeTranslator()) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  CONTEXT* context = pointers->ContextRecord;
  context->Ecx = record->ExceptionCode;
  context->Edx = reinterpret_cast<DWORD>(record->ExceptionAddress);
  context->Eip = reinterpret_cast<DWORD>(&RaiseTranslatedFault);
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

KXSystemTranslator KXPlatformSetTranslator(KXSystemTranslator translator) {
  if (translator && !gHandler) {
    gImage.Find();
    gHandler = AddVectoredExceptionHandler(1, OnException);
  }
  return reinterpret_cast<KXSystemTranslator>(
      _set_se_translator(reinterpret_cast<_se_translator_function>(translator)));
}

KXSystemTranslator KXPlatformCurrentTranslator() {
  return reinterpret_cast<KXSystemTranslator>(RuntimeTranslator());
}
