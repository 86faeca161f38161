// Where the plug-in's exceptions say they were raised: the file and line a TKXException carries.
// The values are fixed, whatever the source looks like today: hosts and their logs know them.
#pragma once

/// A file name (a static text) and a line, as a TKXException carries them.
struct KXSourcePosition {
  const char* file;
  int line;
};

/// The export found no mesh for an instance.
inline constexpr KXSourcePosition kKXRaisedMissingMesh{"T3d", 250};
/// The export obtained no memory for its output stream.
inline constexpr KXSourcePosition kKXRaisedNoStreamMemory{"T3d", 366};
/// An object made by KXCreateObject (the class factory) obtained no memory.
inline constexpr KXSourcePosition kKXRaisedNoObjectMemory{"KXCore/PublicAPI/KXCountedPtrHelper", 166};
/// The terminate handler ran.
inline constexpr KXSourcePosition kKXRaisedTerminate{"KXCore/Source/Common/KXException", 50};
/// A token was read past the end of the stream.
inline constexpr KXSourcePosition kKXRaisedTokenAtEnd{"KXCore/Source/Common/KXToken", 516};
