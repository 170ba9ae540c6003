#pragma once
// The list tables over a database's dictionary and over layouts: the tables of FILE.DDF, the
// fields of one table from FIELD.DDF (types refined by FIELDEXT.DDF when it exists), and the
// fields of a layout compiled into the program. Each GetNextRecord yields one description; the
// end of a list is end of file.
//
// The dictionary files are opened under the owner name DdfOwnerName. Key paths used: FIELD.DDF
// key 1 (table identifier), FIELDEXT.DDF key 0 (table identifier, field identifier, two zero
// bytes), INDEX.DDF key 0 (table identifier).
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "recordmgr/BtrTable.h"
#include "recordmgr/DictionaryTableRecord.h"

// The dictionary file's table name in a database folder: the folder, a separator when missing,
// the file and the dictionary owner.
AnsiString DictionaryFileName(const AnsiString& directory, const char* file);
// The path of a FILE.DDF location: a location without a folder lies in the database folder.
AnsiString DictionaryLocationPath(const AnsiString& directory, const AnsiString& location);

class TBtrTblListTable : public TBtrTable {
  QN_CLASS(TBtrTblListTable, TBtrTable)
 public:
  // Opened on FILE.DDF in the folder; a missing dictionary raises status 12 with its name.
  TBtrTblListTable(TBapiListItem* database, const uint8_t* clientId, bool extended, bool includeDictionaryFiles,
                   const AnsiString& directory, TKorvoCollection* list = nullptr);

  void DoOpen() override;
  uint16_t GetRecordSize() override;
  // A TableDescription, or an ExtendedTableDescription with the record size of the table's file.
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;

 private:
  bool extended_;
  bool includeDictionaryFiles_;
  AnsiString directory_;
  bool started_ = false;
};

class TBtrFieldListTable : public TBtrTable {
  QN_CLASS(TBtrFieldListTable, TBtrTable)
 public:
  TBtrFieldListTable(TBapiListItem* database, const uint8_t* clientId, uint16_t tableId, const AnsiString& directory,
                     TKorvoCollection* list = nullptr);
  ~TBtrFieldListTable() override;

  void DoOpen() override;
  uint16_t GetRecordSize() override { return sizeof(FieldDescriptor); }
  // The next stored field's FieldDescriptor, numbered from 1; LocalType and LocalSize are its
  // stored type and size.
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;
  // Reads the list to its end.
  void GetExactRecordCount(uint32_t& count) override;

 private:
  // The FIELDEXT.DDF type of a field, or the type it has.
  uint8_t refinedType(uint16_t fieldId, uint8_t type);

  uint16_t tableId_;
  AnsiString directory_;
  TWinBtr* extensions_ = nullptr;  // FIELDEXT.DDF, when it exists
  bool started_ = false;
  bool ended_ = false;
  uint16_t number_ = 0;
};

class TResFieldListTable : public TBtrBaseTable {
  QN_CLASS(TResFieldListTable, TBtrBaseTable)
 public:
  // The layout named by the table name's ";RES:" option; a layout the program lacks, or one
  // without fields, raises no such table with the layout's name.
  TResFieldListTable(TBapiListItem* database, const char* tableName, TKorvoCollection* list = nullptr);

  void DoOpen() override;
  uint16_t GetRecordSize() override { return sizeof(FieldDescriptor); }
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;

 private:
  int next_ = 0;
};
