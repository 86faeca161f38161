// The exporter's two number forms against the C library's printf over generated values. Shared
// by the unit test (a modest count) and the full check that `make bench` runs.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "T3d/T3DNumberForms.h"

/// The kinds of generated values: every bit pattern, and the ranges the exporter really writes.
enum class NumberKind {
  kDoubleBits,    // random 64-bit patterns: every exponent, subnormals, NaNs, infinities
  kFloatBits,     // random 32-bit patterns widened to double
  kNormals,       // [-1, 1], alternately as doubles and as floats
  kWholeNumbers,  // the signed 32-bit range, alternately as doubles and as floats
  kLocations,     // [-1e6, 1e6] with fractions, alternately as doubles and as floats
  kTies,          // exact halves at the sixth decimal
  kMapValues,     // floats below 10^5 in magnitude, whole and not, as a map holds them
};

struct NumberKindName {
  NumberKind kind;
  const char* name;
};

inline constexpr NumberKindName kNumberKinds[] = {
    {NumberKind::kDoubleBits, "double bits"}, {NumberKind::kFloatBits, "float bits"},
    {NumberKind::kNormals, "normals"},        {NumberKind::kWholeNumbers, "whole numbers"},
    {NumberKind::kLocations, "locations"},    {NumberKind::kTies, "ties"},
    {NumberKind::kMapValues, "map values"},
};

/// FormatPolygonFloat, for values that a float holds exactly.
inline char* PolygonFloatForm(char* out, double value) {
  return FormatPolygonFloat(out, static_cast<float>(value));
}

/// Both forms of `value` by the exporter (and the polygon form of a float, when a float holds
/// `value`) and by snprintf: empty when all agree, else the value (in hexadecimal, exact) and the
/// differing texts. A negative zero is compared with printf's text of a positive zero: the forms
/// never write a zero with a minus sign.
inline std::string MismatchWithPrintf(double value) {
  const double printed = value == 0 ? 0.0 : value;
  const bool isFloat =
      !(std::fabs(value) > FLT_MAX) && static_cast<double>(static_cast<float>(value)) == value;
  std::string mismatch;
  const struct {
    const char* format;
    char* (*form)(char*, double);
    bool applies;
  } forms[] = {{"%+013.6f", FormatPolygonValue, true},
               {"%f", FormatLocationValue, true},
               {"%+013.6f", PolygonFloatForm, isFloat}};
  for (const auto& f : forms) {
    if (!f.applies) continue;
    char expected[kMaxNumberFormLength + 1];
    char written[kMaxNumberFormLength];
    const int length = std::snprintf(expected, sizeof expected, f.format, printed);
    const auto size = static_cast<std::size_t>(f.form(written, value) - written);
    if (size == static_cast<std::size_t>(length) && std::memcmp(written, expected, size) == 0) continue;
    const std::string ours(written, size);
    char exact[64];
    std::snprintf(exact, sizeof exact, "%a", value);
    mismatch += std::string(f.format) + (f.form == PolygonFloatForm ? " (float)" : "") + " of " +
                exact + ": printf " + expected + ", ours " + ours + "\n";
  }
  return mismatch;
}

/// The i-th generated value of `kind`.
inline double GenerateNumber(NumberKind kind, std::mt19937_64& random, std::uint64_t i) {
  const bool asFloat = (i & 1) != 0;
  const auto narrowed = [asFloat](double v) { return asFloat ? static_cast<double>(static_cast<float>(v)) : v; };
  switch (kind) {
    case NumberKind::kDoubleBits: {
      const std::uint64_t bits = random();
      double value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    case NumberKind::kFloatBits: {
      const auto bits = static_cast<std::uint32_t>(random() >> 32);
      float value;
      std::memcpy(&value, &bits, sizeof value);
      return static_cast<double>(value);
    }
    case NumberKind::kNormals:
      return narrowed(std::uniform_real_distribution<double>(-1.0, 1.0)(random));
    case NumberKind::kWholeNumbers:
      return narrowed(static_cast<double>(static_cast<std::int32_t>(random() >> 32)));
    case NumberKind::kLocations:
      return narrowed(std::uniform_real_distribution<double>(-1e6, 1e6)(random));
    case NumberKind::kMapValues: {
      const double magnitude = std::uniform_real_distribution<double>(-1e5, 1e5)(random);
      const double value = (i & 2) != 0 ? std::trunc(magnitude) : magnitude;
      return static_cast<double>(static_cast<float>(value));
    }
    case NumberKind::kTies: {
      // x * 10^6 ends in exactly .5 only where x is an odd multiple of 2^-7 (0.0078125 is the
      // first): the denominator 2 * 10^6 must cancel its 5^6 against the numerator.
      const std::uint64_t bits = random();
      const auto whole = static_cast<double>(bits >> 44);  // below 2^20
      const auto odd = static_cast<double>(((bits >> 1) & 63) * 2 + 1);
      const double value = whole + odd / 128.0;
      return (bits & 1) != 0 ? -value : value;
    }
  }
  return 0;
}

struct DifferentialCount {
  std::uint64_t compared = 0;
  std::uint64_t mismatches = 0;
  std::string firstMismatch;
};

/// `count` values of `kind` from a generator seeded with `seed`, each compared in both forms.
inline DifferentialCount CompareWithPrintf(NumberKind kind, std::uint64_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  DifferentialCount result;
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::string mismatch = MismatchWithPrintf(GenerateNumber(kind, random, i));
    ++result.compared;
    if (mismatch.empty()) continue;
    if (result.mismatches++ == 0) result.firstMismatch = mismatch;
  }
  return result;
}
