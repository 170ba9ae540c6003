// The three menus of the main window: the case screen's, the calendar entry screen's and the
// calendar search screen's. The commands behind the entries come with the screens they serve;
// here are the entries, with their captions and start-up states.
#include "casewindow/CaseF.h"
#include "framework/ui/MainMenu.h"

namespace {

TMenuItem* entry(TCaseF* form, TMenuItem* parent, const char* name, const char* caption, bool enabled = true) {
  auto* item = new TMenuItem(form);
  if (*name) item->SetName(name);
  item->SetCaption(caption);
  item->Enabled = enabled;
  parent->Add(item);
  return item;
}

TMenuItem* top(TCaseF* form, TMainMenu* menu, const char* caption) { return entry(form, menu->Items(), "", caption); }

}  // namespace

void TCaseF::createMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* file = top(this, MainMenu1, "&File");
  Save1 = entry(this, file, "Save1", "&Save changes to this record", false);
  entry(this, file, "GototheClientScreen1", "Go to the &Client Screen");
  entry(this, file, "GotoCalendarModule1", "Go to Ca&lendar Module");
  entry(this, file, "GotoAccountStatus1", "Go to &Account Status");
  entry(this, file, "Exit1", "E&xit");
  TMenuItem* edit = top(this, MainMenu1, "&Edit");
  entry(this, edit, "Clearthescreen1", "&Clear the screen");
  Delete1 = entry(this, edit, "Delete1", "&Delete this Case", false);
  entry(this, edit, "Undelete1", "&Undelete a Case");
  PermDel1 = entry(this, edit, "PermDel1", "&Permanently delete a previously deleted case", false);
  Dummyreceptorreallocation1 = entry(this, edit, "Dummyreceptorreallocation1", "Du&mmy-receptor reallocation", false);
  Entereditnotes1 = entry(this, edit, "Entereditnotes1", "&Enter/edit notes", false);
  CloseAll1 = entry(this, edit, "CloseAll1", "Close multiple matters...");
  TMenuItem* options = top(this, MainMenu1, "&Options");
  SelectCaseBy1 = entry(this, options, "SelectCaseBy1", "&Select Case By . . .");
  ClientCodeCaseSuffix1 = entry(this, SelectCaseBy1, "ClientCodeCaseSuffix1", "Client Code/Case Suffix");
  ClientNameCaseSuffix1 = entry(this, SelectCaseBy1, "ClientNameCaseSuffix1", "Client Name/CaseSuffix");
  CaseSuffixOnly1 = entry(this, SelectCaseBy1, "CaseSuffixOnly1", "Case Suffix only");
  AlternateIdentifier1 = entry(this, SelectCaseBy1, "AlternateIdentifier1", "Alternate Identifier");
  for (TMenuItem* mode : {ClientCodeCaseSuffix1, ClientNameCaseSuffix1, CaseSuffixOnly1, AlternateIdentifier1})
    mode->RadioGroup = 1;
  ListCaseinNumericOrder1 = entry(this, options, "ListCaseinNumericOrder1", "&List Cases in Numeric Order");
  entry(this, options, "Scan1", "Scan &Grid Results", false);
  AddMultipleCases1 = entry(this, options, "AddMultipleCases1", "&Add Multiple Cases", false);
  Defaultcasemanagertemplate1 = entry(this, options, "Defaultcasemanagertemplate1", "&Default Case Manager template");
  x1 = entry(this, options, "x1", "&Resize screen", false);
  Increase151 = entry(this, x1, "Increase151", "Increase 10%");
  Increase301 = entry(this, x1, "Increase301", "Increase 25%");
  Resettodefault1 = entry(this, x1, "Resettodefault1", "Reset to default");
  for (TMenuItem* size : {Increase151, Increase301, Resettodefault1}) size->RadioGroup = 2;
  HideNotes1 = entry(this, options, "HideNotes1", "&Hide Notes", false);
  HideInactiveClients1 = entry(this, options, "HideInactiveClients1", "H&ide Inactive Clients", false);
  HideClosedCases1 = entry(this, options, "HideClosedCases1", "Hide Cl&osed Cases", false);
  Printaudittrail1 = entry(this, options, "Printaudittrail1", "&Print audit trail");
  entry(this, options, "GotoQuilloncom1", "Go to Quillon&.com");
  TMenuItem* view = top(this, MainMenu1, "&View");
  CaseAddresses1 = entry(this, view, "CaseAddresses1", "Case &Addresses", false);
  CaseDescriptions1 = entry(this, view, "CaseDescriptions1", "Case &Descriptions", false);
  FeeSplit1 = entry(this, view, "FeeSplit1", "&Fee split information", false);
  NarrativeCodes1 = entry(this, view, "NarrativeCodes1", "&Narrative Codes", false);
  CaseManager1 = entry(this, view, "CaseManager1", "&Case Manager", false);
  TMenuItem* help = top(this, MainMenu1, "&Help");
  entry(this, help, "Quillonhelp2", "&Quillon help");
  entry(this, help, "About1", "&About");
  TMenuItem* n1 = entry(this, MainMenu1->Items(), "N1", "                       ", false);
  n1->Visible = false;
  n1->SetChecked(true);

  CalendarMenu = new TMainMenu(this);
  CalendarMenu->SetName("CalendarMenu");
  TMenuItem* calendarFile = top(this, CalendarMenu, "&File");
  entry(this, calendarFile, "Savethisrecord1", "&Save this record");
  entry(this, calendarFile, "Gotocasescreen1", "Go to c&ase screen");
  entry(this, calendarFile, "Gotoclientscreen1", "Go to &client screen");
  entry(this, calendarFile, "Exit2", "E&xit");
  TMenuItem* calendarOptions = top(this, CalendarMenu, "&Options");
  SetcurrentAttorney1asdefault1 =
      entry(this, calendarOptions, "SetcurrentAttorney1asdefault1", "&Set current Attorney 1 as default", false);
  TypeAttys1 = entry(this, calendarOptions, "TypeAttys1", "&Type in attorney names by default", false);
  Additionalattorneyoptions1 =
      entry(this, calendarOptions, "Additionalattorneyoptions1", "&Additional attorney options", false);
  IncRA1 = entry(this, Additionalattorneyoptions1, "IncRA1", "Include responsible attorney &1");
  IncRA2 = entry(this, Additionalattorneyoptions1, "IncRA2", "Include responsible attorney &2");
  IncRA3 = entry(this, Additionalattorneyoptions1, "IncRA3", "Include responsible attorney &3");
  IncCCA = entry(this, Additionalattorneyoptions1, "IncCCA", "Include &client coordinating attorney");
  int tag = 0;
  for (TMenuItem* include : {IncRA1, IncRA2, IncRA3, IncCCA}) include->SetTag(++tag);
  entry(this, Additionalattorneyoptions1, "Clearall1", "Clear &all");
  TMenuItem* spelling = entry(this, calendarOptions, "Spellcheckersettings1", "Spell &checker settings");
  entry(this, spelling, "Spellingoptions1", "&Spelling options");
  entry(this, spelling, "Dictionaryoptions1", "&Dictionary options");
  TMenuItem* calendarEdit = top(this, CalendarMenu, "&Edit");
  entry(this, calendarEdit, "SpellCheck1", "S&pell Check");
  entry(this, calendarEdit, "ListNarrativeCodes1", "List &Narrative Codes");
  entry(this, calendarEdit, "ExpandNarrativeCodes1", "E&xpand Narrative Codes");
  entry(this, calendarEdit, "SaveCalendarItem1", "&Clear the screen");
  entry(this, CalendarMenu->Items(), "GridView1", "&Grid View");
  TMenuItem* calendarHelp = top(this, CalendarMenu, "&Help");
  entry(this, calendarHelp, "Quillonhelp1", "&Quillon help");
  entry(this, calendarHelp, "About2", "&About");

  CalSearchMenu = new TMainMenu(this);
  CalSearchMenu->SetName("CalSearchMenu");
  TMenuItem* searchOptions = top(this, CalSearchMenu, "&Options");
  entry(this, searchOptions, "Edithighlightedcalendaritem1", "&Edit highlighted calendar item", false);
  entry(this, searchOptions, "Deletehighlightedcalendaritem1", "&Delete highlighted calendar item", false);
  entry(this, searchOptions, "Duplicatehighlightedcalendaritem1", "D&uplicate highlighted calendar item", false);
  entry(this, searchOptions, "GotoCasescreen2", "Go to C&ase screen");
  entry(this, searchOptions, "Dosearch1", "Do &search");
  Monthly1 = entry(this, searchOptions, "Monthly1", "&Monthly calendar display options", false);
  TMenuItem* nextToTime = entry(this, Monthly1, "Texttoshownexttotime1", "&Text to show next to time");
  for (auto [name, caption] : {std::pair{"ClCa1", "&Client-matter identifier"}, std::pair{"Note1", "&Note"},
                               std::pair{"Place1", "&Place"}, std::pair{"Description1", "&Description"}}) {
    TMenuItem* shown = entry(this, nextToTime, name, caption);
    shown->RadioGroup = 1;
    shown->SetChecked(shown->Name() == "Description1");
  }
  entry(this, CalSearchMenu->Items(), "Exit3", "E&xit");

  qn::ui::showMainMenu(this, MainMenu1);
}
