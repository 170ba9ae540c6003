#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "framework/ui/FileDialogs.h"
#include "framework/ui/FontDialog.h"
#include "framework/ui/InputBox.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "framework/ui/tests/FormTestSupport.h"

namespace qn::ui::testing {
namespace {

struct FilterCase {
  AnsiString filter;
  QStringList qtFilters;
};

TEST(StandardDialogsTest, FilterTextsBecomeQtFiltersMatchingEitherCase) {
  const FilterCase cases[] = {
      {"Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT",
       {"Rich Text Files (*.RTF) (*.[rR][tT][fF])", "Text Files (*.TXT) (*.[tT][xX][tT])"}},
      {"User dictionaries|*.udt;*.dic", {"User dictionaries (*.[uU][dD][tT] *.[dD][iI][cC])"}},
      {"|*.dct", {"(*.[dD][cC][tT])"}},
      {"All files|*.*", {"All files (*.*)"}},
      {"Reports 2|rep?_1.q*", {"Reports 2 ([rR][eE][pP]?_1.[qQ]*)"}},
      {"Everything", {"Everything (*)"}},
      {"", {}},
  };
  for (const FilterCase& c : cases) EXPECT_EQ(qtNameFilters(c.filter), c.qtFilters) << c.filter;
}

TEST(StandardDialogsTest, TheDefaultExtensionIsAddedOnlyToANameWithoutOne) {
  const std::tuple<AnsiString, AnsiString, AnsiString> cases[] = {
      {"/tmp/letter", "rtf", "/tmp/letter.rtf"},     {"/tmp/letter.txt", "rtf", "/tmp/letter.txt"},
      {"/tmp/v1.2/letter", "rtf", "/tmp/v1.2/letter.rtf"}, {"C:\\Docs\\memo", "rtf", "C:\\Docs\\memo.rtf"},
      {"/tmp/letter", "", "/tmp/letter"},             {"", "rtf", ""},
      {"/tmp/", "rtf", "/tmp/"},
  };
  for (const auto& [name, extension, expected] : cases)
    EXPECT_EQ(withDefaultExtension(name, extension), expected) << name << " + " << extension;
}

TEST(StandardDialogsTest, FileDialogsAnswerTheScriptWithTheDefaultExtension) {
  qtApplication();
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile(FileDialogAnswer{"/data/letter.RTF", 1})
      .expectSaveFile(FileDialogAnswer{"/data/copy", 2})
      .expectOpenFile(std::nullopt);
  const FileDialogRequest request{"Load", "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT", 1, "rtf",
                                  "/data", "", true, false};

  auto opened = showOpenFileDialog(request);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->fileName, "/data/letter.RTF");
  auto saved = showSaveFileDialog(request);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->fileName, "/data/copy.rtf");
  EXPECT_EQ(saved->filterIndex, 2);
  EXPECT_FALSE(showOpenFileDialog(request)) << "Cancel";
  ASSERT_EQ(dialogs.fileRequests().size(), 3u);
  EXPECT_EQ(dialogs.fileRequests()[0].initialDir, "/data");
  EXPECT_EQ(dialogs.fileRequests()[0].defaultExtension, "rtf");
}

TEST(StandardDialogsTest, TheFontDialogAnswersAChoiceThatAFontTakesInOneChange) {
  qtApplication();
  TFont font;
  font.SetName("Arial");
  font.SetSize(10);
  font.SetCharset(0);
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };

  ScriptedDialogs dialogs;
  FontChoice chosen{"Times New Roman", 14, TFontStyles{fsBold, fsUnderline}, clRed, 0};
  dialogs.expectFont(chosen).expectFont(std::nullopt);
  auto answer = showFontDialog({FontChoice::of(font), FontDialogDevices::screenAndPrinter});
  ASSERT_TRUE(answer);
  answer->applyTo(font);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(FontChoice::of(font), chosen);
  EXPECT_FALSE(showFontDialog({FontChoice::of(font), FontDialogDevices::screen}));
  ASSERT_EQ(dialogs.fontRequests().size(), 2u);
  EXPECT_EQ(dialogs.fontRequests()[0].font.name, "Arial");
  EXPECT_EQ(dialogs.fontRequests()[0].font.size, 10);
  EXPECT_EQ(dialogs.fontRequests()[0].devices, FontDialogDevices::screenAndPrinter);
}

TEST(StandardDialogsTest, TheInputBoxAnswersTheTextOrCancel) {
  qtApplication();
  ScriptedDialogs dialogs;
  dialogs.expectInputBox(AnsiString("1999")).expectInputBox(std::nullopt);
  EXPECT_EQ(showInputBox({"Enter Valid Year (1990-2030)", "Enter New Year:", "2026"}), AnsiString("1999"));
  EXPECT_FALSE(showInputBox({"Enter Valid Year", "", "2026"}));
  ASSERT_EQ(dialogs.inputRequests().size(), 2u);
  EXPECT_EQ(dialogs.inputRequests()[0].prompt, "Enter New Year:");
  EXPECT_EQ(dialogs.inputRequests()[0].defaultValue, "2026");
}

// Printer() lists the printers once per process; ctest runs each test in a process of its own.
class PrintDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    previous_ = setInstalledPrinterSource([] { return InstalledPrinters{{"Office Laser", "Front Desk"}, "Office Laser", {}}; });
    Printer()->ResetSettings();
  }
  void TearDown() override { setInstalledPrinterSource(previous_); }

 private:
  InstalledPrinterSource previous_;
};

TEST_F(PrintDialogsTest, ThePrintDialogChoosesThePrinterAndLeavesTheCopiesToTheCaller) {
  ScriptedDialogs dialogs;
  dialogs.expectPrint(PrintChoice{"Front Desk", 3, true}).expectPrint(std::nullopt);
  auto choice = showPrintDialog({1, true});
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->copies, 3);
  EXPECT_TRUE(choice->collate);
  EXPECT_EQ(Printer()->PrinterName(), "Front Desk");
  EXPECT_EQ(Printer()->Copies(), 1);
  EXPECT_TRUE(dialogs.printRequests().at(0).collate);

  Printer()->SetPrinterName("Office Laser");
  EXPECT_FALSE(showPrintDialog({1, true}));
  EXPECT_EQ(Printer()->PrinterName(), "Office Laser") << "Cancel changes nothing";
}

TEST_F(PrintDialogsTest, PrinterSetUpSetsPrinterOrientationAndPaper) {
  ScriptedDialogs dialogs;
  dialogs.expectPrinterSetup(PrinterSetupChoice{"Front Desk", TPrinterOrientation::poLandscape, 5})
      .expectPrinterSetup(std::nullopt);
  ASSERT_TRUE(showPrinterSetupDialog());
  EXPECT_EQ(Printer()->PrinterName(), "Front Desk");
  EXPECT_EQ(Printer()->Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_EQ(Printer()->PaperSize(), 5);
  EXPECT_FALSE(showPrinterSetupDialog());
  EXPECT_EQ(Printer()->PaperSize(), 5);
}

TEST_F(PrintDialogsTest, PageSetUpOnlyAnswersAndCarriesTheRequest) {
  ScriptedDialogs dialogs;
  PageSetupChoice chosen{{750, 1000, 750, 1250}, TPrinterOrientation::poLandscape, 9, "Front Desk"};
  dialogs.expectPageSetup(chosen);
  PageSetupRequest request{{1000, 1000, 1000, 1000}, MarginUnits::hundredthsOfMillimetre,
                           TPrinterOrientation::poPortrait, 1, "Office Laser", false};
  auto answer = showPageSetupDialog(request);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->margins, chosen.margins);
  EXPECT_EQ(answer->paperSize, 9);
  EXPECT_EQ(Printer()->PrinterName(), "Office Laser") << "the caller applies the page set-up";
  const PageSetupRequest& asked = dialogs.pageSetupRequests().at(0);
  EXPECT_FALSE(asked.paperChoiceEnabled);
  EXPECT_EQ(asked.units, MarginUnits::hundredthsOfMillimetre);
}

TEST(StandardDialogsTest, AModalDialogDeactivatesTheFormUnderIt) {
  qtApplication();
  ScriptedDialogs dialogs;
  dialogs.expectInputBox(AnsiString("x"));
  EXPECT_EQ(activationLogAround([] { showInputBox({"Caption", "Prompt", ""}); }),
            (Log{"deactivate F", "activate F"}));
}

TEST(StandardDialogsTest, AnUnexpectedDialogFailsTheTest) {
  qtApplication();
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        EXPECT_FALSE(showInputBox({"Caption", "Prompt", ""}));
      },
      "an unexpected input box appeared");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.expectFont(std::nullopt);
        EXPECT_FALSE(showOpenFileDialog({}));
      },
      "the open-file dialog appeared where the script expected the font dialog");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.expectPageSetup(std::nullopt);
      },
      "an expected page set-up dialog never appeared");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        FindReplaceDialog find(nullptr, FindReplaceKind::find);
        find.Execute();
        EXPECT_TRUE(find.Showing());
      },
      "an unexpected find dialog appeared");
}

}  // namespace
}  // namespace qn::ui::testing
