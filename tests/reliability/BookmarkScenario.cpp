#include "reliability/BookmarkScenario.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "KXTextStream.h"
#include "KXTextStreamBookmark.h"
#include "support/FileText.h"

namespace {

constexpr std::int32_t kBufferSize = 64;
constexpr std::int32_t kMark = 150;  // the bookmarked position, inside the third buffer

// 40 numbered lines: several buffers' worth.
std::string Text() {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + " of the bookmarked text\n";
  return text;
}

void Enter(TRequestSteps* steps, const char* step) {
  if (steps) steps->Enter(step);
}

// Everything from the stream's position to the end of its data.
std::string ReadRest(TKXStream& stream) {
  std::string rest;
  for (;;) {
    char ch = 0;
    stream.ReadChar(&ch);
    if (stream.State() != 0) return rest;
    rest += ch;
  }
}

// Writes the text and marks kMark; null when the stream or the bookmark got no memory.
std::unique_ptr<TKXStreamBookmark> WriteAndMark(const std::string& path, TRequestSteps* steps,
                                                TBookmarkRun& run) {
  Enter(steps, "stream");
  std::unique_ptr<TKXTextStream> stream(new TKXTextStream(
      path.c_str(), static_cast<std::int32_t>(kKXFileRead | kKXFileWrite), kBufferSize, nullptr));
  if (!stream) {
    run.ending = bookmark_ending::kStreamRefused;
    return nullptr;
  }
  const std::string text = Text();
  *stream << text.c_str();
  stream->Seek(kMark, 0);
  Enter(steps, "bookmark");
  std::unique_ptr<TKXStreamBookmark> bookmark(stream->CreateBookmark());
  stream.reset();
  if (ReadFileText(path) != text) run.wrong = "the file does not hold the text written";
  if (!bookmark) run.ending = bookmark_ending::kNoBookmark;
  return bookmark;
}

}  // namespace

TBookmarkRun RunBookmarkScenario(const std::string& path, TRequestSteps* steps,
                                 const std::function<void()>& atReopen) {
  const std::string renamed = path + ".renamed";
  std::filesystem::remove(path);
  std::filesystem::remove(renamed);
  TBookmarkRun run;
  std::unique_ptr<TKXStreamBookmark> bookmark = WriteAndMark(path, steps, run);
  if (bookmark) {
    Enter(steps, "rename");
    std::filesystem::rename(path, renamed);
    bookmark->Notify(path.c_str(), renamed.c_str(), kKXBookmarkPathChanged);
    const bool kept = static_cast<TKXTextStreamBookmark&>(*bookmark).Path() == path;
    Enter(steps, "reopen");
    if (atReopen) atReopen();
    std::unique_ptr<TKXTextStream> reopened(bookmark->Reopen());
    if (!reopened) {
      run.ending = bookmark_ending::kReopenRefused;
    } else {
      run.ending = kept ? bookmark_ending::kOldPath : bookmark_ending::kReopened;
      run.stateAfterReopen = reopened->State();
      run.rest = kept ? "" : Text().substr(kMark);
      run.readBack = ReadRest(*reopened);
      if (run.readBack != run.rest) run.wrong += " the text read back differs";
    }
  }
  std::filesystem::remove(path);
  std::filesystem::remove(renamed);
  return run;
}
