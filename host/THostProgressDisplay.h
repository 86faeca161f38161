// A progress display that the host opened for the plug-in.
#pragma once

#include <string>

#include "THostCounted.h"

/// The object behind a progress display: answers IUnknown only. Its number (from 1, in the
/// order of opening) names it in the recorded events.
class THostProgressDisplay final : public THostCounted<IKXUnknown> {
 public:
  THostProgressDisplay(THostRefLedger& ledger, int number, std::string title, float total);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;

  int Number() const { return number_; }
  const std::string& Title() const { return title_; }
  float Total() const { return total_; }
  /// The sum of the steps advanced so far.
  float Done() const { return done_; }
  bool IsOpen() const { return open_; }

  void Advance(float step) { done_ += step; }
  void Close() { open_ = false; }

 private:
  int number_;
  std::string title_;
  float total_;
  float done_ = 0;
  bool open_ = true;
};
