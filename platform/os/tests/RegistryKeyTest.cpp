#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "testing/TestFiles.h"
#include "platform/os/FaultInjection.h"
#include "platform/os/HiveFile.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/RegistryKey.h"

namespace {
using namespace qn::os;
namespace fs = std::filesystem;

std::string hivePath() { return registryDir() + "/HKEY_LOCAL_MACHINE.hive"; }

RegistryKey hostKey() {
  RegistryKey reg(HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(reg.OpenKey("\\Software\\Vantor\\Quillon\\Host", true));
  return reg;
}

TEST(RegistryKeyTest, MissingKeyAnswersFalseAndWritesNothing) {
  RegistryKey reg(HKEY_LOCAL_MACHINE, KEY_READ);
  EXPECT_FALSE(reg.OpenKey("\\Software\\Vantor\\Quillon\\Host", false));
  EXPECT_FALSE(reg.HasCurrentKey());
  EXPECT_FALSE(reg.KeyExists("\\Software"));
  EXPECT_FALSE(fs::exists(hivePath()));

  EXPECT_FALSE(RegistryKey(0x80000005).OpenKey("\\Software", true)) << "an unknown root key";
}

TEST(RegistryKeyTest, OpenWithCreateMakesEveryLevelForEveryone) {
  RegistryKey writer(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(writer.OpenKey("\\Software\\Vantor\\Quillon\\Host", true));
  EXPECT_EQ(writer.CurrentPath(), "Software\\Vantor\\Quillon\\Host");

  RegistryKey reader(HKEY_LOCAL_MACHINE, KEY_READ);
  EXPECT_TRUE(reader.KeyExists("\\SOFTWARE\\vantor"));
  ASSERT_TRUE(reader.OpenKey("\\software\\VANTOR\\quillon\\host", false));
  EXPECT_FALSE(RegistryKey(HKEY_CURRENT_USER).KeyExists("\\Software")) << "hives are separate";
}

TEST(RegistryKeyTest, RelativePathsContinueFromTheCurrentKey) {
  RegistryKey reg(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\Software", true));
  ASSERT_TRUE(reg.OpenKey("Korvo\\Btrieve", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Korvo\\Btrieve");
  ASSERT_TRUE(reg.OpenKey("\\Software", false)) << "a leading backslash starts at the root";
  EXPECT_EQ(reg.CurrentPath(), "Software");
  EXPECT_TRUE(reg.KeyExists("Korvo"));
  EXPECT_FALSE(reg.KeyExists("Btrieve"));
  reg.CloseKey();
  EXPECT_EQ(reg.GetKeyNames(), std::vector<AnsiString>{"Software"}) << "with no key open, the root";
}

struct TypeCase {
  const char* stored;
  std::function<void(RegistryKey&)> write;
};

TEST(RegistryKeyTest, ReadingAValueOfAnotherTypeRaises) {
  const unsigned char bytes[] = {0x00, 0xFF, 0x10};
  std::vector<TypeCase> cases = {
      {"string", [](RegistryKey& r) { r.WriteString("Value", "12"); }},
      {"integer", [](RegistryKey& r) { r.WriteInteger("Value", 12); }},
      {"binary", [&](RegistryKey& r) { r.WriteBinaryData("Value", bytes, sizeof bytes); }},
  };
  std::vector<std::pair<const char*, std::function<void(RegistryKey&)>>> readers = {
      {"string", [](RegistryKey& r) { r.ReadString("VALUE"); }},
      {"integer", [](RegistryKey& r) { r.ReadInteger("VALUE"); }},
      {"integer", [](RegistryKey& r) { r.ReadBool("VALUE"); }},
      {"binary",
       [](RegistryKey& r) {
         unsigned char b[8];
         r.ReadBinaryData("VALUE", b, sizeof b);
       }},
  };
  RegistryKey reg = hostKey();
  for (const TypeCase& c : cases) {
    c.write(reg);
    for (const auto& [kind, read] : readers) {
      SCOPED_TRACE(std::string(c.stored) + " read as " + kind);
      if (std::string(kind) == c.stored) {
        EXPECT_NO_THROW(read(reg));
      } else {
        try {
          read(reg);
          ADD_FAILURE() << "no error";
        } catch (const RegistryError& e) {
          EXPECT_STREQ(e.what(), "Invalid data type for 'VALUE'");
        }
      }
    }
  }
}

TEST(RegistryKeyTest, ValuesKeepTheirTypeAndContent) {
  RegistryKey reg = hostKey();
  const unsigned char bytes[] = {0x00, 0xFF, 0x0A, 0x22};
  reg.WriteString("Text", "C:\\QN \"data\"\r\nCaf\xE9");
  reg.WriteInteger("Budget", -1);
  reg.WriteBool("Flag", true);
  reg.WriteBinaryData("Layout", bytes, sizeof bytes);

  RegistryKey other(HKEY_LOCAL_MACHINE, KEY_READ);
  ASSERT_TRUE(other.OpenKey("\\Software\\Vantor\\Quillon\\Host", false));
  EXPECT_EQ(other.ReadString("Text"), "C:\\QN \"data\"\r\nCaf\xE9");
  EXPECT_EQ(other.ReadInteger("Budget"), -1);
  EXPECT_TRUE(other.ReadBool("Flag"));
  EXPECT_EQ(other.GetDataType("Text"), RegistryDataType::String);
  EXPECT_EQ(other.GetDataType("Budget"), RegistryDataType::Integer);
  EXPECT_EQ(other.GetDataType("Layout"), RegistryDataType::Binary);
  EXPECT_EQ(other.GetDataType("Missing"), RegistryDataType::Unknown);
  ASSERT_EQ(other.GetDataSize("Layout"), 4);
  unsigned char back[4];
  EXPECT_EQ(other.ReadBinaryData("Layout", back, sizeof back), 4);
  EXPECT_EQ(std::memcmp(back, bytes, 4), 0);
  EXPECT_THROW(other.ReadBinaryData("Layout", back, 3), RegistryError) << "a buffer too small";
}

TEST(RegistryKeyTest, MissingValueReadsAsEmptyTextButNotAsNumber) {
  RegistryKey reg = hostKey();
  EXPECT_FALSE(reg.ValueExists("EntryMode"));
  EXPECT_EQ(reg.ReadString("EntryMode"), "");
  EXPECT_THROW(reg.ReadInteger("EntryMode"), RegistryError);
  EXPECT_EQ(reg.GetDataSize("EntryMode"), -1);
}

TEST(RegistryKeyTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  RegistryKey reg = hostKey();
  reg.WriteString("CaFormSize", "1");
  reg.WriteString("CAFORMSIZE", "2");
  EXPECT_EQ(reg.ReadString("caformsize"), "2");
  EXPECT_EQ(reg.GetValueNames(), std::vector<AnsiString>{"CaFormSize"});
  EXPECT_TRUE(reg.ValueExists("cAfOrMsIzE"));
  EXPECT_TRUE(reg.DeleteValue("CAFORMSIZE"));
  EXPECT_FALSE(reg.DeleteValue("CaFormSize"));
  EXPECT_TRUE(reg.GetValueNames().empty());
}

TEST(RegistryKeyTest, ListsSubkeysByNameAndValuesInWriteOrder) {
  RegistryKey reg(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Korvo\\Btrieve\\Aliases", true));
  for (const char* alias : {"QNWIN", "qnmngr", "Beta"}) EXPECT_TRUE(reg.CreateKey(alias));
  reg.WriteString("Zeta", "z");
  reg.WriteString("Alpha", "a");
  EXPECT_EQ(reg.GetKeyNames(), (std::vector<AnsiString>{"Beta", "qnmngr", "QNWIN"}));
  EXPECT_EQ(reg.GetValueNames(), (std::vector<AnsiString>{"Zeta", "Alpha"}));
}

TEST(RegistryKeyTest, DeleteKeyTakesEverythingBelowIt) {
  RegistryKey reg(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Vantor\\Quillon\\Host\\H_Data", true));
  reg.WriteString("D1", "/data");
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey("\\SOFTWARE\\Vantor\\Quillon"));
  EXPECT_FALSE(reg.KeyExists("\\Software\\Vantor\\Quillon\\Host\\H_Data"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\Vantor"));
  EXPECT_FALSE(reg.DeleteKey("\\Software\\Vantor\\Quillon"));
}

TEST(RegistryKeyTest, AKeyOpenedForReadingRefusesWrites) {
  hostKey().WriteString("CusNum", "7");
  RegistryKey reg(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Vantor\\Quillon\\Host"));
  EXPECT_EQ(reg.Access(), KEY_ALL_ACCESS) << "the mask of later opens is untouched";
  EXPECT_THROW(reg.WriteString("CusNum", "8"), RegistryError);
  EXPECT_FALSE(reg.DeleteValue("CusNum"));

  reg.SetAccess(KEY_READ);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Vantor\\Quillon\\Host", false));
  EXPECT_THROW(reg.WriteInteger("CusNum", 8), RegistryError);
  EXPECT_EQ(reg.ReadString("CusNum"), "7");
}

TEST(RegistryKeyTest, WritingIntoAKeyDeletedMeanwhileRaises) {
  RegistryKey reg = hostKey();
  RegistryKey(HKEY_LOCAL_MACHINE).DeleteKey("\\Software\\Vantor\\Quillon\\Host");
  EXPECT_EQ(reg.ReadString("CusNum"), "");
  EXPECT_THROW(reg.WriteString("CusNum", "1"), RegistryError);
  EXPECT_FALSE(reg.KeyExists("\\Software\\Vantor\\Quillon\\Host")) << "not brought back by the write";
}

TEST(RegistryKeyTest, HiveIsTextAPersonCanReadAndEdit) {
  RegistryKey reg = hostKey();
  reg.WriteString("Path", "C:\\QN \"x\"\r\nCaf\xE9");
  reg.WriteInteger("MemBudget", -1);
  const unsigned char bytes[] = {0x00, 0xFF};
  reg.WriteBinaryData("Blob", bytes, 2);
  std::string text = qn::testing::readFileText(hivePath());
  EXPECT_NE(text.find("[Software\\Vantor\\Quillon\\Host]\n"
                      "\"Path\"=str:\"C:\\\\QN \\\"x\\\"\\r\\nCaf\xC3\xA9\"\n"
                      "\"MemBudget\"=int:-1\n"
                      "\"Blob\"=hex:00 ff\n"),
            std::string::npos)
      << text;

  // As a person would write it: comments, CRLF line ends, blanks, a default value.
  qn::testing::writeFileText(hivePath(),
            "; edited by hand\r\n"
            "[Software\\Korvo\\Btrieve\\Aliases\\QNWIN]\r\n"
            "  \"PhysicalName\" = str:\"/srv/qn/data\"  \r\n"
            "\"\"=str:\"the default\"\r\n"
            "# another comment\r\n"
            "[http\\shell\\open\\command]\r\n");
  RegistryKey edited(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(edited.OpenKey("\\Software\\Korvo\\Btrieve\\Aliases\\qnwin", false));
  EXPECT_EQ(edited.ReadString("PhysicalName"), "/srv/qn/data");
  EXPECT_EQ(edited.ReadString(""), "the default");
  EXPECT_TRUE(edited.KeyExists("\\http\\shell\\open\\command"));
  EXPECT_TRUE(edited.KeyExists("\\Software\\Korvo")) << "the keys along a section's path exist";
}

TEST(RegistryKeyTest, EveryByteSurvivesTheTextForm) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  RegistryKey reg = hostKey();
  reg.WriteString(all.substr(32), all);
  reg.WriteBinaryData("Bytes", all.data(), static_cast<int>(all.size()));
  ASSERT_TRUE(reg.CreateKey("Key [x] \"q\" \x81 Caf\xE9"));
  EXPECT_FALSE(reg.CreateKey("Line\r\nbreak")) << "a key name cannot hold control characters";

  RegistryKey other(HKEY_LOCAL_MACHINE, KEY_READ);
  ASSERT_TRUE(other.OpenKey("\\Software\\Vantor\\Quillon\\Host", false));
  EXPECT_EQ(other.GetValueNames(), (std::vector<AnsiString>{all.substr(32), "Bytes"}));
  EXPECT_EQ(other.ReadString(all.substr(32)), all);
  std::string bytes(256, '\0');
  EXPECT_EQ(other.ReadBinaryData("Bytes", bytes.data(), 256), 256);
  EXPECT_EQ(bytes, all);
  EXPECT_EQ(other.GetKeyNames(), std::vector<AnsiString>{"Key [x] \"q\" \x81 Caf\xE9"});
  EXPECT_TRUE(other.OpenKey("key [X] \"Q\" \x81 CAF\xE9", false));
}

TEST(RegistryKeyTest, DamagedHiveIsRefusedAndLeftAsItIs) {
  struct Damage {
    const char* what;
    std::string text;
    int line;
  };
  const std::vector<Damage> damages = {
      {"binary garbage", std::string("[Software]\n\x01\x02\x00\xff\xfe", 14), 2},
      {"an unknown type", "[Software]\n\"A\"=dword:1\n", 2},
      {"an unclosed quote", "[Software]\n\"A\"=str:\"text\n", 2},
      {"an unknown escape", "[Software]\n\"A\"=str:\"\\q\"\n", 2},
      {"an integer too large", "[Software]\n\"A\"=int:4294967296\n", 2},
      {"half a byte", "[Software]\n\"A\"=hex:0\n", 2},
      {"a value twice", "[Software]\n\"A\"=int:1\n\"a\"=int:2\n", 3},
      {"a stray line", "[Software]\nPhysicalName=/data\n", 2},
      {"an unclosed section", "[Software\n", 1},
      {"an empty key name", "[Software\\\\Vantor]\n", 1},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    qn::testing::writeFileText(hivePath(), d.text);
    RegistryKey reg(HKEY_LOCAL_MACHINE);
    try {
      reg.OpenKey("\\Software", true);
      ADD_FAILURE() << "a damaged hive was opened";
    } catch (const RegistryError& e) {
      EXPECT_NE(std::string(e.what()).find(hivePath()), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("line " + std::to_string(d.line)), std::string::npos) << e.what();
    }
    EXPECT_THROW(reg.WriteString("A", "x"), RegistryError);
    EXPECT_THROW(reg.GetKeyNames(), RegistryError);
    EXPECT_EQ(qn::testing::readFileText(hivePath()), d.text) << "the damaged hive must not be replaced";
  }
}

TEST(RegistryKeyTest, AFailedWriteLeavesTheHiveAsItWas) {
  RegistryKey reg = hostKey();
  reg.WriteString("EntryMode", "C");
  const std::string before = qn::testing::readFileText(hivePath());

  injectFault(Fault::HiveWrite);
  EXPECT_THROW(reg.WriteString("EntryMode", "N"), RegistryError);
  EXPECT_EQ(qn::testing::readFileText(hivePath()), before);
  EXPECT_EQ(reg.ReadString("EntryMode"), "C");
  for (const auto& entry : fs::directory_iterator(registryDir()))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << "left behind: " << entry.path();

  reg.WriteString("EntryMode", "N");
  EXPECT_EQ(reg.ReadString("EntryMode"), "N") << "the fault strikes once";
}

TEST(RegistryKeyTest, AFailedFlushRaisesAndLeavesTheHiveAsItWas) {
  RegistryKey reg = hostKey();
  reg.WriteString("EntryMode", "C");
  const std::string before = qn::testing::readFileText(hivePath());
  injectFault(Fault::TemporaryFlush);
  EXPECT_THROW(reg.WriteString("EntryMode", "N"), RegistryError);
  EXPECT_EQ(qn::testing::readFileText(hivePath()), before);
}

TEST(RegistryKeyTest, TheNextWriterRemovesTemporariesAKilledWriterLeft) {
  RegistryKey reg = hostKey();
  const std::string stale = hivePath() + ".tmp-999999-7", other = hivePath() + ".tmp-notours";
  qn::testing::writeFileText(stale, "half a hive");
  qn::testing::writeFileText(other, "kept");
  reg.WriteString("EntryMode", "C");
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(other));
  fs::remove(other);
}

TEST(RegistryKeyTest, AnInjectedOpenFailureAnswersFalse) {
  hostKey();
  injectFault(Fault::KeyOpen);
  RegistryKey reg(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.OpenKey("\\Software\\Vantor\\Quillon\\Host", false));
  EXPECT_TRUE(reg.OpenKey("\\Software\\Vantor\\Quillon\\Host", false));
}

TEST(RegistryKeyTest, AnOpenFailureInjectedForTheFourthOpenFailsThatOneOnly) {
  hostKey();
  injectFault(Fault::KeyOpen, 4);
  RegistryKey reg(HKEY_LOCAL_MACHINE);
  std::vector<bool> opened;
  for (int i = 0; i < 6; ++i) opened.push_back(reg.OpenKey("\\Software\\Vantor\\Quillon\\Host", false));
  EXPECT_EQ(opened, (std::vector<bool>{true, true, true, false, true, true}));
}

}  // namespace
