#include "recordmgr/ErrorStack.h"

#include <algorithm>

#include "recordmgr/EngineErrorNames.h"
#include "recordmgr/ShortStringUtils.h"

TErrorStack::TErrorStack(uint16_t depth) : depth_(std::min(depth, MaxDepth)) {}

void TErrorStack::Push(const ErrorEntry& entry) {
  if (depth_ == 0) return;
  if (entries_.empty()) entries_.resize(depth_);
  const size_t kept = std::min<size_t>(count_, depth_ - 1);
  std::move_backward(entries_.begin(), entries_.begin() + kept, entries_.begin() + kept + 1);
  entries_[0] = entry;
  if (count_ < UINT16_MAX) ++count_;
}

void TErrorStack::PushException(const EKorvoEngineError& error) {
  ErrorEntry entry{};
  entry.engineCode = error.ErrorCode();
  CopyTextZ(entry.codeName, GetEngineErrorName(error.ErrorCode(), 255), sizeof entry.codeName - 1);
  entry.nativeStatus = error.NativeStatus();
  CopyTextZ(entry.nativeText, error.GetErrorText(), sizeof entry.nativeText - 1);
  CopyTextZ(entry.contextText, error.ExtraText(), sizeof entry.contextText - 1);
  Push(entry);
}

bool TErrorStack::GetEntry(uint16_t index, ErrorEntry& entry) const {
  const uint16_t stored = std::min(count_, depth_);
  if (index < 1 || index > stored) return false;
  entry = entries_[index - 1];
  return true;
}
