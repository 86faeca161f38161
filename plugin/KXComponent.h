// What the component library supplies to the frame: its table of classes and its start and stop
// hooks.
#pragma once

#include "KXGUID.h"
#include "KXHostServices.h"

class TKXComObject;

/// A new component of class `classId` with count 1 (its IUnknown part), or null when the class
/// is not known or host memory refuses the object.
TKXComObject* CreateComponent(const KXGUID& classId);

/// Called at the end of start-up with the host's shell (borrowed, may be null).
void KXComponentStartUp(IKXShell* shell);

/// Called first thing at shut-down.
void KXComponentShutDown();
