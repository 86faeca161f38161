// The tokenizer: splits a stream's text into words, quoted texts and the braces, skipping
// separators, '#' comments and '$' blocks of raw data.
#pragma once

#include <cstdint>

#include "KXString.h"
#include "KXTypes.h"

class TKXStream;

/// Bytes of the array ScanToken fills: a token of at most 255 characters and its NUL.
constexpr std::uint32_t kKXTokenSize = 256;

/// Reads the next token into `token` (kKXTokenSize bytes): 0 with the token, which may be empty
/// (a '$' block, or a quote right after a comment), or kKXErrEndOfStream when the data ends
/// before the token does. Longer tokens keep their first 255 characters; the rest is read and
/// dropped. Throws only through ReadHexCount.
KXResult ScanToken(TKXStream& stream, char* token);

/// Reads a block count of 8 hexadecimal digits ('0'-'9', 'A'-'F'), most significant first,
/// skipping any other byte but '$'. Returns 0. Throws kKXErrTokenSyntax after putting back a '$'
/// met before the eighth digit, and kKXErrEndOfStream when the data ends.
KXResult ReadHexCount(TKXStream& stream, std::uint32_t* count);

/// The next token, prepared as imported text. Throws the scanner's result when it is not 0.
TKXString255 ReadTokenString(TKXStream& stream);

/// Skips everything up to the next quote and stores the quoted text that follows in `target`
/// (cut at its capacity), prepared as imported text when `prepare` is set. Throws
/// kKXErrEndOfStream when the data ends first, kKXErrNoMemory when the host refuses memory for
/// the text.
TKXString& ReadQuotedText(TKXStream& stream, TKXString& target, bool prepare);
