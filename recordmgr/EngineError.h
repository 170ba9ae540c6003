#pragma once
// The code-carrying errors raised inside the engine and its drivers. The engine facade catches
// them at every entry point and answers their code as a status; one that escapes anyway stays
// silent (an EAbort with an empty message).
#include <cstdint>

#include "framework/base/Exception.h"
#include "recordmgr/EngineCodes.h"

class EKorvoEngineError : public EAbort {
  QN_CLASS(EKorvoEngineError, EAbort)
 public:
  // The extra text is kept to 255 characters, as the error stack has room for no more.
  explicit EKorvoEngineError(uint16_t code, const AnsiString& extraText = {});

  uint16_t ErrorCode() const { return errorCode_; }
  const AnsiString& ExtraText() const { return extraText_; }
  // The record manager's own status behind the code; 0 when the error has none.
  int32_t NativeStatus() const { return nativeStatus_; }

  // The native text of the error (the record manager's message for its status); empty here.
  virtual AnsiString GetErrorText() const { return {}; }

  // For logs and test reports only (the native text, else the code's name); the message stays
  // empty.
  const char* what() const noexcept override;

 protected:
  void SetNativeStatus(int32_t status) { nativeStatus_ = status; }

 private:
  uint16_t errorCode_;
  AnsiString extraText_;
  int32_t nativeStatus_ = 0;
  mutable AnsiString description_;  // made on the first what()
};

// Running off either end of a cursor.
class EKorvoBoundryError : public EKorvoEngineError {
  QN_CLASS(EKorvoBoundryError, EKorvoEngineError)
 public:
  using EKorvoEngineError::EKorvoEngineError;
};

class EKorvoEOFError : public EKorvoBoundryError {
  QN_CLASS(EKorvoEOFError, EKorvoBoundryError)
 public:
  EKorvoEOFError();
};

class EKorvoBOFError : public EKorvoBoundryError {
  QN_CLASS(EKorvoBOFError, EKorvoBoundryError)
 public:
  EKorvoBOFError();
};

[[noreturn]] void RaiseEngineError(uint16_t code);
[[noreturn]] void RaiseEngineErrorText(uint16_t code, const AnsiString& text);
[[noreturn]] void RaiseEngineEOF();
[[noreturn]] void RaiseEngineBOF();
// Code 12289 (not supported) with the string of that number as extra text (empty when missing).
[[noreturn]] void RaiseNotSupported(int stringId);

// True when the condition holds; otherwise raises the code.
bool CheckEngineCondition(bool condition, uint16_t code);

// The pointer when it is set; otherwise raises the code.
template <typename T>
T* CheckAssigned(T* pointer, uint16_t code) {
  if (pointer == nullptr) RaiseEngineError(code);
  return pointer;
}
template <typename T>
T* CheckParam(T* pointer) {
  return CheckAssigned(pointer, DBIERR_INVALIDPARAM);
}
template <typename T>
T* CheckHandle(T* pointer) {
  return CheckAssigned(pointer, DBIERR_INVALIDHNDL);
}
