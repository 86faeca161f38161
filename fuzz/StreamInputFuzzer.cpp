// Every input operator of the stream over arbitrary bytes, three of them in turns as the input
// picks, until the data ends; what each stores on failure is checked as it goes.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <vector>

#include "FuzzHost.h"
#include "KXString.h"
#include "KXException.h"
#include "KXResultCodes.h"

namespace {

constexpr std::uint8_t kOperations = 20;

bool Failed(const TKXStream& stream) { return (stream.State() & kKXStreamFail) != 0; }

void Check(bool ok) {
  if (!ok) std::abort();
}

// A number operator: unchanged on failure unless `zeroOnFailure`.
template <class T>
void ReadNumber(TKXStream& stream, bool second, bool zeroOnFailure) {
  const T before = static_cast<T>(77);
  T value = before;
  if constexpr (std::is_same_v<T, std::uint32_t>) {
    second ? stream.ExtractUnsigned(value) : stream >> value;
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    second ? stream.ExtractSigned(value) : stream >> value;
  } else {
    stream >> value;
  }
  if (Failed(stream)) Check(value == (zeroOnFailure ? T{} : before));
  if constexpr (std::is_floating_point_v<T>) Check(std::isfinite(value));
}

// An area of exactly `size` bytes on the heap, so a write past it is caught.
void CheckText(const std::vector<char>& area) {
  Check(std::memchr(area.data(), '\0', area.size()) != nullptr);
}

void ReadOnce(TKXStream& stream, std::uint8_t op, std::size_t longestWord) {
  switch (op % kOperations) {
    case 0: { TKXString255 s; stream >> s; break; }
    case 1: { TKXString15 s; stream >> s; break; }
    case 2: ReadNumber<double>(stream, false, false); break;
    case 3: ReadNumber<float>(stream, false, false); break;
    case 4: ReadNumber<std::uint32_t>(stream, false, false); break;
    case 5: ReadNumber<std::uint32_t>(stream, true, false); break;
    case 6: ReadNumber<std::int32_t>(stream, false, true); break;
    case 7: ReadNumber<std::int32_t>(stream, true, true); break;
    case 8: ReadNumber<std::uint16_t>(stream, false, false); break;
    case 9: ReadNumber<std::int16_t>(stream, false, true); break;
    case 10: { char ch = 0; stream >> ch; break; }
    case 11: { char ch = 0; stream.ExtractChar(ch); break; }
    case 12:
    case 13: {
      std::vector<char> word(longestWord + 1, 'W');
      op % kOperations == 12 ? stream >> word.data() : stream.ExtractText(word.data());
      CheckText(word);
      break;
    }
    case 14: {
      std::vector<char> word(2 + op / kOperations, 'W');
      stream.ReadWord(word.data(), static_cast<std::uint32_t>(word.size()));
      CheckText(word);
      break;
    }
    case 15: {
      std::vector<char> text(kKXQuotedAreaSize, 'Q');
      stream.ReadQuoted(text.data());
      CheckText(text);
      break;
    }
    case 16: {
      std::vector<char> path(kKXPathAreaSize, 'P');
      stream.ReadPath(path.data());
      CheckText(path);
      break;
    }
    case 17: { TKXString255 s; stream.ReadToken(s); break; }
    case 18: { TKXString15 s; stream.ReadQuotedString(s); break; }
    default: {
      double value = 0;
      stream.ReadReal(&value);
      Check(std::isfinite(value));
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  {
    auto stream = OpenFuzzStream(data + 4, size - 4, FuzzBufferSize(data[0]));
    // Each operation takes at least one byte until the data ends.
    for (std::size_t reads = 0; !(stream->State() & kKXStreamEnd); ++reads) {
      Check(reads <= size);
      try {
        ReadOnce(*stream, data[1 + reads % 3], size);
      } catch (const TKXException& e) {
        // The token operations throw what the tokenizer throws.
        Check(e.Code() == kKXErrEndOfStream || e.Code() == kKXErrTokenSyntax);
      }
    }
  }
  CheckNothingHeld();
  return 0;
}
