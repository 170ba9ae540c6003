// The print-file names: patterns from the date and time, time names, and the checks a typed name
// passes.
#include <gtest/gtest.h>

#include <optional>

#include "dialogs/PrintChoices.h"
#include "framework/base/Clock.h"
#include "framework/base/DateTime.h"
#include "framework/base/Locale.h"
#include "framework/base/Random.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class PrintFileNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    saved = Locale();
    clock.setNow(EncodeDate(2026, 5, 26) + EncodeTime(9, 5, 7, 0));
    qn::setClock(&clock);
    PrintChoice = TPrintChoice{};
    PrintChoice.ReportNumber = 63;
  }
  void TearDown() override {
    qn::setClock(nullptr);
    Locale() = saved;
    PrintChoice = TPrintChoice{};
  }
  LocaleSettings saved;
  qn::ManualClock clock;
};

struct PatternCase {
  const char* dateFormat;
  const char* pattern;
  const char* name;
};

TEST_F(PrintFileNamesTest, PatternsNameTheFileByTheDateAndTime) {
  const PatternCase cases[] = {
      {"M/d/yyyy", "*+", "GL0526T0.905"},  {"M/d/yyyy", "+*", "GL0526T0.905"},
      {"M/d/yyyy", "*", "GL052626"},       {"M/d/yyyy", "+", "GL090507"},
      {"M/d/yyyy", "*AB", "GL052626.AB"},  {"M/d/yyyy", "*.TXT", "GL052626"},
      {"M/d/yyyy", "+ABCD", "GL090507.ABC"}, {"d/M/yyyy", "*+", "GL2605T0.905"},
      {"d/M/yyyy", "*", "GL260526"},       {"dd.MM.yy", "*", "GL260526"},
      {"d/M/yyyy", "+X", "GL090507.X"},
  };
  for (const PatternCase& c : cases) {
    Locale().ShortDateFormat = c.dateFormat;
    EXPECT_EQ(StarPlus(c.pattern), c.name) << c.dateFormat << " " << c.pattern;
  }
  PrintChoice.ReportNumber = 1;
  Locale().ShortDateFormat = "M/d/yyyy";
  EXPECT_EQ(StarPlus("*"), "BS052626");
  clock.setNow(EncodeDate(2026, 11, 3) + EncodeTime(14, 30, 0, 0));
  EXPECT_EQ(StarPlus("+"), "BS023000");  // "2:30:00 PM": the clock's text, not a 24-hour one
}

struct TimeNameCase {
  int64_t number;
  int64_t cut;
  const char* name;  // 'r' where a random digit stands
};

TEST_F(PrintFileNamesTest, TimeNamesSpellTheNumberInFourSymbols) {
  const TimeNameCase cases[] = {
      {0, 0, "rrrr"},
      {35, 35, "rrrY"},
      {36, 36, "rrrZ"},
      {46655, 46655, "rYYY"},
      {46656, 46656, "rZrr"},
      {1679615, 1679615, "YYYY"},
      {1679616, 679616, "DJD7"},
      {123456789, 456789, "8RFK"},  // its last seven digits, 3456789, are still too many: then 456789
  };
  for (const TimeNameCase& c : cases) {
    qn::ScriptedRandom random({4, 7, 2, 8});
    int64_t number = c.number;
    AnsiString name;
    GetTimeName(number, name);
    EXPECT_EQ(number, c.cut) << c.number;
    AnsiString expected = c.name;
    int next = 0;
    const char digits[] = {'4', '7', '2', '8'};
    for (char& symbol : expected)
      if (symbol == 'r') symbol = digits[next++];
    EXPECT_EQ(name, expected) << c.number;
    EXPECT_EQ(random.calls(), next) << c.number;
  }
}

const AnsiString ForbiddenLine = "File names must not contain the characters  / \\ : * ? \" < > |";

struct NameCase {
  const char* name;
  PrintFileFormat format;
  std::optional<AnsiString> message;  // the refusal, when refused
  const char* accepted;
  TModalResult answer = mrOk;  // to a question
};

TEST_F(PrintFileNamesTest, ATypedNameIsCheckedOnLeavingTheBoxAndAtOk) {
  const AnsiString pdfQuestion = "You are creating a report in PDF format.\r\rChange X.TXT to X.PDF?";
  const NameCase cases[] = {
      {"REPORT.TXT", PrintFileFormat::Text, std::nullopt, "REPORT.TXT"},
      {"REPORT12.TXT", PrintFileFormat::Text, std::nullopt, "REPORT12.TXT"},
      {"REPORT123.TX", PrintFileFormat::Text, "File name is too long!", ""},
      {"REPORT123", PrintFileFormat::Text, "File name is too long!", ""},
      {"REPORT12.TXTX", PrintFileFormat::Text, "File name is too long!", ""},
      {"AB.TEXT", PrintFileFormat::Text, "File extension is too long!", ""},
      {"A B", PrintFileFormat::Text, "There must be no blanks in the print-file name.", ""},
      {"", PrintFileFormat::Text, "The print-to-file name must not be blank.\r", ""},
      {"A?B", PrintFileFormat::Text, "The print-to-file name,  A?B,  is not valid.\r" + ForbiddenLine, ""},
      {"AB*C", PrintFileFormat::Text, "Use * and/or + only in first two positions of file name.", ""},
      {"A*B", PrintFileFormat::Text, "To use the *+ feature, the first character of the file name must be a * or a +.", ""},
      {"A+", PrintFileFormat::Text, "To use the *+ feature, the first character of the file name must be a * or a +.", ""},
      {"*A", PrintFileFormat::Text, std::nullopt, "GL052626.A"},
      {"+*X", PrintFileFormat::Text, std::nullopt, "GL0526T0.905"},
      {"X.PDF", PrintFileFormat::Text,
       "You may not use the file extension PDF when writing a report to a data or text file.", ""},
      {"x.pdf", PrintFileFormat::Data,
       "You may not use the file extension PDF when writing a report to a data or text file.", ""},
      {"X", PrintFileFormat::Pdf, std::nullopt, "X.PDF"},
      {"X.PDF", PrintFileFormat::Pdf, std::nullopt, "X.PDF"},
  };
  for (const NameCase& c : cases) {
    ScriptedMessageBoxes boxes;
    if (c.message) boxes.expect(mtWarning, *c.message);
    AnsiString name = c.name;
    const bool accepted = EditFileName(name) && IsPrintFileNameOK(name, c.format);
    EXPECT_EQ(accepted, !c.message) << c.name;
    if (accepted) {
      EXPECT_EQ(name, c.accepted) << c.name;
    }
  }
  {
    // A character the code page lacks reaches the name as '?', which the name may not hold.
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "The print-to-file name,  A?B.TXT,  is not valid.\r" + ForbiddenLine);
    AnsiString name = qn::utf8ToAnsi("A\u03A9B.TXT");
    EXPECT_FALSE(EditFileName(name) && IsPrintFileNameOK(name, PrintFileFormat::Text));
  }
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, pdfQuestion, mrYes);
    AnsiString name = "X.TXT";
    EXPECT_TRUE(IsPrintFileNameOK(name, PrintFileFormat::Pdf));
    EXPECT_EQ(name, "X.PDF");
  }
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, pdfQuestion, mrNo)
        .expect(mtWarning,
                "The print-to-file name must have a '.PDF' suffix.  Change the filename accordingly or select a different "
                "print to file format.");
    AnsiString name = "X.TXT";
    EXPECT_FALSE(IsPrintFileNameOK(name, PrintFileFormat::Pdf));
    EXPECT_EQ(name, "X.TXT");
  }
}

TEST_F(PrintFileNamesTest, ASavedPatternIsCheckedFromItsSecondCharacter) {
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "The print-to-file name suffix,  A:B,  is not valid.\r" + ForbiddenLine);
    AnsiString name = "*A:B";
    EXPECT_FALSE(IsPrintFileNameOK(name, PrintFileFormat::Text));
  }
  for (const char* pattern : {"*+", "+*", "*", "*AB"}) {
    ScriptedMessageBoxes none;
    AnsiString name = pattern;
    EXPECT_TRUE(IsPrintFileNameOK(name, PrintFileFormat::Text)) << pattern;
  }
}

TEST_F(PrintFileNamesTest, ForbiddenKeysAreDroppedWithTheirMessage) {
  const AnsiString text = "Do not use characters  / \\ : ? \" < > | , = [ ] in the print file name";
  for (char forbidden : AnsiString("/\\:?\"<>|=,[]")) {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, text);
    char key = forbidden;
    FilterPrintFileNameKey(key);
    EXPECT_EQ(key, 0) << forbidden;
  }
  ScriptedMessageBoxes none;
  for (char allowed : AnsiString("*+A9._-")) {
    char key = allowed;
    FilterPrintFileNameKey(key);
    EXPECT_EQ(key, allowed);
  }
}

TEST_F(PrintFileNamesTest, AFolderAndANameAreJoinedWithOneBackslash) {
  EXPECT_EQ(DoPrintPathFileName("C:\\Reports", "A.TXT"), "C:\\Reports\\A.TXT");
  EXPECT_EQ(DoPrintPathFileName("C:\\", "A.TXT"), "C:\\A.TXT");
  EXPECT_EQ(DoPrintPathFileName("/srv/reports/", "A.TXT"), "/srv/reports/A.TXT");
}

TEST_F(PrintFileNamesTest, ReportCodesFollowTheTableAndOthersAreBlank) {
  EXPECT_EQ(ReportCodeTable.size(), 90u);
  const std::pair<int, const char*> codes[] = {{1, "BS"},  {14, "TF"}, {15, "  "}, {31, "MC"}, {36, "TB"},
                                               {44, "IR"}, {45, "  "}, {61, "TB"}, {63, "GL"}, {66, "CL"},
                                               {67, "  "}, {90, "  "}, {0, "  "},  {91, "  "}};
  for (const auto& [number, code] : codes) EXPECT_EQ(ReportCode(number), code) << number;
}

}  // namespace
