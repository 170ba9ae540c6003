#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/TestSession.h"

namespace {

// A facade reduced to what the database error reads: texts by code and a list of stack entries.
class FacadeStandIn : public EngineErrorTexts {
 public:
  struct Entry {
    uint16_t code;
    int32_t native;
    AnsiString text;
  };

  std::map<uint16_t, AnsiString> codeTexts;
  std::vector<Entry> entries;
  int entryReads = 0;

  AnsiString GetErrorText(uint16_t code) override {
    auto it = codeTexts.find(code);
    return it == codeTexts.end() ? AnsiString() : it->second;
  }
  uint16_t GetErrorEntry(uint16_t index, int32_t& native, AnsiString& text) override {
    ++entryReads;
    if (index < 1 || index > entries.size()) return 0;
    native = entries[index - 1].native;
    text = entries[index - 1].text;
    return entries[index - 1].code;
  }
};

TEST(DatabaseEngineErrorTest, WithoutAnyTextTheMessageNamesTheCodeInHex) {
  FacadeStandIn facade;
  ETDBEngineError error(facade, 8706);
  EXPECT_EQ(error.Message(), "Korvo Interface Error: ( 2202 )");
  EXPECT_TRUE(error.InheritsFrom("EDatabaseError"));
  ASSERT_EQ(error.ErrorCount(), 1);
  EXPECT_EQ(error.Errors(0).ErrorCode, 8706);
  EXPECT_EQ(error.Errors(0).NativeError, 0);
  EXPECT_EQ(error.Errors(0).Message, "");
}

TEST(DatabaseEngineErrorTest, TheRealFacadeWithAnEmptyStackGivesTheSameMessage) {
  TVirtEng facade(&CreateSession<sessiontest::TestSession>, nullptr, nullptr, nullptr);
  ETDBEngineError error(facade, 8706);
  EXPECT_EQ(error.Message(), "Korvo Interface Error: ( 2202 )");
  ASSERT_EQ(error.ErrorCount(), 1);
  EXPECT_EQ(error.Errors(0).ErrorCode, 8706);
  EXPECT_EQ(error.Errors(0).Message, "");
}

TEST(DatabaseEngineErrorTest, LinesFromTheCodeAndEveryEntryEachOnce) {
  FacadeStandIn facade;
  facade.codeTexts[0x2704] = "  Btrieve Status 12 - The MicroKernel cannot find the specified file.\r\nKey=[YCASE.QF] ";
  facade.codeTexts[0x2A10] = "Key violation";
  facade.entries = {
      // Its code's text is the one already taken, in other letter case: shown once.
      {0x2704, 12, "BTRIEVE STATUS 12 - THE MICROKERNEL CANNOT FIND THE SPECIFIED FILE.\r\nKEY=[YCASE.QF]"},
      // Without a native status the entry's code text comes first.
      {0x2A10, 0, "  Table: CASES  "},
      {0x2A10, 0, ""},
  };
  ETDBEngineError error(facade, 0x2704);
  EXPECT_EQ(error.Message(),
            "Btrieve Status 12 - The MicroKernel cannot find the specified file.\r\nKey=[YCASE.QF]\r\n"
            "Key violation\r\n"
            "Table: CASES");
  ASSERT_EQ(error.ErrorCount(), 4);
  EXPECT_EQ(error.Errors(1).ErrorCode, 0x2704);
  EXPECT_EQ(error.Errors(1).NativeError, 12);
  EXPECT_EQ(error.Errors(2).Message, "  Table: CASES  ");
  EXPECT_EQ(error.Errors(3).ErrorCode, 0x2A10);
}

TEST(DatabaseEngineErrorTest, EntriesEndAtCodeZeroOrNotInitialized) {
  FacadeStandIn facade;
  facade.entries = {{0x2401, 2, "read error"}, {10758, 0, "not initialized"}, {0x2402, 3, "never read"}};
  ETDBEngineError error(facade, 0x2401);
  EXPECT_EQ(error.Message(), "read error");
  EXPECT_EQ(error.ErrorCount(), 2);
}

TEST(DatabaseEngineErrorTest, Code11972KeepsOnlyTheEntriesOwnTexts) {
  FacadeStandIn facade;
  facade.codeTexts[11972] = "general text";
  facade.codeTexts[0x2A10] = "Key violation";
  facade.entries = {{0x2A10, 0, "Duplicate in CASES"}};
  ETDBEngineError error(facade, 11972);
  EXPECT_EQ(error.Message(), "Duplicate in CASES");
  EXPECT_EQ(error.Errors(0).Message, "general text");
}

TEST(DatabaseEngineErrorTest, AFacadeThatNeverEndsIsReadNoDeeperThanItsStack) {
  class EndlessFacade : public FacadeStandIn {
    uint16_t GetErrorEntry(uint16_t index, int32_t& native, AnsiString& text) override {
      ++entryReads;
      native = 1;
      text = "entry";
      return 0x2401;
    }
  } facade;
  ETDBEngineError error(facade, 0x2401);
  EXPECT_EQ(error.Message(), "entry");
  EXPECT_EQ(facade.entryReads, 20);
}

TEST(DatabaseEngineErrorTest, CheckEngineStatusRaisesOnlyForFailures) {
  FacadeStandIn facade;
  EXPECT_NO_THROW(CheckEngineStatus(facade, 0));
  EXPECT_THROW(CheckEngineStatus(facade, 0x2206), ETDBEngineError);
  try {
    RaiseDatabaseEngineError(facade, 0x2206);
  } catch (const ETDBEngineError& error) {
    EXPECT_EQ(error.Errors(0).ErrorCode, 0x2206);
  }
}

}  // namespace
