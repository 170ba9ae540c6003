// Printing the rich edit inside its margins: the margins on the printer's page, the measures in
// inches and centimetres, the paper it asks for, the paragraph helper and the formatting rectangle
// that makes the screen's lines as wide as the printed ones.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "editors/tests/RichEditFixture.h"
#include "framework/ui/Printer.h"
#include "framework/ui/testing/FakePrinter.h"
#include "framework/ui/testing/NumberedLines.h"

namespace richedittest {
namespace {

using qn::ui::testing::FakePrinter;
using qn::ui::testing::numberedLines;

TEST(PrintMarginsTest, MarginsLieInsideThePrintableAreaAndRightNeverLeftOfLeft) {
  // Letter at 100 dpi with a 25-pixel unprintable edge: 12240 x 15840 twips, edge 360.
  const PrinterPage page{850, 1100, 25, 25, 100, 100};
  struct Row {
    double left, top, right, bottom;
    TRect expected;
  };
  for (const Row& row : {
           Row{1, 1, 1, 1, Rect(1080, 1080, 10440, 14040)},
           Row{0, 0, 0, 0, Rect(0, 0, 11520, 15120)},          // inside the edge: clipped to the area
           Row{20, 1, 1, 1, Rect(11520, 1080, 11520, 14040)},  // left beyond the page, right meets it
           Row{1, 1, 8, 1, Rect(1080, 1080, 1080, 14040)},     // right left of left: at left
           Row{1, 12, 1, 1, Rect(1080, 15120, 10440, 15120)},  // top beyond the page, bottom meets it
       }) {
    TdcPrintMargins margins;
    margins.Left = row.left;
    margins.Top = row.top;
    margins.Right = row.right;
    margins.Bottom = row.bottom;
    const TRect r = MarginRectOnPage(margins, muInches, page);
    EXPECT_EQ(r, row.expected) << row.left << " " << row.top << " " << row.right << " " << row.bottom << ": " << r.Left
                               << "," << r.Top << "," << r.Right << "," << r.Bottom;
    EXPECT_GE(r.Right, r.Left);
    EXPECT_GE(r.Bottom, r.Top);
  }
}

TEST(PrintMarginsTest, UnitsConvertWith2537ToTheInchAndSnapToTheirSteps) {
  EXPECT_EQ(UnitsTextToTwips("1.27 cm", muCentimeters), 721) << "1.27 x 1440 / 2.537 = 720.85";
  EXPECT_EQ(UnitsTextToTwips("1.5''", muInches), 2160);
  EXPECT_EQ(UnitsTextToTwips("2 ", muInches), 2880);
  EXPECT_DOUBLE_EQ(TwipsToUnits(721, muCentimeters), 1.27);
  EXPECT_DOUBLE_EQ(TwipsToUnits(2160, muInches), 1.5);
  EXPECT_EQ(UnitsText(1.5, muInches), "1.5''");
  EXPECT_EQ(UnitsText(2.54, muCentimeters), "2.54 cm");
  EXPECT_EQ(SnappedUnitsText(1.2, muInches, 8), "1.25''");
  EXPECT_EQ(SnappedUnitsText(1.2, muInches), "1.25''") << "eighths by default";
  EXPECT_EQ(SnappedUnitsText(1.02, muCentimeters), "1.05 cm") << "twentieths of a centimetre";
}

TEST(PrintMarginsTest, AssigningCopiesOnlyFromMargins) {
  TdcPrintMargins a, b;
  b.Left = 2;
  b.Bottom = 0.5;
  a.Assign(&b);
  EXPECT_EQ(a.Left, 2);
  EXPECT_EQ(a.Bottom, 0.5);
  TPersistent other;
  a.Assign(&other);
  EXPECT_EQ(a.Left, 2);
}

class RichEditPrintTest : public RichEditTest {
 protected:
  void TearDown() override {
    Printer()->SetOutputFile("");
    Printer()->ResetSettings();
    RichEditTest::TearDown();
  }
};

TEST_F(RichEditPrintTest, AnEmptyDocumentPrintsOnePage) {
  FakePrinter fake(300);
  auto* edit = place<TdcCustomRichEdit>();
  edit->Print("Nothing");
  ASSERT_EQ(fake.documents().size(), 1u);
  EXPECT_EQ(fake.documents()[0].pages.size(), 1u);
  EXPECT_TRUE(fake.documents()[0].finished);
}

TEST_F(RichEditPrintTest, AThreePageTextInAPdfReadsBackInOrderInsideTheMargins) {
  auto* edit = place<TdcCustomRichEdit>();
  edit->PrintMargins()->Left = 1.5;
  edit->PrintMargins()->Top = 1.25;
  const int lines = 130;  // three pages of ten-point lines inside these margins
  edit->SetText(numberedLines(lines));
  QTemporaryDir folder;
  const QString path = folder.filePath("notes.pdf");
  Printer()->SetOutputFile(path.toStdString());
  const auto started = std::chrono::steady_clock::now();
  edit->Print("Notes");
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  std::printf("printed %d lines in %lld ms\n", lines, static_cast<long long>(took.count()));
  ASSERT_TRUE(QFile::exists(path));

  QProcess process;
  process.start("pdftotext", {"-bbox", path, "-"});
  ASSERT_TRUE(process.waitForFinished(30000));
  const QString html = QString::fromUtf8(process.readAllStandardOutput());
  EXPECT_EQ(html.count("<page "), 3);
  const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">(\d+)</word>)re");
  int expected = 1;
  double leftmost = 1e9, topmost = 1e9;
  for (auto match = word.globalMatch(html); match.hasNext();) {
    const auto m = match.next();
    EXPECT_EQ(m.captured(3).toInt(), expected) << "the lines in order";
    ++expected;
    leftmost = std::min(leftmost, m.captured(1).toDouble());
    topmost = std::min(topmost, m.captured(2).toDouble());
  }
  EXPECT_EQ(expected, lines + 1);
  // Points from the sheet's corner: the numbers follow "Line " inside the left margin of 108
  // points, every line below the top margin of 90.
  EXPECT_GT(leftmost, 108);
  EXPECT_GT(topmost, 90 - 2);
}

TEST_F(RichEditPrintTest, PaperCodeNineReachesThePrinterAsA4AndAnUnknownCodeKeepsThePaper) {
  FakePrinter fake(300);
  auto* edit = place<TdcCustomRichEdit>();
  ASSERT_TRUE(show());
  Printer()->SetPaperSize(1);
  edit->SetPaperSize(9);
  EXPECT_EQ(Printer()->PaperSize(), 1) << "window-width mode leaves the printer alone";
  edit->SetEditWidth(rewPrinterSize);
  edit->SetPaperSize(9);
  EXPECT_EQ(Printer()->PaperSize(), 9);
  edit->Print("A4");
  ASSERT_EQ(fake.documents().size(), 1u);
  EXPECT_EQ(fake.documents()[0].settings.layout.pageSize().id(), QPageSize::A4);
  edit->SetPaperSize(2);
  EXPECT_EQ(edit->PaperSize(), 2);
  EXPECT_EQ(Printer()->PaperSize(), 9) << "not one of the eight papers";
}

TEST_F(RichEditPrintTest, ThePrinterWidthRectangleFollowsThePageAndTheMargins) {
  FakePrinter fake(300);
  Printer()->SetPaperSize(1);  // Letter: 2550 x 3300 pixels at 300 dpi
  auto* edit = place<TdcCustomRichEdit>();
  ASSERT_TRUE(show());
  edit->PrintMargins()->Left = 1.25;
  edit->PrintMargins()->Right = 0.75;
  edit->SetEditWidth(rewPrinterSize);
  // (8.5 - 2) inches at 96 pixels, after the 3-pixel inset and 4 more.
  EXPECT_EQ(edit->FormattingRect(), Rect(3, 0, 624 + 3 + 4, 1056));
  edit->MeasurementUnits = muCentimeters;
  edit->PrintMargins()->Left = 2.537;
  edit->PrintMargins()->Right = 2.537;
  EXPECT_EQ(edit->FormattingRect(), Rect(3, 0, 624 + 3 + 4, 1056));
  edit->SetEditWidth(rewWindowSize);
  EXPECT_EQ(edit->FormattingRect(), Rect(3, 2, edit->Width() - 4, edit->Height()));
}

TEST_F(RichEditPrintTest, SetParagraphMapsItsMaskAndAlignmentTexts) {
  auto* edit = place<TdcCustomRichEdit>();
  ASSERT_TRUE(show());
  edit->SetText("a paragraph");
  std::vector<int> tabs;
  for (int i = 1; i <= 40; ++i) tabs.push_back(i * 100);
  struct Row {
    const char* text;
    qn::ui::ParagraphAlignment expected;
  };
  for (const Row& row : {Row{"Right", qn::ui::ParagraphAlignment::Right}, Row{"Left", qn::ui::ParagraphAlignment::Left},
                         Row{"Center", qn::ui::ParagraphAlignment::Centre},
                         Row{"anything", qn::ui::ParagraphAlignment::Centre}}) {
    edit->SetParagraph(0x01, row.text, 0, 0, 0, 0, nullptr, 0, 0, 0, 0, false);
    EXPECT_EQ(edit->paragraphAttributes().alignment, row.expected) << row.text;
  }
  edit->SetParagraph(0x20 | 0x10 | 0x08 | 0x04, "", 0, 0, 0, 0, tabs.data(), 40, 1440, 360, 720, false);
  const qn::ui::ParagraphAttributes p = edit->paragraphAttributes();
  ASSERT_EQ(p.tabs.size(), 32u) << "at most 32 tab stops";
  EXPECT_EQ(p.tabs.back(), 3200);
  int start, right, offset;
  edit->GetParagraphIndents(start, right, offset);
  EXPECT_EQ(start, 1440);
  EXPECT_EQ(right, 360);
  EXPECT_EQ(offset, 720);
  EXPECT_EQ(p.alignment, qn::ui::ParagraphAlignment::Centre) << "alignment not in the mask";

  edit->SetRichEditVersion(1);
  edit->SetParagraph(0x40 | 0x80 | 0x100, "", 4, 240, 120, 300, nullptr, 0, 0, 0, 0, false);
  EXPECT_EQ(edit->paragraphAttributes().spaceBefore, 0) << "the classic control has no spacing";
  EXPECT_EQ(edit->paragraphAttributes().lineSpacingRule, 0);
  edit->SetRichEditVersion(2);
  edit->SetParagraph(0x40 | 0x80 | 0x100, "", 4, 240, 120, 300, nullptr, 0, 0, 0, 0, false);
  EXPECT_EQ(edit->paragraphAttributes().spaceBefore, 240);
  EXPECT_EQ(edit->paragraphAttributes().spaceAfter, 120);
  EXPECT_EQ(edit->paragraphAttributes().lineSpacingRule, 4);
  EXPECT_EQ(edit->paragraphAttributes().lineSpacing, 300);
}

}  // namespace
}  // namespace richedittest
