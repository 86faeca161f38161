#include "MapVectorLine.h"

#include <string>

#include "KXTextStream.h"
#include "MapLineStream.h"
#include "MapNumber.h"
#include "MapReport.h"

namespace {

// The next character that is not a separator, consumed; false at the end of the line.
bool NextCharacter(MapLineStream& line, char& c) {
  line >> c;
  return (line.State() & kKXStreamEnd) == 0;
}

// The rest of the line from `c`, the character NextCharacter has just read.
std::string RestFrom(MapLineStream& line, char c) {
  line.PutBack(c);
  return std::string(line.Rest());
}

}  // namespace

bool ReadVectorValues(MapLineStream& line, MapVector& vector, MapReport& report) {
  double* values[] = {&vector.x, &vector.y, &vector.z};
  for (int i = 0; i < 3; ++i) {
    char c = 0;
    if (i > 0 && !NextCharacter(line, c)) {
      report.Add(Severity::kError, "3 values expected, " + std::to_string(i) + " found");
      return false;
    }
    if (i > 0 && c != ',') {
      report.Add(Severity::kError, "',' expected between values, found '" + RestFrom(line, c) + "'");
      return false;
    }
    std::string problem, note;
    if (!ReadMapNumber(line, *values[i], problem, note)) {
      report.Add(Severity::kError, problem);
      return false;
    }
    if (!note.empty()) report.Add(Severity::kNote, note);
  }
  char c = 0;
  if (!NextCharacter(line, c)) return true;
  if (c == ',') {
    report.Add(Severity::kError, "more than 3 values: a ',' decimal point or thousands separator?");
  } else {
    report.Add(Severity::kError, "unexpected text after the values: '" + RestFrom(line, c) + "'");
  }
  return false;
}
