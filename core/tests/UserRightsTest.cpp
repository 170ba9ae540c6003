#include "core/UserRights.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using core_test::writeMachineInteger;
using core_test::writeMachineString;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kCall = "\r\rPlease call Vantor, Inc. for assistance.";

double bit(int n) { return static_cast<double>(1LL << n); }

// Host values as the suite stores them: numbers as text.
void store(const std::map<AnsiString, double>& values) {
  for (const auto& [name, value] : values) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    writeMachineString(HostKey, name, text);
  }
}

// The letters of rights 1..N as one text, so a whole table compares at once.
template <int N>
std::string letters(const NumberedTexts<N>& rights) {
  std::string text;
  for (int i = 1; i <= N; ++i) text += rights[i].empty() ? "." : rights[i];
  return text;
}

// 'Y' for the numbers in granted, 'N' for the others, with the given exceptions.
std::string expected(int count, const std::set<int>& granted, const std::map<int, char>& special = {}) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    auto s = special.find(i);
    text += s != special.end() ? s->second : granted.count(i) ? 'Y' : 'N';
  }
  return text;
}

std::set<int> range(int from, int to) {
  std::set<int> numbers;
  for (int i = from; i <= to; ++i) numbers.insert(i);
  return numbers;
}

std::set<int> operator+(std::set<int> a, const std::set<int>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

class UserRightsTest : public ::testing::Test {
 protected:
  ScriptedMessageBoxes boxes_;
};

TEST_F(UserRightsTest, OneFunctionBit) {
  store({{"ArgInitN", 0}, {"ArgFunc", 1}, {"ArgFuncX", 1}});
  ASSERT_TRUE(LoadFunctionRights());
  EXPECT_EQ(letters(FunctionRights), expected(26, {1}));
}

TEST_F(UserRightsTest, SomeFunctionsStayRefusedWhateverTheBits) {
  store({{"ArgInitN", 12345}, {"ArgFunc", bit(26) - 1}, {"ArgFuncX", 12345 + bit(26) - 1}});
  ASSERT_TRUE(LoadFunctionRights());
  EXPECT_EQ(letters(FunctionRights), expected(26, range(1, 26), {{6, 'N'}, {7, 'N'}, {11, 'N'}, {12, 'N'}, {13, 'N'},
                                                                  {23, 'N'}, {26, 'N'}}));
}

TEST_F(UserRightsTest, FilesFromEachNumberWithTheMarkedFiles) {
  const double file1 = bit(0) + bit(19);          // files 1 and 20
  const double file2 = 0;                         // none of 21..40
  const double file3 = bit(20) - 1 - bit(19);     // 41..59
  const double file4 = bit(3);                    // 64
  const double file5 = bit(18) + bit(0);          // 99 and 81
  const double file6 = bit(19) + bit(16);         // marker 1 'H' (file 54), marker 2 'D' (file 53)
  const double init = 777;
  store({{"ArgInitN", init}, {"ArgFile1", file1}, {"ArgFile2", file2}, {"ArgFile3", file3}, {"ArgFile4", file4},
         {"ArgFile5", file5}, {"ArgFile6", file6},
         {"ArgFileX", init + file1 + file2 + file3 + file4 + file5 + file6}});
  ASSERT_TRUE(LoadFileRights());
  EXPECT_EQ(letters(FileRights), expected(99, std::set<int>{1, 20, 64, 81, 99} + range(41, 59), {{54, 'H'}, {53, 'D'}}));
}

TEST_F(UserRightsTest, EveryMarkerAndTheLaterLetterOfAMarker) {
  double file6 = 0;
  for (int b = 10; b <= 19; ++b) file6 += bit(b);
  store({{"ArgInitN", 0}, {"ArgFile1", 0}, {"ArgFile2", 0}, {"ArgFile3", 0}, {"ArgFile4", 0}, {"ArgFile5", 0},
         {"ArgFile6", file6}, {"ArgFileX", file6}});
  ASSERT_TRUE(LoadFileRights());
  EXPECT_EQ(letters(FileRights),
            expected(99, {}, {{54, 'H'}, {53, 'D'}, {57, 'H'}, {61, 'H'}, {65, 'D'}, {69, 'D'}, {73, 'D'}}));
}

TEST_F(UserRightsTest, ReportsFromBothNumbers) {
  store({{"ArgInitN", 5}, {"ArgRep1", bit(17) + bit(1)}, {"ArgRep2", bit(18) - 1}, {"ArgRepX", 5 + bit(17) + bit(1) + bit(18) - 1}});
  ASSERT_TRUE(LoadReportRights());
  EXPECT_EQ(letters(ReportRights), expected(36, std::set<int>{2, 18} + range(19, 36)));
}

TEST_F(UserRightsTest, ATamperedTotalRefusesTheWholeSet) {
  store({{"ArgInitN", 100}, {"ArgFile1", 1}, {"ArgFile2", 2}, {"ArgFile3", 3}, {"ArgFile4", 4}, {"ArgFile5", 5},
         {"ArgFile6", 6}, {"ArgFileX", 121}, {"ArgFunc", 3}, {"ArgFuncX", 103}, {"ArgRep1", 1}, {"ArgRep2", 1},
         {"ArgRepX", 102}});
  ASSERT_TRUE(LoadFileRights());
  ASSERT_TRUE(LoadReportRights());
  const std::string files = letters(FileRights), reports = letters(ReportRights);

  store({{"ArgFileX", 122}, {"ArgFuncX", 102}, {"ArgRepX", 101}});
  EXPECT_FALSE(LoadFileRights());
  EXPECT_FALSE(LoadFunctionRights());
  EXPECT_FALSE(LoadReportRights());
  EXPECT_EQ(letters(FileRights), files) << "left as they were";
  EXPECT_EQ(letters(ReportRights), reports) << "left as they were";
  EXPECT_EQ(letters(FunctionRights), std::string(26, 'N')) << "functions are refused first";
}

TEST_F(UserRightsTest, AValueThatIsNoNumberOrMissingRefusesTheSet) {
  store({{"ArgInitN", 0}, {"ArgRep1", 1}, {"ArgRep2", 1}, {"ArgRepX", 2}, {"ArgFuncX", 1}});
  writeMachineString(HostKey, "ArgFunc", "1x");
  EXPECT_FALSE(LoadFunctionRights());
  writeMachineString(HostKey, "ArgRep2", "");
  EXPECT_FALSE(LoadReportRights());
  EXPECT_FALSE(LoadFileRights()) << "ArgFile1 .. ArgFileX are missing";
}

TEST_F(UserRightsTest, UnreadableValuesAreReported) {
  boxes_.expect(mtInformation, "Unable to read 'ArgInitN'  at this time.");
  EXPECT_FALSE(LoadFunctionRights()) << "no Host key";

  writeMachineInteger(HostKey, "ArgInitN", 0);
  boxes_.expect(mtInformation, "Unable to read the 'ArgInitN' value at this time.");
  EXPECT_FALSE(LoadReportRights()) << "a value of another type";

  core_test::damageMachineHive();
  boxes_.expect(mtInformation, "Unable to open the registry at this time.");
  AnsiString value = "old";
  ReadHostSetting("ArgInitN", value);
  EXPECT_EQ(value, "");
}

TEST_F(UserRightsTest, SecurityDataErrorsNameTheirSource) {
  const std::vector<std::pair<AnsiString, AnsiString>> sources = {
      {"0", "system"}, {"x", "system"}, {"1", "security file"}, {"9", "security file"},
      {"10", ""},      {"12", "registry"}, {"13", "registry"},   {"14", "registry"},
  };
  for (const auto& [code, source] : sources)
    boxes_.expect(mtError, "This user's security data are not valid.\r\rThe entries in the " + source +
                               " appear to be damaged. (" + code + ")" + kCall);
  for (const auto& [code, source] : sources) ShowSecurityDataError(code);
}

}  // namespace
