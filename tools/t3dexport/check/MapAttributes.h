// The Key=Value words after the block name of a Begin line ("Class=Brush Name=Wall").
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The value of attribute `key` (any case) in `words`, or nothing when it is absent. A quoted
/// value loses its quotes. Words without '=' after a value belong to it, joined by single
/// spaces, as a name with spaces written unquoted would be ("Name=My Brush" gives "My Brush").
std::optional<std::string> FindAttribute(std::string_view words, std::string_view key);
