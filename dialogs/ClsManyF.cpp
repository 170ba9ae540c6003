#include "dialogs/ClsManyF.h"

#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/PlaceControl.h"

namespace {

constexpr int kEmployeeFile = 3;  // the standard file number of YEmpl.qf
constexpr int kDesignedPixelsPerInch = 120;

TextLabel* label(TClsManyF* form, int left, int top, int width, int height, const char* caption) {
  auto* text = PlaceControl<TextLabel>(form, form, left, top, width, height);
  text->SetCaption(caption);
  return text;
}

// Every employee as the lists show one, in key order.
std::vector<AnsiString> employeeItems() {
  std::vector<AnsiString> items;
  const bool wasOpen = IsRecordFileOpen(kEmployeeFile);
  if (RecordFileDir.empty()) RecordFileDir = DataDir;
  OpenStandardFile(kEmployeeFile);
  if (!IsRecordFileOpen(kEmployeeFile)) return items;
  uint16_t length = 0;
  GetRecordLength(kEmployeeFile, length);
  AnsiString record(length, ' ');
  bool eof = false;
  for (GetFirstRecord(kEmployeeFile, record, eof, 0); !eof; GetNextRecord(kEmployeeFile, record, eof, 0))
    items.push_back(record.substr(4, 4) + "  " + Trim(record.substr(8, 25)) + ", " + Trim(record.substr(33, 20)));
  if (!wasOpen) CloseRecordFile(kEmployeeFile);
  return items;
}

void fill(ComboBox* box, const std::vector<AnsiString>& employees) {
  box->Items()->Clear();
  box->Items()->Add("All");
  for (const AnsiString& item : employees) box->Items()->Add(item);
  box->SetText("All");
}

}  // namespace

TClsManyF::TClsManyF(TComponent* AOwner) : TForm(AOwner) {
  SetName("ClsManyF");
  SetCaption("Quillon Close Matters");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(440);
  SetClientHeight(300);
  Label1 = label(this, 12, 10, 416, 64,
                 "Please indicate the cutoff date for history transactions. That is, Quillon will close matters who do "
                 "not have any posted transactions on or after the indicated date, assuming all other requirements for "
                 "closing a matter are met:");
  Label1->SetAutoSize(false);
  Label1->SetBounds(12, 10, 416, 64);
  Label1->SetWordWrap(true);
  Label2 = label(this, 12, 88, 200, 16, "History cutoff date:");
  DateTimePicker1 = PlaceControl<TdcDBDateTimePicker>(this, this, 240, 84, 120, 21);
  DateTimePicker1->SetUnboundDataType(dcDTEdtDate);
  Label3 = label(this, 12, 124, 200, 16, "Only close matters with CCA(s):");
  CBCCA = PlaceControl<ComboBox>(this, this, 220, 120, 208, 21);
  Label4 = label(this, 12, 158, 200, 16, "Only close matters with RA1(s):");
  CBRA1 = PlaceControl<ComboBox>(this, this, 220, 154, 208, 21);
  BitBtn1 = PlaceControl<GlyphButton>(this, this, 250, 258, 85, 28);
  BitBtn1->SetKind(gbkOK);
  BitBtn1->SetCaption("&OK");
  BitBtn2 = PlaceControl<GlyphButton>(this, this, 343, 258, 85, 28);
  BitBtn2->SetKind(gbkCancel);
  BitBtn2->SetCaption("Canc&el");
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  BitBtn1->OnClick = [this](TObject* Sender) { BitBtn1Click(Sender); };
  BitBtn2->OnClick = [this](TObject* Sender) { BitBtn2Click(Sender); };
  CBCCA->OnCloseUp = [this](TObject* Sender) { CBRA1CloseUp(Sender); };
  CBRA1->OnCloseUp = [this](TObject* Sender) { CBRA1CloseUp(Sender); };
}

void TClsManyF::FormShow(TObject*) {
  OkPressed = false;
  const std::vector<AnsiString> employees = employeeItems();
  fill(CBCCA, employees);
  fill(CBRA1, employees);
  // Laid out for 120 pixels per inch; elsewhere the picker lines up with the lists, the buttons
  // come up under them and the form loses the room of two button heights.
  if (PixelsPerInch() != kDesignedPixelsPerInch && !realigned_) {
    realigned_ = true;
    DateTimePicker1->SetLeft(CBCCA->Left());
    const int buttonHeight = BitBtn1->Height();
    for (TControl* button : {static_cast<TControl*>(BitBtn1), static_cast<TControl*>(BitBtn2)})
      button->SetTop(button->Top() - 2 * buttonHeight);
    SetClientHeight(ClientHeight() - 2 * buttonHeight);
  }
}

void TClsManyF::BitBtn1Click(TObject*) {
  OkPressed = true;
  SetModalResult(mrOk);
}

void TClsManyF::BitBtn2Click(TObject*) {
  OkPressed = false;
  SetModalResult(mrCancel);
}

void TClsManyF::CBRA1CloseUp(TObject*) {
  for (ComboBox* box : {CBCCA, CBRA1}) box->SetText(box->Text().substr(0, 4));
}

namespace {

UnitRegistration unit("dialogs/ClsManyF", {"framework/ui/Application", "core/RecordFiles"}, [] {
  RegisterClass<TClsManyF>();
});

}  // namespace
