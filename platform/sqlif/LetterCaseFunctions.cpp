#include "platform/sqlif/LetterCaseFunctions.h"

#include "framework/base/TextCase.h"

namespace qn::sqlif {
namespace {

template <AnsiString (*Convert)(const AnsiString&)>
void convertText(sqlite3_context* context, int, sqlite3_value** arguments) {
  // NULL stays NULL; numbers and blobs are taken as their text, as the engine's own functions do.
  if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
  if (bytes == nullptr) return sqlite3_result_error_nomem(context);
  const AnsiString converted = Convert(AnsiString(bytes, static_cast<size_t>(sqlite3_value_bytes(arguments[0]))));
  sqlite3_result_text(context, converted.data(), static_cast<int>(converted.size()), SQLITE_TRANSIENT);
}

}  // namespace

bool installLetterCaseFunctions(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  return sqlite3_create_function_v2(db, "upper", 1, flags, nullptr, convertText<AnsiUpperCase>, nullptr, nullptr,
                                    nullptr) == SQLITE_OK &&
         sqlite3_create_function_v2(db, "lower", 1, flags, nullptr, convertText<AnsiLowerCase>, nullptr, nullptr,
                                    nullptr) == SQLITE_OK;
}

}  // namespace qn::sqlif
