// Cells the ControlType list gives a kind: check boxes, pictures from blob fields, images from the
// grid's image list.
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldControlTypes.h"
#include "datagrid/Intl.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/MemoryStream.h"
#include "framework/db/BlobField.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ControlStyle.h"
#include "framework/ui/ImageStrip.h"

namespace {

constexpr TColor kGrey = 0x808080;
constexpr int kBoxSize = 10;

void line(Canvas& c, TColor colour, int x1, int y1, int x2, int y2) {
  c.Pen.Color = colour;
  c.moveTo(x1, y1);
  c.drawLineTo(x2, y2);
}

AnsiString paramToken(const AnsiString& params, std::size_t index) {
  const std::vector<AnsiString> tokens = SplitLine(params, ';');
  return index < tokens.size() ? tokens[index] : AnsiString();
}

bool isIntegerOrFloat(TFieldType type) {
  switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
    case ftFloat:
    case ftCurrency: return true;
    default: return false;
  }
}

// A blob may carry the 8-byte header of an embedded picture: 16-bit 1, 16-bit 256 and the 32-bit
// length of what follows.
std::size_t pictureOffset(const AnsiString& blob) {
  if (blob.size() < 8) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(blob[i])); };
  const std::uint32_t kind = byte(0) | byte(1) << 8;
  const std::uint32_t version = byte(2) | byte(3) << 8;
  const std::uint32_t length = byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24;
  return kind == 1 && version == 256 && length == blob.size() - 8 ? 8 : 0;
}

}  // namespace

void TdcCustomDBGrid::SetImageList(ImageStrip* Value) {
  if (Value) Value->FreeNotification(this);
  imageList_ = Value;
  Invalidate();
}

void TdcCustomDBGrid::SetTitleImageList(ImageStrip* Value) {
  if (Value) Value->FreeNotification(this);
  titleImageList_ = Value;
  Invalidate();
}

FieldControlType TdcCustomDBGrid::GetControlType(TField* Field) {
  TDataSet* ds = dataSet();
  if (!ds || !Field) return {};
  return GetFieldControlType(ds, Field->FieldName());
}

bool TdcCustomDBGrid::drawCellKind(Canvas& c, int ACol, int ARow, const TRect& rect, GridCellStates state) {
  TField* field = GetFields(ACol - indicatorOffset_);
  TDataSet* ds = dataSet();
  if (!field || !ds || !IsExtendedDataSet(ds)) return false;
  const FieldControlType kind = GetControlType(field);
  if (StrEqualNoCase(kind.Type, "CheckBox")) drawCheckBoxCell(c, field, kind.Params, ACol, ARow, rect, state);
  else if (StrEqualNoCase(kind.Type, "Bitmap")) drawBitmapCell(c, field, kind.Params, ACol, ARow, rect, state);
  else if (StrEqualNoCase(kind.Type, "ImageIndex")) drawImageIndexCell(c, field, kind.Params, ACol, rect, state);
  else return false;
  DrawCellEdges(ACol, ARow, rect);
  return true;
}

bool TdcCustomDBGrid::paintCellKindBackground(Canvas& c, TField* field, int ACol, const TRect& rect,
                                              GridCellStates state) {
  const bool fixed = state.Contains(cellFixed) || ACol < FixedCols();
  c.Brush.Style = BrushStyle::solid;
  c.Brush.Color = fixed ? titleColor_ : Color();
  const bool highlight = HighlightCell(ACol - indicatorOffset_, link_->ActiveRecord(), state, field->DisplayText());
  cellFlags_.highlighted = highlight;
  if (highlight) {
    c.Brush.Color = clHighlight;
    c.Font()->SetColor(clHighlightText);
  }
  DoCalcCellColors(field, state, highlight, c.Brush, c.Font());
  c.fillRect(rect);
  if (highlight && activeControlOfForm() && !dbOptions_.Contains(dgRowSelect)) cellFlags_.focusRectDrawn = true;
  return highlight;
}

void TdcCustomDBGrid::drawCheckBoxCell(Canvas& c, TField* field, const AnsiString& params, int ACol, int ARow,
                                       const TRect& rect, GridCellStates state) {
  bool checked;
  if (field->Calculated() && StrEqualNoCase(field->FieldName(), "selected"))
    checked = ActiveRecordMarked();
  else
    checked = StrEqualNoCase(GetCellText(field), paramToken(params, 0));
  paintCellKindBackground(c, field, ACol, rect, state);
  DrawCheckBox(rect, ACol, checked, ARow);
  if (cellFlags_.focusRectDrawn) c.DrawFocusRect(rect);
}

void TdcCustomDBGrid::DrawCheckBox(const TRect& Rect, int Col, bool Checked, int) {
  Canvas& c = GetPaintCanvas();
  const int left = (Rect.Left + Rect.Right - kBoxSize) / 2;
  const int top = (Rect.Top + Rect.Bottom - kBoxSize) / 2;
  const int right = left + kBoxSize;
  const int bottom = top + kBoxSize;
  const bool readOnly = readOnlyFlag(Col - indicatorOffset_);
  const TdcCheckBoxInGridStyle style = dcIntlDefaults ? dcIntlDefaults->CheckBoxInGridStyle() : cbStyleAuto;
  const bool checkMark = style == cbStyleCheckmark || (style == cbStyleAuto && newStyleControls);
  const TColor brush = c.Brush.Color;
  const TColor pen = c.Pen.Color;
  c.Brush.Color = checkMark && readOnly ? clInactiveBorder : clWindow;
  c.fillRect({left, top, right, bottom});
  // Sunken frame: dark inside at the top and left, light outside at the bottom and right.
  line(c, kGrey, left - 1, bottom, left - 1, top - 1);
  c.drawLineTo(right + 1, top - 1);
  line(c, clWhite, right, top - 1, right, bottom);
  c.drawLineTo(left - 2, bottom);
  line(c, clBlack, left, bottom - 1, left, top);
  c.drawLineTo(right, top);
  line(c, checkMark ? cl3DLight : clGrayText, right - 1, top, right - 1, bottom - 1);
  c.drawLineTo(left - 1, bottom - 1);
  if (Checked) {
    if (checkMark) {
      const TColor ink = readOnly ? clInactiveCaption : clBlack;
      for (int i = 0; i < 3; ++i) line(c, ink, left + 2 + i, top + 4 + i, left + 2 + i, bottom - 3 + i);
      for (int i = 0; i < 4; ++i) line(c, ink, left + 5 + i, top + 5 - i, left + 5 + i, bottom - 2 - i);
    } else {
      for (int i = 0; i < 2; ++i) {
        line(c, clBlack, left + 2 + i, top + 2, right - 2 + i, bottom - 2);
        line(c, clBlack, right - 3 + i, top + 2, left - 1 + i, bottom - 2);
      }
    }
  }
  c.Brush.Color = brush;
  c.Pen.Color = pen;
}

TField* TdcCustomDBGrid::imageFieldOf(TField* field) {
  if (field->Lookup()) {
    TDataSet* lookup = field->LookupDataSet();
    TDataSet* ds = dataSet();
    if (!lookup || !lookup->Active() || field->KeyFields().empty()) return nullptr;
    TField* key = ds->FieldByName(field->KeyFields());
    if (!key || !lookup->Locate(field->LookupKeyFields(), {key->AsVariant()}, {})) return nullptr;
    return lookup->FindField(field->LookupResultField());
  }
  // A calculated picture field names its source through the lookup links, which this grid does
  // not open.
  if (field->Calculated()) return nullptr;
  return field;
}

void TdcCustomDBGrid::drawBitmapCell(Canvas& c, TField* field, const AnsiString& params, int ACol, int ARow,
                                     const TRect& rect, GridCellStates state) {
  const bool highlight = paintCellKindBackground(c, field, ACol, rect, state);
  const auto finish = [&] {
    if (highlight) {
      c.Brush.Color = clHighlight;
      c.frameRect(rect);
      cellFlags_.edgesDrawn = true;
    }
    if (cellFlags_.focusRectDrawn) c.DrawFocusRect(rect);
  };
  TField* imageField = imageFieldOf(field);
  TDataSet* ds = dataSet();
  // The record being inserted has no picture yet.
  const bool inserting = ds->State() == dsInsert && !field->Calculated() && !field->Lookup() && ARow == Row();
  if (!imageField || inserting) {
    finish();
    return;
  }
  BitmapImage picture;
  try {
    const AnsiString blob = imageField->AsString();
    MemoryStream bytes;
    const std::size_t from = pictureOffset(blob);
    bytes.Write(blob.data() + from, static_cast<int64_t>(blob.size() - from));
    bytes.Seek(0, soBeginning);
    picture.LoadFromStream(bytes);
  } catch (const Exception&) {
    // A blob that is no picture shows as none.
  }
  if (picture.Empty()) {
    finish();
    return;
  }
  const ::CopyMode mode = c.CopyMode;
  c.CopyMode = qn::ui::copyModeNamed(paramToken(params, 1));
  const AnsiString sizeMode = paramToken(params, 0);
  const int w = picture.Width(), h = picture.Height();
  const int cellW = rect.Width(), cellH = rect.Height();
  if (sizeMode == "Original Size") {
    const int shownW = std::min(w, cellW - 1), shownH = std::min(h, cellH - 1);
    if (shownW > 0 && shownH > 0)
      c.copyArea({rect.Left + 1, rect.Top + 1, rect.Left + 1 + shownW, rect.Top + 1 + shownH}, picture.canvas(),
                 {0, 0, shownW, shownH});
  } else if (sizeMode == "Stretch To Fit") {
    c.copyArea(rect, picture.canvas(), {0, 0, w, h});
  } else if (sizeMode == "Fit Height") {
    const int scaledW = w * cellH / h;
    const int shownW = scaledW > cellW ? cellW : scaledW;
    const int sourceW = scaledW > cellW ? w * cellW / scaledW : w;
    if (cellW > 2 && cellH > 2 && shownW > 0 && sourceW > 0)
      c.copyArea({rect.Left + 1, rect.Top, rect.Left + shownW, rect.Top + cellH - 1}, picture.canvas(), {0, 0, sourceW, h});
  } else if (sizeMode == "Fit Width") {
    const int scaledH = h * cellW / w;
    const int shownH = scaledH > cellH ? cellH : scaledH;
    const int sourceH = scaledH > cellH ? h * cellH / scaledH : h;
    if (cellW > 2 && cellH > 2 && shownH > 0 && sourceH > 0)
      c.copyArea({rect.Left + 1, rect.Top, rect.Left + cellW, rect.Top + shownH - 1}, picture.canvas(), {0, 0, w, sourceH});
  }
  c.CopyMode = mode;
  finish();
}

void TdcCustomDBGrid::drawImageIndexCell(Canvas& c, TField* field, const AnsiString& params, int ACol,
                                         const TRect& rect, GridCellStates state) {
  const bool usable = isIntegerOrFloat(field->DataType()) && imageList_;
  paintCellKindBackground(c, field, ACol, rect, state);
  if (!usable) return;
  const int w = imageList_->Width(), h = imageList_->Height();
  BitmapImage image(w, h);
  image.canvas().Brush.Style = BrushStyle::solid;
  image.canvas().Brush.Color = c.Brush.Color;
  image.canvas().fillRect({0, 0, w, h});
  if (!field->IsNull()) {
    const int index = field->DataType() == ftFloat || field->DataType() == ftCurrency
                          ? static_cast<int>(std::lround(field->AsFloat()))
                          : field->AsInteger();
    if (index >= 0) imageList_->Draw(image.canvas(), 0, 0, index);
  }
  const int left = std::max(rect.Left, (rect.Left + rect.Right - w) / 2);
  const int top = std::max(rect.Top, (rect.Top + rect.Bottom - h) / 2);
  const int shownW = std::min(w, rect.Width()), shownH = std::min(h, rect.Height());
  if (paramToken(params, 0) == "Shrink To Fit") {
    c.copyArea({left, top, left + shownW, top + shownH}, image.canvas(), {0, 0, w, h});
  } else {
    const int copyW = std::min(w, rect.Width() - 2), copyH = std::min(h, rect.Height() - 2);
    if (copyW > 0 && copyH > 0) c.copyArea({left, top, left + copyW, top + copyH}, image.canvas(), {0, 0, copyW, copyH});
  }
  if (cellFlags_.focusRectDrawn) c.DrawFocusRect(rect);
}
