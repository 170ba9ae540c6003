#pragma once
// TdcTable: the library's extended table. Beside the framework table it carries the per-field
// lists natively, a filter written as text lines (dcFilter), a record filter event, lookup fields
// filled from internal lookup tables, the mask check before a post, and the index choice and key
// searches the incremental search, the key combo and the lookup dialogs call. Given Query lines
// instead of a table name, it opens the rows of that statement ("query ..." lines are SQL; any
// other text would be query by example, which no engine here runs).
#include <cstdint>

#include "datagrid/DcExtendedSteps.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "recordmgr/FrameworkTable.h"
#include "recordmgr/QueryLanguage.h"

class TSqlStmt;

namespace dctable_texts {
inline constexpr const char* kFailToSetFilter = "Fail to set filter";
}  // namespace dctable_texts

class TdcTable : public DcExtendedSteps<TTable> {
  QN_PUBLISHED_CLASS(TdcTable, TTable)
 public:
  explicit TdcTable(TComponent* owner);

  // Setting it clears Query; setting a non-empty Query clears it.
  void SetTableName(const AnsiString& value);
  TStrings* Query() { return &query_; }
  // Closes the table; non-empty lines clear TableName, IndexFieldNames, MasterSource and
  // MasterFields.
  void SetQuery(TStrings* value);
  bool HasQuery() const { return query_.Count() > 0; }
  // The language the table was last opened in through Query.
  QueryLanguage Language() const { return language_; }

  TStrings* dcFilter() { return &dcFilter_; }
  // The lines joined into one filter text; on an open table a text that does not compile shows
  // "Fail to set filter".
  void SetdcFilter(TStrings* value);
  // The filter text the lines make: the first line, then " AND (" line ")" for every further one.
  AnsiString dcFilterText() const;

  // Not sequenced while a filter text or a record filter is set.
  bool IsSequenced() const override;

  bool SyncSQLByRange = false;
  bool NarrowSearch = false;
  uint8_t NarrowSearchUpperChar = 255;

  // Whether the table's database is SQL-based (known while the database is held).
  bool IsSQLBased() const;

  // --- Index choice and key searches ---
  // The index whose fields begin with Fields and whose case option agrees with CaseSensitive:
  // exactly Fields (ExactLength), or Fields followed by ';' or nothing.
  bool IndexForFields(const AnsiString& Fields, bool CaseSensitive, AnsiString& IndexName, bool ExactLength);
  // Tries case-insensitive exact, case-sensitive exact, then the two prefix forms; "?" for none.
  AnsiString IndexNameForFields(const AnsiString& Fields);
  bool SelectIndexForFields(const AnsiString& Fields);
  void SetIndexFromSelected(TStrings* Selected);
  AnsiString FirstIndexField();
  void SetKeyRange(const VariantArray& Values, int HighIndex);
  void RangeToRecordOf(TDataSet* OtherTable);
  void CancelSearchRange();
  bool FindNearestIncremental(const AnsiString& Value, int KeyIndex);

  // --- Lookup positioning ---
  // Raised while the table is positioned as a lookup table, and the index switch it asks for.
  int LookupSearchCount = 0;
  bool LookupSwitch = false;
  // As an internal lookup table: the links it was opened for and this record's positioning.
  AnsiString LookupLinksLine;
  bool LookupPositioned = false;
  bool LookupFound = false;
  bool LookupPositioning = false;

 protected:
  TBaseTable* CreateHandle() override;
  void DestroyHandle() override;
  void PrepareCursor() override;

 private:
  bool applydcFilter(bool force);

  StringList query_;
  StringList dcFilter_;
  QueryLanguage language_ = qlSQL;
  TSqlStmt* statement_ = nullptr;
  TFilterListItem* dcFilterHandle_ = nullptr;
  bool openedByQuery_ = false;
};
