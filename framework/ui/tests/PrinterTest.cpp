#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>

#include "framework/base/Exception.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/Printer.h"
#include "framework/ui/testing/FakePrinter.h"
#include "framework/ui/testing/QtTestApplication.h"

using qn::ui::testing::FakePrinter;

namespace {

class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    previousSource = qn::ui::setInstalledPrinterSource([this] { return installed; });
  }
  void TearDown() override { qn::ui::setInstalledPrinterSource(previousSource); }

  // Two pages of numbered lines in the monospace font.
  void printTwoPages() {
    printer.SetTitle("Docket");
    printer.BeginDoc();
    for (int page = 1; page <= 2; ++page) {
      if (page > 1) printer.NewPage();
      Canvas* canvas = printer.Canvas();
      canvas->Font()->SetName("Courier New");
      canvas->Font()->SetSize(10);
      for (int line = 1; line <= 3; ++line)
        canvas->drawText(0, line * canvas->fontHeight(), "Page " + std::to_string(page) + " line " + std::to_string(line));
    }
    printer.EndDoc();
  }

  qn::ui::InstalledPrinters installed{{"Office Laser", "Front Desk"}, "Front Desk", {}};
  qn::ui::InstalledPrinterSource previousSource;
  TPrinter printer;
};

QString pdfText(const QString& path) {
  QProcess process;
  process.start("pdftotext", {"-layout", path, "-"});
  EXPECT_TRUE(process.waitForFinished(30000));
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(PrinterTest, PdfFileHoldsThePagesLinesInOrder) {
  QTemporaryDir folder;
  const QString path = folder.filePath("docket.pdf");
  printer.SetOutputFile(path.toStdString());
  printTwoPages();

  const QStringList pages = pdfText(path).split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  for (int page = 1; page <= 2; ++page) {
    QStringList lines = pages[page - 1].split('\n', Qt::SkipEmptyParts);
    for (QString& line : lines) line = line.trimmed();
    lines.removeAll(QString());
    EXPECT_EQ(lines, QStringList({QString("Page %1 line 1").arg(page), QString("Page %1 line 2").arg(page),
                                  QString("Page %1 line 3").arg(page)}));
  }
}

TEST_F(PrinterTest, FakePrinterRecordsPagesAndTextsWithPositions) {
  FakePrinter fake(300);
  printTwoPages();

  ASSERT_EQ(fake.documents().size(), 1u);
  const auto& document = fake.documents()[0];
  EXPECT_TRUE(document.finished);
  EXPECT_EQ(document.settings.title, "Docket");
  ASSERT_EQ(document.pages.size(), 2u);
  for (int page = 0; page < 2; ++page) {
    const auto& texts = document.pages[page].texts;
    ASSERT_EQ(texts.size(), 3u);
    for (int line = 0; line < 3; ++line) {
      EXPECT_EQ(texts[line].text, QString("Page %1 line %2").arg(page + 1).arg(line + 1));
      EXPECT_EQ(texts[line].position.x(), 0);
      if (line > 0) {
        EXPECT_GT(texts[line].position.y(), texts[line - 1].position.y());
      }
    }
  }
}

TEST_F(PrinterTest, RichTextDrawnByQtIsRecorded) {
  FakePrinter fake(300);
  printer.BeginDoc();
  QTextDocument text;
  text.setHtml("<p>First paragraph</p><p>Second paragraph</p>");
  QPainter* painter = printer.PagePainter();
  painter->save();
  painter->translate(100, 200);
  text.drawContents(painter);
  painter->restore();
  printer.EndDoc();

  ASSERT_EQ(fake.documents().size(), 1u);
  const auto& texts = fake.documents()[0].pages.at(0).texts;
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "First paragraph");
  EXPECT_EQ(texts[1].text, "Second paragraph");
  EXPECT_GE(texts[0].position.x(), 100);
  EXPECT_GT(texts[0].position.y(), 200);
  EXPECT_GT(texts[1].position.y(), texts[0].position.y());
}

TEST_F(PrinterTest, PrinterNotInstalledPrintsOnTheDefault) {
  FakePrinter fake;
  printer.SetPrinterName("Removed Printer");
  EXPECT_EQ(printer.PrinterName(), "Front Desk");
  printer.BeginDoc();
  printer.EndDoc();
  printer.SetPrinterName("Office Laser");
  printer.BeginDoc();
  printer.EndDoc();
  ASSERT_EQ(fake.documents().size(), 2u);
  EXPECT_EQ(fake.documents()[0].settings.printerName, "Front Desk");
  EXPECT_EQ(fake.documents()[1].settings.printerName, "Office Laser");
}

TEST_F(PrinterTest, PrintersAreListedOnlyWhenAsked) {
  int asked = 0;
  qn::ui::setInstalledPrinterSource([&] {
    ++asked;
    return installed;
  });
  TPrinter fresh;
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(fresh.Printers(), (std::vector<AnsiString>{"Office Laser", "Front Desk"}));
  fresh.Printers();
  EXPECT_EQ(asked, 1);
}

TEST_F(PrinterTest, PaperNumbersChooseThePageSize) {
  FakePrinter fake(100);
  printer.SetPaperSize(9);
  EXPECT_EQ(printer.PaperSize(), 9);
  printer.SetPaperSize(9999);  // unknown: the paper stays
  EXPECT_EQ(printer.PaperSize(), 9);
  printer.SetOrientation(TPrinterOrientation::poLandscape);
  printer.BeginDoc();
  // A4 is 210 x 297 mm: at 100 dots per inch 826 x 1169 whole pixels, turned.
  EXPECT_EQ(printer.PageWidth(), 1169);
  EXPECT_EQ(printer.PageHeight(), 826);
  EXPECT_EQ(printer.XResolution(), 100);
  EXPECT_EQ(printer.Canvas()->height(), 826);
  EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poLandscape);
  printer.EndDoc();
  EXPECT_EQ(fake.documents()[0].settings.layout.pageSize().id(), QPageSize::A4);
}

TEST_F(PrinterTest, SecondBeginRaisesAndTheFirstDocumentCompletes) {
  FakePrinter fake;
  printer.SetTitle("First");
  printer.BeginDoc();
  printer.Canvas()->drawText(0, 0, "kept");
  printer.SetTitle("Second");
  try {
    printer.BeginDoc();
    FAIL() << "a second document began";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "A document is already being printed.");
  }
  EXPECT_TRUE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 1);
  printer.EndDoc();
  ASSERT_EQ(fake.documents().size(), 1u);
  EXPECT_TRUE(fake.documents()[0].finished);
  EXPECT_EQ(fake.documents()[0].pages[0].texts.at(0).text, "kept");
}

TEST_F(PrinterTest, PageCallsWithoutADocumentRaise) {
  const std::vector<std::function<void()>> calls{[&] { printer.Canvas(); }, [&] { printer.NewPage(); },
                                                 [&] { printer.EndDoc(); }, [&] { printer.Abort(); }};
  for (const auto& call : calls) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), "No document is being printed.");
    }
  }
  EXPECT_FALSE(printer.Printing());
}

TEST_F(PrinterTest, UnwritablePdfRaisesNamingTheFileAndLeavesNothing) {
  QTemporaryDir folder;
  const QString path = folder.filePath("missing/report.pdf");
  printer.SetOutputFile(path.toStdString());
  try {
    printer.BeginDoc();
    FAIL() << "began";
  } catch (const EInOutError& e) {
    EXPECT_NE(e.Message().find(path.toStdString()), std::string::npos) << e.Message();
  }
  EXPECT_FALSE(printer.Printing());
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PrinterTest, AbortedPdfLeavesNoFile) {
  QTemporaryDir folder;
  const QString path = folder.filePath("report.pdf");
  printer.SetOutputFile(path.toStdString());
  printer.BeginDoc();
  printer.Canvas()->drawText(0, 0, "half");
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  EXPECT_TRUE(printer.Aborted());
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
