#include "editors/DBEdit.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"

namespace {
UnitRegistration unit("editors/DBEdit", {}, [] { RegisterClass<TdcDBEdit>(); });
}  // namespace

void TdcDBEdit::PublishProperties(PropertyPublisher<TdcDBEdit>& publish) {
  publish.String(
      "PasswordChar", [](TdcDBEdit& e) { return e.PasswordChar() ? AnsiString(1, e.PasswordChar()) : AnsiString(); },
      [](TdcDBEdit& e, const AnsiString& v) { e.SetPasswordChar(v.empty() ? 0 : v[0]); });
}
