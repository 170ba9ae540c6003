#pragma once
// TBaseDatabase: the driver-independent database: a directory or alias opened by a session, the
// owner of every cursor, list and in-memory table opened in it (freed with it), and the place
// where tables are opened, listed, emptied and indexed. Opening tables and the physical work are
// a driver's; what a driver does not supply answers not supported (12289).
//
// Where the database tests whether a table name looks like a path, a "/" counts as a separator
// as "\" and ":" do, since paths on this system are written with it.
#include <cstdint>

#include "recordmgr/BapiListItem.h"
#include "recordmgr/DatabaseDescription.h"
#include "recordmgr/FieldDescriptor.h"
#include "recordmgr/IndexDescriptor.h"
#include "recordmgr/KorvoCollection.h"

class TBaseTable;

// What GetTransactionInfo reports (10 bytes, no padding).
#pragma pack(push, 1)
struct TransactionInfo {
  uint32_t Transaction;
  uint32_t State;
  uint16_t Reserved;
};
#pragma pack(pop)
static_assert(sizeof(TransactionInfo) == 10);

class TBaseDatabase : public TBapiListItem {
  QN_CLASS(TBaseDatabase, TBapiListItem)
 public:
  static constexpr int UserNameSize = 31;

  // Created into list with the session as owner; the parameters set (SetParams), the
  // description copied when given, the name copied when given, SetModes (mode2, mode1).
  TBaseDatabase(TBapiListItem* session, const char* const* paramValues, const char* const* paramNames,
                uint16_t paramCount, const char* databaseName, uint32_t mode1, uint32_t mode2,
                const DatabaseDescription* description, TKorvoCollection* list);
  ~TBaseDatabase() override;

  // Every cursor, list table and in-memory table of the database.
  TKorvoCollection* CursorList() const { return cursorList_; }
  const char* DatabaseName() const { return name_; }
  const DatabaseDescription& Description() const { return description_; }
  const char* UserName() const { return userName_; }
  uint32_t Mode1() const { return mode1_; }
  uint32_t Mode2() const { return mode2_; }
  bool Flag() const { return flag_; }
  // The driver's transaction operations keep the transaction and its state here.
  void SetTransactionValues(uint32_t transaction, uint32_t state);

  // --- Virtual operations, in the engine's order ---
  // Property 0 (low 16 bits): the 16-bit value 27; 2: the driver type text (cut to the buffer),
  // length = its length + 1; any other is not supported.
  void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) override;
  void SetProperty(uint32_t property, uint32_t value) override {}
  // Properties 0 and 2 are not supported when the flag is set.
  void CheckProperty(uint32_t property, bool flag) override;
  virtual const char* GetDriverType() { return "STANDARD"; }
  virtual void SetModes(uint32_t mode1, uint32_t mode2);
  virtual int32_t Reserved8() { return 0; }
  // "USER NAME" (any letter case) keeps up to 31 characters of the value; other names are ignored.
  virtual void SetParam(const char* name, const char* value);
  virtual void SetParams(uint16_t count, const char* const* names, const char* const* values);
  // The first cursor whose full table name (a name with ":", "\", "/" or ".") or table name
  // (any other) equals the name without regard to case; nil name: invalid parameter; none: no
  // such table (10024) with the name.
  virtual void FindOpenCursor(const char* name, TBaseTable*& cursor);
  virtual void SetDirectory(const char* directory);
  virtual void GetDirectory(uint32_t reserved, char* destination);
  virtual void Reserved14() {}
  virtual void Reserved15();
  virtual void OpenTable(const char* tableName, const char* driverType, const char* indexName, const char* indexTag,
                         uint16_t indexNumber, uint32_t openMode, uint32_t shareMode, uint32_t translateMode,
                         bool unidirectional, const char* parameters, TBaseTable*& cursor) = 0;
  virtual void OpenTableList(bool extended, bool system, TBaseTable*& cursor, const char* wildcard) = 0;
  virtual void OpenFieldList(const char* tableName, const char* driverType, bool physicalTypes,
                             TBaseTable*& cursor) = 0;
  virtual void OpenTableListSimple(const char* wildcard, TBaseTable*& cursor);
  virtual void Reserved20();
  // A list of the index descriptors of the table (an open cursor's, else of the table opened for
  // it); a table without indexes: not indexed (10757).
  virtual void OpenIndexList(const char* tableName, const char* driverType, TBaseTable*& list);
  virtual void Reserved22();
  virtual void OpenValidityCheckList(const char* tableName, const char* driverType, TBaseTable*& list);
  virtual void Reserved24();
  virtual void Reserved25();
  virtual void Reserved26();
  virtual void Reserved27();
  virtual void Reserved28();
  virtual void Reserved29();
  virtual void Reserved30();
  // Whether the table list names the table, without regard to case.
  virtual void TableExists(const char* name, bool& found);
  // The cursors on tables whose names agree with the name over 31 characters, without regard
  // to case; none: no such table (10024).
  virtual void CountOpenCursors(const char* name, uint32_t& count);
  // FindOpenCursor with the name up to its first ";" (a table name's options do not count).
  virtual void FindOpenCursorByName(const char* name, TBaseTable*& cursor);
  // The cursor's EmptyTable; with nil, a cursor of the database's own is opened for it and freed.
  virtual void EmptyTable(TBaseTable* cursor, const char* tableName);
  virtual void Reserved35();
  virtual void Reserved36();
  virtual void Reserved37();
  virtual void Reserved38();
  // An in-memory table of those fields in the cursor list; no fields: invalid parameter (9986);
  // a failed creation: invalid table create (10052); both with the name.
  virtual void CreateInMemTable(const char* name, uint16_t fieldCount, TBaseTable*& table,
                                const FieldDescriptor* descriptors);
  virtual void Reserved40();
  virtual void Reserved41();
  virtual void Reserved42();
  virtual void Reserved43();
  // The cursor's AddIndex / DeleteIndex; with nil, on a cursor of the database's own, freed after.
  virtual void AddIndex(TBaseTable* cursor, const char* tableName, const char* driverType,
                        const IndexDescriptor& descriptor);
  virtual void DeleteIndex(TBaseTable* cursor, const char* tableName, const char* indexName, const char* tagName,
                           uint16_t indexNumber);
  virtual void BeginTransaction(uint32_t isolationLevel, uint32_t& transaction);
  virtual void EndTransaction(uint32_t transaction, uint32_t endMode);
  virtual void GetTransactionInfo(uint32_t transaction, TransactionInfo& info);
  virtual void Reserved49();
  // Clears the flag, then not supported.
  virtual void Reserved50();
  // Clears the flag; the destructor calls it last.
  virtual void CloseDown() { flag_ = false; }
  virtual void Reserved52();
  virtual void Reserved53();
  // Reserved56, which ends in a not-supported operation.
  virtual void Reserved54(uint32_t a, uint32_t b);
  virtual void Reserved55();
  // Reserved57 with 2, b and a.
  virtual void Reserved56(uint32_t a, uint32_t b);
  virtual void Reserved57(uint32_t a, uint32_t b, uint32_t c);
  virtual void Reserved58();
  virtual void Reserved59();
  // Not available (10756).
  virtual void Reserved60();
  virtual void Reserved61() {}

 protected:
  // Before any destructor runs, while the driver's part still stands: every cursor of the
  // database is freed, then CloseDown.
  void BeforeDestruction() override;

 private:
  // Opens the table for an operation given no cursor: open mode 1, the index number given.
  TBaseTable* openOwnCursor(const char* tableName, const char* driverType, uint16_t indexNumber);
  // The index list built from an open cursor.
  TBaseTable* indexListOf(TBaseTable& cursor);

  uint32_t transaction_ = 0;
  uint32_t transactionState_ = 0;
  TKorvoCollection* cursorList_;
  uint32_t mode1_ = 0;
  uint32_t mode2_ = 0;
  bool flag_ = false;
  char name_[DatabaseDescription::NameSize + 1] = {};
  DatabaseDescription description_{};
  char userName_[UserNameSize + 1] = {};
};
