#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdio>
#include <vector>

#include "framework/ui/Printer.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/RichTextPages.h"
#include "framework/ui/testing/FakePrinter.h"
#include "framework/ui/testing/NumberedLines.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using qn::ui::testing::FakePrinter;
using qn::ui::testing::numberedLines;

constexpr int inch = 1440;  // twips

class RichEditPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    edit.SetText(numberedLines(200));
  }
  void TearDown() override { Printer()->SetOutputFile(""); }

  // The page inside 1-inch margins of the printer's page.
  TRect marginsPage() {
    TPrinter* printer = Printer();
    int width = printer->PageWidth() * inch / printer->XResolution();
    int height = printer->PageHeight() * inch / printer->YResolution();
    return Rect(inch, inch, width - inch, height - inch);
  }

  // Where each page starts, as measuring answers.
  std::vector<int> measuredStarts(const TRect& page) {
    qn::ui::RichTextPages pages(*edit.document(), page);
    std::vector<int> starts{0};
    for (int next = pages.pageEnd(0); next < pages.length(); next = pages.pageEnd(next)) {
      EXPECT_GT(next, starts.back());
      starts.push_back(next);
    }
    return starts;
  }

  QString lineAt(int position) { return edit.document()->findBlock(position).text(); }

  TRichEdit edit{nullptr};
};

TEST_F(RichEditPrintTest, PagesStartWhereMeasuringSaidAndHoldTheirLinesInOrder) {
  FakePrinter fake(300);
  edit.SetPageRect(marginsPage());
  const std::vector<int> starts = measuredStarts(edit.PageRect());
  ASSERT_GT(starts.size(), 2u);

  edit.Print("Two hundred lines");
  ASSERT_EQ(fake.documents().size(), 1u);
  const auto& pages = fake.documents()[0].pages;
  ASSERT_EQ(pages.size(), starts.size());
  int expectedLine = 1;
  for (size_t page = 0; page < pages.size(); ++page) {
    ASSERT_FALSE(pages[page].texts.empty()) << page;
    EXPECT_EQ(pages[page].texts.front().text, lineAt(starts[page])) << page;
    // The text lies inside the margins: 300 pixels from the left and top edges.
    EXPECT_GE(pages[page].texts.front().position.x(), 299.0);
    EXPECT_GT(pages[page].texts.front().position.y(), 300.0);
    EXPECT_LT(pages[page].texts.front().position.y(), 400.0);
    double previousY = 0;
    for (const auto& text : pages[page].texts) {
      char expected[16];
      std::snprintf(expected, sizeof expected, "Line %03d", expectedLine++);
      EXPECT_EQ(text.text, QString(expected));
      EXPECT_GT(text.position.y(), previousY);
      previousY = text.position.y();
    }
  }
  EXPECT_EQ(expectedLine, 201);
}

TEST_F(RichEditPrintTest, APageTwiceAsTallHoldsTwiceTheLines) {
  FakePrinter fake(300);
  TRect page = marginsPage();
  TRect tall = Rect(page.Left, page.Top, page.Right, page.Top + 2 * page.Height());
  std::vector<int> starts = measuredStarts(page);
  std::vector<int> tallStarts = measuredStarts(tall);
  ASSERT_GT(starts.size(), 2u);
  ASSERT_GT(tallStarts.size(), 1u);
  const int lines = edit.document()->findBlock(starts[1]).blockNumber();
  const int tallLines = edit.document()->findBlock(tallStarts[1]).blockNumber();
  EXPECT_NEAR(tallLines, 2 * lines, 1);
}

TEST_F(RichEditPrintTest, AnEmptyTextPrintsOnePage) {
  FakePrinter fake(300);
  edit.SetText("");
  edit.Print("Empty");
  ASSERT_EQ(fake.documents().size(), 1u);
  EXPECT_EQ(fake.documents()[0].pages.size(), 1u);
  EXPECT_TRUE(fake.documents()[0].finished);
}

TEST_F(RichEditPrintTest, ThePdfReadsBackInOrder) {
  QTemporaryDir folder;
  const QString path = folder.filePath("lines.pdf");
  Printer()->SetOutputFile(path.toStdString());
  edit.SetPageRect(marginsPage());
  const size_t pageCount = measuredStarts(edit.PageRect()).size();
  edit.Print("Two hundred lines");

  QProcess process;
  process.start("pdftotext", {"-layout", path, "-"});
  ASSERT_TRUE(process.waitForFinished(30000));
  const QString text = QString::fromUtf8(process.readAllStandardOutput());
  EXPECT_EQ(static_cast<size_t>(text.split('\f', Qt::SkipEmptyParts).size()), pageCount);
  QStringList lines = text.split(QRegularExpression("[\n\f]"), Qt::SkipEmptyParts);
  for (QString& line : lines) line = line.trimmed();
  lines.removeAll(QString());
  QStringList expected;
  for (int i = 1; i <= 200; ++i) expected << QString("Line %1").arg(i, 3, 10, QChar('0'));
  EXPECT_EQ(lines, expected);
}

}  // namespace
