#pragma once
// TRatesF ("Assigned rates for " + the code): the small modal list the billing box opens on the
// matter's billing rate code, one row per active employee with an hourly rate under it (code and
// rate). With no such employee the window comes up, says so and closes.
#include "framework/ui/Form.h"
#include "framework/ui/TextGrid.h"

class GlyphButton;
class IntervalTimer;
class TPanel;
class TRatesF;

// The two-character code the list shows, set by the billing box before it shows the window.
extern AnsiString RateCodeShown;

// The list's grid: a text grid whose cells the window draws.
class RatesGrid : public TextGrid {
  QN_CLASS(RatesGrid, TextGrid)
 public:
  RatesGrid(TComponent* AOwner, TRatesF* Form);

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override;

 private:
  TRatesF* form_;
};

class TRatesF : public TForm {
  QN_CLASS(TRatesF, TForm)
 public:
  explicit TRatesF(TComponent* AOwner);

  // Headings "Employee" and "Rate" in row 0.
  RatesGrid* StringGridRates;
  TPanel* Panel1;
  GlyphButton* BitBtn1;  // OK
  IntervalTimer* Timer1;  // disabled, 100 ms: the "no active employees" message once the window is up

  void FormShow(TObject* Sender);
  // Selected and focused cells on white; the employee in navy at the cell's left, the rate in
  // black 2 pixels from its right.
  void StringGridRatesDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, GridCellStates State);
  void Timer1Timer(TObject* Sender);

 private:
  void fillRows();
  void sizeToRows();
};
