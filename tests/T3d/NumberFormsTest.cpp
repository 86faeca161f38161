// The exporter's "%+013.6f" and "%f" forms: a table of hard values written out by hand, checked
// on every build, and a differential run against glibc's printf where that is the C library.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "support/NumberFormsDifferential.h"

namespace {

// The largest double, 2^1024 - 2^971, in decimal.
#define T3D_DBL_MAX_DIGITS                                                                        \
  "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955" \
  "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762" \
  "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723" \
  "168738177180919299881250404026184124858368"

struct Case {
  double value;
  const char* polygon;
  const char* location;
};

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kSmallestSubnormal = std::numeric_limits<double>::denorm_min();

const Case kCases[] = {
    // Zeros never carry a minus sign; other negatives keep theirs even when they round to zero.
    {0.0, "+00000.000000", "0.000000"},
    {-0.0, "+00000.000000", "0.000000"},
    {-1e-7, "-00000.000000", "-0.000000"},
    {kSmallestSubnormal, "+00000.000000", "0.000000"},
    {-kSmallestSubnormal, "-00000.000000", "-0.000000"},
    {DBL_MIN, "+00000.000000", "0.000000"},
    {-DBL_MIN, "-00000.000000", "-0.000000"},
    // Whole numbers: zero fill to five digits, widening beyond, the int32 ends and next to them.
    {128, "+00128.000000", "128.000000"},
    {-3, "-00003.000000", "-3.000000"},
    {123456, "+123456.000000", "123456.000000"},
    {2147483647.0, "+2147483647.000000", "2147483647.000000"},
    {-2147483648.0, "-2147483648.000000", "-2147483648.000000"},
    {2147483648.0, "+2147483648.000000", "2147483648.000000"},
    {2147483649.0, "+2147483649.000000", "2147483649.000000"},
    {-2147483649.0, "-2147483649.000000", "-2147483649.000000"},
    {4294967296.0, "+4294967296.000000", "4294967296.000000"},
    {9007199254740992.0, "+9007199254740992.000000", "9007199254740992.000000"},  // 2^53
    {9223372036854775808.0, "+9223372036854775808.000000", "9223372036854775808.000000"},  // 2^63
    {-18446744073709551616.0, "-18446744073709551616.000000", "-18446744073709551616.000000"},
    {1e22, "+10000000000000000000000.000000", "10000000000000000000000.000000"},
    {DBL_MAX, "+" T3D_DBL_MAX_DIGITS ".000000", T3D_DBL_MAX_DIGITS ".000000"},
    {-DBL_MAX, "-" T3D_DBL_MAX_DIGITS ".000000", "-" T3D_DBL_MAX_DIGITS ".000000"},
    // Fractions: the exact binary value decides (0.1 is a little above, 5e-7 a little below).
    {12.5, "+00012.500000", "12.500000"},
    {0.1, "+00000.100000", "0.100000"},
    {0.70710677f, "+00000.707107", "0.707107"},  // 0.707106769084930419921875
    {2147483647.5, "+2147483647.500000", "2147483647.500000"},
    {1099511627776.25, "+1099511627776.250000", "1099511627776.250000"},  // 2^40 + 1/4
    {5e-7, "+00000.000000", "0.000000"},
    {5.000000000000001e-7, "+00000.000001", "0.000001"},
    {0x1p-21, "+00000.000000", "0.000000"},  // 4.76837158203125e-7
    {0x1p-20, "+00000.000001", "0.000001"},  // 9.5367431640625e-7
    {-0x1p-20, "-00000.000001", "-0.000001"},
    // Exact halves at the sixth decimal go to the even digit.
    {0.0078125, "+00000.007812", "0.007812"},
    {-0.0234375, "-00000.023438", "-0.023438"},
    {1.0078125, "+00001.007812", "1.007812"},
    {17592186044416.0078125, "+17592186044416.007812", "17592186044416.007812"},  // 2^44 + 2^-7
    // Rounding that carries into the integer part, across a new digit and across 32 bits.
    {1 - 0x1p-20, "+00000.999999", "0.999999"},
    {1 - 0x1p-21, "+00001.000000", "1.000000"},
    {1e6 - 0x1p-21, "+1000000.000000", "1000000.000000"},
    {4294967296.0 - 0x1p-21, "+4294967296.000000", "4294967296.000000"},
    // Non-finite values as glibc spells them: spaces before the sign, the sign of a NaN kept.
    {kInf, "         +inf", "inf"},
    {-kInf, "         -inf", "-inf"},
    {kNan, "         +nan", "nan"},
    {-kNan, "         -nan", "-nan"},
};

// Writes with a guard byte after the longest text, so a form that runs past it is caught.
std::string Written(char* (*form)(char*, double), double value) {
  char text[kMaxNumberFormLength + 1];
  text[kMaxNumberFormLength] = '#';
  const char* end = form(text, value);
  EXPECT_EQ(text[kMaxNumberFormLength], '#');
  return std::string(static_cast<const char*>(text), end);
}

}  // namespace

TEST(NumberForms, HardValuesWrittenByHand) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.polygon);
    EXPECT_EQ(Written(FormatPolygonValue, c.value), c.polygon);
    EXPECT_EQ(Written(FormatLocationValue, c.value), c.location);
  }
  EXPECT_EQ(Written(FormatPolygonValue, -DBL_MAX).size(), kMaxNumberFormLength);
}

TEST(NumberForms, MatchPrintfOfTheCLibrary) {
#ifndef __GLIBC__
  // Other C libraries round some halves differently (msvcrt writes 0.007813 for 0.0078125).
  GTEST_SKIP() << "the forms match glibc's printf";
#else
  for (const Case& c : kCases) EXPECT_EQ(MismatchWithPrintf(c.value), "");
  // Enough to keep the run short in a Debug build; the full count runs with the benchmarks.
  // Random bit patterns are mostly numbers of a hundred digits and more, far slower to print.
  for (const NumberKindName& k : kNumberKinds) {
    const std::uint64_t count = k.kind == NumberKind::kDoubleBits ? 20000 : 100000;
    const DifferentialCount result = CompareWithPrintf(k.kind, count, 20240601);
    EXPECT_EQ(result.compared, count);
    EXPECT_EQ(result.mismatches, 0u) << k.name << ": " << result.firstMismatch;
  }
#endif
}
