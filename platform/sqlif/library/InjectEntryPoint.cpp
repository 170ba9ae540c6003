// Tests make the next call of an entry point answer a status of their choosing.
#include "platform/sqlif/library/Export.h"

QN_SQLIF_EXPORT int16_t SQLIF_INJECT(const char* entry, int16_t status) {
  if (entry == nullptr) return qn::sqlif::status::statementError;
  qn::sqlif::injectStatus(entry, status);
  return qn::sqlif::status::ok;
}
