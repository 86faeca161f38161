// The component classes a plug-in can make: a table that the component layer supplies, and the
// one function through which the frame creates from it.
#pragma once

#include <cstddef>

#include "KXGUID.h"
#include "KXHostServices.h"

class TKXComObject;

/// One row of the class table: a class identifier and the function that makes a component of
/// that class (its IUnknown part with count 1, or null when host memory refuses the object).
struct KXComponentClass {
  const KXGUID* classId;
  TKXComObject* (*create)();
};

/// The component layer's classes, and their number.
extern const KXComponentClass kKXComponentClasses[];
extern const std::size_t kKXComponentClassCount;

/// A new component of class `classId` from the table, or null when the class is not in it or
/// host memory refuses the object.
TKXComObject* CreateComponent(const KXGUID& classId);

/// Called at the end of start-up with the host's shell (borrowed, may be null).
void KXComponentStartUp(IKXShell* shell);

/// Called first thing at shut-down.
void KXComponentShutDown();
