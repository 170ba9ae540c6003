#include "core/Settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/FaultInjection.h"

namespace {

using core_test::createMachineKey;
using core_test::machineValue;
using core_test::writeMachineInteger;
using core_test::writeMachineString;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kContact = "Please contact Vantor, Inc. for assistance.";

struct Place {
  AnsiString key;
  AnsiString valueName;
};

struct ReadCase {
  AnsiString name;
  bool aliasFlag;
  Place place;
};

const std::vector<ReadCase> kReads = {
    {"REMOTE", true, {RemoteAliasKey, "PhysicalName"}},
    {"REMOTEDATA", true, {RemoteAliasKey, "PhysicalName"}},
    {"CMDATA", true, {CaseManagerAliasKey, "PhysicalName"}},
    {"CMDATA2", true, {CaseManagerAliasKey, "PhysicalName"}},
    {"PhysicalName", true, {MainAliasKey, "PhysicalName"}},
    {"Description", true, {MainAliasKey, "Description"}},
    {"Remote", true, {MainAliasKey, "Remote"}},
    {"APRINTER", true, {MainAliasKey, "APRINTER"}},
    {"REMOTE", false, {RemoteKey, "AuditPrinter"}},
    {"REMOTEX", false, {RemoteKey, "AuditPrinter"}},
    {"APRINTER", false, {RemoteKey, "AuditPrinter"}},
    {"APRINTER2", false, {RemoteKey, "AuditPrinter"}},
    {"BPRINTER", false, {RemoteKey, "BatchPrinter"}},
    {"PRINTEROPTS", false, {RemoteKey, "BatchPrintOptions"}},
    {"PRINTEROPT", false, {HostKey, "PRINTEROPT"}},
    {"APRINTE", false, {HostKey, "APRINTE"}},
    {"aprinter", false, {HostKey, "aprinter"}},
    {"CMDATA", false, {HostKey, "CMDATA"}},
    {"CaFormSize", false, {HostKey, "CaFormSize"}},
    {"EntryMode", false, {HostKey, "EntryMode"}},
};

TEST(SettingsTest, EachNameReadsItsKeyAndValue) {
  // Every place holds a text naming itself, so a read from the wrong place shows.
  for (const ReadCase& c : kReads) writeMachineString(c.place.key, c.place.valueName, c.place.key + "|" + c.place.valueName);
  ScriptedMessageBoxes boxes;
  for (const ReadCase& c : kReads) {
    SCOPED_TRACE(c.name + (c.aliasFlag ? " (alias)" : ""));
    EXPECT_EQ(ReadSetting(c.name, c.aliasFlag), c.place.key + "|" + c.place.valueName);
  }
}

TEST(SettingsTest, AMissingValueOfAnExistingKeyReadsEmptyWithoutAMessage) {
  createMachineKey(HostKey);
  createMachineKey(RemoteKey);
  ScriptedMessageBoxes boxes;
  EXPECT_EQ(ReadSetting("CusNum", false), "");
  EXPECT_EQ(ReadSetting("BPRINTER", false), "");
}

struct WriteCase {
  AnsiString name;
  Place place;
};

TEST(SettingsTest, EachNameWritesItsKeyAndValue) {
  const std::vector<WriteCase> writes = {
      {"APRINTER", {RemoteKey, "AuditPrinter"}},      {"PPRINTER", {RemoteKey, "BatchPrintOptions"}},
      {"BPRINTER", {RemoteKey, "BatchPrinter"}},      {"XPRINTERS", {RemoteKey, "BatchPrinter"}},
      {"aPRINTER", {RemoteKey, "BatchPrinter"}},      {"APRINTE", {HostKey, "APRINTE"}},
      {"PRINTEROPTS", {HostKey, "PRINTEROPTS"}},      {"Aprinter", {HostKey, "Aprinter"}},
      {"CaFormSize", {HostKey, "CaFormSize"}},        {"A", {HostKey, "A"}},
  };
  for (const WriteCase& c : writes) {
    SCOPED_TRACE(c.name);
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    registry.DeleteKey(HostKey);
    registry.DeleteKey(RemoteKey);
    createMachineKey(HostKey);
    createMachineKey(RemoteKey);
    ScriptedMessageBoxes boxes;
    EXPECT_TRUE(WriteSetting(c.name, "value of " + c.name));
    EXPECT_EQ(machineValue(c.place.key, c.place.valueName), "value of " + c.name);
    const AnsiString otherKey = c.place.key == HostKey ? RemoteKey : HostKey;
    qn::os::RegistryKey other(qn::os::HKEY_LOCAL_MACHINE);
    other.OpenKey(otherKey, false);
    EXPECT_TRUE(other.GetValueNames().empty()) << "written to the other key too";
  }
}

TEST(SettingsTest, AReadOfAKeyThatDoesNotOpenIsReported) {
  const std::vector<std::pair<ReadCase, AnsiString>> reads = {
      {{"CaFormSize", false, {}}, "CaFormSize"}, {{"APRINTER", false, {}}, "AuditPrinter"},
      {{"PRINTEROPTS", false, {}}, "BatchPrintOptions"}, {{"REMOTE", true, {}}, "PhysicalName"},
      {{"Description", true, {}}, "Description"},
  };
  for (const auto& [read, valueName] : reads) {
    SCOPED_TRACE(read.name);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Not able to read the '" + valueName + "' value from the registry at this time." + kContact);
    EXPECT_EQ(ReadSetting(read.name, read.aliasFlag), "");
  }
}

TEST(SettingsTest, AValueOfAnotherTypeIsReportedAsAFailedRead) {
  writeMachineInteger(HostKey, "CaFormSize", 120);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Not able to read the 'CaFormSize' value from the registry at this time." + kContact);
  EXPECT_EQ(ReadSetting("CaFormSize", false), "");
}

TEST(SettingsTest, AnUnusableRegistryIsReportedByEveryOperation) {
  core_test::damageMachineHive();
  const AnsiString message = "Unable to open the registry at this time." + kContact;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, message).expect(mtInformation, message).expect(mtInformation, message)
      .expect(mtInformation, message).expect(mtInformation, message);
  EXPECT_EQ(ReadSetting("CaFormSize", false), "");
  EXPECT_FALSE(WriteSetting("CaFormSize", "1"));
  EXPECT_EQ(ReadSpellingSetting("Language"), "");
  EXPECT_FALSE(WriteSpellingSetting("Language", "en"));
  EXPECT_FALSE(WriteSpellingInteger("Options", 3));
}

TEST(SettingsTest, AWriteToAKeyThatDoesNotOpenIsReported) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Unable to reset the 'CaFormSize' value at this time." + kContact)
      .expect(mtInformation, "Unable to reset the remote default printer value at this time." + kContact)
      .expect(mtInformation, "Unable to reset the remote default printer value at this time." + kContact);
  EXPECT_FALSE(WriteSetting("CaFormSize", "120"));
  EXPECT_FALSE(WriteSetting("APRINTER", "Laser"));
  EXPECT_FALSE(WriteSetting("PPRINTER", "1"));
  EXPECT_EQ(machineValue(HostKey, "CaFormSize"), "<missing>") << "the key must not be created";
}

TEST(SettingsTest, AWriteThatFailsIsReportedAndChangesNothing) {
  writeMachineString(HostKey, "EntryMode", "C");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Unable to reset the 'EntryMode' value at this time." + kContact);
  qn::os::injectFault(qn::os::Fault::HiveWrite);
  EXPECT_FALSE(WriteSetting("EntryMode", "N"));
  EXPECT_EQ(machineValue(HostKey, "EntryMode"), "C");
}

TEST(SettingsTest, SpellingReadsCreateTheKeyAndWritesNeedIt) {
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Unable to reset the 'Language' value at this time." + kContact)
        .expect(mtInformation, "Unable to reset the 'Options' value at this time." + kContact);
    EXPECT_FALSE(WriteSpellingSetting("Language", "en_US"));
    EXPECT_FALSE(WriteSpellingInteger("Options", 5));
  }
  ScriptedMessageBoxes boxes;
  EXPECT_EQ(ReadSpellingSetting("Language"), "");
  EXPECT_TRUE(WriteSpellingSetting("Language", "en_US"));
  EXPECT_TRUE(WriteSpellingInteger("Options", 5));
  EXPECT_EQ(ReadSpellingSetting("Language"), "en_US");
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKey(SpellingKey, false));
  EXPECT_EQ(registry.ReadInteger("Options"), 5) << "stored as an integer";
}

TEST(SettingsTest, ASpellingKeyThatCannotBeOpenedIsReported) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation,
               "Unable to read the 'Language' value from the spell checker registry at this time." + kContact);
  qn::os::injectFault(qn::os::Fault::KeyOpen);
  EXPECT_EQ(ReadSpellingSetting("Language"), "");
}

}  // namespace
