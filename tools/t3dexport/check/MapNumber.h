// Numbers in a map line: the C locale's decimal form, finite, within what the stream reads.
#pragma once

#include <string>
#include <string_view>

class MapLineStream;

/// Whether `c` may start a number's text: a sign, a point or a digit.
bool StartsNumber(char c);

/// Whether `text` names a value that is not finite: nan or inf in the C library's spellings
/// (any case, signed, "nan(...)") or the "1.#INF00" forms of another runtime.
bool IsNonFiniteText(std::string_view text);

/// Reads the number that starts at the line's position, after blanks, and ends before a ',',
/// a ')', a blank or the end of the line, where it leaves the position. True with `value` when
/// its text is a finite C-locale decimal number; false with `problem` (an error) when not. A
/// number the support library's stream reads (exponent from -5 to 4, a whole part of 32 bits)
/// is read by it; a larger or smaller one is read by the C++ library and `note` says so.
bool ReadMapNumber(MapLineStream& line, double& value, std::string& problem, std::string& note);
