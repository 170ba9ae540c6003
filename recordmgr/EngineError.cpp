#include "recordmgr/EngineError.h"

#include "platform/os/Resources.h"

namespace {

constexpr size_t kMaxExtraText = 255;

}  // namespace

EKorvoEngineError::EKorvoEngineError(uint16_t code, const AnsiString& extraText)
    : EAbort(AnsiString()), errorCode_(code), extraText_(extraText.substr(0, kMaxExtraText)) {}

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
