#pragma once
// The engine facade's memory of its latest errors: a fixed-depth stack of fixed-size entries,
// newest first. Entries past the depth fall off the bottom.
#include <cstdint>
#include <vector>

#include "recordmgr/EngineError.h"

#pragma pack(push, 1)
struct ErrorEntry {
  int32_t nativeStatus;
  char nativeText[261];  // zero-terminated
  uint16_t engineCode;
  char codeName[128];     // zero-terminated
  char contextText[513];  // zero-terminated; read as four lines starting every 128 bytes
};
#pragma pack(pop)
static_assert(sizeof(ErrorEntry) == 908);

class TErrorStack {
 public:
  static constexpr uint16_t MaxDepth = 20;

  explicit TErrorStack(uint16_t depth);  // deeper than MaxDepth is cut to MaxDepth
  TErrorStack(const TErrorStack&) = delete;
  TErrorStack& operator=(const TErrorStack&) = delete;

  void Clear() { count_ = 0; }
  bool HasEntries() const { return count_ > 0; }
  uint16_t Depth() const { return depth_; }
  // Pushes since the last clear; may exceed the depth.
  uint16_t Count() const { return count_; }

  void Push(const ErrorEntry& entry);
  void PushException(const EKorvoEngineError& error);
  // Entry `index` from 1 (the newest); false beyond the stored entries.
  bool GetEntry(uint16_t index, ErrorEntry& entry) const;

 private:
  uint16_t depth_;
  uint16_t count_ = 0;
  std::vector<ErrorEntry> entries_;  // allocated at the first push
};
