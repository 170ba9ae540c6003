#pragma once
// TBtrDatabase: a record-manager database, a folder whose tables are files, described by the
// layouts compiled into the program or by the folder's dictionary (FILE.DDF and its companions).
// It opens tables and lists, keeps the dictionary, and runs the session client's transactions.
//
// Every call object it makes for itself (directories, transactions) carries the session's client
// identifier, so a transaction begun here is the one its tables write in.
//
// Where this database differs from the plainest reading of its design:
// - Deleting and renaming a table in the dictionary pick the entry whose name equals the text
//   (without regard to case, trailing blanks ignored); only when none does, the one entry whose
//   name contains it; several such entries, like none, answer 204.
#include <cstdint>

#include "recordmgr/BaseDatabase.h"
#include "recordmgr/DictionaryTableRecord.h"

class TBtrTable;
class TWinBtr;

class TBtrDatabase : public TBaseDatabase {
  QN_CLASS(TBtrDatabase, TBaseDatabase)
 public:
  static constexpr int16_t TableNotInDictionary = 204;
  static constexpr size_t NewNameMax = 19;

  TBtrDatabase(TBapiListItem* session, const char* databaseName, const DatabaseDescription* description,
               TKorvoCollection* list, const uint8_t* clientId);

  const uint8_t* ClientId() const { return clientId_; }
  bool InTransaction() const { return inTransaction_; }
  // The folder, ending in a separator.
  AnsiString Directory() const;

  const char* GetDriverType() override;
  void SetDirectory(const char* directory) override;
  // The client's current directory into 260 characters.
  void GetDirectory(uint32_t reserved, char* destination) override;
  void OpenTable(const char* tableName, const char* driverType, const char* indexName, const char* indexTag,
                 uint16_t indexNumber, uint32_t openMode, uint32_t shareMode, uint32_t translateMode,
                 bool unidirectional, const char* parameters, TBaseTable*& cursor) override;
  void OpenTableList(bool extended, bool system, TBaseTable*& cursor, const char* wildcard) override;
  void OpenFieldList(const char* tableName, const char* driverType, bool physicalTypes, TBaseTable*& cursor) override;
  void BeginTransaction(uint32_t isolationLevel, uint32_t& transaction) override;
  // End mode 2 aborts; any other commits.
  void EndTransaction(uint32_t transaction, uint32_t endMode) override;

  // The table's FILE.DDF entry and its FIELD.DDF, INDEX.DDF and FIELDEXT.DDF records go.
  void DeleteTableFromDictionary(const char* name);
  // The entry's name becomes at most 19 characters of the new name.
  void RenameTableInDictionary(const char* name, const char* newName);

 private:
  // Opens a dictionary file of the folder under the dictionary owner.
  void openDictionary(TWinBtr& btr, const char* file, int8_t mode);
  // The FILE.DDF entry of a table opened by name: by its file name when the name looks like a
  // file's, else by its table name; false when none.
  bool lookUpTable(const AnsiString& name, DictionaryTableRecord& entry);
  // The entry a dictionary change names (see the class comment), left current in btr; 204 else.
  DictionaryTableRecord findEntryToChange(TWinBtr& btr, const char* name);
  // Fields from the open cursor of the same table, else from the dictionary.
  void loadFields(TBtrTable& table, uint16_t tableId);

  const uint8_t* clientId_;
  bool inTransaction_ = false;
};
