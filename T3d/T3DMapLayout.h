// Which of the two layouts the current export writes.
#pragma once

#include <cstdint>

/// 1 while a map ("Universe") is written, 0 for a single object's polygon list. Set by the export
/// driver before any polygon is written; the polygon writer indents by it.
extern std::uint8_t MapLayout;
