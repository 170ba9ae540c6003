#pragma once
// Persistent fields of a table whose file is chosen at run time: the module names the layout
// fields it uses, and they are made, with the type and size the opened file reports, just before
// the table first opens; calculated text fields are made at once. Fields belong to the table's
// owner, so they outlive closing and a change of TableName.
#include <functional>
#include <vector>

#include "framework/base/AnsiString.h"

class TDataSet;
class TStringField;

// The named fields, in this order after the fields the table has already; a name the file lacks
// makes the open fail with "Field '<name>' not found". whenMade runs once they exist (to give them
// their handlers).
void DeclareLayoutFields(TDataSet* table, const std::vector<AnsiString>& names,
                         std::function<void()> whenMade = nullptr);

TStringField* AddCalculatedText(TDataSet* table, const AnsiString& name, int size);
