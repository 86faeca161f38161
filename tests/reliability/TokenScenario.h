// Reading a text back through a stream: tokens, a comment, a raw data block and a quoted text long
// enough to grow its block twice, with a stream buffer small enough that reads and put-backs
// cross its edges all the time.
#pragma once

#include <cstdint>
#include <string>

#include "reliability/RefusalRules.h"

/// Where a read of the scenario's text ended.
namespace token_ending {
/// Every token and the quoted text came as written; the next token met the end of the data.
inline const std::string kReadAll = "read-all";
/// No memory for the stream object.
inline const std::string kStreamRefused = "stream-no-memory";
/// ReadQuotedString threw kKXErrNoMemory (no file, line 0).
inline const std::string kQuotedRefused = "quoted-no-memory";
/// A read before the last one met the end of the data (kKXErrEndOfStream, from
/// KXCore/Source/Common/KXToken line 516 for a token; with no file for the quoted text and for a
/// block's count).
inline const std::string kCutShort = "cut-short";
}  // namespace token_ending

/// What one read of the scenario's text came to.
struct TTokenRead {
  std::string ending;
  /// Reads that delivered what was written, in order.
  std::uint32_t matched = 0;
  /// The state word right after the stream was made, and its access flags.
  std::uint32_t stateAfterOpen = 0;
  std::uint32_t accessAfterOpen = 0;
  /// What differed, when a read delivered something that was not written.
  std::string wrong;
};

/// The scenario's text, written to `path`.
void WriteTokenText(const std::string& path);

/// The number of reads the scenario makes when every one succeeds.
std::uint32_t TokenReads();

/// Opens `path` for reading with a 16-byte buffer and reads the scenario's text back, naming the
/// steps "open" and "read" in `steps` when given. Needs the host's services in the plug-in's
/// service table.
TTokenRead ReadTokenText(const std::string& path, TRequestSteps* steps = nullptr);
