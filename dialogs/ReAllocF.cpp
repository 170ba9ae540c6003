#include "dialogs/ReAllocF.h"

#include "core/FileDates.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "core/RecordFiles.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/PrintChoice.h"
#include "dialogs/PrntDefF.h"
#include "dialogs/ReportWriter.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/FormVariables.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Printer.h"
#include "framework/ui/Screen.h"
#include "platform/os/Files.h"

TReAllocF* ReAllocF = nullptr;

namespace {

constexpr uint8_t kSystemOptions = 9;  // the standard file number of Sysop.qc
constexpr int kLedgerSwitch = 18;      // the system options' GL-interface letter
constexpr uint8_t kLedgerControl = 246;
constexpr int kReportNumber = 63;
const AnsiString kContact = "\r\rPlease contact Vantor, Inc. for assistance.";

TextLabel* label(TReAllocF* form, int left, int top, int width, const char* caption) {
  auto* text = PlaceControl<TextLabel>(form, form, left, top, width, 16);
  text->SetCaption(caption);
  return text;
}

// The letter of the system options that turns the ledger interface on.
bool ledgerSwitchedOn() {
  const bool wasOpen = IsRecordFileOpen(kSystemOptions);
  OpenStandardFile(kSystemOptions);
  if (!IsRecordFileOpen(kSystemOptions)) throw EAbort("Unable to access " + StandardFileEntry(kSystemOptions) + ".");
  uint16_t length = 0;
  GetRecordLength(kSystemOptions, length);
  AnsiString record(length, ' ');
  bool eof = false;
  GetFirstRecord(kSystemOptions, record, eof, 0);
  if (!wasOpen) CloseRecordFile(kSystemOptions);
  return !eof && record.size() > kLedgerSwitch && record[kLedgerSwitch] == 'Y';
}

}  // namespace

TReAllocF::TReAllocF(TComponent* AOwner) : TForm(AOwner) {
  SetName("ReAllocF");
  SetCaption("Quillon Dummy-Receptor Reallocation");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(400);
  SetClientHeight(190);
  Label1 = label(this, 16, 16, 368, "Dummy Client: ");
  Label2 = label(this, 16, 56, 120, "Start date:");
  StartDatePicker = PlaceControl<TdcDBDateTimePicker>(this, this, 140, 52, 120, 21);
  StartDatePicker->SetUnboundDataType(dcDTEdtDate);
  Label3 = label(this, 16, 90, 120, "End date:");
  EndDatePicker = PlaceControl<TdcDBDateTimePicker>(this, this, 140, 86, 120, 21);
  EndDatePicker->SetUnboundDataType(dcDTEdtDate);
  RunBitBtn = PlaceControl<GlyphButton>(this, this, 200, 126, 85, 28);
  RunBitBtn->SetCaption("&Run");
  ExitBitBtn = PlaceControl<GlyphButton>(this, this, 299, 126, 85, 28);
  ExitBitBtn->SetKind(gbkClose);
  ExitBitBtn->SetCaption("E&xit");
  StatusBar1 = PlaceControl<StatusBar>(this, this, 0, 170, 400, 20);
  StatusBar1->SetAlign(alBottom);
  StatusBar1->SetSimplePanel(true);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  OnDestroy = [this](TObject* Sender) { FormDestroy(Sender); };
  RunBitBtn->OnClick = [this](TObject* Sender) { RunBitBtnClick(Sender); };
  ExitBitBtn->OnClick = [this](TObject* Sender) { ExitBitBtnClick(Sender); };
}

TReAllocF::~TReAllocF() {
  if (ReAllocF == this) ReAllocF = nullptr;
}

void TReAllocF::FormShow(TObject*) {
  RunBitBtn->SetEnabled(true);
  StatusBar1->SetSimpleText("");
  const bool oneMatter = !Trim(DummySuffix).empty();
  Label1->SetCaption(oneMatter ? "Dummy Matter: " + Trim(DummyClient) + "-" + Trim(DummySuffix)
                               : "Dummy Client: " + Trim(DummyClient));
  std::optional<LedgerInterface> ledger;
  try {
    ledger = openLedger();
  } catch (const std::exception& e) {
    ShowErrorBox("Unable to obtain GL interface information. The following error was encountered:\r\r" +
                 AnsiString(e.what()) +
                 "\r\rYou may not run the Dummy-Receptor reallocation function at this time. " + kContact);
    qn::ui::postCall(this, [this] { Close(); });
    return;
  }
  files_ = std::make_unique<DummyReallocation>(ledger);
  try {
    files_->OpenFiles();
    dummyList_ = files_->DummyList(DummyClient, DummySuffix);
  } catch (const std::exception& e) {
    ShowErrorBox(AnsiString(e.what()) + kContact);
    files_.reset();
    qn::ui::postCall(this, [this] { Close(); });
    return;
  }
  StartDatePicker->SetDate(EncodeDate(1981, 1, 1));
  const TDateTime today = FileDateToDate(SystemDateText, true);
  EndDatePicker->SetDate(LastDateConversionFailed ? Date() : today);
  StartDatePicker->SetFocus();
}

std::optional<LedgerInterface> TReAllocF::openLedger() {
  if (RecordFileDir.empty()) RecordFileDir = DataDir;
  if (!ledgerSwitchedOn()) return std::nullopt;
  const AnsiString control = DataDir + "\\Gl.qc";
  if (!qn::os::fileExists(control)) throw EAbort("Unable to access " + control + ".");
  LedgerInterface ledger;
  try {
    OpenRecordFile(kLedgerControl, control, 0);
    SetKeyPath(kLedgerControl, 1);
    uint16_t length = 0;
    GetRecordLength(kLedgerControl, length);
    AnsiString record(length, ' ');
    const bool found = GetEqualRecord(kLedgerControl, Format("%5s", {AnsiString("B")}), record, false);
    CloseRecordFile(kLedgerControl);
    if (!found) throw EAbort("");
    ledger.Settings = record.substr(9, 40);
  } catch (const Exception&) {
    if (IsRecordFileOpen(kLedgerControl)) CloseRecordFile(kLedgerControl);
    throw EAbort("Unable to open " + control + ".");
  }
  const AnsiString account = "Glac" + WorkstationId;
  const AnsiString path = DataDir + "\\" + account;
  if (!qn::os::fileExists(path)) {
    const AnsiString model = ProgramDir + "\\Glac.clo";
    if (!qn::os::fileExists(model)) throw EAbort("The file, " + model + " is missing.");
    if (!qn::os::copyFile(model, path, true)) throw EAbort("The file  " + path + "  can't be created.");
  }
  if (!IsRecordFileOpen(LedgerAccountFile)) {
    try {
      OpenRecordFile(LedgerAccountFile, path + ";TI", 0);
    } catch (const Exception&) {
      throw EAbort("Unable to open " + DataDir + "\\" + account + ".");
    }
  }
  return ledger;
}

AnsiString TReAllocF::rangeText(TdcDBDateTimePicker* picker, bool fourDigits) const {
  AnsiString fileDate, display;
  DateToFileDate(true, fileDate, picker->Date());
  if (!fourDigits) return fileDate;
  FileDateToDisplay4(fileDate, true, display);
  return display;
}

AnsiString TReAllocF::subject() const {
  if (!Trim(DummySuffix).empty()) return "the Dummy matter " + Trim(DummyClient) + "-" + Trim(DummySuffix);
  return "ALL of the Dummy matters belonging to the Dummy client " + Trim(DummyClient);
}

void TReAllocF::RunBitBtnClick(TObject*) {
  if (!files_) return;
  const AnsiString start = rangeText(StartDatePicker, true), end = rangeText(EndDatePicker, true);
  if (MessageDlg("Quillon is about to reallocate the Receptor transactions for " + subject() +
                     " using a date range of " + start + " to " + end + ".\r\rContinue with this operation?",
                 mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
    return;
  StatusBar1->SetSimpleText("Running");
  if (PrntDefF) PrntDefF->GetPrinterInfo(0, kReportNumber);
  if (PrintChoice.Destination == 0) return;
  ReportPage.ToPrinter = PrintChoice.Destination == 255;
  ReportPage.LinesPerPage = 64;
  if (!ReportPage.ToPrinter) ReportPage.PageHeight = ReportPage.LinesPerPage;
  ReportPage.HeaderKind = hkReallocation;
  if (!StartReport()) return;
  files_->SetRange(rangeText(StartDatePicker, false), rangeText(EndDatePicker, false));
  runReallocation(*files_);
}

void TReAllocF::runReallocation(DummyReallocation& run) {
  const AnsiString start = rangeText(StartDatePicker, true), end = rangeText(EndDatePicker, true);
  int count = 0;
  try {
    HourglassCursor hourglass;
    for (std::size_t i = 0; i < dummyList_.size(); ++i) {
      const AnsiString& entry = dummyList_[i];
      const AnsiString client = Trim(entry.substr(0, 7)), suffix = Trim(entry.substr(7, 7));
      StatusBar1->SetSimpleText("Processing " + client + suffix + " ...");
      if (entry.substr(17, 1) != "D") {
        AnsiString question =
            client + "-" + suffix +
            " is not a dummy case.\r\rQuillon is about to convert all unbilled dummy transactions for this case into "
            "non-dummy transactions.\r\rThis means that the dummy transaction's billable dollar amount will be changed "
            "from 0 to the actual dollar amount. In addition, all receptor transactions associated with the dummy "
            "transaction will be DELETED.\r\rThis applies to all dummy transactions and their associated receptors "
            "within the date range:  " +
            start + "   to   " + end + "\r\rAre you sure this is what you want to do?";
        if (i >= 2)
          question +=
              "\r\rSelect YES to process this case.    Select NO to skip it.\r\rThis routine will continue to process "
              "other dummy cases for this client, if any, regardless of what you select here.";
        if (MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) != mrYes) continue;
      }
      run.AfterCommit = [&] { logLine(entry); };
      count += run.ReallocateEntry(entry);
    }
  } catch (const std::exception& e) {
    run.AfterCommit = nullptr;
    endReport();
    ShowErrorBox("The following error was encountered during Dummy-Receptor reallocation:\r\r" + AnsiString(e.what()) +
                 "\r\rQuillon cannot complete this operation at this time." + kContact);
    Application->Terminate();
    return;
  }
  run.AfterCommit = nullptr;
  RunBitBtn->SetEnabled(false);
  StatusBar1->SetSimpleText(count == 1 ? AnsiString("Processing complete. 1 dummy matter has been re-allocated")
                                       : "Processing complete. " + IntToStr(count) +
                                             " dummy transactions have been re-allocated");
  endReport();
}

void TReAllocF::logLine(const AnsiString& entry) {
  const AnsiString line = Format("     %-18s%-12s%-12s",
                                 {entry, rangeText(StartDatePicker, true), rangeText(EndDatePicker, true)});
  if (ReportPage.ToPrinter)
    PrintReportLine(line, ReportPage.Position, ReportPage.LeftMargin, 0);
  else
    WriteReportFileLine(line, ReportPage, false);
}

void TReAllocF::endReport() {
  TPrinter* printer = Printer();
  if (printer->Printing()) {
    try {
      printer->EndDoc();
    } catch (const std::exception&) {
      printer->Abort();
    }
  }
  if (ReportPage.ReportFileOpen) {
    ReportPage.ReportFile.Close();
    ReportPage.ReportFileOpen = false;
  }
}

void TReAllocF::ExitBitBtnClick(TObject*) { Close(); }

void TReAllocF::FormClose(TObject*, TCloseAction&) { dummyList_.clear(); }

void TReAllocF::FormDestroy(TObject*) {
  files_.reset();
  if (IsRecordFileOpen(LedgerAccountFile)) CloseRecordFile(LedgerAccountFile);
}

namespace {

// The main block creates the dialog by its class name and keeps it in ReAllocF.
UnitRegistration unit("dialogs/ReAllocF", {"framework/ui/Application", "core/RecordFiles"}, [] {
  RegisterClass<TReAllocF>();
  RegisterFormVariable(ReAllocF);
});

}  // namespace
