#pragma once
// The global replace of one case field over chosen matters: what the find-and-replace dialogs
// ask for, the change it makes to one record's field, and the run over the matters as one
// transaction. Either every change of a run is kept or none.
#include <optional>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/db/DbTypes.h"

class TDataSet;
class TtbDatabase;

// What the dialogs left: the field by position and its maximum length, the find and new texts
// (for sales tax and electronic billing codes the "from" and "to" choice as a digit).
struct CaseReplaceOrder {
  int FieldPosition = -1;
  int MaxLength = 0;
  AnsiString Find;
  AnsiString New;
};

// Finance Charge and the electronic billing codes share the field; their maximum lengths tell
// them apart (1 and 100), as the "Look In" table gives them.
enum class ReplaceKind { Ordinary, FinanceCharge, ElectronicBilling, SalesTax };
ReplaceKind ReplaceKindOf(const CaseReplaceOrder& order);

// The field's new text for a record whose field reads `current`; nothing when the record is
// not one to change.
std::optional<AnsiString> ReplacedValue(const CaseReplaceOrder& order, const AnsiString& current);

// Changes the matters (the bookmarks in their order, or every record from the first when none
// are given) in one transaction of the database and answers how many changed. Any failure
// (a record lock the user finally refuses among them) rolls every change back, cancels the
// pending edit and raises again. The controls of `cases` are disabled while it runs.
int ReplaceInCases(TDataSet* cases, TtbDatabase* database, const CaseReplaceOrder& order,
                   const std::vector<TBookmarkStr>& rows);
