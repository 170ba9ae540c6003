#pragma once
// The record manager's failures as engine errors: the status, the engine code it stands for,
// an optional key text (a file or table name) and the message people read.
#include <cstdint>

#include "recordmgr/EngineError.h"

class EBtrieveEngineError : public EKorvoEngineError {
  QN_CLASS(EBtrieveEngineError, EKorvoEngineError)
 public:
  explicit EBtrieveEngineError(int32_t status);
  // The key text is kept to 255 characters.
  EBtrieveEngineError(int32_t status, const AnsiString& keyText);

  int32_t BtrieveStatus() const { return NativeStatus(); }
  const AnsiString& KeyText() const { return keyText_; }

  // "Btrieve Status 12 - <status text>." with "\r\nKey=[<key text>]" when there is one, or
  // "Btrieve Error 170." for a status without a text; never longer than 255 characters.
  AnsiString GetErrorText() const override;

 protected:
  // The text the message is built on; empty when the status has none.
  virtual AnsiString StatusText() const;

 private:
  AnsiString keyText_;
};

// The engine code a record-manager status stands for; statuses the list lacks keep their number.
uint16_t BtrieveStatusToEngineCode(int32_t status);

// The record manager's text for a status; empty when it has none.
AnsiString BtrieveStatusText(int32_t status);

// Status 9 raises EKorvoEOFError; any other status EBtrieveEngineError.
[[noreturn]] void RaiseBtrieveError(int16_t status);
[[noreturn]] void RaiseBtrieveErrorWithKey(int16_t status, const AnsiString& keyText);
