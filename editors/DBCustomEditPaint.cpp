// The data-aware edit paints itself while Qt's edit would show the wrong thing: unfocused and
// not left-aligned, without a caret, inside a focused grid, and as a copy in a grid cell.
#include "datagrid/CustomDBGrid.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/ExtensionProperties.h"
#include "editors/DBCustomEdit.h"
#include "framework/db/Field.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/Font.h"

namespace {

bool insideFocusedDBGrid(const TControl* control) {
  const TWinControl* parent = control->Parent();
  return parent && ClassInheritsFromName(parent->ClassInfo(), "TdcDBGrid") && parent->Focused();
}

bool insideDBGrid(const TControl* control) {
  return control->Parent() && ClassInheritsFromName(control->Parent()->ClassInfo(), "TdcDBGrid");
}

}  // namespace

bool TdcDBCustomEdit::mappedText() {
  AnsiString shown;
  return GetMappedDisplayText(AnsiString(), shown);
}

AnsiString TdcDBCustomEdit::PaintedText() {
  TField* field = link_.Field();
  AnsiString text;
  if (IsPaintCopyState() && field) {
    const AnsiString stored = field->AsString();
    if (!GetMappedDisplayText(stored, text)) text = field->DisplayText();
  } else if (IsMemoField() && field) {
    text = field->AsString();
  } else {
    text = Text();
  }
  if (PasswordChar()) text.assign(text.size(), PasswordChar());
  return text;
}

bool TdcDBCustomEdit::PaintSelf(Canvas& ACanvas) {
  const bool copy = IsPaintCopyState();
  const bool focusedGrid = insideFocusedDBGrid(this);
  if ((Focused() || alignment_ == taLeftJustify) && CaretAllowed() && !focusedGrid && !copy) return false;

  ACanvas.SetFont(Font());
  if (insideDBGrid(this)) ACanvas.Font()->SetColor(Parent()->Font()->Color());
  if (!Enabled() && Color() != clInactiveCaption) ACanvas.Font()->SetColor(clInactiveCaption);
  TRect rect{0, 0, Width(), Height()};
  const bool border = BorderStyle() != bsNone;
  if ((border && !Ctl3D()) || (insideDBGrid(this) && !copy)) {
    ACanvas.Brush = {clWindowFrame, BrushStyle::solid};
    ACanvas.frameRect(rect);
    rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  } else if (border) {
    ACanvas.drawEdge(rect, edgeSunken, sidesAll | sideAdjust);
  }
  ACanvas.Brush = {Color(), BrushStyle::solid};
  ACanvas.fillRect(rect);

  const bool highlight = !copy && (focusedGrid || (Focused() && !CaretAllowed()));
  if (highlight) {
    ACanvas.Brush = {clHighlight, BrushStyle::solid};
    ACanvas.Font()->SetColor(clHighlightText);
  }
  const int margin = border ? 3 : focusedGrid ? 2 : 1;
  // The routine keeps two pixels on the right of right-aligned text: the text ends one pixel plus
  // the margin before the button, or before the edge.
  const int right = GetShowButton() ? GetButtonLeft() - 1 - margin : Width() - margin;
  const TRect textRect{0, 0, right + 2, rect.Bottom};
  const AnsiString text = PaintedText();
  if (highlight) {
    TRect marked{rect.Left, rect.Top, std::min(rect.Right, right + 1), rect.Bottom};
    ACanvas.fillRect(marked);
    ACanvas.DrawFocusRect(marked);
  }
  DrawTextInRect(ACanvas, textRect, margin, border ? 3 : 1, text);
  return true;
}

void TdcDBCustomEdit::DrawTextInRect(Canvas& ACanvas, const TRect& Rect, int X, int Y, const AnsiString& Text) {
  const unsigned flags = cellTextOverPixels | (WordWrap() ? cellTextWordBreak : 0u);
  DrawEditTextInRect(ACanvas, Rect, X, flags, alignment_, Text, Y);
}
