#include "MapStructValue.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "MapLineStream.h"
#include "MapNumber.h"
#include "MapReport.h"
#include "MapText.h"

namespace {

// Deeper values are refused rather than read by deeper recursion.
constexpr int kDeepest = 16;

class StructReader {
 public:
  StructReader(MapLineStream& line, MapReport& report)
      : line_(line), text_(line.Text()), report_(report) {}

  /// Reads the value whose '(' is at `i`, leaving `i` after its ')'. False with Problem().
  bool Struct(std::size_t& i);
  const std::string& Problem() const { return problem_; }

 private:
  /// The components after the '(' at `i`, up to and with the ')'.
  bool Components(std::size_t& i);
  bool Component(std::size_t& i, bool& numeric, std::size_t& numberStart);
  bool Number(std::size_t& i);
  /// Where the value of the component at `i` starts: after its "Name=", or at `i` for a
  /// component without a name.
  std::size_t ValueStart(std::size_t i) const;
  /// Moves `i` over a value that is no number, up to the ',' or ')' that ends it.
  void SkipText(std::size_t& i) const;
  bool LooksNumeric(std::size_t i) const;
  bool Fail(std::string problem) {
    problem_ = std::move(problem);
    return false;
  }

  MapLineStream& line_;
  std::string_view text_;
  MapReport& report_;
  std::string problem_;
  int depth_ = 0;
};

bool StructReader::Struct(std::size_t& i) {
  if (depth_ == kDeepest)
    return Fail("values nested more than " + std::to_string(kDeepest) + " deep");
  ++depth_;
  const bool read = Components(i);
  --depth_;
  return read;
}

// A bare number after a named one ("X=1,5") is a decimal comma; after a bare one, the next
// element of a list ("IndexData=(0,1,2)").
bool StructReader::Components(std::size_t& i) {
  ++i;
  bool previousNamedNumber = false;
  std::size_t previousStart = 0;
  for (;;) {
    if (i < text_.size() && text_[i] == ')') {
      ++i;
      return true;
    }
    bool numeric = false;
    std::size_t numberStart = i;
    const bool named = ValueStart(i) != i;
    if (!named && previousNamedNumber && LooksNumeric(i)) {
      SkipText(i);
      return Fail("a ',' decimal point or thousands separator in '" +
                  std::string(text_.substr(previousStart, i - previousStart)) + "'");
    }
    if (!Component(i, numeric, numberStart)) return false;
    while (i < text_.size() && IsMapBlank(text_[i])) ++i;
    if (i >= text_.size()) return Fail("a '(' is not closed");
    if (text_[i] == ')') {
      ++i;
      return true;
    }
    if (text_[i] != ',')
      return Fail("unexpected text in a value: '" + std::string(text_.substr(i)) + "'");
    ++i;
    previousNamedNumber = named && numeric;
    previousStart = numberStart;
  }
}

bool StructReader::Component(std::size_t& i, bool& numeric, std::size_t& numberStart) {
  i = ValueStart(i);
  numberStart = i;
  if (i < text_.size() && text_[i] == '(') return Struct(i);
  if (!LooksNumeric(i)) {
    SkipText(i);
    return true;
  }
  numeric = true;
  return Number(i);
}

bool StructReader::Number(std::size_t& i) {
  line_.MoveTo(i);
  double value = 0;
  std::string problem, note;
  if (!ReadMapNumber(line_, value, problem, note)) return Fail(problem);
  if (!note.empty()) report_.Add(Severity::kNote, note);
  i = line_.Index();
  return true;
}

std::size_t StructReader::ValueStart(std::size_t i) const {
  const std::size_t stop = text_.find_first_of(",()=", i);
  return stop < text_.size() && text_[stop] == '=' ? stop + 1 : i;
}

void StructReader::SkipText(std::size_t& i) const {
  int depth = 0;
  for (; i < text_.size(); ++i) {
    const char c = text_[i];
    if (c == '"') {
      const std::size_t close = text_.find('"', i + 1);
      if (close == std::string_view::npos) break;
      i = close;
    } else if (c == '(') {
      ++depth;
    } else if ((c == ')' || c == ',') && depth == 0) {
      return;
    } else if (c == ')') {
      --depth;
    }
  }
  i = text_.size();
}

bool StructReader::LooksNumeric(std::size_t i) const {
  if (i >= text_.size()) return false;
  const std::size_t end = text_.find_first_of(",)", i);
  return StartsNumber(text_[i]) || IsNonFiniteText(text_.substr(i, end - i));
}

}  // namespace

void CheckStructNumbers(MapLineStream& line, std::size_t open, MapReport& report) {
  StructReader reader(line, report);
  if (!reader.Struct(open)) report.Add(Severity::kError, reader.Problem());
}

std::string_view StructComponent(std::string_view value, std::string_view name) {
  if (value.empty() || value[0] != '(') return {};
  int depth = 0;
  std::size_t start = 1;
  for (std::size_t i = 1; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') {
      const std::size_t close = value.find('"', i + 1);
      if (close == std::string_view::npos) return {};
      i = close;
    } else if (c == '(') {
      ++depth;
    } else if ((c == ',' || c == ')') && depth == 0) {
      const std::string_view component = value.substr(start, i - start);
      const std::size_t equals = component.find('=');
      if (equals != std::string_view::npos && SameMapWord(component.substr(0, equals), name))
        return component.substr(equals + 1);
      if (c == ')') return {};
      start = i + 1;
    } else if (c == ')') {
      --depth;
    }
  }
  return {};
}

void ReadStructVector(std::string_view value, const char* const (&names)[3], MapVector& out) {
  double* targets[3] = {&out.x, &out.y, &out.z};
  for (int i = 0; i < 3; ++i) {
    const std::string_view text = StructComponent(value, names[i]);
    if (text.empty()) continue;
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    double number = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), number);
    if (error == std::errc() && std::isfinite(number)) *targets[i] = number;
  }
}
