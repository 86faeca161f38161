// What the output operators write, the input operators read back: integers, reals and quoted
// texts taken from the input, written through a file stream and read again.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzHost.h"
#include "KXString.h"

namespace {

template <class T>
T Take(const std::uint8_t*& data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  data += sizeof value;
  return value;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr std::size_t kHeader = 1 + 4 + 4 + 2 + 2 + 8 + 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const std::uint8_t* at = data;
  const std::int32_t bufferSize = FuzzBufferSize(Take<std::uint8_t>(at));
  const auto i32 = Take<std::int32_t>(at);
  const auto u32 = Take<std::uint32_t>(at);
  const auto i16 = Take<std::int16_t>(at);
  const auto u16 = Take<std::uint16_t>(at);
  const auto real = Take<double>(at);
  const auto single = Take<float>(at);
  // A text without NUL bytes that a string of 255 characters holds.
  std::string text(reinterpret_cast<const char*>(at), std::min<std::size_t>(size - kHeader, 255));
  text = text.substr(0, text.find('\0'));
  // Reals are written up to the largest signed 32-bit value.
  const bool realFits = std::isfinite(real) && std::fabs(real) < 2147483647.0;
  const bool singleFits = std::isfinite(single) && std::fabs(single) < 2.0e9f;

  // Written to a stream of its own, then read through a fresh one.
  FuzzHost();
  const std::string file = FuzzFilePath("output");
  {
    TKXTextStream out(file.c_str(), static_cast<std::int32_t>(kKXFileWrite),
                      bufferSize, nullptr);
    out << i32 << ' ' << u32 << ' ' << i16 << ' ' << u16 << ' ' << TKXString255(text.c_str());
    if (realFits) out << ' ' << real;
    if (singleFits) out << ' ' << single;
  }
  {
    TKXTextStream in(file.c_str(), static_cast<std::int32_t>(kKXFileRead),
                     bufferSize, nullptr);
    std::int32_t i32Read = 0;
    std::uint32_t u32Read = 0;
    std::int16_t i16Read = 0;
    std::uint16_t u16Read = 0;
    TKXString255 textRead;
    in >> i32Read >> u32Read >> i16Read >> u16Read >> textRead;
    Check(i32Read == i32 && u32Read == u32 && i16Read == i16 && u16Read == u16);
    Check(text == textRead.Buffer());
    if (realFits) {
      double realRead = 0;
      in >> realRead;
      // Eight decimals are written, each read with a rounding of its own.
      Check(std::fabs(realRead - real) <= 1e-8 + 1e-15 * std::fabs(real));
    }
    if (singleFits) {
      float singleRead = 0;
      in >> singleRead;
      // Six decimals are written, and the value read is rounded to single precision.
      const double error = std::fabs(static_cast<double>(singleRead) - static_cast<double>(single));
      Check(error <= 1e-6 + 1e-7 * std::fabs(static_cast<double>(single)));
    }
    Check((in.State() & kKXStreamFail) == 0);
  }
  CheckNothingHeld();
  return 0;
}
