// The interfaces of the plug-in's own objects, each operation at its slot in the table the host
// calls through.
#pragma once

#include "KXUnknown.h"

class IKXFileStream;
class IKXScene;
class IKXTreeElement;

/// Makes the components of one class; what KXDllGetClassObject hands out.
class IKXClassFactory : public IKXUnknown {
 public:
  /// Slot 3: makes a component of the factory's class, as part of `outer` when that is not null,
  /// and stores its interface `iid` in `*out` with one reference. kKXErrClassNotAvailable, with
  /// `*out` untouched, when no component can be made; kKXErrNoInterface, with `*out` released
  /// and null, when the component does not offer `iid`.
  virtual KXResult KX_CALL CreateInstance(IKXUnknown* outer, const KXGUID& iid, void** out) = 0;
  /// Slot 4: takes the flag and changes nothing; returns 0.
  virtual KXResult KX_CALL LockServer(std::int32_t lock) = 0;
};

// The operations of IKXExporter and IKXExtension other than Export mean what the host gives them
// to mean; the plug-in only answers them with fixed values, so they are named by their slots.
// Byte answers are 1 (true) or 0 (false).

/// A component that writes a scene to a file.
class IKXExporter : public IKXUnknown {
 public:
  /// Slot 3: takes two values; answers 1.
  virtual std::uint8_t KX_CALL ExporterOperation3(std::uint32_t first, std::uint32_t second) = 0;
  /// Slot 4: answers 0.
  virtual std::uint8_t KX_CALL ExporterOperation4() = 0;
  /// Slot 5: takes four values; stores 0 in `*result` and returns 0.
  virtual KXResult KX_CALL ExporterOperation5(std::uint32_t first, std::uint32_t second,
                                              std::uint32_t third, std::int32_t* result) = 0;
  /// Slot 6: writes `top` of `scene` to the file of `destination`, all three borrowed. Returns 0;
  /// a failure is thrown as TKXException.
  virtual KXResult KX_CALL Export(IKXFileStream* destination, IKXScene* scene,
                                  IKXTreeElement* top) = 0;
  /// Slot 7: answers 0.
  virtual std::uint8_t KX_CALL ExporterOperation7() = 0;
  /// Slot 8: takes two values; returns kKXErrNotImplementedByComponent.
  virtual KXResult KX_CALL ExporterOperation8(std::uint32_t first, std::uint32_t second) = 0;
  /// Slot 9: takes one value; returns kKXErrNotImplementedByComponent.
  virtual KXResult KX_CALL ExporterOperation9(std::uint32_t value) = 0;
  /// Slot 10: answers 1.
  virtual std::uint8_t KX_CALL ExporterOperation10() = 0;
  /// Slot 11: answers 1.
  virtual std::uint8_t KX_CALL ExporterOperation11() = 0;
};

/// The host's extension protocol, which every component offers.
class IKXExtension : public IKXUnknown {
 public:
  /// Slot 3: when `slot` is not null and holds an interface, releases it and sets it to null.
  virtual void KX_CALL ExtensionOperation3(IKXUnknown** slot, std::uint32_t value) = 0;
  /// Slot 4: takes one value; answers 1.
  virtual std::uint8_t KX_CALL ExtensionOperation4(std::uint32_t value) = 0;
  /// Slot 5: takes two values; returns kKXErrNotImplementedByComponent.
  virtual KXResult KX_CALL ExtensionOperation5(std::uint32_t first, std::uint32_t second) = 0;
  /// Slot 6: takes two values; returns kKXErrNotImplementedByComponent.
  virtual KXResult KX_CALL ExtensionOperation6(std::uint32_t first, std::uint32_t second) = 0;
  /// Slot 7: answers 0.
  virtual std::uint32_t KX_CALL ExtensionOperation7() = 0;
  /// Slot 8: answers 0.
  virtual std::uint32_t KX_CALL ExtensionOperation8() = 0;
  /// Slot 9: takes three values; answers 0.
  virtual std::uint32_t KX_CALL ExtensionOperation9(std::uint32_t first, std::uint32_t second,
                                                    std::uint32_t third) = 0;
  /// Slot 10: answers 0 as a 16-bit value.
  virtual std::uint16_t KX_CALL ExtensionOperation10() = 0;
  /// Slot 11: returns kKXErrNotSupported.
  virtual KXResult KX_CALL ExtensionOperation11() = 0;
  /// Slot 12: takes one value; returns kKXErrNotSupported.
  virtual KXResult KX_CALL ExtensionOperation12(std::uint32_t value) = 0;
};

KX_INTERFACE_ID(IKXClassFactory, kKXIIDClassFactory);
KX_INTERFACE_ID(IKXExporter, kKXIIDExporter);
KX_INTERFACE_ID(IKXExtension, kKXIIDExtension);
