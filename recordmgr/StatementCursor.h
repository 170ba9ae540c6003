#pragma once
// A dataset's cursor made by running a statement on its database: the statement is held by the
// dataset from the run until the cursor is closed, when it is released.
#include "framework/base/AnsiString.h"

class TBaseTable;
class TSqlStmt;
class TttDBDataset;

// Prepares text in the language on the dataset's database and runs it; the result cursor. On
// failure nothing is left held and the engine's error is raised.
TBaseTable* RunStatementCursor(TttDBDataset& dataSet, uint16_t language, const AnsiString& text,
                               TSqlStmt*& statement);
// The same for a call of the stored procedure named.
TBaseTable* RunProcedureCursor(TttDBDataset& dataSet, const AnsiString& procedureName, TSqlStmt*& statement);
// Runs text once, without a result, on the dataset's database (held for the call).
void RunStatementOnce(TttDBDataset& dataSet, uint16_t language, const AnsiString& text);
// Frees a held statement; nothing when none is held.
void ReleaseStatement(TttDBDataset& dataSet, TSqlStmt*& statement);
