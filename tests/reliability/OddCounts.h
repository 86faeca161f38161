// Test-side host objects whose counts can lie: a scene whose instances forward everything to a
// THostInstance except their mesh, which is made here from the instance's description and answers
// one count oddly (the reference host's scene always tells the truth).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "KXSceneInterfaces.h"
#include "THostCom.h"
#include "THostScene.h"
#include "reliability/ScenePlan.h"

/// How a count answers.
enum class TOddCount { Real, Zero, MinusOne, Lowest, TwoMore };

/// Which count answers so.
enum class TCountedCall { Instances, Groups, Polygons, Vertices };

/// The answer `odd` gives for a count of `real`: itself, 0, -1, the lowest 32-bit value, or 2
/// more than there are (the extra indices are out of range: their objects answer null).
std::int32_t OddAnswer(TOddCount odd, std::int32_t real);

class TOddInstance;

/// What every object of an odd scene shares: the ledger its references count in, and which count
/// lies how.
struct TOddCounting {
  THostRefLedger ledger;
  TCountedCall call;
  TOddCount odd;
};

/// IKXScene over instances of a THostScene. Every object made here counts its references in the
/// scene's own ledger.
class TOddScene final : public KXImplements<TOddScene, THostCounted, IKXScene> {
 public:
  TOddScene(TCountedCall call, TOddCount odd);
  ~TOddScene();

  /// Adds an instance that forwards to `inner` and whose mesh is that of `plan`.
  void Add(THostInstance& inner, const TInstancePlan& plan);
  /// The tree element part of instance `index`, as the single-object layout's top.
  IKXTreeElement* TreeElementAt(std::size_t index);

  std::int32_t OutstandingReferences() const { return counting_.ledger.Outstanding(); }
  std::int32_t Underflows() const { return counting_.ledger.Underflows(); }

  std::uint32_t KX_CALL GetInstanceCount() override;
  KXResult KX_CALL GetInstance(IKXInstance** instance, std::uint32_t index) override;

 private:
  TOddCounting counting_;
  std::vector<std::unique_ptr<TOddInstance>> instances_;
};
