// Reference counts of host objects, and the ledger that sums the counts of a family of objects.
#pragma once

#include <cstdint>

/// The sum over every count that reports to it: how many references others hold right now, and
/// how often an object of the family was released below zero.
class THostRefLedger {
 public:
  std::int32_t Outstanding() const { return outstanding_; }
  std::int32_t Underflows() const { return underflows_; }

 private:
  friend class THostRefCount;
  std::int32_t outstanding_ = 0;
  std::int32_t underflows_ = 0;
};

/// The references that others hold on one host object. The owner's own hold is not counted, so
/// 0 means that nobody else holds the object; a release at 0 is an underflow and is recorded
/// (the count goes negative) instead of being ignored.
class THostRefCount {
 public:
  explicit THostRefCount(THostRefLedger* ledger = nullptr) : ledger_(ledger) {}

  /// One reference more; returns the new count.
  std::int32_t Add();
  /// One reference fewer; returns the new count.
  std::int32_t Drop();

  std::int32_t Count() const { return added_ - dropped_; }
  /// References handed out over the object's life.
  std::int32_t Added() const { return added_; }
  /// References given back over the object's life.
  std::int32_t Dropped() const { return dropped_; }
  std::int32_t Underflows() const { return underflows_; }

 private:
  THostRefLedger* ledger_;
  std::int32_t added_ = 0;
  std::int32_t dropped_ = 0;
  std::int32_t underflows_ = 0;
};
