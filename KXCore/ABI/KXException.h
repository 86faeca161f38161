// The one exception type of the plug-in, as it reaches the host: thrown by value, 20 bytes.
#pragma once

#include "KXSourcePositions.h"
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
/// Everything is defined here, so the class has no key function: every image that uses it, the
/// plug-in and each host alike, carries its own type information, and a host catches the
/// plug-in's exception by type although the library exports nothing but its entry points (type
/// information is matched by name across images).
class TKXException final : public TKXObject {
 public:
  TKXException(KXResult code, const char* file, int line)
      : code_(code), file_(file), line_(line), detail_(nullptr) {}
  /// Copies code, file and line and takes the detail over from `other`: exactly one copy owns
  /// the detail.
  TKXException(const TKXException& other)
      : TKXObject(other),
        code_(other.code_),
        file_(other.file_),
        line_(other.line_),
        detail_(other.detail_) {
    other.detail_ = nullptr;
  }
  /// Raised at one of the plug-in's fixed source positions.
  TKXException(KXResult code, const KXSourcePosition& at) : TKXException(code, at.file, at.line) {}
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
  void AttachDetail(TKXExceptionDetail* detail) {
    if (detail == detail_) return;
    delete detail_;
    detail_ = detail;
  }

 private:
  KXResult code_;
  const char* file_;
  std::int32_t line_;
  mutable TKXExceptionDetail* detail_;

  friend struct TKXExceptionLayout;
};
