// The host's root interface: hands out the 27 services of the service table.
#pragma once

#include <array>

#include "KXHostServices.h"
#include "KXIdentifiers.h"
#include "THostCounted.h"

/// IKXShell. A query for the identifier of service entry n (kKXServiceIDs[n - 1]) stores that
/// service with one reference, unless the entry is withheld: then the slot is left null and the
/// answer is kKXErrNoInterface. IUnknown answers the shell itself.
class THostShell final : public THostCounted<IKXShell> {
 public:
  THostShell();

  /// Makes entry `entry` (1 to 27) answer with `service` (its interface part).
  void Register(int entry, IKXUnknown* service);
  /// Switches the answer of entry `entry` (1 to 27) off or back on.
  void Withhold(int entry, bool withheld);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;

 private:
  KXResult AnswerEntry(int index, void** out);

  std::array<IKXUnknown*, kKXServiceCount> services_{};
  std::array<bool, kKXServiceCount> withheld_{};
};
