// Cells the ControlType list gives a kind, probed pixel by pixel: check boxes on the clients
// table, image-index and picture cells on a memory table, title images and 3-D edges.
#include <cstdint>

#include "datagrid/Intl.h"
#include "datagrid/tests/ClientsGridFixture.h"
#include "datagrid/tests/DBGridTestSupport.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "framework/base/MemoryStream.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/ImageStrip.h"

namespace datagridtest {
namespace {

using qn::ui::colorToRgb;

constexpr const char* kCity = "City";

// ---- check boxes, on the clients table ----

struct CheckBoxCase {
  const char* name;
  const char* city;
  bool readOnlyColumn;
  TdcCheckBoxInGridStyle style;
  bool checked;
};

class CheckBoxCellTest : public ClientsGridTest, public ::testing::WithParamInterface<CheckBoxCase> {
 protected:
  void TearDown() override {
    dcIntlDefaults->SetCheckBoxInGridStyle(cbStyleAuto);
    ClientsGridTest::TearDown();
  }
};

TEST_P(CheckBoxCellTest, TheBoxShowsTheCellsState) {
  const CheckBoxCase& t = GetParam();
  dcIntlDefaults->SetCheckBoxInGridStyle(t.style);
  table->ControlType()->SetText(std::string(kCity) + ";CheckBox;Yes;No\r\n");
  grid->Selected().SetText(std::string(kClientCode) + "\t8\tCode\r\n" + kCity + "\t8\tCity" +
                           (t.readOnlyColumn ? "\tT" : "") + "\r\n");
  openAndBind();
  table->Edit();
  table->FieldByName(kCity)->SetAsString(t.city);
  table->Post();
  table->Next();  // the probed cell is not the current one
  grid->Repaint();
  const TRect cell = grid->cellBounds(2, 1);
  const int left = (cell.Left + cell.Right - 10) / 2;
  const int top = (cell.Top + cell.Bottom - 10) / 2;
  Canvas& c = grid->canvas();
  const bool mark = t.style != cbStyleXmark;
  const TColor fill = mark && t.readOnlyColumn ? clInactiveBorder : clWindow;
  const TColor ink = mark && t.readOnlyColumn ? clInactiveCaption : clBlack;
  EXPECT_EQ(c.pixel(left, top + 5), colorToRgb(clBlack)) << "the box's left edge";
  EXPECT_EQ(c.pixel(left - 1, top + 5), colorToRgb(0x808080)) << "its outer left edge";
  EXPECT_EQ(c.pixel(left + 10, top + 5), colorToRgb(clWhite)) << "its outer right edge";
  // A pixel of the check mark's first stroke, and one only the cross has.
  const TPoint stroke = mark ? TPoint{left + 2, top + 5} : TPoint{left + 2, top + 2};
  const TPoint other = mark ? TPoint{left + 2, top + 2} : TPoint{left + 2, top + 5};
  EXPECT_EQ(c.pixel(stroke.X, stroke.Y), colorToRgb(t.checked ? ink : fill));
  EXPECT_EQ(c.pixel(other.X, other.Y), colorToRgb(fill));
  EXPECT_EQ(c.pixel(cell.Left + 1, cell.Top + 1), colorToRgb(grid->Color())) << "the cell's own background";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckBoxCellTest,
    ::testing::Values(CheckBoxCase{"Checked", "Yes", false, cbStyleAuto, true},
                      CheckBoxCase{"CheckedIgnoringCase", "yES", false, cbStyleCheckmark, true},
                      CheckBoxCase{"Unchecked", "No", false, cbStyleAuto, false},
                      CheckBoxCase{"NeitherValueIsUnchecked", "Maybe", false, cbStyleAuto, false},
                      CheckBoxCase{"ReadOnlyColumnChecked", "Yes", true, cbStyleAuto, true},
                      CheckBoxCase{"ReadOnlyColumnUnchecked", "No", true, cbStyleAuto, false},
                      CheckBoxCase{"CrossChecked", "Yes", false, cbStyleXmark, true},
                      CheckBoxCase{"CrossUnchecked", "No", true, cbStyleXmark, false}),
    [](const ::testing::TestParamInfo<CheckBoxCase>& info) { return std::string(info.param.name); });

// ---- image-index and picture cells, titles and edges, on a memory table ----

class CellKindsTest : public DBGridTest {
 protected:
  MemoryDataSet* makeTable(TComponent* owner) override { return new ExtendedTestDataSet(owner); }
  ExtendedTestDataSet& extended() { return static_cast<ExtendedTestDataSet&>(*table); }

  // An image strip of one 6 x 6 image in the colour.
  static std::unique_ptr<ImageStrip> strip(TColor colour) {
    auto images = std::make_unique<ImageStrip>(6, 6);
    addSquare(*images, colour);
    return images;
  }
  static void addSquare(ImageStrip& images, TColor colour) {
    BitmapImage square(6, 6);
    square.canvas().Brush.Color = colour;
    square.canvas().fillRect({0, 0, 6, 6});
    images.addMasked(square, clFuchsia);
  }

  // Every pixel of the area in the colour.
  static int count(Canvas& c, const TRect& area, TColor colour) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        if (c.pixel(x, y) == colorToRgb(colour)) ++n;
    return n;
  }
  static TPoint middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  // A cell without its 3-D edges.
  static TRect inside(const TRect& r) { return {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}; }
  static bool plain(Canvas& c, const TRect& cell, TColor colour) {
    const TRect r = inside(cell);
    return count(c, r, colour) == r.Width() * r.Height();
  }
};

TEST_F(CellKindsTest, AnImageIndexCellShowsItsImageOrOnlyItsBackground) {
  extended().ControlType.SetText("Amount;ImageIndex;\r\n");
  open(4);
  bind();
  auto images = strip(clRed);
  grid->SetColor(clAqua);
  table->Edit();
  table->FieldByName("Amount")->SetAsInteger(0);
  table->Post();
  table->Next();
  table->Edit();
  table->FieldByName("Amount")->SetAsInteger(-1);
  table->Post();
  table->Next();
  table->Edit();
  table->FieldByName("Amount")->Clear();
  table->Post();
  table->Next();
  grid->Repaint();
  Canvas& c = grid->canvas();
  const TRect noList = grid->cellBounds(4, 1);
  EXPECT_TRUE(plain(c, noList, clAqua)) << "no image list: background, no text";

  grid->SetImageList(images.get());
  grid->Repaint();
  const TRect zero = grid->cellBounds(4, 1);
  const TPoint m = middle(zero);
  EXPECT_EQ(c.pixel(m.X, m.Y), colorToRgb(clRed)) << "image 0 centred";
  EXPECT_EQ(count(c, zero, clRed), 36);
  for (int row : {2, 3}) {
    const TRect r = grid->cellBounds(4, row);
    EXPECT_TRUE(plain(c, r, clAqua)) << "row " << row << ": -1 and null show the background";
  }
}

// A 4 x 4 picture of the colour in the bitmap file format, with the 8-byte header when asked.
AnsiString pictureBlob(TColor colour, bool header) {
  BitmapImage picture(4, 4);
  picture.canvas().Brush.Color = colour;
  picture.canvas().fillRect({0, 0, 4, 4});
  MemoryStream bytes;
  picture.SaveToStream(bytes);
  AnsiString blob(bytes.Memory(), static_cast<std::size_t>(bytes.Size()));
  if (!header) return blob;
  const auto size = static_cast<std::uint32_t>(blob.size());
  const char head[8] = {1, 0, 0, 1, static_cast<char>(size), static_cast<char>(size >> 8), static_cast<char>(size >> 16),
                        static_cast<char>(size >> 24)};
  return AnsiString(head, 8) + blob;
}

class PictureCellTest : public CellKindsTest {
 protected:
  void SetUp() override {
    CellKindsTest::SetUp();
    table->FieldDefs().Add("Photo", ftBlob);
  }
  void setPhoto(const AnsiString& blob) {
    table->Edit();
    table->FieldByName("Photo")->SetAsString(blob);
    table->Post();
  }
};

TEST_F(PictureCellTest, APictureWithOrWithoutItsHeaderIsDrawnAndAnythingElseIsNot) {
  extended().ControlType.SetText("Photo;Bitmap;Stretch To Fit;Source Copy\r\n");
  open(4);
  bind();
  grid->SetColor(clAqua);
  setPhoto(pictureBlob(clRed, false));
  table->Next();
  setPhoto(pictureBlob(clLime, true));
  table->Next();
  setPhoto("not a picture");
  table->Last();
  grid->Repaint();
  Canvas& c = grid->canvas();
  const int photo = 5;
  EXPECT_EQ(c.pixel(middle(grid->cellBounds(photo, 1)).X, middle(grid->cellBounds(photo, 1)).Y), colorToRgb(clRed));
  EXPECT_EQ(c.pixel(middle(grid->cellBounds(photo, 2)).X, middle(grid->cellBounds(photo, 2)).Y), colorToRgb(clLime));
  const TRect bad = grid->cellBounds(photo, 3);
  EXPECT_TRUE(plain(c, bad, clAqua)) << "no picture: background only";
}

// A grid that paints one cell into any rectangle asked.
class CellPainter : public TdcCustomDBGrid {
 public:
  using TdcCustomDBGrid::TdcCustomDBGrid;
  using TdcCustomDBGrid::DrawCell;
};

TEST_F(PictureCellTest, FitHeightOnACellTwoPixelsHighPaintsOnlyTheBackground) {
  extended().ControlType.SetText("Photo;Bitmap;Fit Height;Source Copy\r\n");
  open(1);
  setPhoto(pictureBlob(clRed, false));
  auto* painter = new CellPainter(form);
  painter->SetParent(form);
  painter->SetBounds(0, 0, 600, 400);
  painter->SetColor(clAqua);
  painter->SetDataSource(source);
  painter->Repaint();
  Canvas& c = painter->canvas();
  painter->SetCtl3D(false);
  const TRect flat{300, 300, 340, 302};
  painter->DrawCell(5, 1, flat, {});
  EXPECT_EQ(count(c, flat, clAqua), flat.Width() * flat.Height());
  const TRect tall{300, 310, 340, 330};
  painter->DrawCell(5, 1, tall, {});
  EXPECT_GT(count(c, tall, clRed), 0) << "the same picture where there is room";
}

TEST_F(CellKindsTest, ACentredTitleImageHidesTheTitleTextAndASideImageMovesIt) {
  open(2);
  bind();
  auto images = strip(clRed);
  grid->SetTitleImageList(images.get());
  grid->SetTitleColor(clAqua);
  TAlignment alignment = taCenter;
  grid->OnCalcTitleImage = [&](TObject*, TField* field, TdcTitleImageAttributes& image) {
    if (field->FieldName() == "Title") {
      image.ImageIndex = 0;
      image.Alignment = alignment;
    }
  };
  bool defaultDrawingSeen = false;
  grid->OnDrawTitleCell = [&](TObject*, Canvas&, TField*, const TRect&, bool& defaultDrawing) {
    defaultDrawingSeen = defaultDrawing;
  };
  grid->Repaint();
  Canvas& c = grid->canvas();
  const TRect title = grid->cellBounds(3, 0);
  EXPECT_TRUE(defaultDrawingSeen);
  EXPECT_EQ(count(c, title, clRed), 36);
  EXPECT_EQ(count(c, title, clRed) + count(c, title, clAqua), title.Width() * title.Height()) << "no text";

  alignment = taLeftJustify;
  grid->Repaint();
  EXPECT_EQ(c.pixel(title.Left + 3, middle(title).Y), colorToRgb(clRed)) << "the image at the margin";
  EXPECT_LT(count(c, title, clRed) + count(c, title, clAqua), title.Width() * title.Height()) << "the text shows";
  // The text starts right of the image.
  int firstInk = title.Right;
  for (int x = title.Left; x < title.Right && firstInk == title.Right; ++x)
    for (int y = title.Top; y < title.Bottom; ++y)
      if (c.pixel(x, y) != colorToRgb(clRed) && c.pixel(x, y) != colorToRgb(clAqua)) {
        firstInk = x;
        break;
      }
  EXPECT_GE(firstInk, title.Left + 3 + 6);
}

// The image lists are components of their own that the form may free before the grid: the grid
// forgets each, paints without it, and freeing the grid afterwards touches neither.
TEST_F(CellKindsTest, ImageListsFreedBeforeTheGridAreForgotten) {
  extended().ControlType.SetText("Amount;ImageIndex;\r\n");
  open(2);
  bind();
  table->Edit();
  table->FieldByName("Amount")->SetAsInteger(0);
  table->Post();
  auto* cells = new ImageStrip(6, 6, form);
  auto* titles = new ImageStrip(6, 6, form);
  for (ImageStrip* images : {cells, titles}) addSquare(*images, clRed);
  grid->SetImageList(cells);
  grid->SetTitleImageList(titles);
  grid->OnCalcTitleImage = [](TObject*, TField* field, TdcTitleImageAttributes& image) {
    if (field->FieldName() == "Title") image.ImageIndex = 0;
  };
  grid->Repaint();
  Canvas& c = grid->canvas();
  ASSERT_EQ(count(c, grid->cellBounds(4, 1), clRed), 36) << "the cell draws from its list";
  ASSERT_EQ(count(c, grid->cellBounds(3, 0), clRed), 36) << "the title draws from its list";

  delete cells;
  EXPECT_EQ(grid->ImageList(), nullptr);
  EXPECT_EQ(grid->TitleImageList(), titles);
  delete titles;
  EXPECT_EQ(grid->TitleImageList(), nullptr);
  grid->Repaint();
  EXPECT_EQ(count(c, grid->cellBounds(4, 1), clRed), 0);
  EXPECT_EQ(count(c, grid->cellBounds(3, 0), clRed), 0);
  delete grid;
  grid = nullptr;
}

TEST_F(CellKindsTest, ACellKindGetsItsThreeDimensionalEdges) {
  extended().ControlType.SetText("Amount;ImageIndex;\r\n");
  open(3);
  bind();
  grid->SetColor(clAqua);
  grid->SetCtl3D(true);
  table->Last();
  grid->Repaint();
  Canvas& c = grid->canvas();
  const TRect cell = grid->cellBounds(4, 1);
  const int y = middle(cell).Y;
  EXPECT_EQ(c.pixel(cell.Left, y), colorToRgb(clBtnHighlight)) << "light left edge";
  EXPECT_EQ(c.pixel(cell.Right - 1, y), colorToRgb(clBtnShadow)) << "dark right edge";
  EXPECT_EQ(c.pixel(middle(cell).X, cell.Bottom - 1), colorToRgb(clBtnShadow)) << "dark bottom edge";

  grid->SetCtl3D(false);
  grid->Repaint();
  EXPECT_NE(c.pixel(cell.Left, y), colorToRgb(clBtnHighlight)) << "flat without Ctl3D";
}

}  // namespace
}  // namespace datagridtest
