#include "datagrid/FilterDialogView.h"

#include "datagrid/DialogButton.h"
#include "datagrid/FilterValueSyntax.h"
#include "datagrid/Intl.h"
#include "datagrid/StringHelpers.h"
#include "framework/ui/Screen.h"

namespace {

// Data cells white with black text; the header row as the grid draws it.
class SummaryGrid : public TextGrid {
 public:
  using TextGrid::TextGrid;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override {
    if (ARow < fixedRowCount()) {
      TextGrid::DrawCell(ACol, ARow, ARect, AState);
      return;
    }
    canvas().Brush.Color = clWhite;
    canvas().Brush.Style = BrushStyle::solid;
    canvas().fillRect(ARect);
    canvas().Font()->SetColor(clBlack);
    canvas().drawTextClipped(ARect, ARect.Left + 2, ARect.Top + 2, cellText(ACol, ARow));
  }
};

}  // namespace

std::array<AnsiString, 3> FilterSummaryRow(const TdcFieldInfo& Criterion, const TdcFieldOperators& Operators) {
  const TdcFilterDialogIntl* t = dcIntlDefaults->FilterDialog();
  if (Criterion.MatchType == fdMatchRange) {
    AnsiString value;
    if (!Criterion.MinValue.empty()) value = ">=" + Criterion.MinValue;
    if (!Criterion.MinValue.empty() && !Criterion.MaxValue.empty()) value += ", ";
    if (!Criterion.MaxValue.empty()) value += "<=" + Criterion.MaxValue;
    return {Criterion.DisplayLabel, StrRemoveChar(t->ByRangeLabel, '&'), value};
  }
  const AnsiString& label = Criterion.MatchType == fdMatchExact ? t->MatchExactLabel
                            : Criterion.MatchType == fdMatchAny ? t->MatchAnyLabel
                                                                : t->MatchStartLabel;
  AnsiString value = Criterion.FilterValue;
  if (Criterion.NonMatching)
    value = FilterValueHasOperator(value, Operators) ? t->ViewSummaryNotText + " (" + value + ")"
                                                     : t->ViewSummaryNotText + " " + value;
  return {Criterion.DisplayLabel, StrRemoveChar(label, '&'), value};
}

TdcFilterDialogView::TdcFilterDialogView(TComponent* AOwner, const std::vector<TdcFieldInfo>& Criteria,
                                         const TdcFieldOperators& Operators)
    : TForm(AOwner) {
  const int ppi = Screen->PixelsPerInch();
  auto scaled = [ppi](int value) { return value * ppi / 96; };
  const TdcFilterDialogIntl* t = dcIntlDefaults->FilterDialog();
  SetCaption("Show Search Summary");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetWidth(scaled(489));
  Font()->SetStyle(dcIntlDefaults->DialogFontStyle);

  StringGrid1 = new SummaryGrid(this);
  StringGrid1->SetParent(this);
  StringGrid1->setColumnCount(3);
  StringGrid1->SetFixedCols(0);
  StringGrid1->setRowCount(static_cast<int>(Criteria.size()) + 1);
  StringGrid1->setFixedRowCount(1);
  StringGrid1->setDefaultRowHeight(scaled(18));
  const int widths[] = {120, 140, 197};
  for (int i = 0; i < 3; ++i) StringGrid1->setColumnWidth(i, scaled(widths[i]));
  const int gridHeight = scaled(18) * IntMin(static_cast<int>(Criteria.size()) + 1, 10) + scaled(8);
  StringGrid1->SetBounds(scaled(8), scaled(8), scaled(464), gridHeight);
  StringGrid1->SetOptions(GridOptions(StringGrid1->Options()).Include(gridEditing));
  StringGrid1->setEditorReadOnly(true);
  StringGrid1->setRowTexts(0, {t->SummaryFieldLabel, t->SummarySearchLabel, t->SummaryValueLabel});
  for (size_t i = 0; i < Criteria.size(); ++i) {
    const std::array<AnsiString, 3> row = FilterSummaryRow(Criteria[i], Operators);
    StringGrid1->setRowTexts(static_cast<int>(i) + 1, {row[0], row[1], row[2]});
  }

  OKButton = CreateDialogButton(this, dbkOK);
  const int buttonTop = StringGrid1->Top() + StringGrid1->Height() + scaled(9);
  SetClientHeight(buttonTop + OKButton->Height() + scaled(8));
  OKButton->SetBounds((ClientWidth() - OKButton->Width()) / 2, buttonTop, OKButton->Width(), OKButton->Height());
  OKButton->SetVisible(true);
  // The view closes with OK or Escape; its cancel button stays outside the client area.
  CancelButton = CreateDialogButton(this, dbkCancel);
  CancelButton->SetBounds(ClientWidth() + scaled(20), buttonTop, CancelButton->Width(), CancelButton->Height());
  CancelButton->SetVisible(true);
}
