// Checks of the lean host: each failed one is reported with its place, and the program's exit
// code says whether any failed.
#pragma once

#include <cstdint>

/// Writes a line to standard error, formatted as printf does.
void HostSay(const char* format, ...);

/// Records `ok`; a failure is reported as `what` at `file`:`line`.
bool HostCheck(bool ok, const char* what, const char* file, int line);
/// Records whether `actual` equals `expected`, and reports both when not.
bool HostCheckEqual(std::uint32_t actual, std::uint32_t expected, const char* what,
                    const char* file, int line);
/// Records whether two texts are equal (both null counts as equal).
bool HostCheckText(const char* actual, const char* expected, const char* what, const char* file,
                   int line);

/// The number of failed checks so far.
int HostFailures();

#define HOST_CHECK(condition) HostCheck((condition), #condition, __FILE__, __LINE__)
#define HOST_CHECK_EQ(actual, expected)                                                 \
  HostCheckEqual(static_cast<std::uint32_t>(actual), static_cast<std::uint32_t>(expected), \
                 #actual " == " #expected, __FILE__, __LINE__)
#define HOST_CHECK_TEXT(actual, expected) \
  HostCheckText((actual), (expected), #actual " is " #expected, __FILE__, __LINE__)
