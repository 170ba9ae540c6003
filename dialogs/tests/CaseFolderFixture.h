#pragma once
// The case dialogs' tests on a data folder qnseed makes from the records a test gives (file name
// to seed text), reached through the alias QNWIN, with TDM2 connected and TDM made.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/DM.h"
#include "core/DM2.h"
#include "framework/base/AnsiString.h"
#include "platform/os/ExecutablePath.h"

namespace dialogs_test {

// One matter's seed record; `extra` holds more "Field = value" lines.
std::string caseSeed(const std::string& client, int suffix, const std::string& extra = "");
std::string clientSeed(const std::string& client, const std::string& last, const std::string& first = "");

class CaseFolderFixture : public ::testing::Test {
 public:
  // A case suffix as the record files hold it: right-justified in 7.
  static AnsiString suffixText(int suffix);

 protected:
  // The seeds of the folder; each file not named is made empty.
  virtual std::map<std::string, std::string> seeds() = 0;
  void SetUp() override;
  void TearDown() override;

  // Every record of a file, "field|field|..." of the named fields, in key-1 order.
  std::vector<std::string> rows(const std::string& tableName, const std::vector<std::string>& fields);

  std::string root;
  std::string dataDir;
  std::unique_ptr<qn::os::ExecutablePathOverride> program;
  std::unique_ptr<TDM2> dm2;
  std::unique_ptr<TDM> dm;
};

}  // namespace dialogs_test
