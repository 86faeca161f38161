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

// Bytes an area must hold for ReadQuoted: 256 characters and the NUL.
constexpr std::uint32_t kKXQuotedAreaSize = 257;
// Bytes an area must hold for ReadPath: a full path and its NUL, cut to fit.
constexpr std::uint32_t kKXPathAreaSize = 1024;

class TKXStream;
class TKXStreamBookmark;
using TKXStreamManipulator = TKXStream& (*)(TKXStream&);

class TKXStream {
 public:
  KX_OBJECT_MEMORY

  TKXStream(const TKXStream&) = delete;
  TKXStream& operator=(const TKXStream&) = delete;

  // Virtual operations in the order of the table. The byte level (GetPosition to Write) is left
  // to the implementation; here it throws kKXErrNotImplemented. Some operations have a second
  // entry further on, which hosts may call instead of the first; both do the same.
  virtual ~TKXStream();
  virtual std::uint32_t GetPosition();
  /// Moves to `offset` from the start (origin 0), the current position (1) or back from the
  /// end (2).
  virtual void Seek(std::int32_t offset, std::int32_t origin);
  /// Reads up to `count` bytes; LastCount() tells how many came, kKXStreamEnd that the data ran
  /// out. The rest of `dst` stays as it was.
  virtual void Read(void* dst, std::uint32_t count);
  virtual void ReadChar(char* ch);
  /// Makes the next read deliver `ch`, the byte just read, again.
  virtual void PutBack(char ch);
  virtual void Write(const void* src, std::uint32_t count);
  /// Returns fn(*this).
  virtual TKXStream& Apply(TKXStreamManipulator fn);
  /// Reads a text, quoted or bare (ReadQuoted), into `s`, cut at its capacity.
  virtual TKXStream& operator>>(TKXString& s);
  /// The operators that read numbers leave the target unchanged when no number comes, except
  /// the signed integers, which become 0; either way kKXStreamFail is set.
  virtual TKXStream& operator>>(double& d);
  virtual TKXStream& operator>>(float& x);
  virtual TKXStream& operator>>(std::uint32_t& v);
  virtual TKXStream& operator>>(std::int32_t& v);
  virtual TKXStream& operator>>(std::uint16_t& v);
  virtual TKXStream& operator>>(std::int16_t& v);
  /// Second entries of operator>> for uint32 and int32.
  virtual TKXStream& ExtractUnsigned(std::uint32_t& v);
  virtual TKXStream& ExtractSigned(std::int32_t& v);
  /// The first character that is not a separator.
  virtual TKXStream& operator>>(char& ch);
  /// Second entry of operator>>(char&).
  virtual TKXStream& ExtractChar(char& ch);
  /// A word with no bound: `word` must hold the longest word that can come and its NUL. Code
  /// that cannot know that reads with ReadWord(out, size).
  virtual TKXStream& operator>>(char* word);
  /// Second entry of operator>>(char*).
  virtual TKXStream& ExtractText(char* word);
  /// Second entry of Apply.
  virtual TKXStream& ApplyAgain(TKXStreamManipulator fn);
  /// Writes the string's text quoted.
  virtual TKXStream& operator<<(const TKXString& s);
  virtual TKXStream& operator<<(double d);
  virtual TKXStream& operator<<(float x);
  virtual TKXStream& operator<<(std::uint32_t v);
  virtual TKXStream& operator<<(std::int32_t v);
  virtual TKXStream& operator<<(std::uint16_t v);
  virtual TKXStream& operator<<(std::int16_t v);
  /// Second entries of operator<< for uint32 and int32.
  virtual TKXStream& InsertUnsigned(std::uint32_t v);
  virtual TKXStream& InsertSigned(std::int32_t v);
  virtual TKXStream& operator<<(char ch);
  /// Second entry of operator<<(char).
  virtual TKXStream& InsertChar(char ch);
  /// Writes the text as it is, without its NUL.
  virtual TKXStream& operator<<(const char* s);
  /// Second entry of operator<<(const char*).
  virtual TKXStream& InsertText(const char* s);
  /// Reads a path written by WritePath into `out` (kKXPathAreaSize bytes).
  virtual void ReadPath(char* out);
  /// Writes `path` quoted; a file stream writes it relative to its own file.
  virtual void WritePath(const char* path);
  /// A bookmark that can reopen the stream at its current position, or null. The caller deletes
  /// it.
  virtual TKXStreamBookmark* CreateBookmark();
  /// The attached host interface, without a reference added.
  virtual IKXUnknown* GetContext();
  /// Attaches `context` with a reference of its own, releasing the previous one.
  virtual void SetContext(IKXUnknown* context);
  /// Writes `s` between quotes, each backslash and quote preceded by a backslash.
  virtual void WriteQuoted(const char* s);
  /// Reads the next token (KXToken) into `out`; returns true. Throws what the tokenizer throws.
  virtual bool ReadToken(TKXString& out);
  /// Reads the next quoted text (KXToken) into `out`, cut at its capacity; returns `out`.
  virtual TKXString& ReadQuotedString(TKXString& out);

  /// Records a failure: sets kKXStreamFail. The code is not kept.
  void SetFail(std::int32_t code);
  void WriteUnsigned(std::uint32_t v);
  void WriteSigned(std::int32_t v);
  /// Fixed point with `Precision()` decimals at most, trailing zeros dropped, no locale.
  void WriteDouble(double d);
  /// The value rounded to six decimals, then as WriteDouble.
  void WriteFloat(float x);

  // Formatted input, one byte at a time. A separator is a byte of Separators().
  /// The first byte that is not a separator, consumed; at the end of the data, the last byte
  /// read, or 0 when none came.
  char SkipSeparators();
  /// The decimal value of the digits from `*ch`, the first one, already read, wrapping modulo
  /// 2^32. Leaves the first byte after them, consumed, in `*ch`.
  std::int32_t ReadDigits(char* ch);
  /// A word: the bytes up to a separator, which is put back, or a NUL. `out` must hold the
  /// longest word that can come and its NUL.
  void ReadWord(char* out);
  /// A word into `out` of `size` bytes: at most size - 1 bytes and the NUL. The rest of a
  /// longer word stays in the stream.
  void ReadWord(char* out, std::uint32_t size);
  /// An optionally signed integer; a separator after it is consumed, any other byte put back.
  /// Without a digit: 0 and kKXStreamFail.
  void ReadSigned(std::int32_t* out);
  /// As ReadSigned, without a '+' sign (a '-' negates modulo 2^32). Without a digit: `out`
  /// unchanged and kKXStreamFail.
  void ReadUnsigned(std::uint32_t* out);
  /// A real: sign, digits, fraction, an exponent from -5 to 4 (any other one gives 0.0), and
  /// any ':' or '/' right after it. Without a number: `out` unchanged and kKXStreamFail.
  void ReadReal(double* out);
  /// A text between quotes, with backslash escapes, or up to a space, tab, CR or LF; at most
  /// 256 characters into `out` (kKXQuotedAreaSize bytes).
  void ReadQuoted(char* out);

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
/// destruction; deleting it writes out the bytes written into the buffer and closes the file.
class TKXTextStream : public TKXStream {
 public:
  /// Opens `path` with `accessMode` (kKXFileRead, kKXFileWrite, kKXFileMustExist) and a buffer
  /// of `bufferSize` bytes (unbuffered when <= 0). A failed open shows only in State() and
  /// AccessFlags(); `*created` (if given) tells whether the file was made.
  TKXTextStream(const char* path, std::int32_t accessMode, std::int32_t bufferSize, bool* created);
  ~TKXTextStream() override;

  std::uint32_t GetPosition() override;
  void Seek(std::int32_t offset, std::int32_t origin) override;
  void Read(void* dst, std::uint32_t count) override;
  void PutBack(char ch) override;
  void Write(const void* src, std::uint32_t count) override;
  /// Writes `path` quoted in the colon form relative to this stream's own file.
  void WritePath(const char* path) override;
  TKXStreamBookmark* CreateBookmark() override;
  /// Reads a path that may be relative to this stream's own file, and resolves it.
  void ReadPath(char* out) override;

  /// Opens on the location and access mode of `fileSpec`, creating the file when allowed.
  virtual KXResult OpenFile(IKXFileSpec* fileSpec, std::int32_t bufferSize, bool* created);
  /// Opens `path`; see the constructor.
  virtual KXResult Open(const char* path, std::int32_t accessMode, std::int32_t bufferSize,
                        bool* created);

  /// Stamps the file's creator and type codes, keeping the rest of its info record.
  void SetCreatorAndType(FourCharCode creator, FourCharCode type);
  /// Hands the buffer, up to its high-water mark, to the file at the buffer's offset when it holds
  /// written bytes.
  void Flush();
  /// For a writer that stores bytes in the buffer itself (TKXStreamWriter): sets `next` to the
  /// current position in the buffer and `end` to the buffer's end. Both null when bytes must go
  /// through Write (no write access, or no buffer).
  void BeginDirectWrite(char*& next, char*& end);
  /// Takes the bytes stored from the current position up to `next` as written, as Write would.
  void EndDirectWrite(const char* next);
  void Close();

  std::uint32_t Capacity() const { return capacity_; }
  std::uint32_t Length() const { return length_; }

 private:
  /// Flushes and moves the buffer on to the file offset right after its contents.
  void FlushAndAdvance();
  /// Fills the buffer from file offset `offset`.
  void LoadBufferAt(std::int32_t offset);
  /// Fills the buffer with the block that follows it.
  void NextBuffer();
  /// Fills the buffer with the block before it, positioned on its last byte (or, near the
  /// start of the file, on the byte before the old buffer).
  void StepBackBuffer();
  /// Reads `count` bytes from the host's position into the buffer, which then holds what came.
  void ReadIntoBuffer(std::uint32_t count);
  void SeekUnbuffered(std::int32_t offset, std::int32_t origin);
  void SeekBuffered(std::int32_t offset, std::int32_t origin);
  /// Copies `count` buffered bytes at pos_ to the part of `dst` after what the read has
  /// delivered so far.
  void Deliver(void* dst, std::uint32_t count);
  /// Copies `count` bytes from `src` into the buffer at pos_ and marks it written.
  void Store(const std::uint8_t* src, std::uint32_t count);
  /// This stream's own full path, empty when it has no file.
  void OwnPath(TKXString& path);
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
