// Fixed-capacity 8-bit strings in the system's ANSI code page. The field order and the order of
// the virtual operations are shared with the host, which fills strings handed to it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KXTypes.h"

class TKXString {
 public:
  // Strings the plug-in creates live in host object memory, like every object it makes.
  static void* operator new(std::size_t size) noexcept;
  static void operator delete(void* object) noexcept;
  static void* operator new(std::size_t, void* place) noexcept { return place; }
  static void operator delete(void*, void*) noexcept {}

  virtual ~TKXString();
  virtual TKXString& Assign(const TKXString& other);
  virtual TKXString& AppendChar(std::uint16_t code);
  virtual TKXString& Append(const TKXString& other);
  // The ordering operators compare without case, by the user's locale.
  virtual bool operator<(const TKXString& other) const;
  virtual bool operator>(const TKXString& other) const;
  virtual bool operator<=(const TKXString& other) const;
  virtual bool operator>=(const TKXString& other) const;
  /// Byte for byte up to and including the NUL; case matters.
  virtual bool operator==(const TKXString& other) const;
  /// Byte by byte as unsigned values: -1, 0 or +1; case matters, no locale.
  virtual int Compare(const TKXString& other) const;
  virtual void Insert(const TKXString& what, int charPos);
  /// byteLength = min(n, capacity); neither the buffer nor charLength changes.
  virtual void SetByteLength(std::uint32_t n);
  virtual void Reserve(std::uint32_t n);
  virtual char* GetBuffer();

  /// Nothing for null; otherwise the text, cut at the capacity.
  void AssignText(const char* text);
  void AssignBytes(const char* data, std::uint32_t length);
  /// Copies byteLength bytes and a NUL into `out`, which holds at least ByteLength() + 1 bytes.
  void CopyTo(char* out) const;
  /// The text, for reading.
  const char* Buffer() const;

  /// The byte at `pos`; 0 outside the text.
  std::uint8_t ByteAt(std::int32_t pos) const;
  /// Sets the byte at `pos` (a negative pos counts as 0); at ByteLength() a NUL is written
  /// whatever `value` is; beyond that nothing happens. The lengths do not change.
  void SetByteAt(std::uint8_t value, std::int32_t pos);
  /// The code of the character at `pos` (a negative pos counts as 0); 0 past the text.
  std::uint16_t CharAt(std::int32_t pos) const;
  /// The bytes that `count` characters from character `start` occupy, `count` cut to the text.
  std::uint32_t ByteCount(std::int32_t start, std::int32_t count) const;
  /// Removes `count` characters from `start` (cut to the text); false, with no change, when
  /// start < 0, count < 1 or start >= CharLength().
  bool Erase(std::int32_t start, std::int32_t count);
  /// The character index of the first place at or after `start` where the bytes of `what`
  /// appear (case matters), or -1.
  std::int32_t Find(const TKXString& what, std::int32_t start) const;
  /// The index of the first character at or after `start` whose code is `code`, or -1.
  std::int32_t FindChar(std::uint16_t code, std::int32_t start) const;
  /// Keeps the variant of an imported text that follows its first "@W" (a text that starts with
  /// '@' and has none becomes empty), then maps it through the first character table under code
  /// page 1252.
  void PrepareImported();
  /// Converts every byte through the host's first (or `second`) character table: bytes may be
  /// dropped, replaced or expanded; an expansion that does not fit drops the byte. Nothing
  /// happens when the host has no tables.
  void MapCharacters(bool second);

  std::int32_t CharLength() const { return charLength_; }
  std::uint32_t ByteLength() const { return byteLength_; }
  std::uint32_t Capacity() const { return capacity_; }
  /// For a host that writes the text straight into GetBuffer(): stores the two counters.
  void SetCounts(std::int32_t charLength, std::uint32_t byteLength) {
    charLength_ = charLength;
    byteLength_ = byteLength;
  }

 protected:
  TKXString() = default;
  TKXString(const TKXString&) = default;
  TKXString& operator=(const TKXString&) = default;
  /// Sets the capacity and the text: the first min(length, capacity) bytes of `data`, or an
  /// empty, zeroed buffer when `data` is null or `length` is 0.
  void Init(char* buffer, std::uint32_t capacity, const char* data, std::uint32_t length);

  std::int32_t charLength_ = 0;
  std::uint32_t byteLength_ = 0;
  std::uint32_t capacity_ = 0;

  friend struct TKXStringLayout;
};

/// A string with its buffer of N + 1 bytes inline, right after the counters.
template <std::uint32_t N>
class TKXFixedString : public TKXString {
 public:
  TKXFixedString();
  explicit TKXFixedString(const char* text);
  TKXFixedString(const TKXFixedString& other);
  TKXFixedString& operator=(const TKXFixedString& other);
  ~TKXFixedString() override;
  char* GetBuffer() override;

 private:
  char buffer_[N + 1];

  friend struct TKXStringLayout;
};

using TKXString15 = TKXFixedString<15>;
using TKXString255 = TKXFixedString<255>;
using TKXString1023 = TKXFixedString<1023>;

extern template class TKXFixedString<15>;
extern template class TKXFixedString<255>;
extern template class TKXFixedString<1023>;
