#include "KXString.h"

#include "KXCharacters.h"
#include "KXException.h"
#include "KXExceptionSupport.h"
#include "KXMemory.h"
#include "KXPlatform.h"
#include "KXStrings.h"

namespace {

std::uint32_t Min(std::uint32_t a, std::uint32_t b) { return a < b ? a : b; }

// The character count of `text`, never more than its byte count: a character split at the
// capacity leaves a lead byte that counts as one character.
std::int32_t CharCount(const char* text, std::uint32_t byteLength) {
  return static_cast<std::int32_t>(Min(static_cast<std::uint32_t>(KXCharLength(text)), byteLength));
}

// The sign of the low 16 bits, as the locale comparison reports it.
int CompareNoCase(const char* a, const char* b) {
  return static_cast<std::int16_t>(KXPlatformCompareNoCase(a, b));
}

}  // namespace

void* TKXString::operator new(std::size_t size) noexcept {
  return KXAllocObject(static_cast<std::uint32_t>(size));
}

void TKXString::operator delete(void* object) noexcept { KXFreeObject(object); }

TKXString::~TKXString() = default;

TKXString& TKXString::Assign(const TKXString& other) {
  if (&other != this) AssignBytes(other.Buffer(), other.byteLength_);
  return *this;
}

TKXString& TKXString::AppendChar(std::uint16_t code) {
  const auto high = static_cast<std::uint8_t>(code >> 8);
  const std::uint32_t size = KXIsWesternCodePage() ? 1 : KXCharBytes(high);
  const std::uint32_t old = byteLength_;
  SetByteLength(old + size);
  if (byteLength_ == old) return *this;
  char* buffer = GetBuffer();
  if (size == 2) {
    buffer[old] = static_cast<char>(high);
    buffer[old + 1] = static_cast<char>(code & 0xFF);
  } else {
    buffer[old] = static_cast<char>(code & 0xFF);
  }
  // When only the lead byte fitted, the NUL overwrites the second byte.
  buffer[byteLength_] = '\0';
  ++charLength_;
  return *this;
}

TKXString& TKXString::Append(const TKXString& other) {
  if (other.byteLength_ == 0) return *this;
  const std::uint32_t old = byteLength_;
  SetByteLength(old + other.byteLength_);
  char* buffer = GetBuffer();
  KXMemMove(buffer + old, other.Buffer(), static_cast<std::int32_t>(byteLength_ - old));
  buffer[byteLength_] = '\0';
  charLength_ = KXCharLength(buffer);
  return *this;
}

bool TKXString::operator<(const TKXString& other) const {
  return CompareNoCase(Buffer(), other.Buffer()) < 0;
}

bool TKXString::operator>(const TKXString& other) const {
  return CompareNoCase(Buffer(), other.Buffer()) > 0;
}

bool TKXString::operator<=(const TKXString& other) const {
  return CompareNoCase(Buffer(), other.Buffer()) <= 0;
}

bool TKXString::operator>=(const TKXString& other) const {
  return CompareNoCase(Buffer(), other.Buffer()) >= 0;
}

bool TKXString::operator==(const TKXString& other) const { return Compare(other) == 0; }

int TKXString::Compare(const TKXString& other) const {
  const auto* a = reinterpret_cast<const std::uint8_t*>(Buffer());
  const auto* b = reinterpret_cast<const std::uint8_t*>(other.Buffer());
  for (;; ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
    if (*a == 0) return 0;
  }
}

void TKXString::Insert(const TKXString& what, int charPos) {
  if (what.charLength_ == 0 || charPos < 0 || charPos > charLength_) return;
  const std::uint32_t offset = ByteCount(0, charPos);
  const std::uint32_t size = what.byteLength_;
  const std::int32_t chars = what.charLength_;
  char* buffer = GetBuffer();
  // Moves rather than copies throughout, so a string may be inserted into itself.
  if (byteLength_ + size <= capacity_) {
    KXMemMove(buffer + offset + size, buffer + offset,
              static_cast<std::int32_t>(byteLength_ - offset));
    KXMemMove(buffer + offset, what.Buffer(), static_cast<std::int32_t>(size));
    byteLength_ += size;
    charLength_ += chars;
    buffer[byteLength_] = '\0';
    return;
  }
  // The result is cut at the capacity.
  if (offset + size > capacity_) {
    KXMemMove(buffer + offset, what.Buffer(), static_cast<std::int32_t>(capacity_ - offset));
  } else {
    KXMemMove(buffer + offset + size, buffer + offset,
              static_cast<std::int32_t>(capacity_ - offset - size));
    KXMemMove(buffer + offset, what.Buffer(), static_cast<std::int32_t>(size));
  }
  byteLength_ = capacity_;
  buffer[byteLength_] = '\0';
  charLength_ = KXCharLength(buffer);
}

void TKXString::SetByteLength(std::uint32_t n) { byteLength_ = Min(n, capacity_); }

void TKXString::Reserve(std::uint32_t) {}

char* TKXString::GetBuffer() { KXNotImplemented(); }

void TKXString::AssignText(const char* text) {
  if (text) AssignBytes(text, static_cast<std::uint32_t>(StrLength(text)));
}

void TKXString::AssignBytes(const char* data, std::uint32_t length) {
  SetByteLength(length);
  char* buffer = GetBuffer();
  if (data) KXMemMove(buffer, data, static_cast<std::int32_t>(byteLength_));
  buffer[byteLength_] = '\0';
  charLength_ = CharCount(buffer, byteLength_);
}

void TKXString::CopyTo(char* out) const {
  KXMemCopy(out, Buffer(), static_cast<std::int32_t>(byteLength_));
  out[byteLength_] = '\0';
}

const char* TKXString::Buffer() const { return const_cast<TKXString*>(this)->GetBuffer(); }

std::uint8_t TKXString::ByteAt(std::int32_t pos) const {
  if (pos < 0 || static_cast<std::uint32_t>(pos) >= byteLength_) return 0;
  return static_cast<std::uint8_t>(Buffer()[pos]);
}

void TKXString::SetByteAt(std::uint8_t value, std::int32_t pos) {
  const std::uint32_t at = pos < 0 ? 0 : static_cast<std::uint32_t>(pos);
  if (at > byteLength_) return;
  GetBuffer()[at] = at == byteLength_ ? '\0' : static_cast<char>(value);
}

std::uint16_t TKXString::CharAt(std::int32_t pos) const {
  if (pos < 0) pos = 0;
  if (pos >= charLength_) return 0;
  if (KXIsWesternCodePage()) return static_cast<std::uint8_t>(Buffer()[pos]);
  return KXCharCode(KXAdvanceChars(Buffer(), pos));
}

std::uint32_t TKXString::ByteCount(std::int32_t start, std::int32_t count) const {
  if (count > charLength_ - start) count = charLength_ - start;
  if (count <= 0) return 0;
  if (KXIsWesternCodePage()) return static_cast<std::uint32_t>(count);
  const char* first = KXAdvanceChars(Buffer(), start);
  return static_cast<std::uint32_t>(KXAdvanceChars(first, count) - first);
}

bool TKXString::Erase(std::int32_t start, std::int32_t count) {
  if (start < 0 || count < 1 || start >= charLength_) return false;
  if (count > charLength_ - start) count = charLength_ - start;
  const std::uint32_t offset = ByteCount(0, start);
  const std::uint32_t removed = ByteCount(start, count);
  char* buffer = GetBuffer();
  KXMemMove(buffer + offset, buffer + offset + removed,
            static_cast<std::int32_t>(byteLength_ - offset - removed));
  charLength_ -= count;
  byteLength_ -= removed;
  buffer[byteLength_] = '\0';
  return true;
}

std::int32_t TKXString::Find(const TKXString& what, std::int32_t start) const {
  if (start < 0 || start > charLength_) return -1;
  const char* text = Buffer();
  const char* pattern = what.Buffer();
  const std::uint32_t size = what.byteLength_;
  const char* p = KXAdvanceChars(text, start);
  for (std::int32_t index = start;; ++index) {
    const auto offset = static_cast<std::uint32_t>(p - text);
    // A candidate is tried only while it starts inside the text and what fits behind it.
    if (offset >= byteLength_ || size > byteLength_ - offset) return -1;
    std::uint32_t i = 0;
    while (i < size && p[i] == pattern[i]) ++i;
    if (i == size) return index;
    const char* next = KXAdvanceChars(p, 1);
    if (next == p) return -1;
    p = next;
  }
}

std::int32_t TKXString::FindChar(std::uint16_t code, std::int32_t start) const {
  if (start < 0 || start >= charLength_) return -1;
  const char* p = KXAdvanceChars(Buffer(), start);
  for (std::int32_t index = start; index < charLength_; ++index, p = KXAdvanceChars(p, 1))
    if (KXCharCode(p) == code) return index;
  return -1;
}

void TKXString::Init(char* buffer, std::uint32_t capacity, const char* data, std::uint32_t length) {
  capacity_ = capacity;
  SetByteLength(length);
  if (data && byteLength_ != 0) {
    KXMemCopy(buffer, data, static_cast<std::int32_t>(byteLength_));
    buffer[byteLength_] = '\0';
    charLength_ = CharCount(buffer, byteLength_);
    return;
  }
  charLength_ = 0;
  byteLength_ = 0;
  KXMemFill(0, buffer, static_cast<std::int32_t>(capacity + 1));
}

template <std::uint32_t N>
TKXFixedString<N>::TKXFixedString() {
  Init(buffer_, N, nullptr, 0);
}

template <std::uint32_t N>
TKXFixedString<N>::TKXFixedString(const char* text) {
  Init(buffer_, N, text, static_cast<std::uint32_t>(StrLength(text)));
}

template <std::uint32_t N>
TKXFixedString<N>::TKXFixedString(const TKXFixedString& other) : TKXString(other) {
  KXMemCopy(buffer_, other.buffer_, N + 1);
}

template <std::uint32_t N>
TKXFixedString<N>& TKXFixedString<N>::operator=(const TKXFixedString& other) {
  if (&other == this) return *this;
  TKXString::operator=(other);
  KXMemCopy(buffer_, other.buffer_, N + 1);
  return *this;
}

template <std::uint32_t N>
TKXFixedString<N>::~TKXFixedString() = default;

template <std::uint32_t N>
char* TKXFixedString<N>::GetBuffer() {
  return buffer_;
}

template class TKXFixedString<15>;
template class TKXFixedString<255>;
template class TKXFixedString<1023>;
