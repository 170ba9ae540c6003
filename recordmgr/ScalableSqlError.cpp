#include "recordmgr/ScalableSqlError.h"

#include "platform/os/Resources.h"
#include "recordmgr/BtrieveConstants.h"

AnsiString EScalableSQLEngineError::StatusText() const {
  if (BtrieveStatus() == NotActiveOnServer)
    return qn::os::loadResourceString(BtrieveStatusMessages + NotActiveOnServer).value_or(AnsiString());
  return EBtrieveEngineError::StatusText();
}

void RaiseScalableSqlError(int16_t status) { RaiseScalableSqlErrorWithKey(status, AnsiString()); }

void RaiseScalableSqlErrorWithKey(int16_t status, const AnsiString& keyText) {
  if (status == 9) RaiseEngineEOF();
  throw EScalableSQLEngineError(status, keyText);
}
