#pragma once
// TBtrSqlDatabase: a database the SQL interface serves: an "@" name the interface knows, or a
// folder holding USER.DDF. It logs in on first need (an "@" name is its own dictionary path,
// with no data path; a folder is both), runs its transactions as SQL statements, makes
// statements and procedure calls, and lists its stored procedures. While it is not logged in,
// its transactions are the record manager's.
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "recordmgr/BtrDatabase.h"

class TSSQLSqlStmt;

class TBtrSqlDatabase : public TBtrDatabase {
  QN_CLASS(TBtrSqlDatabase, TBtrDatabase)
 public:
  static constexpr int16_t OwnerNameInvalid = 51;
  static constexpr int16_t UnknownUser = 205;
  static constexpr int16_t NoSystemTables = 285;
  static constexpr uint16_t SqlLanguage = 2;
  static constexpr size_t ProcedureCallMax = 255;

  TBtrSqlDatabase(TBapiListItem* session, const char* databaseName, const DatabaseDescription* description,
                  TKorvoCollection* list, const uint8_t* clientId, const AnsiString& user,
                  const AnsiString& password);
  ~TBtrSqlDatabase() override;

  const AnsiString& User() const { return user_; }
  bool LoggedIn() const { return loggedIn_; }
  bool InSqlTransaction() const { return inSqlTransaction_; }
  // The statements made here; they go with the database.
  TKorvoCollection* Statements() const { return statements_; }

  const char* GetDriverType() override { return "SQL"; }
  // An "@" database of the record manager's type has no tables to list (285).
  void OpenTableList(bool extended, bool system, TBaseTable*& cursor, const char* wildcard) override;
  // A second begin raises 0x2810; end mode 2 rolls back, any other commits.
  void BeginTransaction(uint32_t isolationLevel, uint32_t& transaction) override;
  void EndTransaction(uint32_t transaction, uint32_t endMode) override;

  // Logs in when not logged in: 51 counts as logged in; 205 names the user, any other failure
  // the folder.
  void Open();
  void Close();

  // A statement of kind 0 without text.
  void AllocateStatement(TSSQLSqlStmt*& statement);
  // Only language 2 (SQL); an existing statement takes the text, else a new one of that kind.
  void PrepareStatement(uint16_t language, const char* text, TSSQLSqlStmt*& statement, uint16_t kind);
  // "EXEC " and the name, at most 255 characters, as a statement of kind 1.
  void PrepareProcedureCall(const char* name, TSSQLSqlStmt*& statement);
  // The stored procedures of the folder's PROC.DDF, one name per read.
  void OpenProcedureList(TBaseTable*& cursor);

 private:
  // The interface loaded, or 2103.
  void requireInterface();
  // Runs a statement without a result and frees it.
  void runOnce(const char* text);

  AnsiString user_;
  AnsiString password_;
  bool loggedIn_ = false;
  bool inSqlTransaction_ = false;
  TKorvoCollection* statements_;
};
