#include "recordmgr/SqlStatementText.h"

#include <cstdio>
#include <limits>

#include "recordmgr/EngineCodes.h"
#include "recordmgr/EngineError.h"

AnsiString SqlParameterName(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "QVAR%4.4d", index);
  return name;
}

AnsiString RewriteSqlText(const AnsiString& text) {
  AnsiString rewritten;
  rewritten.reserve(text.size());
  bool quoted = false;
  int parameters = 0;
  for (char c : text) {
    if (c == '\'') quoted = !quoted;
    if (c == ':' && !quoted)
      rewritten += '@';
    else if (c == '?')
      rewritten += "@" + SqlParameterName(parameters++);
    else
      rewritten += c;
    if (rewritten.size() > std::numeric_limits<uint16_t>::max()) RaiseEngineError(DBIERR_INVALIDPARAM);
  }
  return rewritten;
}
