// Start-up facts (service entry 5), read once by the plug-in's start-up.
#pragma once

#include <cstdint>
#include <utility>

#include "KXHostServices.h"
#include "THostService.h"

/// IKXStartupInfo: slots 13 and 14 fill two values each, slot 15 answers the address of a value
/// (or null when switched off). Every call is counted.
class THostStartupInfo final : public THostService<IKXStartupInfo> {
 public:
  using Pair = std::pair<std::uint32_t, std::uint32_t>;

  THostStartupInfo();

  void KX_CALL GetStartupValuesA(std::uint32_t* first, std::uint32_t* second) override;
  void KX_CALL GetStartupValuesB(std::uint32_t* first, std::uint32_t* second) override;
  const std::uint32_t* KX_CALL GetStartupRecord() override;

  void SetValuesA(Pair values) { valuesA_ = values; }
  void SetValuesB(Pair values) { valuesB_ = values; }
  /// Makes slot 15 answer null (true) or the record's address (false, the default).
  void SetRecordAbsent(bool absent) { recordAbsent_ = absent; }

  std::int32_t CallsA() const { return callsA_; }
  std::int32_t CallsB() const { return callsB_; }
  std::int32_t RecordCalls() const { return recordCalls_; }

 private:
  Pair valuesA_{1, 2};
  Pair valuesB_{3, 4};
  std::uint32_t record_ = 0x00010000;
  bool recordAbsent_ = false;
  std::int32_t callsA_ = 0;
  std::int32_t callsB_ = 0;
  std::int32_t recordCalls_ = 0;
};
