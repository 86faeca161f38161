// A bookmark's life: a stream writes a text and marks a place in it; the file is renamed and the
// bookmark told so; the bookmark reopens the file there and the rest of the text is read back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "reliability/RefusalRules.h"

/// Where the scenario ended.
namespace bookmark_ending {
/// The rest of the text came back from the renamed file.
inline const std::string kReopened = "reopened";
/// No memory for the writing stream.
inline const std::string kStreamRefused = "stream-no-memory";
/// CreateBookmark answered null.
inline const std::string kNoBookmark = "no-bookmark";
/// The bookmark kept the old path (no memory for the new one) and reopened an empty new file
/// there.
inline const std::string kOldPath = "reopened-old-path";
/// Reopen answered null.
inline const std::string kReopenRefused = "reopen-no-memory";
}  // namespace bookmark_ending

/// What the scenario came to.
struct TBookmarkRun {
  std::string ending;
  /// What went wrong with the text: in the file after writing, or as read back.
  std::string wrong;
  /// What the reopened stream delivered, what it should have, and its state word right after
  /// Reopen (which seeks to the bookmarked position).
  std::string readBack;
  std::string rest;
  std::uint32_t stateAfterReopen = 0;
};

/// Runs the scenario on `path` (and `path` + ".renamed", both removed first and afterwards),
/// naming the steps "stream", "bookmark", "rename" and "reopen" in `steps` when given, and
/// calling `atReopen` right before Reopen when given. Needs the host's services in the plug-in's
/// service table.
TBookmarkRun RunBookmarkScenario(const std::string& path, TRequestSteps* steps = nullptr,
                                 const std::function<void()>& atReopen = {});
