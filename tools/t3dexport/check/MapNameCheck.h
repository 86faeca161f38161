// Names that every map reader takes as one word: letters, digits and '_', not starting with a
// digit. Anything else can end a name early: a space ends it, outside quotes "//" starts a
// comment and '|' ends a line.
#pragma once

#include <string_view>

/// Whether `name` is a safe name: not empty, ASCII letters, digits and '_', no digit first.
bool IsSafeName(std::string_view name);

/// Whether `name` is safe names joined by single points, as a texture in a package
/// ("Engine.Default").
bool IsSafeDottedName(std::string_view name);

/// Whether a reference such as Model'MyLevel.Brush0' is made of safe names: a class, then
/// between single quotes safe names joined by points. A reference without quotes must be one
/// safe name (None).
bool IsSafeReference(std::string_view reference);
