// The registry values of the printing choices: read and written without creating a key, each
// failure told.
#include <gtest/gtest.h>

#include "core/SettingKeys.h"
#include "dialogs/PrintRegistry.h"
#include "framework/base/StringList.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/FaultInjection.h"
#include "platform/os/RegistryKey.h"

namespace {

using qn::os::RegistryKey;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString DataPaths = HostKey + "\\H_Data";

class PrintRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey("\\Software\\Vantor");
  }
  void write(const AnsiString& key, const AnsiString& name, const AnsiString& value) {
    RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    registry.OpenKey(key, true);
    registry.WriteString(name, value);
  }
  bool keyExists(const AnsiString& key) { return RegistryKey(qn::os::HKEY_LOCAL_MACHINE).KeyExists(key); }
};

TEST_F(PrintRegistryTest, HostValuesAreReadAndWritten) {
  write(HostKey, "DefPrintToFilePath", "C:\\Reports");
  ScriptedMessageBoxes none;
  EXPECT_EQ(RegReadHostValue("DefPrintToFilePath"), "C:\\Reports");
  EXPECT_EQ(RegReadHostValue("NotThere"), "");
  EXPECT_TRUE(RegWriteHostValue("DefPrintToFilePath", "D:\\Out"));
  EXPECT_EQ(RegReadHostValue("defprinttofilepath"), "D:\\Out");
}

TEST_F(PrintRegistryTest, AMissingKeyIsToldAndNeverCreated) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to read the 'DefPrintToFilePath' value from the registry at this time.\r\rPlease call "
                        "Vantor, Inc. for assistance.")
      .expect(mtError, "Unable to reset the 'DefPrintToFilePath' value at this time.\r\rPlease call Vantor, Inc. for "
                       "assistance.")
      .expect(mtError, "Unable to read the 'DQ' value from the registry at this time.\r\rPlease call Vantor, Inc. for "
                       "assistance.")
      .expect(mtError, "Unable to open registry key  \\Software\\Vantor\\Quillon\\Host\\H_Data   at this time.\r\rPlease "
                       "call Vantor, Inc. for assistance.");
  EXPECT_EQ(RegReadHostValue("DefPrintToFilePath"), "");
  EXPECT_FALSE(RegWriteHostValue("DefPrintToFilePath", "D:\\Out"));
  EXPECT_EQ(RegReadDataPathValue("DQ"), "");
  StringList names;
  names.Add("stale");
  EXPECT_FALSE(RegListDataPathValues(&names));
  EXPECT_EQ(names.Count(), 0);
  EXPECT_FALSE(keyExists(HostKey));
}

TEST_F(PrintRegistryTest, TheDataPathsAreListedByName) {
  write(DataPaths, "DQ", "/data");
  write(DataPaths, "HQ", "/history");
  ScriptedMessageBoxes none;
  StringList names;
  ASSERT_TRUE(RegListDataPathValues(&names));
  ASSERT_EQ(names.Count(), 2);
  EXPECT_EQ(RegReadDataPathValue("DQ"), "/data");
}

TEST_F(PrintRegistryTest, AFailingWriteIsTold) {
  write(HostKey, "DefPrintToFilePath", "C:\\Reports");
  qn::os::injectFault(qn::os::Fault::HiveWrite);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to reset the 'DefPrintToFilePath' value at this time.\r\rPlease call Vantor, Inc. for "
                        "assistance.");
  EXPECT_FALSE(RegWriteHostValue("DefPrintToFilePath", "D:\\Out"));
  EXPECT_EQ(RegReadHostValue("DefPrintToFilePath"), "C:\\Reports");
}

}  // namespace
