#include "MapReader.h"

#include <cstring>
#include <optional>
#include <set>
#include <string_view>

#include "KXException.h"
#include "KXResultCodes.h"
#include "KXTextStream.h"
#include "KXToken.h"
#include "MapAttributes.h"
#include "MapBlocks.h"
#include "MapLineReader.h"
#include "MapLineStream.h"
#include "MapNameCheck.h"
#include "MapPolygon.h"
#include "MapReport.h"
#include "MapStructValue.h"
#include "MapText.h"
#include "MapVectorLine.h"

namespace {

const char kNameRule[] = ": use letters, digits and '_', not starting with a digit";
constexpr const char* kXYZ[3] = {"X", "Y", "Z"};
constexpr const char* kPitchYawRoll[3] = {"Pitch", "Yaw", "Roll"};

bool IsVectorKeyword(std::string_view word) {
  return SameMapWord(word, "Vertex") || SameMapWord(word, "Origin") ||
         SameMapWord(word, "Normal") || SameMapWord(word, "TextureU") ||
         SameMapWord(word, "TextureV");
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

std::uint64_t WholeNumber(std::string_view text) {
  std::uint64_t value = 0;
  for (const char c : text) {
    if (!IsMapDigit(c)) break;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

class MapLines {
 public:
  MapLines(MapReport& report, const MapActorSink& sink) : report_(report), sink_(sink) {}

  void Read(std::string_view text);
  /// Reports what the end of the file leaves open, and hands on the polygons outside actors.
  void Finish();

 private:
  /// The next token of the line; false at its end or on a token that cannot be read.
  bool NextToken(char* token);
  void OnBegin();
  void OnEnd();
  void OnVector(std::string_view keyword);
  void OnProperty(const char* token);
  void OnActorProperty(std::string_view key, std::string_view value);
  void CheckName(std::string_view words, const char* key, const char* what);
  void BeginActor(std::string_view words);
  void StartPolygon(std::string_view words);
  /// Judges the open polygon once its block has been closed, and ends an actor closed.
  void CloseFinishedBlocks();
  void EndPolygon();

  MapReport& report_;
  const MapActorSink& sink_;
  MapLineStream line_;
  MapBlocks blocks_;
  MapPolygon polygon_;
  std::size_t polygonDepth_ = 0;  // the open polygon's depth among the blocks; 0 for none
  std::size_t actorDepth_ = 0;    // the open actor's; 0 for none
  MapActor actor_;
  MapActor loose_;  // polygons outside any actor: a polygon list written alone
  bool anyBlock_ = false;
  bool anyActor_ = false;
  std::set<std::string> unsafeTextures_;
};

void MapLines::Read(std::string_view text) {
  line_.Reset(text);
  char token[kKXTokenSize];
  if (!NextToken(token)) return;
  if (SameMapWord(token, "Begin")) {
    OnBegin();
  } else if (SameMapWord(token, "End")) {
    OnEnd();
  } else if (IsVectorKeyword(token)) {
    OnVector(token);
  } else {
    OnProperty(token);
  }
}

bool MapLines::NextToken(char* token) {
  try {
    return ScanToken(line_, token) == kKXOk;
  } catch (const TKXException&) {
    // A '$' block whose count runs off the line: no token a map line can use.
    return false;
  }
}

void MapLines::OnBegin() {
  char kind[kKXTokenSize];
  if (!NextToken(kind) || kind[0] == '\0') return report_.Add(Severity::kError, "Begin without a block name");
  anyBlock_ = true;
  const std::string_view words = line_.Rest();
  if (!blocks_.Open(kind, report_)) return;
  if (SameMapWord(kind, "Actor")) {
    if (actorDepth_ == 0) BeginActor(words);
    CheckName(words, "Name", "actor name");
  } else if (SameMapWord(kind, "Brush")) {
    CheckName(words, "Name", "brush name");
  } else if (SameMapWord(kind, "Polygon")) {
    StartPolygon(words);
  }
}

void MapLines::BeginActor(std::string_view words) {
  actorDepth_ = blocks_.Depth();
  actor_ = MapActor{};
  actor_.line = report_.Line();
  actor_.className = FindAttribute(words, "Class").value_or("");
  actor_.name = FindAttribute(words, "Name").value_or("");
  report_.SetBrush(actor_.name);
  if (anyActor_) return;
  anyActor_ = true;
  if (actor_.className.empty()) {
    report_.Add(Severity::kNote, "the map's first actor has no Class; maps this tool writes start "
                                 "with the builder brush (Class=Brush)");
  } else if (!actor_.IsBrush()) {
    report_.Add(Severity::kNote, "the map's first actor is Class=" + actor_.className +
                                     "; maps this tool writes start with the builder brush "
                                     "(Class=Brush)");
  }
}

void MapLines::OnEnd() {
  char kind[kKXTokenSize];
  if (!NextToken(kind) || kind[0] == '\0') return report_.Add(Severity::kError, "End without a block name");
  blocks_.Close(kind, report_);
  CloseFinishedBlocks();
}

void MapLines::OnVector(std::string_view keyword) {
  MapVector value{};
  const bool read = ReadVectorValues(line_, value, report_);
  // Only lines of the polygon itself count, not those of a block inside it.
  if (polygonDepth_ == 0 || blocks_.Depth() != polygonDepth_) return;
  if (SameMapWord(keyword, "Vertex")) {
    if (read) {
      polygon_.AddVertex(value);
    } else {
      polygon_.AddUnreadableVertex();
    }
  } else if (read && SameMapWord(keyword, "Normal")) {
    polygon_.SetNormal(value);
  }
}

void MapLines::OnProperty(const char* token) {
  const char* equals = std::strchr(token, '=');
  const std::string_view text = line_.Text();
  const std::size_t start = FirstNonBlank(text);
  // A plain token is the line's own bytes; a quoted one is not, and names no property.
  if (!equals || start == text.size() || text[start] == '"') return;
  const std::size_t value = start + static_cast<std::size_t>(equals - token) + 1;
  const std::string_view key(token, static_cast<std::size_t>(equals - token));
  if (SameMapWord(key, "Brush")) {
    const std::string_view reference = TrimmedEnd(text.substr(value));
    if (!IsSafeReference(reference))
      report_.Add(Severity::kNote, "unsafe brush reference '" + std::string(reference) + "'" + kNameRule);
  } else if (value < text.size() && text[value] == '(') {
    CheckStructNumbers(line_, value, report_);
  }
  if (actorDepth_ != 0 && blocks_.Depth() == actorDepth_)
    OnActorProperty(key, TrimmedEnd(text.substr(value < text.size() ? value : text.size())));
}

// What places the actor's brush, and what it is to the CSG.
void MapLines::OnActorProperty(std::string_view key, std::string_view value) {
  MapPlacement& placement = actor_.placement;
  if (SameMapWord(key, "CsgOper")) {
    actor_.csgOper = std::string(value);
  } else if (SameMapWord(key, "PolyFlags")) {
    actor_.polyFlags = WholeNumber(value);
  } else if (SameMapWord(key, "Location")) {
    ReadStructVector(value, kXYZ, placement.location);
  } else if (SameMapWord(key, "Rotation")) {
    ReadStructVector(value, kPitchYawRoll, placement.rotation);
  } else if (SameMapWord(key, "PrePivot")) {
    ReadStructVector(value, kXYZ, placement.prePivot);
  } else if (SameMapWord(key, "MainScale")) {
    ReadStructVector(StructComponent(value, "Scale"), kXYZ, placement.mainScale);
  } else if (SameMapWord(key, "PostScale")) {
    ReadStructVector(StructComponent(value, "Scale"), kXYZ, placement.postScale);
  }
}

void MapLines::CheckName(std::string_view words, const char* key, const char* what) {
  const std::optional<std::string> name = FindAttribute(words, key);
  if (name && !IsSafeName(*name))
    report_.Add(Severity::kNote, std::string("unsafe ") + what + " '" + *name + "'" + kNameRule);
}

void MapLines::StartPolygon(std::string_view words) {
  // A polygon opened inside another is judged on its own; the outer one ends here.
  if (polygonDepth_ != 0) EndPolygon();
  polygon_.Begin(report_.Line());
  polygonDepth_ = blocks_.Depth();
  const std::optional<std::string> texture = FindAttribute(words, "Texture");
  // An empty texture name is the reader's default texture. Each name is noted once.
  if (texture && !texture->empty() && !IsSafeDottedName(*texture) &&
      unsafeTextures_.insert(*texture).second)
    report_.Add(Severity::kNote, "unsafe texture name '" + *texture + "'" + kNameRule);
}

void MapLines::EndPolygon() {
  polygonDepth_ = 0;
  polygon_.Judge(report_);
  MapActor& owner = actorDepth_ == 0 ? loose_ : actor_;
  ++owner.polygonBlocks;
  const std::vector<MapVector>& vertices = polygon_.Vertices();
  if (vertices.empty()) return;
  owner.polygons.push_back({polygon_.Line(), static_cast<std::uint32_t>(owner.vertices.size()),
                            static_cast<std::uint32_t>(vertices.size())});
  owner.vertices.insert(owner.vertices.end(), vertices.begin(), vertices.end());
}

void MapLines::CloseFinishedBlocks() {
  if (polygonDepth_ != 0 && blocks_.Depth() < polygonDepth_) EndPolygon();
  if (actorDepth_ == 0 || blocks_.Depth() >= actorDepth_) return;
  actorDepth_ = 0;
  sink_(actor_);
  report_.SetBrush("");
}

void MapLines::Finish() {
  // Blocks left open are reported; an actor never closed is not handed on.
  if (polygonDepth_ != 0) EndPolygon();
  blocks_.Finish(report_);
  if (!anyBlock_) report_.AddAt(1, Severity::kError, "no Begin line: the file holds no map");
  if (loose_.polygonBlocks > 0) sink_(loose_);
}

}  // namespace

bool ReadMap(TKXStream& stream, MapReport& report, const MapActorSink& sink) {
  MapLines map(report, sink);
  MapLineReader lines(stream);
  std::string_view text;
  while (lines.Next(text)) {
    report.SetLine(lines.LineNumber());
    if (lines.Cut())
      report.Add(Severity::kNote, "line longer than " + std::to_string(MapLineReader::kLongestLine) +
                                       " bytes; the rest is not checked");
    map.Read(text);
  }
  if (lines.Failed()) return false;
  map.Finish();
  return true;
}
