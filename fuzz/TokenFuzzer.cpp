// The tokenizer over arbitrary bytes: scanned tokens, prepared token strings and quoted texts,
// in an order the input picks, until the data ends.
#include <cstdlib>
#include <cstring>

#include "FuzzHost.h"
#include "KXToken.h"
#include "KXException.h"
#include "KXResultCodes.h"

namespace {

// One read of the kind `op` picks; false when the data has ended.
bool ReadOnce(TKXStream& stream, std::uint8_t op) {
  switch (op % 4) {
    case 0: {
      char token[kKXTokenSize];
      if (ScanToken(stream, token) != kKXOk) return false;
      if (std::strlen(token) >= kKXTokenSize) std::abort();
      return true;
    }
    case 1: {
      TKXString15 token;
      return stream.ReadToken(token);
    }
    case 2: {
      TKXString255 text;
      stream.ReadQuotedString(text);
      return true;
    }
    default:
      ReadTokenString(stream);
      return true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  {
    auto stream = OpenFuzzStream(data + 2, size - 2, FuzzBufferSize(data[0]));
    // Every read but the last takes at least one byte, so more reads than bytes mean a scanner
    // that stands still.
    for (std::size_t reads = 0;; ++reads) {
      if (reads > size) std::abort();
      try {
        if (!ReadOnce(*stream, static_cast<std::uint8_t>(data[1] >> (2 * (reads % 4))))) break;
      } catch (const TKXException& e) {
        if (e.Code() == kKXErrEndOfStream) break;
        if (e.Code() != kKXErrTokenSyntax) std::abort();
      }
    }
  }
  CheckNothingHeld();
  return 0;
}
