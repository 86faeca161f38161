// A scene tree element that is not an instance, such as the scene's "Universe".
#pragma once

#include <string>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostPlacement.h"

/// IKXTreeElement with a name, the identity transform and the reference point (0, 0, 0).
/// Answers kKXIIDTreeElement and IUnknown; in particular it is no instance.
class THostTreeElement final : public THostCounted<IKXTreeElement> {
 public:
  THostTreeElement(THostRefLedger& ledger, std::string name);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetName(TKXString* name) override;
  KXResult KX_CALL GetReferencePoint(TKXVector3* point) override;
  KXResult KX_CALL GetTransform(TKXTransform* transform) override;

 private:
  THostPlacement placement_;
};
