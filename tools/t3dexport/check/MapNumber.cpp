#include "MapNumber.h"

#include <charconv>

#include "KXTextStream.h"
#include "MapLineStream.h"
#include "MapText.h"

namespace {

// The stream reads a whole part of 32 bits and the exponents -5 to 4.
constexpr std::string_view kLargestWholePart = "4294967295";
constexpr int kSmallestExponent = -5;
constexpr int kLargestExponent = 4;
// More exponent digits than this are out of range whatever they say.
constexpr std::size_t kLongestExponent = 2;

bool EndsNumber(char c) { return c == ',' || c == ')' || IsMapBlank(c); }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerMapChar(c);
  return lower;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsMapDigit(text[i])) ++i;
  return i;
}

enum class Form { Good, Malformed, OutOfRange };

bool WholePartFits(std::string_view digits) {
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  return digits.size() < kLargestWholePart.size() ||
         (digits.size() == kLargestWholePart.size() && digits <= kLargestWholePart);
}

// Sign, digits, an optional point with digits, an optional exponent: at least one digit before
// the exponent, nothing else.
Form FormOf(std::string_view text) {
  std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
  const std::size_t whole = i;
  i = SkipDigits(text, i);
  const std::string_view wholeDigits = text.substr(whole, i - whole);
  std::size_t digits = wholeDigits.size();
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = i + 1;
    i = SkipDigits(text, fraction);
    digits += i - fraction;
  }
  if (digits == 0) return Form::Malformed;
  int exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t first = i;
    i = SkipDigits(text, first);
    if (i == first) return Form::Malformed;
    if (i - first > kLongestExponent) return i == text.size() ? Form::OutOfRange : Form::Malformed;
    for (std::size_t d = first; d < i; ++d) exponent = exponent * 10 + (text[d] - '0');
    if (negative) exponent = -exponent;
  }
  if (i != text.size()) return Form::Malformed;
  if (!WholePartFits(wholeDigits) || exponent < kSmallestExponent || exponent > kLargestExponent)
    return Form::OutOfRange;
  return Form::Good;
}

}  // namespace

bool StartsNumber(char c) { return IsMapDigit(c) || c == '+' || c == '-' || c == '.'; }

bool IsNonFiniteText(std::string_view text) {
  std::string lower = Lower(text);
  if (!lower.empty() && (lower[0] == '+' || lower[0] == '-')) lower.erase(0, 1);
  if (lower == "inf" || lower == "infinity" || lower == "nan" || lower.rfind("nan(", 0) == 0)
    return true;
  return !lower.empty() && IsMapDigit(lower[0]) && lower.find('#') != std::string::npos;
}

// The form every writer of maps uses, "%+013.6f" ("-00511.999878"): read at once, exactly.
bool ReadUsualForm(std::string_view number, double& value) {
  if (number.size() != 13 || (number[0] != '+' && number[0] != '-') || number[6] != '.') return false;
  std::int64_t millionths = 0;
  for (std::size_t i = 1; i < 13; ++i) {
    if (i == 6) continue;
    if (!IsMapDigit(number[i])) return false;
    millionths = millionths * 10 + (number[i] - '0');
  }
  value = static_cast<double>(millionths) / 1e6;
  if (number[0] == '-') value = -value;
  return true;
}

bool ReadMapNumber(MapLineStream& line, double& value, std::string& problem, std::string& note) {
  const std::string_view text = line.Text();
  std::size_t start = line.Index();
  while (start < text.size() && IsMapBlank(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && !EndsNumber(text[end])) ++end;
  const std::string_view number = text.substr(start, end - start);
  if (ReadUsualForm(number, value)) {
    line.MoveTo(end);
    return true;
  }
  const Form form = FormOf(number);
  if (form == Form::Good) {
    line.MoveTo(start);
    line.ReadReal(&value);
  } else if (number.empty()) {
    problem = "a number is missing";
  } else if (IsNonFiniteText(number)) {
    problem = "non-finite number '" + std::string(number) + "'";
  } else if (form == Form::Malformed) {
    problem = "'" + std::string(number) + "' is not a number in the C locale's form";
  }
  bool read = form == Form::Good && (line.State() & kKXStreamFail) == 0;
  if (form == Form::OutOfRange) {
    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    const auto [at, error] = std::from_chars(first, number.data() + number.size(), value);
    read = error == std::errc() && at == number.data() + number.size();
    if (read) {
      note = "number '" + std::string(number) + "' is beyond what 32-bit readers take exactly";
    } else {
      problem = "number '" + std::string(number) + "' is out of range";
    }
  }
  line.MoveTo(end);
  return read;
}
