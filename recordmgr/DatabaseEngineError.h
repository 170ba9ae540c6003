#pragma once
// ETDBEngineError: the failure of an engine call as the dataset components raise it to the
// application. It carries every error the engine facade kept for the call, and a message of
// their texts, each line once.
#include <cstdint>
#include <vector>

#include "framework/base/Exception.h"
#include "recordmgr/EngineErrorTexts.h"

// One error behind an ETDBEngineError.
class TttError : public TObject {
  QN_CLASS(TttError, TObject)
 public:
  TttError(uint16_t errorCode, int32_t nativeError, AnsiString message)
      : ErrorCode(errorCode), NativeError(nativeError), Message(std::move(message)) {}

  uint16_t ErrorCode;
  int32_t NativeError;
  AnsiString Message;
};

class ETDBEngineError : public EDatabaseError {
  QN_CLASS(ETDBEngineError, EDatabaseError)
 public:
  ETDBEngineError(EngineErrorTexts& engine, uint16_t code);

  int ErrorCount() const { return static_cast<int>(errors_.size()); }
  const TttError& Errors(int index) const { return errors_.at(static_cast<size_t>(index)); }

 private:
  std::vector<TttError> errors_;
};

// Raises ETDBEngineError when the status is not 0.
void CheckEngineStatus(EngineErrorTexts& engine, uint16_t status);
[[noreturn]] void RaiseDatabaseEngineError(EngineErrorTexts& engine, uint16_t code);
