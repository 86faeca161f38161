// Paths in the platform-independent colon form: a leading ':' marks a path relative to a base
// file's directory, each further leading ':' climbs one directory, and ':' separates the names
// that follow. The platform's separator comes from the host's file service.
#pragma once

#include <cstddef>

/// Writes into `out` (`outSize` bytes) the form of `path` relative to the directory of the file
/// `base`; a path that shares no directory with `base` stays as it is. Names are compared
/// without ASCII case, character by character.
void MakeRelativePath(const char* path, char* out, std::size_t outSize, const char* base);
/// Writes into `out` (`outSize` bytes) the full path that `rel` names relative to the directory
/// of the file `base`; a text that does not begin with ':' is copied as it is.
///
/// Both conversions never write past `outSize` bytes: a result that does not fit is cut and
/// ends in a NUL. Without a host file service there is no separator to convert with, and the
/// text is copied as it is.
void ResolveRelativePath(const char* rel, char* out, std::size_t outSize, const char* base);
