// Text streams: an abstract stream with formatted output over six byte-level operations, and
// its buffered implementation on a host file. Failures set the state word; nothing throws.
#pragma once

#include <cstdint>

#include "KXCountedPtr.h"
#include "KXFileInterfaces.h"
#include "KXMemory.h"
#include "KXTypes.h"
#include "KXUnknown.h"

class TKXString;

// Bits of the state word.
constexpr std::uint32_t kKXStreamEnd = 1;   // the last byte-level operation met the end of the data
constexpr std::uint32_t kKXStreamFail = 2;  // an operation failed

// What a stream operation reports to SetFail; none of them is a KXResult.
constexpr std::int32_t kKXStreamErrNotNumber = 17001;
constexpr std::int32_t kKXStreamErrBadPosition = 17002;
constexpr std::int32_t kKXStreamErrPastEnd = 17003;
constexpr std::int32_t kKXStreamErrAccess = 17004;

class TKXStream;
using TKXStreamManipulator = TKXStream& (*)(TKXStream&);

class TKXStream {
 public:
  KX_OBJECT_MEMORY

  TKXStream(const TKXStream&) = delete;
  TKXStream& operator=(const TKXStream&) = delete;

  // Virtual operations in the order of the table. The byte level (GetPosition to Write) is left
  // to the implementation; here it throws kKXErrNotImplemented.
  virtual ~TKXStream();
  virtual std::uint32_t GetPosition();
  virtual void Seek(std::int32_t offset, std::int32_t origin);
  virtual void Read(void* dst, std::uint32_t count);
  virtual void ReadChar(char* ch);
  virtual void PutBack(char ch);
  virtual void Write(const void* src, std::uint32_t count);
  /// Returns fn(*this).
  virtual TKXStream& Apply(TKXStreamManipulator fn);
  /// Writes the string's text quoted.
  virtual TKXStream& operator<<(const TKXString& s);
  virtual TKXStream& operator<<(double d);
  virtual TKXStream& operator<<(float x);
  virtual TKXStream& operator<<(std::uint16_t v);
  virtual TKXStream& operator<<(std::int16_t v);
  virtual TKXStream& operator<<(std::uint32_t v);
  virtual TKXStream& operator<<(std::int32_t v);
  virtual TKXStream& operator<<(char ch);
  /// Writes the text as it is, without its NUL.
  virtual TKXStream& operator<<(const char* s);
  /// Writes `path` quoted; a file stream writes it relative to its own file.
  virtual void WritePath(const char* path);
  /// The attached host interface, without a reference added.
  virtual IKXUnknown* GetContext();
  /// Attaches `context` with a reference of its own, releasing the previous one.
  virtual void SetContext(IKXUnknown* context);
  /// Writes `s` between quotes, each backslash and quote preceded by a backslash.
  virtual void WriteQuoted(const char* s);

  /// Records a failure: sets kKXStreamFail. The code is not kept.
  void SetFail(std::int32_t code);
  void WriteUnsigned(std::uint32_t v);
  void WriteSigned(std::int32_t v);
  /// Fixed point with `Precision()` decimals at most, trailing zeros dropped, no locale.
  void WriteDouble(double d);
  /// The value rounded to six decimals, then as WriteDouble.
  void WriteFloat(float x);

  std::uint32_t State() const { return state_; }
  std::uint32_t AccessFlags() const { return accessFlags_; }
  std::int32_t Precision() const { return precision_; }
  std::uint32_t LastCount() const { return lastCount_; }
  const char* Separators() const { return separators_; }

 protected:
  TKXStream();

  std::uint32_t state_ = 0;
  std::uint32_t accessFlags_ = 0;
  std::int32_t precision_ = 8;
  std::uint32_t lastCount_ = 0;
  const char* separators_;
  TKXCountedPtr<IKXUnknown> context_;
};

/// A stream on a host file with one memory buffer in front of it. Open from construction to
/// destruction; deleting it writes the buffer out and closes the file.
class TKXTextStream : public TKXStream {
 public:
  /// Opens `path` with `accessMode` (kKXFileRead, kKXFileWrite, kKXFileMustExist) and a buffer
  /// of `bufferSize` bytes (unbuffered when <= 0). A failed open shows only in State() and
  /// AccessFlags(); `*created` (if given) tells whether the file was made.
  TKXTextStream(const char* path, std::int32_t accessMode, std::int32_t bufferSize, bool* created);
  ~TKXTextStream() override;

  std::uint32_t GetPosition() override;
  void Write(const void* src, std::uint32_t count) override;

  /// Opens on the location and access mode of `spec`, creating the file when allowed.
  virtual KXResult OpenFile(IKXFileSpec* spec, std::int32_t bufferSize, bool* created);
  /// Opens `path`; see the constructor.
  virtual KXResult Open(const char* path, std::int32_t accessMode, std::int32_t bufferSize,
                        bool* created);

  /// Stamps the file's creator and type codes, keeping the rest of its info record.
  void SetCreatorAndType(FourCharCode creator, FourCharCode type);
  /// Hands the buffer, up to its high-water mark, to the file at the buffer's offset.
  void Flush();
  void Close();

  std::uint32_t Capacity() const { return capacity_; }
  std::uint32_t Length() const { return length_; }

 private:
  /// Flushes and moves the buffer on to the file offset right after its contents.
  void FlushAndAdvance();
  KXResult FailOpen(KXResult result, bool* created);
  KXResult OpenOrCreate(bool* created);
  KXResult AllocateBuffer(std::int32_t bufferSize);

  TKXCountedPtr<IKXFileStream> file_;
  std::uint8_t* buffer_ = nullptr;
  std::uint32_t capacity_ = 0;
  std::uint32_t extent_ = 0;
  std::uint32_t pos_ = 0;
  std::uint32_t bufferOffset_ = 0;
  std::uint32_t length_ = 0;
  bool dirty_ = false;
  bool loaded_ = false;
};
