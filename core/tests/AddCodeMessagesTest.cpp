#include "core/AddCodeMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "platform/os/RegisteredMessages.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "testing/TestDirs.h"

namespace {

std::array<std::uint16_t, 7> identifiers() {
  return {QN_Message_AddNarrCode,  QN_Message_AddDept,       QN_Message_AddCaseType,  QN_Message_AddStmtmsg,
          QN_Message_AddGroupcode, QN_Message_AddOfficecode, QN_Message_AddClientType};
}

TEST(AddCodeMessagesTest, TheSevenNamesAreRegisteredInOrder) {
  RegisterAddCodeMessages();
  const auto ids = identifiers();
  // New names take the next free numbers, so the order shows in them.
  ASSERT_GE(ids[0], qn::os::firstRegisteredMessage);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(ids[i], ids[0] + i) << AddCodeMessageNames[i];
    EXPECT_EQ(qn::os::registeredMessageName(ids[i]), AddCodeMessageNames[i]);
  }
  EXPECT_EQ(AddCodeMessageNames[3], "QN_Message_AddStmtmsg");
}

TEST(AddCodeMessagesTest, ASecondProcessSeesTheSameIdentifiers) {
  RegisterAddCodeMessages();
  const std::string record = qn::testing::makeScratchDir("add-code") + "/record";
  std::string command = "'" + qn::recmgr::testing::programFolder() + "/qn-os-process-child' register '" + record + "'";
  // In reverse order: the numbers must not depend on who registers first.
  for (auto it = AddCodeMessageNames.rbegin(); it != AddCodeMessageNames.rend(); ++it) command += " " + *it;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  std::map<std::string, unsigned> seen;
  std::ifstream in(record);
  std::string name;
  unsigned number;
  while (in >> name >> number) seen[name] = number;
  const auto ids = identifiers();
  for (std::size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(seen[AddCodeMessageNames[i]], ids[i]) << AddCodeMessageNames[i];
}

}  // namespace
