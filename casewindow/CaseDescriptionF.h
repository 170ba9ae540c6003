#pragma once
// TCaseDescriptionF: the band under the header, docked in the main window. In case mode its
// PanelCaseDescription shows the matter's first description line, a button that shows the line
// with its narrative codes expanded and the button to the description editor; in calendar mode
// its PanelCalendarDateTime carries the item's date and time pickers, the day of the week and the
// item-code list the search filters on.
#include "casewindow/DockedPanel.h"

class ComboBox;
class GlyphButton;
class ShapeControl;
class TPanel;
class TSpeedButton;
class TdcDBDateTimePicker;
class TdcDBEdit;
class TextLabel;

class TCaseDescriptionF : public DockedPanel {
  QN_CLASS(TCaseDescriptionF, DockedPanel)
 public:
  explicit TCaseDescriptionF(TComponent* AOwner);

  TPanel* PanelCaseDescription;
  TextLabel* LabelDescription1;  // the statement format's caption of line 1
  TdcDBEdit* CaseDescription;
  TSpeedButton* ExpandSB;
  GlyphButton* DescriptionBitBtn;

  TPanel* PanelCalendarDateTime;
  TdcDBDateTimePicker* CalDate;
  TextLabel* LabelDayOfWeek;
  TextLabel* Label2;
  TdcDBDateTimePicker* CalTime;
  TdcDBDateTimePicker* CalTime2;
  TdcDBDateTimePicker* CalDate2;
  ComboBox* ComboBox1;
  TextLabel* LabelCaseList;
  ShapeControl* Shape1;

  // The calendar item codes into ComboBox1, from the code table.
  void FormShow(TObject* Sender);
  void ComboBox1CloseUp(TObject* Sender);
  void CaseDescriptionChange(TObject* Sender);
  // The first line with its codes expanded, in a pop-up right under the panel.
  void ExpandSBClick(TObject* Sender);
  // Both date pickers.
  void CalDateChange(TObject* Sender);
  // Both time pickers: only digits, A, M, P and the editing keys reach them.
  void CalTimeKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void CalTimeKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void CalTimeKeyPress(TObject* Sender, char& Key);
};

extern TCaseDescriptionF* CaseDescriptionF;
