#pragma once
// TVirtEng: the engine facade, the one object through which the dataset components reach the
// engine. One operation per engine call: handles (engine objects) in, results through out
// arguments, a 16-bit status as the result. Around every call it keeps the current session,
// database and cursor, turns engine errors into statuses recorded on its error stack, and
// composes the error texts the dataset layer's messages are made of.
//
// The status convention of every call (HandleEngineException): no exception gives 0; an
// EKorvoEngineError (or descendant) empties the error stack, is pushed on it and gives its code;
// any other exception (memory, an EAbort raised by a callback, a list error ...) passes through
// unchanged and leaves the stack as it was.
//
// Decisions where the facade differs from the plainest reading of its design:
// - A nil cursor handle gives 9990 (invalid handle) at every cursor call, SetToBegin and SetToEnd
//   included, rather than only where the call makes the cursor current: an engine object is
//   never reached through a nil handle.
// - The short date format's "mm", "dd" and "yyyy" and the short time format's " AMPM" are found
//   without regard to case, as the workstation's formats write the month as "MM".
// - Closing a session, database or cursor forgets it (and the objects freed with it) as current
//   object, so that no current reference outlives its object.
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "recordmgr/BapiListItem.h"
#include "recordmgr/BaseDatabase.h"
#include "recordmgr/BaseSession.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineErrorTexts.h"
#include "recordmgr/EngineFormats.h"
#include "recordmgr/ErrorStack.h"
#include "recordmgr/KorvoCollection.h"

class TSqlStmt;

class TVirtEng : public TBapiListItem, public EngineErrorTexts {
  QN_CLASS(TVirtEng, TBapiListItem)
 public:
  static constexpr uint32_t PropertyEngineValue = 0xFF070002;
  static constexpr uint16_t ErrorStackDepth = 10;
  static constexpr size_t ErrorTextMax = 260;

  // The environment record is accepted and not read. Reads the format settings and starts the
  // first session (StartStatus); the current database is the facade itself until one is chosen.
  TVirtEng(TBapiListItemClass driverSessionClass, const void* environment, TBapiListItem* owner,
           TKorvoCollection* list);
  ~TVirtEng() override;  // frees every engine object still in the object list, then the stack

  TKorvoCollection* Objects() const { return objects_; }
  TBaseSession* CurrentSession() const { return currentSession_; }
  TBapiListItem* CurrentDatabase() const { return currentDatabase_; }
  TBaseTable* CurrentCursor() const { return currentCursor_; }
  uint16_t StartStatus() const { return startStatus_; }
  const EngineDateFormat& DateFormat() const { return dateFormat_; }
  const EngineTimeFormat& TimeFormat() const { return timeFormat_; }

  // Property 0xFF070002 (4 bytes); any other is not supported.
  void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) override;
  // Property 0xFF070002 is stored; others are ignored.
  void SetProperty(uint32_t property, uint32_t value) override;

  // --- Infrastructure ---
  void ReadFormatSettings();
  void SetDateFormat(const EngineDateFormat& format) { dateFormat_ = format; }
  void SetTimeFormat(const EngineTimeFormat& format) { timeFormat_ = format; }
  // Inside a handler: the code of the engine error being handled, now the one stack entry; any
  // other exception is raised again.
  uint16_t HandleEngineException();

  // --- Sessions ---
  // The driver session class creates the session (with the two options) into the object list; it
  // becomes current. On failure the session is nil.
  uint16_t StartSession(const char* directory, const char* name, TBaseSession*& session);
  // Frees the session; the first object of the object list becomes current (nil without one).
  uint16_t CloseSession(TBaseSession* session);
  uint16_t SetCurrentSession(TBaseSession* session);
  uint16_t GetCurrentSession(TBaseSession*& session);
  uint16_t NativeToAnsi(char* destination, uint32_t& length, uint32_t count, const char* source);
  uint16_t AnsiToNative(char* destination, uint32_t& length, uint32_t count, const char* source);
  uint16_t RegisterCallback(TBaseTable* cursor, uint16_t callbackType, uintptr_t clientData, uint16_t bufferLength,
                            void* buffer, void* callback);
  // Without a current session nothing happens (status 0).
  uint16_t SetPrivateDirectory(const char* directory);
  uint16_t AddAlias(const char* name, const char* driverType, const char* params, bool persistent);
  uint16_t DeleteAlias(const char* name);
  // The name cleaned (CleanDatabaseName) when a name or a database type is given; with neither,
  // the first "PATH" parameter's value is cleaned in its place and becomes the name (none: an
  // empty name). Then the current session opens the database.
  uint16_t OpenDatabase(const char* name, const char* databaseType, uint32_t openMode, uint32_t shareMode,
                        const char* password, uint16_t paramCount, const FieldDescriptor* paramDescriptors,
                        void* paramValues, TBaseDatabase*& database);
  uint16_t GetSessionInfo(SessionInfo& info);
  // The configuration list of the path (an in-memory table of ConfigListRecord rows).
  uint16_t OpenConfigList(TBaseTable*& cursor, const char* path);
  // The cached-update callback is never available: 10756, which the dataset layer takes for
  // "no callback".
  uint16_t RegisterCachedUpdatesCallback(TBaseTable* cursor, uintptr_t clientData, void* callback);
  uint16_t UnregisterCachedUpdatesCallback(TBaseTable* cursor);

  // --- Databases (each but GetDatabaseSession makes the database current first) ---
  // Frees the database and its cursors.
  uint16_t CloseDatabase(TBaseDatabase* database);
  uint16_t OpenTable(TBaseDatabase* database, const char* tableName, const char* driverType, const char* indexName,
                     const char* indexTag, uint16_t indexNumber, uint32_t openMode, uint32_t shareMode,
                     uint32_t translateMode, bool unidirectional, const char* parameters, TBaseTable*& cursor);
  uint16_t OpenFieldList(TBaseDatabase* database, const char* tableName, const char* driverType, bool physicalTypes,
                         TBaseTable*& cursor);
  uint16_t OpenIndexList(TBaseDatabase* database, const char* tableName, const char* driverType, TBaseTable*& cursor);
  uint16_t OpenValidityCheckList(TBaseDatabase* database, const char* tableName, const char* driverType,
                                 TBaseTable*& cursor);
  uint16_t SetDirectory(TBaseDatabase* database, const char* directory);
  uint16_t BeginTransaction(TBaseDatabase* database, uint32_t isolationLevel, uint32_t& transaction);
  uint16_t EndTransaction(TBaseDatabase* database, uint32_t transaction, uint32_t endMode);
  uint16_t GetTransactionInfo(TBaseDatabase* database, uint32_t transaction, TransactionInfo& info);
  // Kind 2: the database's session, status 0. Any other kind, or no database: nil and 9986,
  // without an error entry.
  uint16_t GetDatabaseSession(TBaseDatabase* database, uint16_t kind, TBapiListItem*& object);

  // --- Cursors (those that make the cursor current say so) ---
  // Deactivated, then freed.
  uint16_t CloseCursor(TBaseTable* cursor);
  // Makes the cursor current.
  uint16_t CloneCursor(TBaseTable* cursor, bool readOnly, bool unidirectional, TBaseTable*& clone);
  // Always 0; exceptions pass through.
  uint16_t SetToBegin(TBaseTable* cursor);
  uint16_t SetToEnd(TBaseTable* cursor);
  // Makes the destination current; the source positions it.
  uint16_t SetToCursor(TBaseTable* destination, TBaseTable* source);
  // Both make the cursor current.
  uint16_t GetBookmark(TBaseTable* cursor, void* bookmark);
  uint16_t SetToBookmark(TBaseTable* cursor, const void* bookmark);
  uint16_t CompareBookmarks(TBaseTable* cursor, const void* bookmark1, const void* bookmark2, int& result);
  uint16_t GetRecord(TBaseTable* cursor, uint16_t lock, void* record, void* properties);
  uint16_t GetNextRecord(TBaseTable* cursor, uint16_t lock, void* record, void* properties);
  // End of file (8706) is answered as beginning of file (8705).
  uint16_t GetPriorRecord(TBaseTable* cursor, uint16_t lock, void* record, void* properties);
  uint16_t GetRecordForKey(TBaseTable* cursor, bool directKey, uint16_t fieldCount, uint16_t length, const void* key,
                           void* record);
  uint16_t SetToKey(TBaseTable* cursor, uint16_t searchCondition, bool directKey, uint16_t fieldCount,
                    uint16_t length, const void* key);
  uint16_t ExtractKey(TBaseTable* cursor, const void* record, void* key);
  uint16_t SetRange(TBaseTable* cursor, bool keyItself, uint16_t lowFieldCount, uint16_t lowLength, const void* lowKey,
                    bool lowInclusive, uint16_t highFieldCount, uint16_t highLength, const void* highKey,
                    bool highInclusive);
  uint16_t ResetRange(TBaseTable* cursor);
  uint16_t SwitchToIndex(TBaseTable* cursor, const char* indexName, const char* tagName, uint16_t indexNumber,
                         bool keepCurrent);
  uint16_t GetIndexDesc(TBaseTable* cursor, uint16_t number, IndexDescriptor& descriptor);
  uint16_t GetIndexDescs(TBaseTable* cursor, IndexDescriptor* descriptors);
  uint16_t GetValidityCheckDesc(TBaseTable* cursor, uint16_t fieldNumber, void* descriptor);
  uint16_t GetCursorProps(TBaseTable* cursor, CursorProperties& properties);
  uint16_t GetFieldDescs(TBaseTable* cursor, FieldDescriptor* descriptors);
  uint16_t InitRecord(TBaseTable* cursor, void* record);
  uint16_t InsertRecord(TBaseTable* cursor, uint16_t lock, void* record);
  uint16_t AppendRecord(TBaseTable* cursor, void* record);
  uint16_t ModifyRecord(TBaseTable* cursor, void* record, bool releaseLock);
  uint16_t DeleteRecord(TBaseTable* cursor, void* record);
  uint16_t ReleaseRecordLock(TBaseTable* cursor, bool all);
  uint16_t ReadBlock(TBaseTable* cursor, uint32_t& count, void* buffer);
  uint16_t SetToSequenceNumber(TBaseTable* cursor, uint32_t number);
  uint16_t GetRecordCount(TBaseTable* cursor, uint32_t& count);
  uint16_t GetExactRecordCount(TBaseTable* cursor, uint32_t& count);
  uint16_t ForceReread(TBaseTable* cursor);
  uint16_t ForceRecordReread(TBaseTable* cursor, void* record);
  uint16_t GetField(TBaseTable* cursor, uint16_t fieldNumber, void* record, void* value, bool& blank);
  uint16_t PutField(TBaseTable* cursor, uint16_t fieldNumber, void* record, const void* value);
  uint16_t VerifyField(TBaseTable* cursor, uint16_t fieldNumber, void* value, bool& blank);
  uint16_t OpenBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t openMode);
  uint16_t GetBlobSize(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t& size);
  uint16_t GetBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length,
                   void* destination, uint32_t& delivered);
  uint16_t PutBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length,
                   const void* source);
  uint16_t TruncateBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t length);
  uint16_t FreeBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber);
  uint16_t AddFilter(TBaseTable* cursor, uintptr_t clientData, uint16_t priority, bool canAbort,
                     const void* expression, FilterCallback callback, TFilterListItem*& filter);
  uint16_t DropFilter(TBaseTable* cursor, TFilterListItem* filter);
  uint16_t ActivateFilter(TBaseTable* cursor, TFilterListItem* filter);
  uint16_t DeactivateFilter(TBaseTable* cursor, TFilterListItem* filter);
  // The referenced cursor is replaced by its cache table.
  uint16_t BeginCachedUpdates(TBaseTable*& cursor);
  // The referenced cache table is replaced by the cursor under it, and freed.
  uint16_t EndCachedUpdates(TBaseTable*& cache);

  // --- Statements (VirtEngStatements.cpp) ---
  // The text in the language (QueryLanguage.h) as a statement of the database. Only the SQL
  // driver's databases run statements, and only in SQL: anything else is not supported (12289).
  uint16_t PrepareQuery(TBaseDatabase* database, uint16_t language, const char* text, TSqlStmt*& statement);
  // A call of the database's stored procedure as a statement.
  uint16_t PrepareProcedure(TBaseDatabase* database, const char* name, TSqlStmt*& statement);
  // Runs the statement: with cursor given, through the result cursor it hands back (positioned
  // before the first row).
  uint16_t ExecuteQuery(TSqlStmt* statement, TBaseTable** cursor);
  // Frees the statement (nil afterwards); its result cursor must be closed first.
  uint16_t FreeQuery(TSqlStmt*& statement);

  // --- Properties of any engine object ---
  // The length is cleared first; a nil object gives 9986 without an error entry.
  uint16_t GetProperty(TBapiListItem* object, uint32_t property, void* buffer, uint16_t bufferSize,
                       uint16_t& length);
  uint16_t SetProperty(TBapiListItem* object, uint32_t property, uint32_t value);

  // --- Error texts ---
  // Entry `index` (from 1): its code and native status, and its text: the native text (with a
  // native status), "DBI Error Code = " and the code's name (with a code) and the non-empty
  // context lines, joined by "\r\n", cut to 260 characters. Beyond the stack: 0, the text alone.
  uint16_t GetErrorEntry(uint16_t index, int32_t& nativeStatus, AnsiString& text) override;
  // The composed text of the newest entry with the code and 0; none: an empty text and the code.
  uint16_t GetErrorText(uint16_t code, AnsiString& text);
  AnsiString GetErrorText(uint16_t code) override;

 private:
  // Runs the operation under the status convention.
  template <class Operation>
  uint16_t run(Operation&& operation) {
    try {
      operation();
      return 0;
    } catch (...) {
      return HandleEngineException();
    }
  }
  // The cursor, made current.
  TBaseTable& makeCurrent(TBaseTable* cursor);
  TBaseDatabase& makeCurrent(TBaseDatabase* database);
  // Current objects owned, directly or further down, by the object are forgotten.
  void forgetCurrentUnder(TBapiListItem* object);

  TBapiListItemClass driverSessionClass_;
  TErrorStack* errors_;
  TKorvoCollection* objects_;
  EngineDateFormat dateFormat_{};
  EngineTimeFormat timeFormat_{};
  TBaseSession* currentSession_ = nullptr;
  TBaseTable* currentCursor_ = nullptr;
  TBapiListItem* currentDatabase_ = nullptr;
  uint16_t startStatus_ = 0;
  uint32_t propertyValue_ = 0;
};

// A database name without its first bracketed part: the "[", everything up to the first "]"
// after it, the "]" and the one character after it are removed. Without a "[" followed by a
// "]" the name stays as it is.
AnsiString CleanDatabaseName(const AnsiString& name);
