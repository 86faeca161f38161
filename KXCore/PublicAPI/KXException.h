// The one exception type of the plug-in, and the switch that turns processor faults and
// terminate calls into it.
#pragma once

#include <cstddef>
#include <type_traits>

#include "KXTypes.h"

/// Empty public base of TKXException, so a handler for TKXObject catches every TKXException.
class TKXObject {};

/// Detail object an exception may own; deleted through its virtual destructor.
class TKXExceptionDetail {
 public:
  virtual ~TKXExceptionDetail() = default;
};

/// Thrown by value: a result code with the source file and line that raised it.
///
/// The host reads the object as 20 bytes (table, code, file, line, detail) and its table as one
/// operation, GetFileName at slot 0. So the destructor is not virtual: a virtual one would take
/// slot 0 (two slots with GCC), and nothing ever deletes the exception through a base. The
/// runtime that catches it destroys it through its exact type.
///
/// GetFileName is defined here, so the class has no key function: every image that uses it, the
/// plug-in and each host alike, carries its own type information, and a host catches the
/// plug-in's exception by type although the library exports nothing but its entry points (type
/// information is matched by name across images).
class TKXException final : public TKXObject {
 public:
  TKXException(KXResult code, const char* file, int line);
  /// Copies code, file and line and takes the detail over from `other`.
  TKXException(const TKXException& other);
  TKXException& operator=(const TKXException&) = delete;
  /// Deletes the detail, if any, through its own virtual destructor.
  ~TKXException() {
    delete detail_;
    detail_ = nullptr;
  }

  /// The name of the source file that raised the exception, or null.
  virtual const char* GetFileName() const { return file_; }

  KXResult Code() const { return code_; }
  int Line() const { return line_; }
  TKXExceptionDetail* Detail() const { return detail_; }
  /// Attaches a detail object, which the exception then owns.
  void AttachDetail(TKXExceptionDetail* detail);

 private:
  KXResult code_;
  const char* file_;
  std::int32_t line_;
  mutable TKXExceptionDetail* detail_;

  friend struct TKXExceptionLayout;
};

// offsetof on a class with virtual operations is what the host relies on here; GCC and Clang
// lay such a class out predictably, so the warning about it is silenced for these checks only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
struct TKXExceptionLayout {
  static constexpr std::size_t kCode = offsetof(TKXException, code_);
  static constexpr std::size_t kFile = offsetof(TKXException, file_);
  static constexpr std::size_t kLine = offsetof(TKXException, line_);
  static constexpr std::size_t kDetail = offsetof(TKXException, detail_);
};
KX_ABI_ASSERT(sizeof(TKXException) == 20, "TKXException is 20 bytes");
static_assert(!std::has_virtual_destructor<TKXException>::value,
              "GetFileName is the only entry of TKXException's table");
KX_ABI_ASSERT(TKXExceptionLayout::kCode == 4 && TKXExceptionLayout::kFile == 8 &&
                  TKXExceptionLayout::kLine == 12 && TKXExceptionLayout::kDetail == 16,
              "TKXException: code at 4, file at 8, line at 12, detail at 16");
#pragma GCC diagnostic pop

/// Fills every slot an abstract class leaves open: throws kKXErrNotImplemented.
[[noreturn]] void KXNotImplemented();

/// Switches translation of processor faults into TKXException on (true) or off (false) for the
/// calling thread. Switching on saves the translator in force; switching off reinstates it.
void KXSetExceptionTranslator(bool on);

/// Terminate handler installed by the translator switch: throws kKXErrSystemException.
[[noreturn]] void KXTerminateHandler();
