#pragma once
// TttTable: the dataset of one record file with a current index. It opens the file by TableName
// and IndexName (or IndexFieldNames), searches by key, keeps the cursor inside a key range, follows
// a master dataset through a key range and positions on another table's record. What the names
// mean (a path with options, a key number) is the driver's: they are passed through.
//
// The engine's number of the active index is taken from the leading decimal number of the index
// name, as the record manager's index names are key numbers ("4", " 4 - Client Code"); an empty
// name is key 0.
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/db/IndexDefs.h"
#include "recordmgr/DBDataset.h"

class TDataSource;
class TMasterDataLink;

QN_EXCEPTION(ETableIncompatible, EDatabaseError)

namespace table_texts {
inline constexpr const char* kMissingTableName = "Missing TableName property";
inline constexpr const char* kIncompatibleTables = "Source and destination tables are incompatible";
}  // namespace table_texts

class TttTable : public TttDBDataset {
  QN_CLASS(TttTable, TttDBDataset)
 public:
  static constexpr uint16_t TableReadOnly = 10763;

  TttTable(TComponent* owner, TttSessionlist& list);
  ~TttTable() override;

  // The binding's batch-move class, the one a batch move over this table is made of.
  virtual const TClassInfo* GetBatchMoveClass() const = 0;

  const AnsiString& TableName() const { return tableName_; }
  void SetTableName(const AnsiString& value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool Exclusive() const { return exclusive_; }
  void SetExclusive(bool value);
  bool DefaultIndex() const { return defaultIndex_; }
  void SetDefaultIndex(bool value);

  AnsiString IndexName() const { return byFields_ ? AnsiString() : indexText_; }
  void SetIndexName(const AnsiString& value) { setIndex(value, false); }
  AnsiString IndexFieldNames() const { return byFields_ ? indexText_ : AnsiString(); }
  void SetIndexFieldNames(const AnsiString& value) { setIndex(value, !value.empty()); }
  // The index definitions of the table, read from the cursor (opened for the moment when closed).
  TIndexDefs& IndexDefs() { return indexDefs_; }
  void UpdateIndexDefs();
  // The definition of the index chosen, however it was named: in full, by its key number alone
  // ("4" is " 4 - Client Code") or by its fields. nullptr when none is chosen or none matches.
  const TIndexDef* ChosenIndexDef();

  // Key searches on the active index: FindKey true when the record is there (it becomes current),
  // false leaving the table where it was; FindNearest goes to the first record at or after.
  bool FindKey(const VariantArray& values);
  void FindNearest(const VariantArray& values);
  // Set-key state on the lookup key: fields assigned then go into the key GotoKey searches for.
  void SetKey();
  void EditKey();
  bool GotoKey();
  void GotoNearest();

  // The records from start to end values of the leading key fields.
  void SetRange(const VariantArray& startValues, const VariantArray& endValues);
  void ApplyRange();
  void CancelRange();

  // Puts this table on the record the other table stands on.
  void GotoCurrent(TttTable& other);

  TDataSource* MasterSource() const;
  void SetMasterSource(TDataSource* source);
  AnsiString MasterFields() const;
  void SetMasterFields(const AnsiString& names);
  TDataSource* GetDataSource() const override { return MasterSource(); }

  void DataEvent(TDataEvent event, intptr_t info) override;

 protected:
  TBaseTable* CreateHandle() override;
  void DestroyHandle() override;
  void PrepareCursor() override;
  uint16_t ActiveIndexNumber() const override { return activeIndexNumber_; }
  bool GetCanModify() const override { return TttDBDataset::GetCanModify() && !readOnly_; }
  void DoOnNewRecord() override;

 private:
  struct ResolvedIndex {
    AnsiString Name;
    AnsiString Tag;
  };
  ResolvedIndex resolveIndex(const AnsiString& text, bool byFields);
  void setIndex(const AnsiString& text, bool byFields);
  bool findShownKey(bool asKey, uint16_t fieldCount, const void* search);
  void checkMasterRange();
  void masterChanged();
  void masterDisabled();
  void readIndexDefs(TBaseTable* cursor);

  AnsiString tableName_;
  AnsiString indexText_;
  bool byFields_ = false;
  bool readOnly_ = false;
  bool exclusive_ = false;
  bool defaultIndex_ = true;
  uint16_t activeIndexNumber_ = 0;
  TIndexDefs indexDefs_;
  std::unique_ptr<TMasterDataLink> masterLink_;
};
