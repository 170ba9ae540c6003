// The assigned rates list on a demo copy: the active employees of a rate code with their rates,
// the window that only says there are none, the rate text table, the records it leaves out, its
// sizes, how it draws its cells, and a picture of code "01" for a person to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "casewindow/AssignedRates.h"
#include "casewindow/RatesF.h"
#include "core/Globals.h"
#include "core/PackedDecimal.h"
#include "core/RecordFiles.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MessageBoxService.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "testing/TestDirs.h"

namespace {

namespace fs = std::filesystem;

constexpr uint8_t kFixtureFile = 60;
const AnsiString kNoActiveEmployees = "There are no active employees who have a designated rate of ";

AnsiString bytes(std::initializer_list<uint8_t> values) { return AnsiString(values.begin(), values.end()); }

std::string imagePath(const std::string& name) {
  const fs::path dir = fs::path(qn::os::runningProgramFolder()).parent_path() / "casewindow-images";
  fs::create_directories(dir);
  return (dir / name).string();
}

class RatesFTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    demo = qn::testing::makeScratchDir("rates-demo");
    const std::string command = "'" + qn::os::runningProgramFolder() + "/qnseed' demo '" + demo + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    DataDir = demo + "/data";
    boxes = std::make_unique<qn::ui::testing::ScriptedMessageBoxes>();
  }
  void TearDown() override {
    form.reset();
    boxes.reset();
    CloseAllRecordFiles();
    RateCodeShown.clear();
  }

  // A rate record of the demo's rate file; the layer writes the record number in front.
  void addRate(const AnsiString& employee, const AnsiString& code, const AnsiString& packed) {
    OpenRecordFile(kFixtureFile, DataDir + "\\Yemrt.QF;YE", 0);
    InsertRecord(kFixtureFile, Format("%-4s%-2s", {employee, code}) + packed + AnsiString(9, ' '));
    CloseRecordFile(kFixtureFile);
  }
  void addEmployee(const AnsiString& code) {
    OpenRecordFile(kFixtureFile, DataDir + "\\YEmpl.QF;EM", 0);
    InsertRecord(kFixtureFile, Format("%-4s%-25s%-20s%-2s%-2s%-11s%-6s", {code, "Extra", "Employee", "PR", "AT", "", ""}));
    CloseRecordFile(kFixtureFile);
  }

  TRatesF* shown(const AnsiString& code) {
    RateCodeShown = code;
    form = std::make_unique<TRatesF>(nullptr);
    form->Show();
    return form.get();
  }
  std::vector<AnsiString> column(int index) const { return form->StringGridRates->columnTexts(index); }

  std::string demo;
  std::unique_ptr<qn::ui::testing::ScriptedMessageBoxes> boxes;
  std::unique_ptr<TRatesF> form;
};

TEST_F(RatesFTest, CodeOneListsTheActiveEmployeesWithTheirRatesAndNotTheInactiveOne) {
  TRatesF* rates = shown("01");
  EXPECT_EQ(rates->Caption(), "Assigned rates for 01");
  EXPECT_EQ(column(0), (std::vector<AnsiString>{"Employee", "AMB ", "DCK ", "LPW ", "RTS "}));
  EXPECT_EQ(column(1), (std::vector<AnsiString>{"Rate", "       325.00", "       300.00", "       250.00",
                                                "       120.00"}));
  EXPECT_FALSE(rates->Timer1->Enabled());
  EXPECT_FALSE(IsRecordFileOpen(RateListRateFile));
  EXPECT_FALSE(IsRecordFileOpen(RateListEmployeeFile));
  EXPECT_TRUE(rates->Window()->grab().toImage().save(QString::fromStdString(imagePath("ratesf-01.png"))));
}

TEST_F(RatesFTest, ACodeOfOnlyInactiveEmployeesShowsTheWindowThenSaysSoAndCloses) {
  addRate("OML", "03", IntegerToPacked(20000, 5, 2));
  boxes->expect(mtInformation, kNoActiveEmployees + "03.");
  RateCodeShown = "03";
  form = std::make_unique<TRatesF>(nullptr);
  bool shownAtMessage = false;
  MessageBoxPresenter script;
  script = qn::ui::setMessageBoxPresenter([&](const MessageBoxRequest& request) {
    shownAtMessage = form->Visible();
    return script(request);
  });
  const TModalResult result = form->runModal();
  qn::ui::setMessageBoxPresenter(script);
  EXPECT_TRUE(shownAtMessage);
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(column(0), (std::vector<AnsiString>{"Employee", ""}));
}

TEST_F(RatesFTest, RateTextsFollowTheDigitsAndTheListPutsThePointBeforeTheLastTwo) {
  struct Row {
    const char* name;
    AnsiString packed;
    AnsiString digits;
    AnsiString shown;
  };
  auto blanks = [](size_t n) { return AnsiString(n, ' '); };
  const Row rows[] = {
      {"325.00", bytes({0x00, 0x00, 0x32, 0x50, 0x0F}), blanks(7) + "32500", blanks(7) + "325.00"},
      {"0.05", bytes({0x00, 0x00, 0x00, 0x00, 0x5F}), blanks(10) + "05", blanks(10) + ".05"},
      {"0.50", bytes({0x00, 0x00, 0x00, 0x05, 0x0F}), blanks(10) + "50", blanks(10) + ".50"},
      {"9999999.99", bytes({0x99, 0x99, 0x99, 0x99, 0x9F}), blanks(3) + "999999999", blanks(3) + "9999999.99"},
      {"zero", bytes({0x00, 0x00, 0x00, 0x00, 0x0F}), blanks(10) + "00", blanks(10) + ".00"},
      {"D-signed 12.50", bytes({0x00, 0x00, 0x01, 0x25, 0x0D}), blanks(7) + "-1250", blanks(7) + "-12.50"},
      {"B-signed 0.05", bytes({0x00, 0x00, 0x00, 0x00, 0x5B}), blanks(9) + "-05", blanks(9) + "-.05"},
      {"zero with a negative sign", bytes({0x00, 0x00, 0x00, 0x00, 0x0D}), blanks(10) + "00", blanks(10) + ".00"},
      {"C-signed 325.00", bytes({0x00, 0x00, 0x32, 0x50, 0x0C}), blanks(7) + "32500", blanks(7) + "325.00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<AnsiString> text = PackedRateText(row.packed);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, row.digits);
    EXPECT_EQ(RateWithPoint(*text), row.shown);
  }
  struct Damaged {
    const char* name;
    AnsiString packed;
  };
  const Damaged damaged[] = {
      {"a low nibble above 9", bytes({0x00, 0x00, 0x0A, 0x25, 0x0F})},
      {"a high nibble above 9", bytes({0x00, 0xB0, 0x03, 0x25, 0x0F})},
      {"the last digit above 9", bytes({0x00, 0x00, 0x03, 0x25, 0xAF})},
      {"four bytes", bytes({0x00, 0x03, 0x25, 0x0F})},
  };
  for (const Damaged& row : damaged) {
    SCOPED_TRACE(row.name);
    EXPECT_FALSE(PackedRateText(row.packed).has_value());
  }
}

TEST_F(RatesFTest, ARateWithDamagedDigitsIsLeftOut) {
  addRate("AMB", "04", bytes({0x00, 0x00, 0x3C, 0x25, 0x0F}));
  addRate("DCK", "04", IntegerToPacked(17550, 5, 2));
  shown("04");
  EXPECT_EQ(column(0), (std::vector<AnsiString>{"Employee", "DCK "}));
  EXPECT_EQ(column(1), (std::vector<AnsiString>{"Rate", "       175.50"}));
}

TEST_F(RatesFTest, RateRecordsShorterThanTheirLayoutAreLeftOut) {
  // A rate file whose records end 4 bytes early, with a whole rate in each.
  fs::remove(DataDir + "/Yemrt.qf");
  AnsiString message;
  ASSERT_TRUE(CreateRecordFile(DataDir + "/Yemrt.qf", 20, 5, message, true,
                               {{0, 1, 4, false, false, true},
                                {1, 5, 4, false, true, false},
                                {1, 9, 2, false, true, false},
                                {2, 9, 2, true, true, false},
                                {2, 5, 4, true, true, false}}))
      << message;
  OpenRecordFile(kFixtureFile, DataDir + "\\Yemrt.QF", 0);
  InsertRecord(kFixtureFile, "AMB 01" + IntegerToPacked(32500, 5, 2) + AnsiString(5, ' '));
  CloseRecordFile(kFixtureFile);
  TRatesF* rates = shown("01");
  EXPECT_EQ(column(0), (std::vector<AnsiString>{"Employee", ""}));
  EXPECT_TRUE(rates->Timer1->Enabled()) << "the list says there is none";
}

TEST_F(RatesFTest, AFailedOpenLeavesNoFileOpenAndComesThrough) {
  fs::remove(DataDir + "/YEmpl.qf");
  EXPECT_THROW(shown("01"), EAbort);
  EXPECT_FALSE(IsRecordFileOpen(RateListRateFile));
  EXPECT_FALSE(IsRecordFileOpen(RateListEmployeeFile));
}

TEST_F(RatesFTest, TheGridFitsItsRowsUpToSixteenAndScrollsBeyond) {
  for (int i = 1; i <= 17; ++i) {
    const AnsiString code = Format("E%02d", {i});
    addEmployee(code);
    addRate(code, "05", IntegerToPacked(10000 + i, 5, 2));
  }
  struct Row {
    const char* code;
    int rows;
    bool scrolls;
  };
  for (const Row& row : {Row{"01", 5, false}, Row{"05", 18, true}}) {
    SCOPED_TRACE(row.code);
    TRatesF* rates = shown(row.code);
    RatesGrid* grid = rates->StringGridRates;
    const int rowHeight = grid->defaultRowHeight();
    ASSERT_EQ(grid->rowCount(), row.rows);
    if (row.scrolls) {
      EXPECT_EQ(grid->Height(), 16 * rowHeight + 38);
      EXPECT_EQ(grid->Width(), 240 + qn::ui::screenFacts().verticalScrollBarWidth + 2);
      EXPECT_EQ(grid->scrollBars(), scrollBarsVertical);
    } else {
      EXPECT_EQ(grid->Height(), row.rows * (rowHeight + 2) - 4);
      EXPECT_EQ(grid->Width(), 240);
      EXPECT_EQ(grid->scrollBars(), scrollBarsNone);
    }
    EXPECT_EQ(rates->Height(), rates->Panel1->Height() + grid->Height() + 55);
    EXPECT_EQ(grid->Left(), (rates->ClientWidth() - grid->Width()) / 2 - 2);
    EXPECT_EQ(grid->Top(), 2);
  }
}

TEST_F(RatesFTest, BelowOneHundredTwentyPixelsPerInchTheWindowIsEightyFivePixelsWider) {
  RateCodeShown = "01";
  int widths[2] = {};
  const int pixelsPerInch[2] = {120, 96};
  for (int i = 0; i < 2; ++i) {
    form = std::make_unique<TRatesF>(nullptr);
    form->SetPixelsPerInch(pixelsPerInch[i]);
    const int before = form->Width();
    form->Show();
    widths[i] = form->Width() - before;
  }
  EXPECT_EQ(widths[0], 0);
  EXPECT_EQ(widths[1], 85);
}

// The employee in navy from the cell's left, the rate in black ending 2 pixels from its right.
TEST_F(RatesFTest, EmployeesAreDrawnNavyAtTheLeftAndRatesBlackAtTheRight) {
  TRatesF* rates = shown("01");
  RatesGrid* grid = rates->StringGridRates;
  const QImage picture = grid->Window()->grab().toImage();
  // The leftmost and rightmost column of the cell holding an ink pixel: text is smoothed, so a
  // navy glyph is dark with blue well above red, a black one dark and grey.
  auto inkIn = [&](const TRect& cell, bool navy) {
    std::pair<int, int> ink{1 << 30, -1};
    for (int y = cell.Top; y < cell.Bottom; ++y)
      for (int x = cell.Left; x < cell.Right; ++x) {
        const QRgb pixel = picture.pixel(x, y);
        const int red = qRed(pixel), blue = qBlue(pixel);
        const bool inked = navy ? red < 80 && blue - red > 60 : blue < 80 && std::abs(blue - red) < 10;
        if (inked) ink = {std::min(ink.first, x), std::max(ink.second, x)};
      }
    return ink;
  };
  for (int row = 1; row < grid->rowCount(); ++row) {
    SCOPED_TRACE(row);
    const TRect employee = grid->cellBounds(0, row);
    const auto [navyLeft, navyRight] = inkIn(employee, true);
    ASSERT_GE(navyRight, 0) << "no navy in the employee cell";
    EXPECT_LE(navyLeft, employee.Left + 3);
    EXPECT_LT(inkIn(employee, false).second, 0) << "black in the employee cell";
    const TRect rate = grid->cellBounds(1, row);
    const auto [blackLeft, blackRight] = inkIn(rate, false);
    ASSERT_GE(blackRight, 0) << "no black in the rate cell";
    EXPECT_LE(blackRight, rate.Right - 3);
    EXPECT_GE(blackRight, rate.Right - 5);
    EXPECT_GT(blackLeft, rate.Left + rate.Width() / 2) << "right-aligned";
    EXPECT_LT(inkIn(rate, true).second, 0) << "navy in the rate cell";
  }
}

}  // namespace
