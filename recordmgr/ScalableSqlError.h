#pragma once
// EScalableSQLEngineError: a failure the SQL interface answered, read like a record-manager
// failure (same engine codes, same message form). Status 2103, which lies beyond the record
// manager's ranges of status texts, reads string 7103 (5000 + 2103).
#include <cstdint>

#include "recordmgr/BtrieveError.h"

class EScalableSQLEngineError : public EBtrieveEngineError {
  QN_CLASS(EScalableSQLEngineError, EBtrieveEngineError)
 public:
  using EBtrieveEngineError::EBtrieveEngineError;

  static constexpr int32_t NotActiveOnServer = 2103;

 protected:
  AnsiString StatusText() const override;
};

// Status 9 raises EKorvoEOFError; any other EScalableSQLEngineError.
[[noreturn]] void RaiseScalableSqlError(int16_t status);
[[noreturn]] void RaiseScalableSqlErrorWithKey(int16_t status, const AnsiString& keyText);
