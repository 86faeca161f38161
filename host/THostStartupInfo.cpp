#include "THostStartupInfo.h"

THostStartupInfo::THostStartupInfo() : THostService(kKXIIDStartupInfo) {}

void THostStartupInfo::GetStartupValuesA(std::uint32_t* first, std::uint32_t* second) {
  ++callsA_;
  *first = valuesA_.first;
  *second = valuesA_.second;
}

void THostStartupInfo::GetStartupValuesB(std::uint32_t* first, std::uint32_t* second) {
  ++callsB_;
  *first = valuesB_.first;
  *second = valuesB_.second;
}

const std::uint32_t* THostStartupInfo::GetStartupRecord() {
  ++recordCalls_;
  return recordAbsent_ ? nullptr : &record_;
}
