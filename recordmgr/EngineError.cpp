#include "recordmgr/EngineError.h"

#include "platform/os/Resources.h"
#include "recordmgr/EngineErrorNames.h"

namespace {

constexpr size_t kMaxExtraText = 255;

}  // namespace

EKorvoEngineError::EKorvoEngineError(uint16_t code, const AnsiString& extraText)
    : EAbort(AnsiString()), errorCode_(code), extraText_(extraText.substr(0, kMaxExtraText)) {}

const char* EKorvoEngineError::what() const noexcept {
  try {
    if (description_.empty()) description_ = GetErrorText();
    if (description_.empty()) description_ = GetEngineErrorName(errorCode_, 255);
  } catch (...) {
    // Only a description is lost.
  }
  return description_.c_str();
}

EKorvoEOFError::EKorvoEOFError() : EKorvoBoundryError(DBIERR_EOF) {}

EKorvoBOFError::EKorvoBOFError() : EKorvoBoundryError(DBIERR_BOF) {}

void RaiseEngineError(uint16_t code) { throw EKorvoEngineError(code); }

void RaiseEngineErrorText(uint16_t code, const AnsiString& text) { throw EKorvoEngineError(code, text); }

void RaiseEngineEOF() { throw EKorvoEOFError(); }

void RaiseEngineBOF() { throw EKorvoBOFError(); }

void RaiseNotSupported(int stringId) {
  RaiseEngineErrorText(DBIERR_NOTSUPPORTED, qn::os::loadResourceString(stringId).value_or(AnsiString()));
}

bool CheckEngineCondition(bool condition, uint16_t code) {
  if (!condition) RaiseEngineError(code);
  return true;
}
