#include "casewindow/CaseDescriptionF.h"

#include <memory>

#include "casewindow/FullDsc1F.h"
#include "casewindow/NarrativeTextExpansion.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/NarrativeCodes.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBEdit.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/DateFormat.h"
#include "framework/base/Exception.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Color.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/TextLabel.h"

TCaseDescriptionF* CaseDescriptionF = nullptr;

namespace {

constexpr int kWidth = 783;
constexpr int kHeight = 26;

// The code table: its records are 144 bytes; the calendar item codes have type "I".
constexpr uint8_t kCodeTableFile = 6;
constexpr int kTypeCodeKeyPath = 1;
constexpr std::size_t kCodeTableRecord = 144;
constexpr char kItemCodeType = 'I';

// A band fills the row the main window gives the panel, which is wider than the design: the
// description button stands in the window's right-hand column.
TPanel* band(TCaseDescriptionF* form, const char* name) {
  auto* panel = PlaceControl<TPanel>(form, form, 0, 0, kWidth, kHeight);
  panel->SetAlign(alClient);
  panel->SetName(name);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clScrollBar);
  return panel;
}

TextLabel* label(TCaseDescriptionF* form, TPanel* parent, const char* name, const char* caption, int left,
                 int width) {
  auto* text = PlaceControl<TextLabel>(form, parent, left, 5, width, 16);
  text->SetName(name);
  text->SetCaption(caption);
  return text;
}

TdcDBDateTimePicker* picker(TCaseDescriptionF* form, const char* name, TdcDTEditDataType kind, int left, int width) {
  auto* p = PlaceControl<TdcDBDateTimePicker>(form, form->PanelCalendarDateTime, left, 2, width, 22);
  p->SetName(name);
  p->SetUnboundDataType(kind);
  return p;
}

}  // namespace

TCaseDescriptionF::TCaseDescriptionF(TComponent* AOwner) : DockedPanel(AOwner) {
  SetName("CaseDescriptionF");
  SetColor(clScrollBar);
  SetWidth(kWidth);
  SetClientHeight(kHeight);

  PanelCaseDescription = band(this, "PanelCaseDescription");
  LabelDescription1 = label(this, PanelCaseDescription, "LabelDescription1", "Description Line 1", 6, 114);
  CaseDescription = PlaceControl<TdcDBEdit>(this, PanelCaseDescription, 124, 2, 400, 22);
  CaseDescription->SetName("CaseDescription");
  if (DM) CaseDescription->SetDataSource(DM->SourceOf(DM->Case1_));
  CaseDescription->SetDataField("Description Line 1");
  ExpandSB = PlaceControl<TSpeedButton>(this, PanelCaseDescription, 527, 2, 24, 22);
  ExpandSB->SetName("ExpandSB");
  ExpandSB->SetCaption("+");
  ExpandSB->SetHint("Show the description with its narrative codes expanded");
  ExpandSB->SetShowHint(true);
  ExpandSB->SetEnabled(false);
  DescriptionBitBtn = PlaceControl<GlyphButton>(this, PanelCaseDescription, 556, 1, 100, 24);
  DescriptionBitBtn->SetName("DescriptionBitBtn");
  DescriptionBitBtn->SetCaption("&Descriptions");

  // Shown by the calendar's screens; the end time and the case-list marker only in calendar mode.
  PanelCalendarDateTime = band(this, "PanelCalendarDateTime");
  PanelCalendarDateTime->SetVisible(false);
  CalDate = picker(this, "CalDate", dcDTEdtDate, 124, 96);
  LabelDayOfWeek = label(this, PanelCalendarDateTime, "LabelDayOfWeek", "", 224, 72);
  Label2 = label(this, PanelCalendarDateTime, "Label2", "Start time", 300, 58);
  CalTime = picker(this, "CalTime", dcDTEdtTime, 360, 84);
  CalTime2 = picker(this, "CalTime2", dcDTEdtTime, 448, 84);
  CalTime2->SetEnabled(false);
  CalDate2 = picker(this, "CalDate2", dcDTEdtDate, 536, 96);
  CalDate2->SetVisible(false);
  ComboBox1 = PlaceControl<ComboBox>(this, PanelCalendarDateTime, 636, 2, 140, 22);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetVisible(false);
  Shape1 = PlaceControl<ShapeControl>(this, PanelCalendarDateTime, 636, 2, 96, 22);
  Shape1->SetName("Shape1");
  Shape1->SetEnabled(false);
  LabelCaseList = label(this, PanelCalendarDateTime, "LabelCaseList", "Case lists", 642, 84);
  LabelCaseList->SetEnabled(false);

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  ComboBox1->OnCloseUp = [this](TObject* Sender) { ComboBox1CloseUp(Sender); };
  CaseDescription->OnChange = [this](TObject* Sender) { CaseDescriptionChange(Sender); };
  ExpandSB->OnClick = [this](TObject* Sender) { ExpandSBClick(Sender); };
  for (TdcDBDateTimePicker* date : {CalDate, CalDate2})
    date->OnChange = [this](TObject* Sender) { CalDateChange(Sender); };
  for (TdcDBDateTimePicker* time : {CalTime, CalTime2}) {
    time->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { CalTimeKeyDown(Sender, Key, Shift); };
    time->OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) { CalTimeKeyUp(Sender, Key, Shift); };
    time->OnKeyPress = [this](TObject* Sender, char& Key) { CalTimeKeyPress(Sender, Key); };
  }
}

void TCaseDescriptionF::FormShow(TObject*) {
  // Shown again, the panel lists the codes once.
  ComboBox1->Items()->Clear();
  if (RecordFileDir.empty()) RecordFileDir = DataDir;
  try {
    OpenStandardFile(kCodeTableFile);
    if (IsRecordFileOpen(kCodeTableFile)) {
      SetKeyPath(kCodeTableFile, kTypeCodeKeyPath);
      // Blanked before each read: a record shorter than the table's reads as blanks past its end.
      AnsiString record(kCodeTableRecord, ' ');
      bool eof = false;
      bool found = FindRecord(kCodeTableFile, AnsiString(1, kItemCodeType) + "     ", record, eof, 3);
      while (found && !eof && record[4] == kItemCodeType) {
        ComboBox1->Items()->Add(record.substr(6, 2) + " " + record.substr(11, 30));
        record.assign(kCodeTableRecord, ' ');
        GetNextRecord(kCodeTableFile, record, eof, 0);
      }
    }
  } catch (const Exception& e) {
    MessageDlg(e.Message(), mtError, {mbOK}, 0);
  }
  CloseRecordFile(kCodeTableFile);
}

void TCaseDescriptionF::ComboBox1CloseUp(TObject*) {
  const int chosen = ComboBox1->ItemIndex();
  if (chosen >= 0) ComboBox1->SetText(ComboBox1->Items()->Strings(chosen).substr(0, 2));
}

void TCaseDescriptionF::CaseDescriptionChange(TObject*) {
  ExpandSB->SetEnabled(CaseDescription->Text().find('+') != AnsiString::npos);
}

void TCaseDescriptionF::ExpandSBClick(TObject*) {
  auto full = std::make_unique<TFullDsc1F>(this);
  // Right under the panel, in screen coordinates.
  const TControl* main = Parent();
  const int top = main ? main->Height() + main->Top() + Top() + Height() - main->ClientHeight()
                       : ClientToScreen({0, Height()}).Y;
  const int left = (main ? main->Left() : ClientToScreen({0, 0}).X) + CaseDescription->Left() + 4;
  full->SetBounds(left, top, CaseDescription->Width(), full->Height());
  full->Memo1->SetBounds(3, 3, full->Shape1->Width() - 6, full->Shape1->Height() - 22);
  full->Label1->SetBounds(5, full->Memo1->Top() + full->Memo1->Height(), full->Memo1->Width() - 2, 16);
  full->Memo1->SetText(ExpandNarrativeText(CaseDescription->Text(), NarrativeList, false));
  full->runModal();
}

void TCaseDescriptionF::CalDateChange(TObject*) {
  const TDateTime date = CalDate->ShownValue();
  if (LabelDayOfWeek->Visible() && !CalDate->Text().empty() && date != 0)
    LabelDayOfWeek->SetCaption(FormatDateTime("dddd", date));
}

namespace {

UnitRegistration unit("casewindow/CaseDescriptionF", {"framework/ui/Application"}, [] {
  RegisterClass<TCaseDescriptionF>();
  RegisterFormVariable(CaseDescriptionF);
});

}  // namespace
