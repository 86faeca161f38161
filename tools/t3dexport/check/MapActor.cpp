#include "MapActor.h"

#include "MapText.h"

bool MapActor::IsBrush() const {
  const std::string_view name = className;
  constexpr std::string_view kPathEnd = ".Brush";
  return SameMapWord(name, "Brush") ||
         (name.size() > kPathEnd.size() &&
          SameMapWord(name.substr(name.size() - kPathEnd.size()), kPathEnd));
}
