#pragma once
// SQL databases for the driver's tests, made by the interface's own tool (qnsqlif, beside the
// running executable), and the driver's objects on them: a TBtrSqlSession in a collection the
// fixture frees, databases opened by folder or "@" name, statements run with a result.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "recordmgr/BtrSqlBaseTable.h"
#include "recordmgr/BtrSqlDatabase.h"
#include "recordmgr/BtrSqlSession.h"
#include "recordmgr/KorvoCollection.h"
#include "recordmgr/SSQLSqlStmt.h"

namespace sqldrivertest {

// The interface's standard test database (CLIENTS of 100 rows, MATTERS of 3 ending in a note,
// users ADMIN "secret" and clerk, the procedure BIGCLIENTS) with LEDGER (A string 10, B integer
// 4, AMOUNT decimal without places, 3 rows) and a second procedure.
nlohmann::json testDescription();

// Makes the folder with the tool; fails the test when the tool refuses.
std::string makeSqlFolder(const std::string& name, const nlohmann::json& description = testDescription());

// Registers folder under an "@" name (remote: as a remote database).
void registerName(const std::string& name, const std::string& folder, bool remote = false);

// A login parameter block: descriptors named as given, values as zero-terminated texts.
struct LoginParameters {
  LoginParameters(std::initializer_list<std::pair<const char*, const char*>> pairs);
  std::vector<FieldDescriptor> descriptors;
  std::vector<char> values;
};

class SqlDriverFixture : public ::testing::Test {
 protected:
  void TearDown() override;

  TBtrSqlSession* newSession();
  // Opens by folder or name with the user ADMIN and the password "secret" unless others given.
  TBaseDatabase* openDatabase(TBtrSqlSession& session, const std::string& name, const char* user = "ADMIN",
                              const char* password = "secret");
  TBtrSqlDatabase* openSqlDatabase(const std::string& name);
  // Prepares and executes the text; the result cursor, positioned before the first row.
  TBtrSqlBaseTable* runQuery(TBtrSqlDatabase& database, const std::string& text, bool aggregate = false);
  // A row buffer of the result's record size.
  std::vector<uint8_t> rowBuffer(TBtrSqlBaseTable& result);
  // The 32-bit integer of a field of the row.
  int32_t integerField(TBtrSqlBaseTable& result, uint16_t fieldNumber, std::vector<uint8_t>& row);

  TKorvoCollection sessions;
  std::vector<TBaseTable*> results;  // freed before the sessions
};

}  // namespace sqldrivertest
