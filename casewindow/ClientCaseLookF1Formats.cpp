// The header's billing format: the format table behind AltBillFormat with each format's long name
// from the code table, the caption of the description panel's first line, and the popup that asks
// the format-table viewer to show a format. Also the calendar's case-list file box, the values
// the command line passes to the combos, and what the header closes at its end.
//
// Ruling kept here: the viewer is asked through the application's message bus, which posts. The
// message carries its text, as atoms stay in their program; the atom of the text is still made
// for the lParam and deleted after the broadcast, and the messages pending then are processed.
// The wParam is the application window's id: a docked panel has no window of its own on the bus.
#include "casewindow/ClientCaseLookF1.h"

#include "casewindow/CaseDescriptionF.h"

#include "core/DM.h"
#include "core/Globals.h"
#include "core/LayoutFields.h"
#include "core/LookupComboHelpers.h"
#include "core/RecordFiles.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/BevelLine.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/FileList.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/TextLabel.h"
#include "platform/os/AtomTable.h"
#include "platform/os/MessageBus.h"
#include "platform/os/ProgramArguments.h"
#include "platform/os/RegisteredMessages.h"

unsigned QN_Message_ShowTSC = 0;

namespace {

// The record-file layer's numbers: the code table read for the formats' long names, and the
// standard client and case files the description lookup reads.
constexpr uint8_t kFormatNamesFile = 92;
constexpr uint8_t kClientFile = 1;
constexpr uint8_t kCaseFile = 2;
constexpr int kFormatNamesKeyPath = 1;
constexpr std::size_t kCodeRecordLength = 144;
constexpr int kLongNameSize = 30;
constexpr const char* kShowTSCMessage = "QN_Message_ShowTSC";
constexpr const char* kLongNameColumn = "TableLongName\t30\tTableLongName";
constexpr const char* kDefaultCaption = "Description Line 1";
constexpr const char* kNoClientName = "x_x_x";

AnsiString left7(const AnsiString& text) { return Format("%-7s", {Trim(text).substr(0, 7)}); }

// The description panel's first caption; null while that panel does not exist.
TControl* descriptionCaption() { return CaseDescriptionF ? CaseDescriptionF->LabelDescription1 : nullptr; }

}  // namespace

void TClientCaseLookF1::createFormatComponents() {
  TSC_ = new TdcTbTable(this);
  TSC_->SetName("TSC_");
  TSC_->SetDatabaseName("QNWIN");
  AddCalculatedText(TSC_, "TableLongName", kLongNameSize);
  std::vector<AnsiString> fields = {"TableName", "TableNameSuffix"};
  for (int line = 1; line <= 20; ++line) fields.push_back("CaseDescCaption" + IntToStr(line));
  DeclareLayoutFields(TSC_, fields);
  TSC_->OnCalcFields = [this](TDataSet* DataSet) { TSC_CalcFields(DataSet); };
  TSC_->SetOnFilterRecord([this](TDataSet* DataSet, bool& Accept) { TSC_FilterRecord(DataSet, Accept); });

  ReportList_ = new TdcTbTable(this);
  ReportList_->SetName("ReportList_");
  DeclareLayoutFields(ReportList_, {"ListType"});

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  ShowTSC1 = new TMenuItem(this);
  ShowTSC1->SetName("ShowTSC1");
  ShowTSC1->SetCaption("View/Edit this format table");
  ShowTSC1->OnClick = [this](TObject* Sender) { ShowTSC1Click(Sender); };
  PopupMenu1->Items()->Add(ShowTSC1);

  AltBillFormat->SetLookupTable(TSC_);
  AltBillFormat->SetLookupField("TableName");
  StringList columns;
  columns.Add("TableName\t5\tTableName\tF");
  AltBillFormat->SetSelected(&columns);
  AltBillFormat->SetPopupMenu(PopupMenu1);
  AltBillFormat->OnEnter = [this](TObject* Sender) { AltBillFormatEnter(Sender); };
  AltBillFormat->OnChange = [this](TObject* Sender) { AltBillFormatChange(Sender); };
  AltBillFormat->OnDropDown = [this](TObject* Sender) { AltBillFormatDropDown(Sender); };
  AltBillFormat->OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) {
    AltBillFormatKeyUp(Sender, Key, Shift);
  };

  // The case-list files serve the calendar only; the main window shows and enables them there.
  Shape1 = PlaceControl<ShapeControl>(this, this, 959, 3, 152, 54);
  Shape1->SetName("Shape1");
  Shape1->SetVisible(false);
  Shape1->SetEnabled(false);
  FileListBox1 = PlaceControl<FileList>(this, this, 960, 4, 150, 52);
  FileListBox1->SetName("FileListBox1");
  FileListBox1->SetMask("*.qic");
  FileListBox1->SetDirectory(DataDir);
  FileListBox1->SetVisible(false);
  FileListBox1->SetEnabled(false);

  Bevel1 = PlaceControl<BevelLine>(this, this, 0, 30, 765, 2);
  Bevel1->SetName("Bevel1");
  Bevel1->SetShape(bevelTopLine);
  Bevel2 = PlaceControl<BevelLine>(this, this, 756, 2, 2, 26);
  Bevel2->SetName("Bevel2");
  Bevel2->SetShape(bevelLeftLine);

  // The combos' enter handlers also take the command line's values, once.
  ClientCode->OnEnter = [this](TObject* Sender) { ClientCodeEnter(Sender); };
  ClientName->OnEnter = [this](TObject* Sender) { ClientNameEnter(Sender); };
  CaseSuffix->OnEnter = [this](TObject* Sender) { CaseSuffixEnter(Sender); };
}

TClientCaseLookF1::~TClientCaseLookF1() { FormDestroy(this); }

// Runs after the base form's own creation, from the constructor.
void TClientCaseLookF1::FormCreate(TObject*) { QN_Message_ShowTSC = qn::os::registerWindowMessage(kShowTSCMessage); }

void TClientCaseLookF1::FormDestroy(TObject*) {
  // Nothing can be refused at the end; a failure only means the file is gone already.
  try {
    TSC_->Close();
  } catch (const std::exception&) {
  }
  for (uint8_t file : {kFormatNamesFile, kClientFile, kCaseFile}) {
    try {
      CloseRecordFile(file);
    } catch (const std::exception&) {
    }
  }
}

void TClientCaseLookF1::OpenTSC() {
  if (!IsRecordFileOpen(kFormatNamesFile)) {
    try {
      OpenRecordFile(kFormatNamesFile, LookupDataDir + "\\ytable.QF;TB", 0);
      SetKeyPath(kFormatNamesFile, kFormatNamesKeyPath);
    } catch (const std::exception&) {
      // Without the code table the formats have no long names; the table itself still serves.
    }
  }
  if (TSC_->Active() || tscOpenFailed_) return;
  try {
    TSC_->SetTableName(LookupDataDir + "\\tsc.QC;RES:STCHAR1");
    TSC_->SetIndexName("1");
    TSC_->SetFiltered(true);
    TSC_->Open();
  } catch (const std::exception& e) {
    // Told once: every change of the format would ask again.
    tscOpenFailed_ = true;
    MessageDlg(e.what(), mtError, {mbOK}, 0);
    return;
  }
  TStrings* shown = AltBillFormat->Selected();
  if (shown->IndexOf(kLongNameColumn) < 0) {
    StringList columns;
    columns.Assign(*shown);
    columns.Add(kLongNameColumn);
    AltBillFormat->SetSelected(&columns);
  }
}

void TClientCaseLookF1::SetABFLabels() {
  if (!TSC_->Active() || !IsRecordFileOpen(kFormatNamesFile)) OpenTSC();
  TControl* caption = descriptionCaption();
  if (!caption) return;
  const AnsiString code = Trim(AltBillFormat->Text()).substr(0, 3);
  const AnsiString key = code.empty() ? AnsiString("###") : Format("%-3s", {code});
  TSCFormatFound = false;
  try {
    TSCFormatFound = TSC_->Active() && TSC_->FindKey({key});
  } catch (const std::exception&) {
  }
  caption->SetText(TSCFormatFound ? TrimRight(TSC_->FieldByName("CaseDescCaption1")->AsString())
                                  : AnsiString(kDefaultCaption));
}

void TClientCaseLookF1::TSC_CalcFields(TDataSet* DataSet) {
  AnsiString longName;
  if (IsRecordFileOpen(kFormatNamesFile)) {
    const AnsiString name = TrimRight(DataSet->FieldByName("TableName")->AsString()).substr(0, 4);
    AnsiString record(kCodeRecordLength, ' ');
    bool eof = false;
    try {
      if (FindRecord(kFormatNamesFile, "C " + Format("%-4s", {name}), record, eof, 0))
        longName = record.substr(11, kLongNameSize);
    } catch (const std::exception&) {
      // An unreadable code table leaves the long name blank.
    }
  }
  DataSet->FieldByName("TableLongName")->SetAsString(longName);
}

void TClientCaseLookF1::TSC_FilterRecord(TDataSet* DataSet, bool& Accept) {
  Accept = DataSet->FieldByName("TableNameSuffix")->AsString() == "1";
}

void TClientCaseLookF1::AltBillFormatEnter(TObject*) {
  if (!TSC_->Active()) OpenTSC();
  SetLookupComboMatch(AltBillFormat, true);
  AltBillFormat->SelectAll();
}

void TClientCaseLookF1::AltBillFormatChange(TObject*) {
  if (Application->Terminated()) return;
  SetABFLabels();
}

void TClientCaseLookF1::AltBillFormatDropDown(TObject*) {
  if (!TSC_->Active()) OpenTSC();
  SetLookupComboMatch(AltBillFormat, true);
}

void TClientCaseLookF1::AltBillFormatKeyUp(TObject*, WORD& Key, TShiftState) { LookupComboKeyPress(AltBillFormat, Key); }

void TClientCaseLookF1::ShowTSC1Click(TObject*) {
  const AnsiString code = Trim(AltBillFormat->Text());
  const AnsiString text = (code.empty() ? AnsiString("###") : code) + " Display TSC format table";
  const qn::os::Atom atom = qn::os::addAtom(text);
  Application->Bus().broadcast(kShowTSCMessage, static_cast<std::intptr_t>(Application->Handle()), atom, text);
  qn::os::deleteAtom(atom);
  Application->ProcessMessages();
}

void TClientCaseLookF1::SetPassedClientValues() {
  if (passedClientValuesSet_) return;
  passedClientValuesSet_ = true;
  const AnsiString code = Trim(qn::os::programArgument(2)).substr(0, 7);
  if (code.empty()) return;
  ClientCode->SetText(code);
  const AnsiString name = qn::os::programArgument(3);
  if (name != kNoClientName) ClientName->SetText(name);
  if (!ClientFilesOpen()) return;
  try {
    if (DM->Client1_->FindKey({left7(code)})) DM->Client2_->GotoCurrent(*DM->Client1_);
  } catch (const std::exception&) {
    // The client's own check tells what is wrong when the combo is left.
  }
}

void TClientCaseLookF1::SetPassedCaseValues() {
  SetPassedClientValues();
  if (passedCaseValuesSet_) return;
  passedCaseValuesSet_ = true;
  const AnsiString suffix = qn::os::programArgument(4);
  if (!suffix.empty()) CaseSuffix->SetText(suffix);
  const AnsiString alternateID = qn::os::programArgument(5);
  if (!alternateID.empty()) AlternateID->SetText(alternateID);
}

void TClientCaseLookF1::ClientCodeEnter(TObject* Sender) {
  TClientCaseLookF::ClientCodeEnter(Sender);
  SetPassedClientValues();
}

void TClientCaseLookF1::ClientNameEnter(TObject* Sender) {
  TClientCaseLookF::ClientNameEnter(Sender);
  SetPassedClientValues();
}

void TClientCaseLookF1::CaseSuffixEnter(TObject* Sender) {
  TClientCaseLookF::CaseSuffixEnter(Sender);
  SetPassedCaseValues();
}
