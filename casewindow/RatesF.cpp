#include "casewindow/RatesF.h"

#include "casewindow/AssignedRates.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/ScreenFacts.h"

AnsiString RateCodeShown;

namespace {

constexpr int kDesignedClientWidth = 256;
constexpr int kPanelHeight = 41;
constexpr int kEmployeeColumnWidth = 66, kRateColumnWidth = 166, kGridWidth = 240, kGridTop = 2;
// Laid out at 120 pixels per inch; on coarser screens the rate column's text needs more room.
constexpr int kDesignedPixelsPerInch = 120, kCoarseScreenWidening = 85;
constexpr int kRowsWithoutScrolling = 16;
// What the window's height adds to the panel and the grid: the caption, the frames and the gap.
constexpr int kWindowExtra = 55;
constexpr int kTextInset = 2;

}  // namespace

RatesGrid::RatesGrid(TComponent* AOwner, TRatesF* Form) : TextGrid(AOwner), form_(Form) {}

void RatesGrid::DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) {
  form_->StringGridRatesDrawCell(this, ACol, ARow, ARect, AState);
}

TRatesF::TRatesF(TComponent* AOwner) : TForm(AOwner) {
  SetName("RatesF");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(kDesignedClientWidth);
  SetClientHeight(200);
  StringGridRates = new RatesGrid(this, this);
  StringGridRates->SetParent(this);
  StringGridRates->SetName("StringGridRates");
  StringGridRates->SetBounds(6, kGridTop, kGridWidth, 120);
  StringGridRates->setColumnCount(2);
  StringGridRates->setRowCount(2);
  StringGridRates->SetFixedCols(0);
  StringGridRates->setFixedRowCount(1);
  StringGridRates->setScrollBars(scrollBarsNone);
  Panel1 = PlaceControl<TPanel>(this, this, 0, 200 - kPanelHeight, kDesignedClientWidth, kPanelHeight);
  Panel1->SetName("Panel1");
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetAlign(alBottom);
  BitBtn1 = PlaceControl<GlyphButton>(this, Panel1, (kDesignedClientWidth - 75) / 2, 8, 75, 25);
  BitBtn1->SetName("BitBtn1");
  BitBtn1->SetKind(gbkOK);
  BitBtn1->SetDefault(true);
  BitBtn1->SetCancel(true);
  Timer1 = new IntervalTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(100);
  Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TRatesF::FormShow(TObject*) {
  SetCaption("Assigned rates for " + RateCodeShown);
  StringGridRates->setCellText(0, 0, "Employee");
  StringGridRates->setCellText(1, 0, "Rate");
  StringGridRates->setColumnWidth(0, kEmployeeColumnWidth);
  StringGridRates->setColumnWidth(1, kRateColumnWidth);
  StringGridRates->SetWidth(kGridWidth);
  StringGridRates->SetTop(kGridTop);
  if (PixelsPerInch() < kDesignedPixelsPerInch) SetWidth(Width() + kCoarseScreenWidening);
  fillRows();
  sizeToRows();
}

void TRatesF::fillRows() {
  const std::vector<AssignedRate> rates = ReadAssignedRates(RateCodeShown);
  int row = StringGridRates->fixedRowCount();
  for (const AssignedRate& rate : rates) {
    if (row >= StringGridRates->rowCount()) StringGridRates->setRowCount(StringGridRates->rowCount() + 1);
    StringGridRates->setCellText(0, row, rate.Employee);
    StringGridRates->setCellText(1, row, rate.Rate);
    ++row;
  }
  if (rates.empty()) Timer1->SetEnabled(true);
}

void TRatesF::sizeToRows() {
  const int rows = StringGridRates->rowCount();
  const int rowHeight = StringGridRates->defaultRowHeight();
  if (rows > kRowsWithoutScrolling) {
    StringGridRates->setScrollBars(scrollBarsVertical);
    StringGridRates->SetWidth(StringGridRates->Width() + qn::ui::screenFacts().verticalScrollBarWidth + 2);
    StringGridRates->SetHeight(kRowsWithoutScrolling * rowHeight + 38);
  } else {
    StringGridRates->SetHeight(rows * (rowHeight + 2) - 4);
  }
  SetHeight(Panel1->Height() + StringGridRates->Height() + kWindowExtra);
  StringGridRates->SetLeft((ClientWidth() - StringGridRates->Width()) / 2 - 2);
  BitBtn1->SetLeft((Panel1->ClientWidth() - BitBtn1->Width()) / 2);
}

void TRatesF::StringGridRatesDrawCell(TObject*, int ACol, int ARow, TRect Rect, GridCellStates State) {
  Canvas& canvas = StringGridRates->canvas();
  if (State.Contains(cellSelected) || State.Contains(cellFocused)) canvas.Brush.Color = clWhite;
  const AnsiString text = StringGridRates->cellText(ACol, ARow);
  if (ACol == 0) {
    canvas.Font()->SetColor(clNavy);
    canvas.drawTextClipped(Rect, Rect.Left, Rect.Top + kTextInset, text);
  } else {
    canvas.Font()->SetColor(clBlack);
    canvas.drawTextClipped(Rect, Rect.Right - canvas.textWidth(text) - kTextInset, Rect.Top + kTextInset, text);
  }
}

void TRatesF::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  MessageDlg("There are no active employees who have a designated rate of " + RateCodeShown + ".", mtInformation,
             {mbOK}, 0);
  Close();
}

namespace {

// The billing box makes the window by its class and frees it after each showing.
UnitRegistration unit("casewindow/RatesF", {"framework/ui/Application"}, [] { RegisterClass<TRatesF>(); },
                      [] { RateCodeShown.clear(); });

}  // namespace
