// The T3D number forms against the C library's printf, which defines them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "T3d/T3DNumberForms.h"

namespace {

std::string Written(char* (*form)(char*, double), double v) {
  char text[kMaxNumberFormLength];
  return std::string(text, form(text, v));
}
std::string Polygon(double v) { return Written(FormatPolygonValue, v); }
std::string Location(double v) { return Written(FormatLocationValue, v); }

std::string Printf(const char* format, double v) {
  char text[512];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

}  // namespace

TEST(NumberFormat, PolygonValues) {
  EXPECT_EQ(Polygon(128), "+00128.000000");
  EXPECT_EQ(Polygon(-3), "-00003.000000");
  EXPECT_EQ(Polygon(0), "+00000.000000");
  EXPECT_EQ(Polygon(-0.0), "+00000.000000");  // Y of zero is negated: never "-0"
  EXPECT_EQ(Polygon(-0.0000001), "-00000.000000");
  EXPECT_EQ(Polygon(123456), "+123456.000000");  // widens, never cut
  EXPECT_EQ(Polygon(-2147483648.0), "-2147483648.000000");
}

TEST(NumberFormat, LocationValues) {
  EXPECT_EQ(Location(12.5), "12.500000");
  EXPECT_EQ(Location(-3), "-3.000000");
  EXPECT_EQ(Location(-0.0), "0.000000");
  EXPECT_EQ(Location(-0.0000001), "-0.000000");
}

TEST(NumberFormat, MatchesPrintfOverTheFloatRange) {
  // Every float written is widened from single precision; sweep magnitudes and fractions,
  // including halves at the sixth decimal and values that need many digits.
  int compared = 0;
  for (int exponent = -30; exponent <= 38; ++exponent) {
    for (float mantissa : {1.0f, 1.5f, 2.4999999f, 3.1415927f, 7.0000005f, 9.999999f}) {
      for (float sign : {1.0f, -1.0f}) {
        const float value = sign * mantissa * std::pow(10.0f, static_cast<float>(exponent));
        if (value == 0 || !std::isfinite(value)) continue;
        const double wide = value;
        ASSERT_EQ(Polygon(wide), Printf("%+013.6f", wide)) << wide;
        ASSERT_EQ(Location(wide), Printf("%f", wide)) << wide;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 700);
}

TEST(NumberFormat, NonFiniteValuesAsPrintfWritesThem) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double v : {inf, -inf, nan, -nan}) {
#ifdef _WIN32
    // MinGW's printf drops the sign of a NaN; the map keeps the form glibc writes on every build.
    if (std::isnan(v) && std::signbit(v)) {
      EXPECT_EQ(Polygon(v), "         -nan");
      EXPECT_EQ(Location(v), "-nan");
      continue;
    }
#endif
    EXPECT_EQ(Polygon(v), Printf("%+013.6f", v));
    EXPECT_EQ(Location(v), Printf("%f", v));
  }
}
