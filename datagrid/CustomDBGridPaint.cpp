// How the data-aware grid paints its cells, titles, indicator and footer band.
#include <algorithm>
#include <cmath>

#include <QImage>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/IndicatorButton.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/Font.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/ImageStrip.h"

namespace {

constexpr TColor kGrey = 0x808080;

void line(Canvas& c, TColor colour, int x1, int y1, int x2, int y2) {
  c.Pen.Color = colour;
  c.moveTo(x1, y1);
  c.drawLineTo(x2, y2);
}

}  // namespace

void TdcCustomDBGrid::SetTitleColor(TColor Value) {
  titleColor_ = Value;
  Invalidate();
}
void TdcCustomDBGrid::SetTitleAlignment(TAlignment Value) {
  titleAlignment_ = Value;
  Invalidate();
}
void TdcCustomDBGrid::SetTitleButtons(bool Value) {
  titleButtons_ = Value;
  Invalidate();
}
void TdcCustomDBGrid::SetIndicatorColor(TIndicatorColorType Value) {
  indicatorColor_ = Value;
  Invalidate();
}
void TdcCustomDBGrid::SetFooterColor(TColor Value) {
  footerColor_ = Value;
  invalidateArea(GetFooterRect());
}
void TdcCustomDBGrid::SetFooterCellColor(TColor Value) {
  footerCellColor_ = Value;
  invalidateArea(GetFooterRect());
}

void TdcCustomDBGrid::DrawEditTextInRect(Canvas& ACanvas, const TRect& Rect, int Margin, unsigned Flags,
                                         TAlignment Alignment, const AnsiString& Text, int TopOffset) {
  ::DrawEditTextInRect(ACanvas, Rect, Margin, Flags, Alignment, Text, TopOffset);
}

bool TdcCustomDBGrid::HighlightCell(int, int, GridCellStates State, const AnsiString&) {
  // With multi-select the row's own mark decides; the marks belong to the published grid.
  if (dbOptions_.Contains(dgMultiSelect)) return false;
  return State.Contains(cellSelected) && (Focused() || dbOptions_.Contains(dgAlwaysShowSelection));
}

void TdcCustomDBGrid::DoCalcCellColors(TField* Field, GridCellStates State, bool Highlight, CanvasBrush& Brush,
                                       TFont* Font) {
  if (OnCalcCellColors) OnCalcCellColors(this, Field, State, Highlight, Font, Brush);
  cellFlags_.brushStayedWhite = Brush.Color == clWhite;
}

void TdcCustomDBGrid::DoCalcTitleImage(TField* Field, TdcTitleImageAttributes& Attributes) {
  if (OnCalcTitleImage) OnCalcTitleImage(this, Field, Attributes);
}

void TdcCustomDBGrid::DoCalcTitleAttributes(const AnsiString& FieldName, TFont* Font, CanvasBrush& Brush,
                                            TAlignment& Alignment) {
  if (OnCalcTitleAttributes) OnCalcTitleAttributes(this, FieldName, Font, Brush, Alignment);
}

void TdcCustomDBGrid::DoDrawTitleCell(Canvas& ACanvas, TField* Field, const TRect& Rect, bool& Default) {
  if (OnDrawTitleCell) OnDrawTitleCell(this, ACanvas, Field, Rect, Default);
}

void TdcCustomDBGrid::DoDrawDataCell(const TRect& Rect, TField* Field, GridCellStates State) {
  if (OnDrawDataCell) OnDrawDataCell(this, Rect, Field, State);
}

void TdcCustomDBGrid::DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) {
  Canvas& c = GetPaintCanvas();
  cellFlags_ = {};
  const bool fixed = ARow < titleOffset_ || ACol < FixedCols();
  c.SetFont(fixed ? titleFont_.get() : Font());
  c.Brush.Style = BrushStyle::solid;
  c.Brush.Color = fixed ? titleColor_ : Color();
  if (ARow < titleOffset_)
    drawTitleCell(c, ACol, ARow, ARect);
  else if (ACol < indicatorOffset_)
    drawIndicatorCell(c, ARow, ARect);
  else
    drawDataCell(c, ACol, ARow, ARect, AState);
}

void TdcCustomDBGrid::drawTitleCell(Canvas& c, int ACol, int ARow, const TRect& rect) {
  const int dataCol = ACol - indicatorOffset_;
  TField* field = dataCol >= 0 ? GetFields(dataCol) : nullptr;
  if (dataCol == 0 && indicatorButton_ && indicatorButton_->Visible()) indicatorButton_->Invalidate();
  if (!field) {
    c.fillRect(rect);
    return;
  }
  AnsiString title = field->DisplayLabel();
  if (!useTFields_) {
    const std::vector<AnsiString> tokens = selectedTokens(dataCol);
    title = tokens.size() >= 3 ? tokens[2] : AnsiString();
  }
  TAlignment alignment = titleAlignment_;
  DoCalcTitleAttributes(field->FieldName(), c.Font(), c.Brush, alignment);
  c.fillRect(rect);
  const bool pressed = pressedTitle_ == GridCoord{ACol, ARow};
  // A pressed button shows its face one pixel right and down.
  TRect face = pressed ? TRect{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1} : rect;
  TdcTitleImageAttributes image;
  DoCalcTitleImage(field, image);
  const bool imageShown = titleImageList_ && image.ImageIndex >= 0;
  if (imageShown) drawTitleImage(c, face, image, face);
  bool defaultDrawing = true;
  DoDrawTitleCell(c, field, rect, defaultDrawing);
  if (defaultDrawing && !(imageShown && image.Alignment == taCenter)) {
    int lines = 1;
    if (titleLines_ != 1)
      for (char ch : title)
        if (ch == '~') ++lines;
    const double middle = rowHeight(0) / 2.0 - c.textHeight("Wg") * lines / 2.0;
    const int top = static_cast<int>(std::nearbyint(middle));
    AnsiString text = title;
    for (char& ch : text)
      if (ch == '~') ch = '\r';
    unsigned flags = cellTextEllipsis | cellTextOverPixels;
    if (!useTFields_) flags |= cellTextAccelerators;
    DrawEditTextInRect(c, face, 3, flags, alignment, text, top);
  }
  if (titleButtons_ && !dragImageBuilding_) drawTitleButtonEdges(c, rect, pressed);
}

void TdcCustomDBGrid::drawTitleImage(Canvas& c, const TRect& rect, const TdcTitleImageAttributes& image,
                                      TRect& textRect) {
  const int w = titleImageList_->Width(), h = titleImageList_->Height();
  const int y = rect.Top + (rect.Height() - h) / 2;
  int x;
  switch (image.Alignment) {
    case taLeftJustify:
      x = rect.Left + image.Margin;
      textRect.Left = std::min(x + w, rect.Right);
      break;
    case taRightJustify:
      x = rect.Right - w - image.Margin;
      textRect.Right = std::max(x, rect.Left);
      break;
    default: x = rect.Left + (rect.Width() - w) / 2; break;
  }
  titleImageList_->Draw(c, x, y, image.ImageIndex);
}

void TdcCustomDBGrid::drawTitleButtonEdges(Canvas& c, const TRect& r, bool pressed) {
  const TColor pen = c.Pen.Color;
  if (pressed) {
    line(c, clBlack, r.Left, r.Bottom - 1, r.Left, r.Top);
    line(c, clBlack, r.Left, r.Top, r.Right, r.Top);
    line(c, kGrey, r.Left + 1, r.Bottom - 1, r.Left + 1, r.Top + 1);
    line(c, kGrey, r.Left + 1, r.Bottom - 1, r.Right, r.Bottom - 1);
  } else {
    line(c, kGrey, r.Left, r.Top, r.Left, r.Bottom - 1);
    c.drawLineTo(r.Right - 1, r.Bottom - 1);
    c.drawLineTo(r.Right - 1, r.Top - 1);
    line(c, clBtnHighlight, r.Left + 1, r.Bottom - 2, r.Left + 1, r.Top + 1);
    c.drawLineTo(r.Right - 1, r.Top + 1);
    line(c, clBtnShadow, r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 2);
  }
  c.Pen.Color = pen;
}

void TdcCustomDBGrid::drawIndicatorCell(Canvas& c, int ARow, const TRect& rect) {
  c.fillRect(rect);
  if (!linkActive() || ARow - titleOffset_ != link_->ActiveRecord()) return;
  lastIndicatedRow_ = ARow;
  TDataSet* ds = dataSet();
  const TDataSetState state = ds ? ds->State() : dsInactive;
  drawIndicatorGlyph(c, rect, *IndicatorBitmap(state == dsInsert ? indicatorInsert : state == dsEdit ? indicatorEdit : indicatorBrowse));
}

void TdcCustomDBGrid::drawIndicatorGlyph(Canvas& c, const TRect& rect, const BitmapImage& glyph) {
  const int x = (rect.Right - glyph.Width()) / 2 + 1;
  const int y = (rect.Top + rect.Bottom - glyph.Height()) / 2;
  const TRect target{x, y, x + glyph.Width(), y + glyph.Height()};
  const ::CopyMode mode = c.CopyMode;
  if (indicatorColor_ == icBlack) {
    c.CopyMode = ::CopyMode::sourceAnd;
    c.copyArea(target, const_cast<BitmapImage&>(glyph).canvas(), {0, 0, glyph.Width(), glyph.Height()});
  } else {
    // White becomes the cell's colour, black yellow.
    QImage image = glyph.image().convertToFormat(QImage::Format_RGB32);
    const QRgb background = qn::ui::qtColor(c.Brush.Color).rgb();
    const QRgb yellow = qn::ui::qtColor(clYellow).rgb();
    for (int py = 0; py < image.height(); ++py)
      for (int px = 0; px < image.width(); ++px) {
        const QRgb p = image.pixel(px, py) & 0xFFFFFF;
        if (p == 0xFFFFFF) image.setPixel(px, py, background);
        else if (p == 0) image.setPixel(px, py, yellow);
      }
    BitmapImage coloured;
    coloured.assignImage(image);
    c.CopyMode = ::CopyMode::sourceCopy;
    c.copyArea(target, coloured.canvas(), {0, 0, glyph.Width(), glyph.Height()});
  }
  c.CopyMode = mode;
}

unsigned TdcCustomDBGrid::dataTextFlags(const TRect& rect) {
  const bool ellipsis = dbOptions_.Contains(dgTrailingEllipsis);
  if (!dbOptions_.Contains(dgWordWrap)) return ellipsis ? cellTextEllipsis : 0u;
  const bool oneLine = rect.Height() - 2 - 1 <= canvas().textHeight("Wg") + 2 + 3;
  return cellTextWordBreak | (oneLine && ellipsis ? cellTextEllipsis : 0u);
}

bool TdcCustomDBGrid::activeControlOfForm() const {
  const FormBase* form = GetParentForm(this);
  return form && form->ActiveControl() == this;
}

void TdcCustomDBGrid::drawDataCell(Canvas& c, int ACol, int ARow, const TRect& rect, GridCellStates state) {
  const int dataCol = ACol - indicatorOffset_;
  const int record = ARow - titleOffset_;
  TField* field = GetFields(dataCol);
  if (!linkActive() || !field || record >= link_->RecordCount()) {
    c.fillRect(rect);
    return;
  }
  const int active = link_->ActiveRecord();
  link_->SetActiveRecord(record);
  try {
    if (drawCellKind(c, ACol, ARow, rect, state)) {
      link_->SetActiveRecord(active);
      return;
    }
    const AnsiString text = GetCellText(field);
    const bool highlight = HighlightCell(dataCol, record, state, text);
    cellFlags_.highlighted = highlight;
    if (highlight) {
      c.Brush.Color = clHighlight;
      c.Font()->SetColor(clHighlightText);
    }
    DoCalcCellColors(field, state, highlight, c.Brush, c.Font());
    if (defaultDrawing_) DrawEditTextInRect(c, rect, 2, dataTextFlags(rect), field->Alignment(), text, 2);
    else c.fillRect(rect);
    DoDrawDataCell(rect, field, state);
    if (defaultDrawing_ && highlight && !ComponentState().Contains(csDesigning) && !dbOptions_.Contains(dgRowSelect) &&
        activeControlOfForm()) {
      c.DrawFocusRect(rect);
      cellFlags_.focusRectDrawn = true;
    }
  } catch (...) {
    link_->SetActiveRecord(active);
    throw;
  }
  link_->SetActiveRecord(active);
}

void TdcCustomDBGrid::Paint() {
  TCustomGrid::Paint();
  if (dbOptions_.Contains(dgShowFooter)) paintFooter();
  if (ColumnDragStarted() && dragImage_) {
    Canvas& c = canvas();
    const ::CopyMode mode = c.CopyMode;
    c.CopyMode = ::CopyMode::sourceCopy;
    c.Draw(dragX_, dragVertOffset_, *dragImage_);
    c.CopyMode = mode;
  }
}

void TdcCustomDBGrid::paintFooter() {
  const TRect footer = GetFooterRect();
  if (footer.IsEmpty()) return;
  Canvas& c = canvas();
  const TRect band{footer.Left, footer.Top - 1, footer.Right, footer.Bottom + 1};
  c.Brush.Style = BrushStyle::solid;
  c.Brush.Color = Color();
  c.fillRect(band);
  line(c, clBlack, band.Left, band.Top, band.Right - 1, band.Top);
  c.drawLineTo(band.Right - 1, band.Bottom);
  c.Brush.Color = footerColor_;
  c.fillRect({band.Left, band.Top + 1, band.Right - 1, band.Bottom});
  line(c, clWhite, band.Right - 1, band.Top + 1, band.Left, band.Top + 1);
  c.drawLineTo(band.Left, band.Bottom);
  line(c, clBlack, band.Left, band.Bottom - 1, band.Right - 1, band.Bottom - 1);
  if (!linkActive()) return;
  std::vector<int> columns;
  for (int col = indicatorOffset_; col < FixedCols() && col < columnCount(); ++col) columns.push_back(col);
  for (int col = std::max(firstScrollColumn(), FixedCols()); col < columnCount(); ++col) columns.push_back(col);
  const int row = titleOffset_ ? 0 : firstScrollRow();
  for (int col : columns) {
    if (columnWidth(col) == 0) break;
    const TRect cell = cellBounds(col, row);
    if (cell.IsEmpty()) continue;
    drawFooterCell(c, {cell.Left, band.Top + 2, cell.Right, band.Bottom - 2}, col - indicatorOffset_);
  }
}

void TdcCustomDBGrid::drawFooterCell(Canvas& c, const TRect& rect, int DataCol) {
  TField* field = GetFields(DataCol);
  const AnsiString text = ColumnByIndex(DataCol).FooterValue();
  bool defaultDrawing = true;
  if (OnDrawFooterCell) OnDrawFooterCell(this, c, rect, field, text, defaultDrawing);
  if (!defaultDrawing || text.empty()) return;
  c.Brush.Style = BrushStyle::solid;
  c.Brush.Color = footerCellColor_;
  c.fillRect(rect);
  const TColor pen = c.Pen.Color;
  const int in = dbOptions_.Contains(dgFooter3DCells) ? 1 : 0;
  const TRect r{rect.Left + in, rect.Top + in, rect.Right - in, rect.Bottom - in};
  line(c, clBtnShadow, r.Left, r.Bottom - 1, r.Left, r.Top);
  c.drawLineTo(r.Right - 1, r.Top);
  line(c, clBtnHighlight, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
  c.drawLineTo(r.Left, r.Bottom - 1);
  if (in) {
    line(c, clBlack, r.Left + 1, r.Bottom - 2, r.Left + 1, r.Top + 1);
    c.drawLineTo(r.Right - 1, r.Top + 1);
    line(c, clBtnFace, r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom - 2);
    c.drawLineTo(r.Left + 1, r.Bottom - 2);
  }
  c.Pen.Color = pen;
  c.SetFont(Font());
  const int textTop = rect.Top + (rect.Height() - c.textHeight("A")) / 2;
  TRect textRect{rect.Left + 5, textTop, rect.Left + rect.Width() - 9, rect.Bottom};
  const unsigned format = textExpandTabs | textNoPrefix | textWordBreak | textTransparent |
                          textAlignmentFormat(field ? field->Alignment() : taLeftJustify);
  c.drawText(textRect, text, format);
}
