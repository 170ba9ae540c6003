// What the data grid paints, probed pixel by pixel on its own image: data-cell colours and
// texts, the indicator glyph, title buttons and the footer band; and that painting leaves the
// table's cursor and buffer alone.
#include "datagrid/tests/DBGridTestSupport.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ColorPalette.h"

namespace datagridtest {
namespace {

using PaintTest = DBGridTest;
using qn::ui::colorToRgb;

constexpr TColor kGrey = 0x808080;

// Whether any pixel of the area differs from the colour.
bool inked(Canvas& c, const TRect& area, TColor background) {
  const TColor plain = colorToRgb(background);
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (c.pixel(x, y) != plain) return true;
  return false;
}

int countPixels(Canvas& c, const TRect& area, TColor colour) {
  int n = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (c.pixel(x, y) == colour) ++n;
  return n;
}

TEST_F(PaintTest, CellsTakeTheGridColourAndTheHighlightOnlyWhereSelected) {
  open(5);
  bind();
  grid->SetColor(clAqua);
  grid->SetDBOptions(grid->DBOptions().Include(dgAlwaysShowSelection));
  grid->SetSelectedIndex(1);
  grid->Repaint();
  Canvas& c = grid->canvas();
  const TRect current = grid->cellBounds(2, 1);
  const TRect other = grid->cellBounds(2, 2);
  EXPECT_EQ(c.pixel(current.Right - 2, current.Bottom - 2), colorToRgb(clHighlight));
  EXPECT_EQ(c.pixel(other.Right - 2, other.Bottom - 2), clAqua);
  EXPECT_TRUE(inked(c, other, clAqua)) << "the record's text is drawn";

  grid->SetDBOptions(grid->DBOptions().Exclude(dgAlwaysShowSelection));
  grid->Repaint();
  EXPECT_EQ(c.pixel(current.Right - 2, current.Bottom - 2), clAqua) << "an unfocused grid shows no selection";
}

TEST_F(PaintTest, CellColourEventsAndOwnerDrawing) {
  open(3);
  bind();
  std::vector<std::pair<AnsiString, bool>> calls;
  grid->OnCalcCellColors = [&](TObject*, TField* field, GridCellStates, bool highlight, TFont*, CanvasBrush& brush) {
    calls.emplace_back(field->FieldName(), highlight);
    if (field->FieldName() == "Amount") brush.Color = clRed;
  };
  int drawn = 0;
  grid->OnDrawDataCell = [&](TObject*, const TRect&, TField*, GridCellStates) { ++drawn; };
  grid->Repaint();
  Canvas& c = grid->canvas();
  const TRect amount = grid->cellBounds(4, 2);
  EXPECT_EQ(c.pixel(amount.Left + 1, amount.Bottom - 2), clRed);
  EXPECT_EQ(drawn, 3 * 4);
  EXPECT_EQ(static_cast<int>(calls.size()), 3 * 4);

  grid->SetDefaultDrawing(false);
  grid->Repaint();
  EXPECT_FALSE(inked(c, amount, clRed)) << "without default drawing the text is left to the handler";
}

// The data-cell text in a tall or one-line cell of a narrow column, by the wrap and ellipsis
// switches: does a second line appear, and which way is the first line cut?
enum class FirstLine { clipped, dots, wrapped };
struct TextFlagCase {
  bool wordWrap;
  bool ellipsis;
  int rowPercent;
  bool secondLine;
  FirstLine first;
};

class DataTextFlagsTest : public DBGridTest, public ::testing::WithParamInterface<TextFlagCase> {};

TEST_P(DataTextFlagsTest, WrapAndEllipsisFollowTheOptionsAndTheRowHeight) {
  const TextFlagCase& t = GetParam();
  const AnsiString text = "aaaa bbbb cccc dddd eeee ffff";
  grid->SetUseTFields(false);
  grid->Selected().Add("Title\t8");
  open(2);
  table->Last();
  table->Edit();
  table->FieldByName("Title")->SetAsString(text);
  table->Post();
  table->First();
  grid->SetColor(clWhite);
  grid->SetRowHeightPercent(t.rowPercent);
  TdcDBGridOptions options = grid->DBOptions().Exclude(dgWordWrap).Exclude(dgTrailingEllipsis);
  if (t.wordWrap) options.Include(dgWordWrap);
  if (t.ellipsis) options.Include(dgTrailingEllipsis);
  grid->SetDBOptions(options);
  bind();
  grid->Repaint();
  Canvas& c = grid->canvas();
  const TRect cell = grid->cellBounds(1, 2);  // not the current record: no highlight
  const int lineHeight = measureHeight(grid->Font(), "Wg");
  const TRect below{cell.Left, cell.Top + 2 + lineHeight + 1, cell.Right, cell.Bottom};
  EXPECT_EQ(inked(c, below, clWhite), t.secondLine);

  // The first line against the same text drawn each way on its own.
  auto firstLineMatches = [&](unsigned flags, int height) {
    BitmapImage reference(cell.Width(), height);
    reference.canvas().Brush = {clWhite, BrushStyle::solid};
    reference.canvas().SetFont(grid->Font());
    grid->DrawEditTextInRect(reference.canvas(), {0, 0, cell.Width(), height}, 2, flags, taLeftJustify, text, 2);
    for (int y = 0; y < lineHeight + 2; ++y)
      for (int x = 0; x < cell.Width(); ++x)
        if (reference.canvas().pixel(x, y) != c.pixel(cell.Left + x, cell.Top + y)) return false;
    return true;
  };
  EXPECT_EQ(firstLineMatches(0, lineHeight + 4), t.first == FirstLine::clipped);
  EXPECT_EQ(firstLineMatches(cellTextEllipsis, lineHeight + 4), t.first == FirstLine::dots);
  EXPECT_EQ(firstLineMatches(cellTextWordBreak, 4 * lineHeight), t.first == FirstLine::wrapped);
}

INSTANTIATE_TEST_SUITE_P(Cases, DataTextFlagsTest,
                         ::testing::Values(TextFlagCase{true, false, 300, true, FirstLine::wrapped},
                                           TextFlagCase{true, true, 300, true, FirstLine::wrapped},
                                           TextFlagCase{true, true, 100, false, FirstLine::dots},
                                           TextFlagCase{true, false, 100, false, FirstLine::clipped},
                                           TextFlagCase{false, true, 300, false, FirstLine::dots},
                                           TextFlagCase{false, false, 300, false, FirstLine::clipped}));

TEST_F(PaintTest, TheIndicatorIsBlackOrYellowOverTheTitleColour) {
  open(3);
  bind();
  Canvas& c = grid->canvas();
  const TRect cell = grid->cellBounds(0, 1);
  const TColor face = colorToRgb(grid->TitleColor());
  grid->Repaint();
  EXPECT_GT(countPixels(c, cell, clBlack), 0);
  EXPECT_EQ(countPixels(c, cell, clYellow), 0);
  EXPECT_EQ(c.pixel(cell.Left + 1, cell.Top + 1), face);

  grid->SetIndicatorColor(icYellow);
  grid->Repaint();
  EXPECT_GT(countPixels(c, cell, clYellow), 0);
  EXPECT_EQ(c.pixel(cell.Left + 1, cell.Top + 1), face) << "the glyph keeps the cell's background around it";
  EXPECT_EQ(countPixels(c, grid->cellBounds(0, 2), clYellow), 0) << "only the current record's row";
}

TEST_F(PaintTest, TitleButtonsHaveEdgesThatSinkWhenPressed) {
  open(1);
  bind();
  Canvas& c = grid->canvas();
  const TRect title = grid->cellBounds(1, 0);
  grid->Repaint();
  EXPECT_NE(c.pixel(title.Left, title.Top + 3), kGrey);
  grid->SetTitleButtons(true);
  grid->Repaint();
  EXPECT_EQ(c.pixel(title.Left, title.Top + 3), kGrey);
  EXPECT_EQ(c.pixel(title.Left + 1, title.Top + 3), colorToRgb(clBtnHighlight));
}

TEST_F(PaintTest, TheFooterBandShowsFilledCellsOnlyWhereThereIsText) {
  grid->SetDBOptions(grid->DBOptions().Include(dgShowFooter));
  open(3);
  bind();
  grid->SetFooterColor(clRed);
  grid->SetFooterCellColor(clLime);
  grid->ColumnByName("Amount").SetFooterValue("Total");
  grid->Repaint();
  Canvas& c = grid->canvas();
  const TRect band = grid->GetFooterRect();
  ASSERT_FALSE(band.IsEmpty());
  const int middle = (band.Top + band.Bottom) / 2;
  const TRect amount = grid->cellBounds(4, 0);
  const TRect client = grid->cellBounds(2, 0);
  EXPECT_EQ(c.pixel(amount.Right - 3, middle), clLime);
  EXPECT_EQ(c.pixel(client.Right - 3, middle), clRed) << "an empty footer cell keeps the band's colour";
  EXPECT_TRUE(inked(c, {amount.Left + 5, band.Top + 3, amount.Right - 9, band.Bottom - 3}, clLime));

  TField* seen = nullptr;
  grid->OnDrawFooterCell = [&](TObject*, Canvas&, const TRect&, TField* field, const AnsiString& text, bool& def) {
    if (text == "Total") {
      seen = field;
      def = false;
    }
  };
  grid->Repaint();
  EXPECT_EQ(seen, table->FieldByName("Amount"));
  EXPECT_EQ(c.pixel(amount.Right - 3, middle), clRed) << "the handler drew it instead";
}

// A table that counts the records it fetches.
class CountingDataSet : public MemoryDataSet {
 public:
  using MemoryDataSet::MemoryDataSet;
  int fetches = 0;

 protected:
  TGetResult GetRecord(char* buffer, TGetMode mode, bool doCheck) override {
    ++fetches;
    return MemoryDataSet::GetRecord(buffer, mode, doCheck);
  }
};

TEST_F(PaintTest, PaintingAPageFetchesNoRecordAndLeavesTheCursor) {
  auto* counting = new CountingDataSet(form);
  counting->FieldDefs().Add("CaseID", ftString, 8);
  counting->FieldDefs().Add("Title", ftString, 40);
  counting->Open();
  for (int i = 1; i <= 100; ++i) counting->AppendRecord({"C" + std::to_string(i), "Matter " + std::to_string(i)});
  counting->First();
  counting->MoveBy(40);
  source->SetDataSet(counting);
  bind();
  const int recNo = counting->RecNo();
  counting->fetches = 0;
  grid->Invalidate();
  grid->Repaint();
  EXPECT_EQ(counting->fetches, 0);
  EXPECT_EQ(counting->RecNo(), recNo);
  EXPECT_TRUE(inked(grid->canvas(), grid->cellBounds(2, grid->VisibleRowCount()), grid->Color()));
}

}  // namespace
}  // namespace datagridtest
