// Which scene instances become brushes.
#pragma once

class IKXInstance;

/// False for an instance of either excluded kind, and for one whose object is missing or is not
/// a primitive: such instances are passed over without a trace in the file.
bool IsExportableInstance(IKXInstance* instance);
