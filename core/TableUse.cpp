#include "core/TableUse.h"

TableUse::TableUse(TdcTbTable* table, const AnsiString& tableName, const AnsiString& indexName)
    : table_(table), opened_(!table->Active()) {
  try {
    if (opened_) {
      table->SetTableName(tableName);
      table->Open();
    }
    table->SetIndexName(indexName);
  } catch (...) {
    if (opened_) table->Close();
    throw;
  }
}

TableUse::~TableUse() {
  if (!opened_) return;
  try {
    if (table_->State() == dsEdit || table_->State() == dsInsert) table_->Cancel();
    table_->Close();
  } catch (...) {
    // Closing after a failure must not hide the failure the helper already reported.
  }
}
