// The text-report writer on a file (byte for byte against a kept report), on the test printer
// (pitch, font fitting, margin, the printer chosen), into a PDF file read back as text, and its
// text file used by another unit for a file of its own.
#include <gtest/gtest.h>

#include <QProcess>

#include "core/Globals.h"
#include "dialogs/PrintChoice.h"
#include "dialogs/ReportWriter.h"
#include "framework/base/Clock.h"
#include "framework/base/DateTime.h"
#include "framework/base/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Form.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/Printer.h"
#include "framework/ui/testing/FakePrinter.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::FakePrinter;

const std::string kFixtures = QN_DIALOGS_FIXTURES;

// "Line 001" ... as wide as a report line, so a cut or a wrap would show.
AnsiString reportLine(int n) {
  AnsiString text = "Line " + std::to_string(1000 + n).substr(1);
  text.resize(TReportPage::LineWidth, '.');
  return text;
}

class ReportWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    folder = qn::testing::makeScratchDir("reports");
    saved = ReportPage.PageNumber;
    ReportPage.PageNumber = 1;
    ReportPage.Started = false;
    ReportPage.ToPrinter = false;
    ReportPage.OrientationCode = 'R';
    ReportPage.LinesPerPage = 64;
    ReportPage.PageHeight = 64;
    ReportPage.HeaderKind = hkCaseAudit;
    SystemDateDisplay = "05/26/26";
    clock.setNow(EncodeDate(2026, 5, 26) + EncodeTime(14, 5, 9, 0));
    qn::setClock(&clock);
    PrintChoice = {};
    PrintChoice.Folder = folder;
    PrintChoice.FileName = "AUDIT.TXT";
    previousPrinters = qn::ui::setInstalledPrinterSource([this] { return installed; });
  }
  void TearDown() override {
    if (ReportPage.ReportFileOpen) ReportPage.ReportFile.Close();
    ReportPage.ReportFileOpen = false;
    if (Printer()->Printing()) Printer()->Abort();
    Printer()->SetOutputFile("");
    qn::ui::setInstalledPrinterSource(previousPrinters);
    qn::setClock(nullptr);
    ReportPage.PageNumber = saved;
  }

  // As the audit trail writes: a page-break check before every block of four lines.
  static void writeLines(int count) {
    for (int i = 0; i < count; ++i) {
      if (i % 4 == 0) CheckReportPageBreak(ReportPage, 4);
      if (ReportPage.ToPrinter) PrintReportLine(reportLine(i + 1), ReportPage.Position, ReportPage.LeftMargin, 0);
      else WriteReportFileLine(reportLine(i + 1), ReportPage, false);
    }
  }
  static void endReport() {
    if (ReportPage.ToPrinter && Printer()->Printing()) Printer()->EndDoc();
    if (ReportPage.ReportFileOpen) {
      ReportPage.ReportFile.Close();
      ReportPage.ReportFileOpen = false;
    }
  }
  // A printed report: the test printer at this resolution, portrait unless told.
  void printReport(int lines) {
    ReportPage.ToPrinter = true;
    ASSERT_TRUE(StartReport());
    writeLines(lines);
    endReport();
  }

  std::string folder;
  int saved = 1;
  qn::ManualClock clock;
  qn::ui::InstalledPrinters installed{{"Office Laser", "Front Desk"}, "Front Desk", {}};
  qn::ui::InstalledPrinterSource previousPrinters;
};

TEST_F(ReportWriterTest, FileReportMatchesTheKeptReportByteForByte) {
  ASSERT_TRUE(StartReport());
  writeLines(130);
  endReport();
  EXPECT_EQ(qn::testing::readFileText(folder + "/AUDIT.TXT"), qn::testing::readFileText(kFixtures + "/report130.txt"));
  EXPECT_EQ(ReportPage.PageNumber, 3);
  EXPECT_TRUE(ReportPage.Started);
}

TEST_F(ReportWriterTest, FilePagesBreakBeforeLine60AndArePaddedTo64) {
  ASSERT_TRUE(StartReport());
  writeLines(130);
  endReport();
  const std::string text = qn::testing::readFileText(folder + "/AUDIT.TXT");
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  ASSERT_EQ(lines.size(), 64u + 64u + 2u + 18u);
  for (int page = 0; page < 3; ++page) {
    const std::string& header = lines[64 * page];
    EXPECT_EQ(header.substr(0, 23), "Printed on 05/26/26 at ");
    EXPECT_EQ(header.substr(55, 24), "QUILLON CASE AUDIT TRAIL");
    EXPECT_NE(header.find(std::string(32, ' ') + "page " + std::to_string(page + 1)), std::string::npos) << header;
    EXPECT_EQ(lines[64 * page + 1], "");
  }
  // 56 lines fit below the header: blocks of four start at 2, 6 ... 54; one at 58 would pass 60.
  EXPECT_EQ(lines[2], reportLine(1));
  EXPECT_EQ(lines[57], reportLine(56));
  for (int i = 58; i < 64; ++i) EXPECT_EQ(lines[i], "") << i;
  EXPECT_EQ(lines[66], reportLine(57));
}

TEST_F(ReportWriterTest, SecondReportInTheRunStartsAtTheNextPage) {
  ASSERT_TRUE(StartReport());
  writeLines(70);
  endReport();
  ASSERT_EQ(ReportPage.PageNumber, 2);
  PrintChoice.FileName = "SECOND.TXT";
  ASSERT_TRUE(StartReport());
  writeLines(1);
  endReport();
  const std::string text = qn::testing::readFileText(folder + "/SECOND.TXT");
  EXPECT_NE(text.substr(0, text.find("\r\n")).find("page 3 "), std::string::npos) << text;
}

TEST_F(ReportWriterTest, MissingFolderMakesStartReportAnswerFalse) {
  PrintChoice.Folder = folder + "/not/there";
  EXPECT_FALSE(StartReport());
  EXPECT_FALSE(ReportPage.Started);
  EXPECT_FALSE(ReportPage.ReportFileOpen);
}

TEST_F(ReportWriterTest, HeaderTitleFollowsTheMainFormsName) {
  struct Case {
    const char* formName;
    const char* title;
  };
  for (const Case& c : {Case{"ClientF", "QUILLON CLIENT AUDIT TRAIL"}, Case{"CaseF", "QUILLON CASE AUDIT TRAIL"}}) {
    TForm form(nullptr);
    form.SetName(c.formName);
    TComponent* previous = Application->MainForm();
    Application->SetMainForm(&form);
    ASSERT_TRUE(StartReport());
    endReport();
    Application->SetMainForm(previous);
    const std::string text = qn::testing::readFileText(folder + "/AUDIT.TXT");
    EXPECT_EQ(text.substr(55, std::string(c.title).size()), c.title) << c.formName;
  }
  // The reallocation dialog showing wins over the main form.
  auto* reallocation = new TForm(Application);
  reallocation->SetName("ReAllocF");
  reallocation->SetVisible(true);
  ASSERT_TRUE(StartReport());
  endReport();
  delete reallocation;
  EXPECT_EQ(qn::testing::readFileText(folder + "/AUDIT.TXT").substr(55, 27), "DUMMY-RECEPTOR REALLOCATION");
}

TEST_F(ReportWriterTest, PrinterPitchIsTheHeightOverSixtyFour) {
  // Letter paper at 582 dots per inch is 6402 pixels high.
  FakePrinter fake(582);
  printReport(3);
  EXPECT_EQ(ReportPage.LinePitch, 100);
  EXPECT_EQ(ReportPage.PageHeight, 6400);
  ASSERT_EQ(fake.documents().size(), 1u);
  const auto& texts = fake.documents()[0].pages[0].texts;
  ASSERT_GE(texts.size(), 4u);
  // The header, its blank line, then the lines, one pitch apart.
  EXPECT_EQ(texts.back().position.y() - texts[texts.size() - 2].position.y(), 100);
}

TEST_F(ReportWriterTest, NarrowPageShrinksTheFontUntil134CharactersFit) {
  FakePrinter fake(300);
  ReportPage.ToPrinter = true;
  ASSERT_TRUE(StartReport());
  Canvas* canvas = Printer()->Canvas();
  const int width = Printer()->PageWidth();
  const int fitted = canvas->Font()->Height();
  EXPECT_LT(fitted, 300 * 12 / 72) << "portrait Letter cannot hold 134 characters at 12 points";
  EXPECT_LE(canvas->textWidth("A") * 134, width);
  canvas->Font()->SetHeight(fitted + 1);
  EXPECT_GT(canvas->textWidth("A") * 134, width) << "the font shrank more than it had to";
  canvas->Font()->SetHeight(fitted);
  const int margin = 2 * canvas->textWidth("A");
  EXPECT_EQ(ReportPage.LeftMargin, margin);
  writeLines(2);
  endReport();
  const auto& texts = fake.documents()[0].pages[0].texts;
  std::vector<QString> drawn;
  for (const auto& t : texts) {
    if (t.text.trimmed().isEmpty()) continue;
    EXPECT_EQ(t.position.x(), margin) << t.text.toStdString();
    drawn.push_back(t.text);
  }
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_TRUE(drawn[0].startsWith("Printed on 05/26/26 at "));
  EXPECT_EQ(drawn[1].toStdString(), reportLine(1));
  EXPECT_EQ(drawn[2].toStdString(), reportLine(2));
}

TEST_F(ReportWriterTest, PrinterNotInstalledPrintsOnTheDefaultWithoutAWord) {
  qn::ui::testing::ScriptedMessageBoxes boxes;
  FakePrinter fake(300);
  PrintChoice.PrinterName = "Gone Printer";
  printReport(1);
  ASSERT_EQ(fake.documents().size(), 1u);
  EXPECT_EQ(fake.documents()[0].settings.printerName, "Front Desk");
  EXPECT_TRUE(fake.documents()[0].finished);

  PrintChoice.PrinterName = "Office Laser";
  printReport(1);
  EXPECT_EQ(fake.documents()[1].settings.printerName, "Office Laser");
}

TEST_F(ReportWriterTest, LandscapeUnlessTheOrientationCodeIsR) {
  FakePrinter fake(300);
  ReportPage.OrientationCode = 'C';
  printReport(1);
  EXPECT_EQ(fake.documents()[0].settings.layout.orientation(), QPageLayout::Landscape);
  ReportPage.OrientationCode = 'R';
  printReport(1);
  EXPECT_EQ(fake.documents()[1].settings.layout.orientation(), QPageLayout::Portrait);
}

TEST_F(ReportWriterTest, PdfFileReadsBackLineForLine) {
  const std::string pdf = folder + "/report.pdf";
  Printer()->SetOutputFile(pdf);
  printReport(130);
  QProcess process;
  process.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
  ASSERT_TRUE(process.waitForFinished(30000));
  const QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 3);
  std::vector<std::string> body;
  for (int page = 0; page < 3; ++page) {
    QStringList lines = pages[page].split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.trimmed().isEmpty(); });
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].trimmed().startsWith("Printed on 05/26/26 at ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].trimmed().endsWith("page " + QString::number(page + 1))) << lines[0].toStdString();
    for (int i = 1; i < lines.size(); ++i) body.push_back(lines[i].trimmed().toStdString());
  }
  ASSERT_EQ(body.size(), 130u);
  for (int i = 0; i < 130; ++i) EXPECT_EQ(body[i], reportLine(i + 1)) << i;
}

TEST_F(ReportWriterTest, AnotherUnitAppendsToAFileOfItsOwn) {
  const std::string path = folder + "/CDAUDIT.W1";
  qn::testing::writeFileText(path, "old one\r\nold two\r\n");
  ReportPage.ReportFile.Assign(path);
  ReportPage.ReportFile.Append();
  ReportPage.ReportFileOpen = true;
  ReportPage.LinePitch = 1;
  WriteReportFileLine("first", ReportPage, false);
  WriteReportFileLine("second \xE9", ReportPage, false);
  ReportPage.ReportFile.Close();
  ReportPage.ReportFileOpen = false;
  EXPECT_EQ(qn::testing::readFileText(path), "old one\r\nold two\r\nfirst\r\nsecond \xE9\r\n");
  EXPECT_FALSE(ReportPage.ReportFile.IsOpen());
}

TEST_F(ReportWriterTest, FileInAMissingFolderRaisesInOutErrorNamingIt) {
  const std::string path = folder + "/missing/CDAUDIT.W1";
  for (bool append : {false, true}) {
    ReportTextFile file;
    file.Assign(path);
    try {
      append ? file.Append() : file.Rewrite();
      FAIL() << "opened a file in a missing folder";
    } catch (const EInOutError& e) {
      EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(file.IsOpen());
  }
}

}  // namespace
}  // namespace dialogs_test
