// The lookup combo paints itself where the edit's window would show the wrong thing: a text that
// cannot be typed, inside a grid that has the focus, and as a copy in a grid cell (the display
// text of the record its stored value names).
#include "datagrid/DrawingHelpers.h"
#include "editors/DBLookupCombo.h"
#include "framework/db/Field.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/Font.h"

bool TdcDBCustomLookupCombo::CaretAllowed() const { return TypingMode(); }

AnsiString TdcDBCustomLookupCombo::PaintedText() {
  TField* field = link_.Field();
  if (!IsPaintCopyState() || !field) return Text();
  AnsiString shown;
  if (field->IsNull() || !GetMappedDisplayText(field->AsString(), shown)) return field->DisplayText();
  return shown;
}

bool TdcDBCustomLookupCombo::PaintSelf(Canvas& ACanvas) {
  const bool copy = IsPaintCopyState();
  const TWinControl* parent = Parent();
  const bool inGrid = InsideGrid();
  const bool focusedGrid = inGrid && parent->Focused();
  if (!copy && !focusedGrid && TypingMode()) {
    // The drop-down follows the combo when it moved.
    if (dropped_ && ClientToScreen({0, 0}) != placedCorner_) PlaceGrid();
    return false;
  }
  ACanvas.SetFont(Font());
  if (!Enabled()) ACanvas.Font()->SetColor(clGrayText);
  TRect rect{0, 0, Width(), Height()};
  const bool bordered = BorderStyle() != bsNone;
  if (bordered && (!Ctl3D() || (inGrid && !copy))) {
    ACanvas.Brush = {clWindowFrame, BrushStyle::solid};
    ACanvas.frameRect(rect);
    rect = {1, 1, rect.Right - 1, rect.Bottom - 1};
  } else if (bordered) {
    ACanvas.drawEdge(rect, edgeSunken, sidesAll | sideAdjust);
  }
  ACanvas.Brush = {Color(), BrushStyle::solid};
  ACanvas.fillRect(rect);
  const int right = GetShowButton() ? panel_->Left() : Width();
  const TRect textRect{rect.Left, rect.Top, std::min(rect.Right, right), rect.Bottom};
  const bool highlight = !copy && (focusedGrid || (Focused() && style_ == csDropDownList));
  if (highlight) {
    ACanvas.Brush = {clHighlight, BrushStyle::solid};
    ACanvas.Font()->SetColor(clHighlightText);
    ACanvas.fillRect(textRect);
    ACanvas.DrawFocusRect(textRect);
  }
  const int indent = focusedGrid ? (bordered ? 3 : 2) : 1;
  DrawEditTextInRect(ACanvas, textRect, indent, cellTextOverPixels, taLeftJustify, PaintedText(), bordered ? 2 : 1);
  return true;
}
