// The main window's show handler: it runs once every start-up form exists, reads the system
// options, the settings, the command line and the user's rights, and lays out the window. A step
// that asks for the program's end stops it at once: nothing after it is read, written or started
// under a refused user or a bad date, and the window closes when the loop runs.
#include "casewindow/CaseF.h"
#include "casewindow/EBF2F.h"
#include "casewindow/HostedPanels.h"
#include "casewindow/SpellEngineSetup.h"
#include "core/AddCodeMessages.h"
#include "core/Constants.h"
#include "core/DM.h"
#include "core/FileDates.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "core/Settings.h"
#include "core/UserRights.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/Exception.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/db/StringField.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/TextLabel.h"
#include "platform/os/Files.h"
#include "platform/os/ProgramArguments.h"
#include "platform/os/Process.h"

namespace {

const AnsiString kContactLine = "\r\r" + ContactSupportText;

// The setting as a whole number; text that is none counts as 0.
int wholeNumberSetting(const AnsiString& Name) { return StrToIntDef(Trim(ReadSetting(Name, false)), 0); }

}  // namespace

void TCaseF::FormShow(TObject* Sender) {
  // The description audit and the reallocation read WorkstationId itself: no copies to make.
  // The add-code messages are registered here, before any code entry can be validated.
  RegisterAddCodeMessages();
  readSystemOptions();
  setNumberFormats();
  setDateOrder();
  if (!readStartupParameter()) return;
  prepareCaseManagerFolder();
  readHideNotesOption();
  if (CalendarMode) {
    enableCalendarPanelParts();
    ImportBitBtn->SetEnabled(true);
    ExportBitBtn->SetEnabled(true);
  }
  DialogBusy = false;
  BillingFormatEditing = false;
  const qn::os::StartupPlacement placement = qn::os::startupPlacement();
  startupX_ = placement.x.value_or(0);
  startupY_ = placement.y.value_or(0);
  setCaptionAndTitle();
  readHostOptions();
  readCalendarAttorneyOptions();
  if (!loadUserRights()) return;
  LayOutWindow();
  takeCaseReferences();
  if (!CalendarParameter) createNarrativePanel();
  ApplyEntryMode();
  FocusEntryControl();
  putArgumentsIntoHeader();
  if (DM) DM->SourceOf(DM->Case1_)->OnStateChange = [this](TComponent* Sender) { UpdateRecordStateLabel(Sender); };
  if (!CalendarMode) keepAlternateIDUnlisted();
  SetupSpellEngine();
  setUpMenusAndTimer();
  enableRetainerReserve();
  FormShown = true;
  EBFDialogFirstShow = true;
  // Its first activation opens the client and case files.
  if (TForm* header = FindHostedPanel("ClientCaseLookF1")) header->BringToFront();
}

void TCaseF::readSystemOptions() {
  Sysop1TB->SetTableName(DataDir + "\\Sysop.qc;RES:SYSOP1");
  try {
    Sysop1TB->Open();
  } catch (const Exception&) {
    ShowMessage("Unable to open Sysop.qc");
    Sysop1TB->Close();
    return;
  }
  try {
    Sysop1TB->First();
    SysopSettings.ValCa1 = Sysop1TBValCa1->AsString();
    SysopSettings.ValCa2 = Sysop1TBValCa2->AsString();
    SysopSettings.ValCa3 = Sysop1TBValCa3->AsString();
    SysopSettings.ValCaDpt = Sysop1TBValCaDpt->AsString();
    SysopSettings.ValStmt = Sysop1TBValStmt->AsString();
    SysopSettings.ValCal1 = Sysop1TBValCal1->AsString();
    SysopSettings.ValCalp = Sysop1TBValCalp->AsString();
    SysopSettings.UniqueCaseSuffix = Sysop1TBUniqueCaseSuffix->AsString();
    SysopSettings.DateFmt = Sysop1TBDateFmt->AsString();
    SysopSettings.AltIDCap = Sysop1TBAltIDCap->AsString();
    SysopSettings.CaseID = Sysop1TBCaseID->AsString();
    SysopSettings.ExitRemind = Sysop1TBExitRemind->AsString();
  } catch (const Exception&) {
    ShowMessage("Unable to read Sysop.qc");
  }
  Sysop1TB->Close();
}

void TCaseF::setNumberFormats() {
  LocaleSettings& locale = Locale();
  locale.DecimalSeparator = '.';
  locale.ThousandSeparator = ',';
  locale.TimeAMString = "AM";
  locale.TimePMString = "PM";
}

void TCaseF::setDateOrder() {
  LocaleSettings& locale = Locale();
  const AnsiString separator(1, locale.DateSeparator);
  MonthFirstDates = !SysopSettings.DateFmt.empty() && UpperCase(SysopSettings.DateFmt.substr(0, 1)) == "M";
  const char formatStart = locale.ShortDateFormat.empty() ? ' ' : UpperCase(locale.ShortDateFormat.substr(0, 1))[0];
  if (MonthFirstDates && formatStart == 'D') locale.ShortDateFormat = "MM" + separator + "dd" + separator + "yy";
  if (!MonthFirstDates && formatStart == 'M') {
    locale.ShortDateFormat = "dd" + separator + "MM" + separator + "yy";
    showPickerDatesDayFirst();
  }
}

bool TCaseF::readStartupParameter() {
  const AnsiString first = qn::os::programArgument(1);
  if (first.empty()) {
    DateToFileDate(true, SystemDateText, Date());
    ShowErrorBox("The Case Entry and Maintenance program must be run from the Quillon Main Menu.\r\r"
                 "If it is run independently, the system will not function properly.\r\r"
                 "Parameter received is " + first + "." + kContactLine);
    Application->Terminate();
    return false;
  }
  SystemDateText = first;
  if (first.size() == 8) {
    CalledFromInstance = true;
    SystemDateText.erase(6, 2);
  } else if (first.size() == 7) {
    CalendarMode = true;
    SystemDateText.erase(6, 1);
  }
  FileDateToDisplay(SystemDateText, false, SystemDateDisplay);
  bool failed = LastDateConversionFailed;
  SystemDate = FileDateToDate(SystemDateText, false);
  failed = failed || LastDateConversionFailed;
  if (failed) Application->Terminate();
  return !failed;
}

void TCaseF::prepareCaseManagerFolder() {
  CaseManagerDir = DataDir + "\\cmdata";
  if (CalendarMode || qn::os::directoryExists(CaseManagerDir)) return;
  if (!qn::os::forceDirectories(CaseManagerDir))
    ShowErrorBox("Unable to locate or create a data folder needed for the email feature.  This feature will not be "
                 "available until this problem is addressed.  Otherwise, this program should function normally." +
                 kContactLine);
}

void TCaseF::readHideNotesOption() {
  HideNotes1->Enabled = true;
  const AnsiString hideNotes = ReadSetting("HideNotesCases", false);
  if (hideNotes.empty()) WriteSetting("HideNotesCases", "N");
  HideNotes1->SetChecked(hideNotes == "Y");
  HideNotesCases = HideNotes1->Checked();
  CloseAll1->Enabled = true;
}

void TCaseF::setCaptionAndTitle() {
  if (CalendarMode) {
    SetCaption(CalendarModeCaption);
    Application->SetTitle("Calendar");
  } else {
    SetCaption(CaseModeCaption);
    if (Trim(Application->Title()).empty()) Application->SetTitle("Case");
  }
}

void TCaseF::readHostOptions() {
  EntryMode = SysopSettings.CaseID;
  const AnsiString entryMode = ReadSetting("EntryMode", false);
  if (!entryMode.empty() && AnsiString("CNSA").find(entryMode) != AnsiString::npos) EntryMode = entryMode;
  ListCasesInNumericOrder = ReadSetting("NumericOrder", false) == "Y";
  ListCaseinNumericOrder1->SetChecked(ListCasesInNumericOrder);
  const AnsiString defaultAttorney = ReadSetting("DefaultCalAtty", false);
  if (!defaultAttorney.empty()) DefaultCalAttorney = defaultAttorney;
}

void TCaseF::readCalendarAttorneyOptions() {
  AttyOrder = "0000";
  const AnsiString order = ReadSetting("IncAttyOrder", false);
  const char* const includeNames[] = {"CalIncRA1", "CalIncRA2", "CalIncRA3", "CalIncCCA"};
  TMenuItem* const includes[] = {IncRA1, IncRA2, IncRA3, IncCCA};
  for (int k = 0; k < 4; ++k) includes[k]->SetChecked(ReadSetting(includeNames[k], false) == "Y");
  if (!order.empty()) AttyOrder = order;

  // An order text shorter than four digits labels only the positions it has.
  const AnsiString groups = "RA1RA2RA3CCA";
  for (int i = 1; i <= 4 && i <= static_cast<int>(AttyOrder.size()); ++i) {
    const int digit = AttyOrder[i - 1] - '0';
    if (digit < 1 || digit > 6) continue;
    LabelAttyB[digit]->SetCaption(groups.substr((i - 1) * 3, 3));
    Atty[digit]->SetTag(i);
  }
}

bool TCaseF::loadUserRights() {
  auto refuse = [](const char* source) {
    ShowSecurityDataError(source);
    Application->Terminate();
    return false;
  };
  if (!LoadReportRights()) return refuse("14");
  for (int i = 1; i <= 26; ++i) ActiveReportRights[i] = ReportRights[i];
  if (!LoadFileRights()) return refuse("12");
  for (int i = 1; i <= 99; ++i) ActiveFileRights[i] = FileRights[i];
  if (!LoadFunctionRights()) return refuse("13");
  for (int i = 1; i <= 26; ++i) ActiveFunctionRights[i] = FunctionRights[i];
  return true;
}

void TCaseF::setUpMenusAndTimer() {
  CaseManager1->Enabled = true;
  Defaultcasemanagertemplate1->Enabled = true;
  HideClosedCases1->Enabled = true;
  HideClosedCases1->SetChecked(HideClosedCases);
  HideInactiveClients1->Enabled = true;
  HideInactiveClients1->SetChecked(HideInactiveClients);
  if (!SessionAuditList) SessionAuditList = new StringList();
  Printaudittrail1->Enabled = true;
  Printaudittrail1->SetChecked(ReadSetting("CaseAuditTrail", false) == "Y");
  AuditTrailOn = Printaudittrail1->Checked();
  PermDel1->Enabled = true;

  StayAliveMinutes = wholeNumberSetting("StayAliveInterval");
  if (StayAliveMinutes < 1) {
    TimerStayAlive->SetEnabled(false);
    TimerStayAlive->SetInterval(0);
  } else {
    TimerStayAlive->SetInterval(static_cast<std::uint32_t>(StayAliveMinutes) * 60000u);
    TimerStayAlive->SetEnabled(true);
  }
}
