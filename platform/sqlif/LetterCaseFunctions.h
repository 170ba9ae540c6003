#pragma once
// upper() and lower() on a connection, over the code page the stored texts are in: the engine's own
// change only 'a'..'z', so an accented name would never meet its capital form in a search without
// regard to case.
#include <sqlite3.h>

namespace qn::sqlif {

// False when the engine refused them.
bool installLetterCaseFunctions(sqlite3* db);

}  // namespace qn::sqlif
