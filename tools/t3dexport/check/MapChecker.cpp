#include "MapChecker.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "KXToken.h"
#include "KXException.h"
#include "KXResultCodes.h"
#include "KXTextStream.h"
#include "MapAttributes.h"
#include "MapBlocks.h"
#include "MapLineReader.h"
#include "MapLineStream.h"
#include "MapNameCheck.h"
#include "MapPolygon.h"
#include "MapStructValue.h"
#include "MapText.h"
#include "MapVectorLine.h"

namespace {

const char kNameRule[] = ": use letters, digits and '_', not starting with a digit";

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && SameMapWord(text.substr(text.size() - end.size()), end);
}

bool IsVectorKeyword(std::string_view word) {
  return SameMapWord(word, "Vertex") || SameMapWord(word, "Origin") ||
         SameMapWord(word, "Normal") || SameMapWord(word, "TextureU") ||
         SameMapWord(word, "TextureV");
}

// The builder brush's class: Brush, or a class path that ends in it (/Script/Engine.Brush).
bool IsBrushClass(std::string_view name) {
  return SameMapWord(name, "Brush") || EndsWith(name, ".Brush");
}

std::string_view TrimmedEnd(std::string_view text) {
  while (!text.empty() && IsMapBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t FirstNonBlank(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsMapBlank(text[i])) ++i;
  return i;
}

class MapChecker {
 public:
  explicit MapChecker(MapReport& report) : report_(report) {}

  void CheckLine(std::string_view text);
  /// Reports what the end of the file leaves open.
  void Finish();

 private:
  /// The next token of the line; false at its end or on a token that cannot be read.
  bool NextToken(char* token);
  void OnBegin();
  void OnEnd();
  void OnVector(bool vertex);
  void OnProperty(const char* token);
  void CheckName(std::string_view words, const char* key, const char* what);
  void CheckBuilderBrush(std::string_view words);
  void StartPolygon(std::string_view words);
  /// Judges the open polygon once its block has been closed.
  void FinishPolygonIfClosed();

  MapReport& report_;
  MapLineStream line_;
  MapBlocks blocks_;
  MapPolygon polygon_;
  std::size_t polygonDepth_ = 0;  // the open polygon's depth among the blocks; 0 for none
  bool anyBlock_ = false;
};

void MapChecker::CheckLine(std::string_view text) {
  line_.Reset(text);
  char token[kKXTokenSize];
  if (!NextToken(token)) return;
  if (SameMapWord(token, "Begin")) {
    OnBegin();
  } else if (SameMapWord(token, "End")) {
    OnEnd();
  } else if (IsVectorKeyword(token)) {
    OnVector(SameMapWord(token, "Vertex"));
  } else {
    OnProperty(token);
  }
}

bool MapChecker::NextToken(char* token) {
  try {
    return ScanToken(line_, token) == kKXOk;
  } catch (const TKXException&) {
    // A '$' block whose count runs off the line: no token a map line can use.
    return false;
  }
}

void MapChecker::OnBegin() {
  char kind[kKXTokenSize];
  if (!NextToken(kind) || kind[0] == '\0') return report_.Add("Begin without a block name");
  anyBlock_ = true;
  const std::string_view words = line_.Rest();
  if (!blocks_.Open(kind, report_)) return;
  if (SameMapWord(kind, "Actor")) {
    if (blocks_.InnermostIsBuilderBrush()) CheckBuilderBrush(words);
    CheckName(words, "Name", "actor name");
  } else if (SameMapWord(kind, "Brush")) {
    CheckName(words, "Name", "brush name");
  } else if (SameMapWord(kind, "Polygon")) {
    StartPolygon(words);
  }
}

void MapChecker::OnEnd() {
  char kind[kKXTokenSize];
  if (!NextToken(kind) || kind[0] == '\0') return report_.Add("End without a block name");
  blocks_.Close(kind, report_);
  FinishPolygonIfClosed();
}

void MapChecker::OnVector(bool vertex) {
  MapVector value{};
  const bool read = ReadVectorValues(line_, value, report_);
  // Only vertices of the polygon itself count, not those of a block inside it.
  if (!vertex || polygonDepth_ == 0 || blocks_.Depth() != polygonDepth_) return;
  if (read) {
    polygon_.AddVertex(value);
  } else {
    polygon_.AddUnreadableVertex();
  }
}

void MapChecker::OnProperty(const char* token) {
  const char* equals = std::strchr(token, '=');
  const std::string_view text = line_.Text();
  const std::size_t start = FirstNonBlank(text);
  // A plain token is the line's own bytes; a quoted one is not, and names no property.
  if (!equals || start == text.size() || text[start] == '"') return;
  const std::size_t value = start + static_cast<std::size_t>(equals - token) + 1;
  if (SameMapWord(std::string_view(token, static_cast<std::size_t>(equals - token)), "Brush")) {
    const std::string_view reference = TrimmedEnd(text.substr(value));
    if (!IsSafeReference(reference))
      report_.Add("unsafe brush reference '" + std::string(reference) + "'" + kNameRule);
  } else if (value < text.size() && text[value] == '(') {
    CheckStructNumbers(line_, value, report_);
  }
}

void MapChecker::CheckName(std::string_view words, const char* key, const char* what) {
  const std::optional<std::string> name = FindAttribute(words, key);
  if (name && !IsSafeName(*name))
    report_.Add(std::string("unsafe ") + what + " '" + *name + "'" + kNameRule);
}

void MapChecker::CheckBuilderBrush(std::string_view words) {
  const std::optional<std::string> actorClass = FindAttribute(words, "Class");
  if (!actorClass)
    return report_.Add(
        "the map's first actor has no Class; it must be the builder brush (Class=Brush)");
  if (!IsBrushClass(*actorClass))
    report_.Add("the map's first actor is Class=" + *actorClass +
                "; it must be the builder brush (Class=Brush)");
}

void MapChecker::StartPolygon(std::string_view words) {
  // A polygon opened inside another is judged on its own; the outer one ends here.
  if (polygonDepth_ != 0) {
    const std::string problem = polygon_.Problem();
    if (!problem.empty()) report_.AddAt(polygon_.Line(), problem);
  }
  polygon_.Begin(report_.Line());
  polygonDepth_ = blocks_.Depth();
  const std::optional<std::string> texture = FindAttribute(words, "Texture");
  // An empty texture name is the reader's default texture.
  if (texture && !texture->empty() && !IsSafeDottedName(*texture))
    report_.Add("unsafe texture name '" + *texture + "'" + kNameRule);
}

void MapChecker::FinishPolygonIfClosed() {
  if (polygonDepth_ == 0 || blocks_.Depth() >= polygonDepth_) return;
  polygonDepth_ = 0;
  const std::string problem = polygon_.Problem();
  if (!problem.empty()) report_.AddAt(polygon_.Line(), problem);
}

void MapChecker::Finish() {
  blocks_.Finish(report_);
  FinishPolygonIfClosed();
  if (!anyBlock_) report_.AddAt(1, "no Begin line: the file holds no map");
}

}  // namespace

MapCheckResult CheckMapStream(TKXStream& stream) {
  MapReport report;
  MapChecker checker(report);
  MapLineReader lines(stream);
  std::string_view text;
  while (lines.Next(text)) {
    report.SetLine(lines.LineNumber());
    if (lines.Cut())
      report.Add("line longer than " + std::to_string(MapLineReader::kLongestLine) +
                 " bytes; the rest is not checked");
    checker.CheckLine(text);
  }
  MapCheckResult result;
  result.readable = !lines.Failed();
  // Blocks left open by a failed read say nothing about the map.
  if (result.readable) checker.Finish();
  result.problems = report.TakeSorted();
  result.unlisted = report.Unlisted();
  return result;
}

MapCheckResult CheckMapFile(const std::string& path, std::int32_t bufferSize) {
  const std::unique_ptr<TKXTextStream> stream(
      new TKXTextStream(path.c_str(), static_cast<std::int32_t>(kKXFileRead), bufferSize, nullptr));
  MapCheckResult result;
  if (!stream || (stream->State() & kKXStreamFail) || !(stream->AccessFlags() & kKXFileRead)) {
    result.readable = false;
    return result;
  }
  return CheckMapStream(*stream);
}
