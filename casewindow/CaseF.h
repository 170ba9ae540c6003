#pragma once
// TCaseF: the program's one main window, the case (matter) entry screen and, started for the
// docket calendar, the calendar entry screen. It hosts the borderless panel forms of the header,
// description, billing box and code pickers, places them by ratios of its own height, and opens
// the code panels one per idle cycle after it is shown. Created first by the main block, so its
// create handler touches no panel; its show handler reads the settings, the user's rights and the
// command line, and lays out the window.
#include <array>

#include "framework/db/DbTypes.h"
#include "framework/ui/Form.h"

class GlyphButton;
class IntervalTimer;
class ListBox;
class OwnerDrawGrid;
class StatusBar;
class TdcDBNavigator;
class TdcTbTable;
class TEdit;
class TMainMenu;
class TMenuItem;
class TPanel;
class TSpeedButton;
class TStringField;
class TextLabel;

class TVorlexSpell;
class StatusPanel;
class TField;
struct TMsg;

class TCaseF : public TForm {
  QN_CLASS(TCaseF, TForm)
 public:
  explicit TCaseF(TComponent* AOwner);
  ~TCaseF() override;

  // Case mode button bar.
  TPanel* PanelSpeedBar;
  TSpeedButton* SpeedButton1;
  TSpeedButton* SpeedButton4;
  GlyphButton* AccountStatusBitBtn;
  GlyphButton* ClientScreenBitBtn;
  GlyphButton* GridViewBitBtn;
  GlyphButton* CalendarBitBtn;
  GlyphButton* UndeleteBitBtn;
  GlyphButton* BitBtnNotes;
  TdcDBNavigator* CaseNavigator;
  // Calendar mode button bar, at the same place.
  TPanel* PanelCalendar;
  TSpeedButton* SpeedButtonMonth;
  GlyphButton* CaseBitBtn;
  GlyphButton* ClientBitBtn;
  GlyphButton* ZOLTBitBtn;
  TSpeedButton* SBNarrativeCodes;
  TSpeedButton* SBExpandNarrative;
  TSpeedButton* SBSpellCheck;
  TSpeedButton* SBCopyDescription;

  // Instructions, workstation, data description, system date.
  StatusBar* StatusBar1;
  TPanel* PanelTopLine;
  TPanel* PanelBottomLine;
  TPanel* PanelButtons;
  GlyphButton* DeleteBitBtn;
  GlyphButton* SaveBitBtn;
  GlyphButton* ClearBitBtn;
  GlyphButton* HelpBitBtn;
  GlyphButton* ExitBitBtn;
  GlyphButton* CalSearchBitBtn;
  GlyphButton* CleanUpBitBtn;
  GlyphButton* ImportBitBtn;
  GlyphButton* ExportBitBtn;

  // The calendar's attorneys: Atty1..Atty6 with their labels, index 0 unused.
  TPanel* PanelAttys;
  std::array<TEdit*, 7> Atty{};
  std::array<TextLabel*, 7> LabelAtty{};
  std::array<TextLabel*, 7> LabelAttyB{};
  ListBox* ListBoxAttys;
  GlyphButton* AttyUndoButton;
  TPanel* PanelPlace;
  TEdit* EditPlace;
  TEdit* EditItemNote;
  TEdit* EditOpposingAtty;

  // The calendar search view.
  TPanel* PanelCalSearch;
  TPanel* Panel1;
  OwnerDrawGrid* CalGrid;
  StatusBar* StatusBar2;
  TdcDBNavigator* dcDBNavigator1;
  TPanel* PanelCalSearchInstr;

  // The system options, read once by the show handler.
  TdcTbTable* Sysop1TB;
  TStringField* Sysop1TBDateFmt;
  TStringField* Sysop1TBCaseID;
  TStringField* Sysop1TBClSalesTax;
  TStringField* Sysop1TBClFinChg;
  TStringField* Sysop1TBUniqueCaseSuffix;
  TStringField* Sysop1TBAltIDCap;
  TStringField* Sysop1TBValStmt;
  TStringField* Sysop1TBValCa1;
  TStringField* Sysop1TBValCaDpt;
  TStringField* Sysop1TBValCa2;
  TStringField* Sysop1TBValCa3;
  TStringField* Sysop1TBValCal1;
  TStringField* Sysop1TBValCalp;
  TStringField* Sysop1TBExitRemind;

  IntervalTimer* TimerStayAlive;
  // The form's own spell checker, on VORLEX.CFG's "vorlex" section; nothing else uses it (the
  // spell commands go through the spell engine).
  TVorlexSpell* VorlexSpell1;

  // The case screen's menu and the entries start-up sets.
  TMainMenu* MainMenu1;
  TMenuItem* CloseAll1;
  TMenuItem* PermDel1;
  TMenuItem* SelectCaseBy1;
  TMenuItem* ClientCodeCaseSuffix1;
  TMenuItem* ClientNameCaseSuffix1;
  TMenuItem* CaseSuffixOnly1;
  TMenuItem* AlternateIdentifier1;
  TMenuItem* ListCaseinNumericOrder1;
  TMenuItem* Defaultcasemanagertemplate1;
  TMenuItem* x1;
  TMenuItem* Increase151;
  TMenuItem* Increase301;
  TMenuItem* Resettodefault1;
  TMenuItem* HideNotes1;
  TMenuItem* HideInactiveClients1;
  TMenuItem* HideClosedCases1;
  TMenuItem* Printaudittrail1;
  TMenuItem* CaseManager1;
  // The calendar entry screen's menu.
  TMainMenu* CalendarMenu;
  TMenuItem* SetcurrentAttorney1asdefault1;
  TMenuItem* TypeAttys1;
  TMenuItem* Additionalattorneyoptions1;
  TMenuItem* IncRA1;
  TMenuItem* IncRA2;
  TMenuItem* IncRA3;
  TMenuItem* IncCCA;
  // The calendar search screen's menu.
  TMainMenu* CalSearchMenu;
  TMenuItem* Monthly1;

  // The ten registered messages, in the order they are registered.
  unsigned QN_Msg_JustCalledFromClient = 0;
  unsigned QN_Msg_JustCalledFromCase = 0;
  unsigned QN_Msg_JustCalledFromAccountStatus = 0;
  unsigned QN_Msg_AddToHistoryList = 0;
  unsigned QN_Msg_HistChangeCase = 0;
  unsigned QN_Message_Status = 0;
  unsigned QN_Message_AddNarrCode_Complete = 0;
  unsigned QN_Message_AddDept_Complete = 0;
  unsigned QN_Message_AddCaseType_Complete = 0;
  unsigned QN_Message_AddStmtMsg_Complete = 0;

  // What the layout remembers of the buttons for the mode switch: PanelButtons' width, then the
  // Left and Width of DeleteBitBtn, SaveBitBtn, ClearBitBtn, HelpBitBtn and ExitBitBtn.
  struct ButtonPlaces {
    int panelWidth = 0;
    std::array<int, 5> lefts{};
    std::array<int, 5> widths{};
  };
  const ButtonPlaces& rememberedButtonPlaces() const { return buttonPlaces_; }

  // While set, the idle handler flashes the top and bottom lines and the button panel.
  bool WarningFlash = false;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void AppIdle(TObject* Sender, bool& Done);
  void AppActivate(TObject* Sender);
  void AppDeactivate(TObject* Sender);
  void ActiveControlChange(TObject* Sender);
  // The application's command hook: the header's ShowEdits and HideEdits (CaseFActions.cpp).
  void ActionExecute(TComponent* Action, bool& Handled);

  // ---- The record state in the status bar, the flags the keyboard and the commands read, and the
  // ShowEdits command (CaseFRecordState.cpp, CaseFActions.cpp). ----
  // Set while the case grid, the old-item cleanup or the undelete dialog runs: the case screen's
  // Alt keys then do nothing.
  bool DialogBusy = false;
  // Set while a batch of matters is worked through: the record state and the navigator stay as
  // they are.
  bool BatchRunning = false;
  // The first letter of the case-manager menu's caption, whose Alt key is kept from the menu.
  char CaseManagerLetter = 0;
  // The header's billing format is being edited as the matter's edit.
  bool BillingFormatEditing = false;
  // A matter is shown with its panels.
  bool CaseShown = false;
  // Set while ShowEdits runs the pickers' code-change handlers over a matter just shown, so that a
  // handler can tell that refresh from a code typed.
  bool CodeChangesRunning = false;
  // What status panel 0 says of the case record: viewing, editing, adding, or waiting for input.
  AnsiString RecordStateText;
  // The data module's client and case tables, and the case fields the record state and the
  // message handlers read; the fields exist while the case table is open (none before).
  TdcTbTable* Client1_ = nullptr;
  TdcTbTable* Case1_ = nullptr;
  TField* Case1ClientCode = nullptr;
  TField* Case1CaseSuffix = nullptr;
  TField* Case1CaseStatus2 = nullptr;
  // The case screen's menu entries the record state and ShowEdits enable.
  TMenuItem* Save1;
  TMenuItem* Delete1;
  TMenuItem* AddMultipleCases1;
  TMenuItem* Entereditnotes1;
  TMenuItem* Dummyreceptorreallocation1;
  TMenuItem* CaseAddresses1;
  TMenuItem* CaseDescriptions1;
  TMenuItem* FeeSplit1;
  TMenuItem* NarrativeCodes1;

  // Shows or hides the matter's panels and says so in the status bar.
  void ShowRecordState(bool Shown);
  // The case data source's state change: the status text and the buttons that go with it.
  void UpdateRecordStateLabel(TObject* Sender);
  // The case navigator with its first, prior, next and last buttons.
  void SetNavigatorEnabled(bool On);
  // StatusBar1's owner draw: each panel's text in maroon.
  void StatusBar1DrawPanel(StatusBar* Bar, StatusPanel* Panel, const TRect& Rect);
  // The text status panel Index shows: the record state, the workstation, the data's description
  // and the working date.
  AnsiString StatusPanelText(int Index) const;
  // ---- end of the record state ----

  // Checks the entry mode's menu item and gives the mode's header lookups their tab stops.
  void ApplyEntryMode();
  // Moves the focus to the entry mode's first control of the header; a control that cannot take
  // it leaves the focus to the last lookup worked in, else to the matter's description.
  void FocusEntryControl();
  // Three blanks after each code of the narrative list, as the description panel reads it, and
  // the longest line's length.
  void SpaceNarrativeList();
  int NarrativeListLongest = 0;

  // ---- Keyboard dispatch (CaseFAppMessage.cpp) ----
  // The application's message hook, installed by the create handler and removed by the
  // destructor: Alt+letter commands by mode, typed first letters that narrow the header's lists,
  // and left-button releases on a few controls. No exception leaves it; the message is then
  // passed on.
  void AppMessage(TMsg& Msg, bool& Handled);

  // ---- The lookups named by Tags, their validation as they are left, and the Tab and Enter
  // chains through the panels (CaseFLookupTags.cpp, CaseFChains.cpp). ----
  // The lookup combo a control's Tag names, with CurrentCodeValidation set for it; nullptr, the
  // letter unchanged, for a Tag that names none or a combo whose panel is missing.
  TWinControl* LookupComboForTag(int Tag);
  // Leaves a code combo for the next panel or edit once WM_USER+100 finds its entry valid.
  void MoveFromCombo(TWinControl* Combo, TWinControl* NextPanel);
  void MoveFromComboToEdit(TWinControl* Combo, TWinControl* NextEdit);
  // Tab or Enter on its way to Msg.Control, Backwards with Shift: the step the chain gives it.
  // Answers whether the key was used (false: the control's own tab order takes it).
  bool MoveAlongChain(TMsg& Msg, bool Backwards);
  // Space with Shift up in an empty control whose Tag names a combo: the focus goes there.
  bool SpaceIntoTagCombo(TMsg& Msg);

 protected:
  // WM_USER+100 (MainFormMouseActivateMessage): WMRepositionLookups.
  void WndProc(TMessage& Message) override;

 private:
  // Result 1 when the entry of LastLookupControl is valid or there is none to check, else 0 with
  // the focus back on it.
  void WMRepositionLookups(TMessage& Message);
  void rememberForValidation(TWinControl* Combo);
  // The numeric-order suffix's Space and Tab are on their way: the Tab they bring passes.
  bool suffixReplayed_ = false;
  // ---- end of the lookups and chains ----

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void createButtonBars();
  void createButtonPanel();
  void createCalendarPanels();
  void createSysopTable();
  void createMenus();

  // The key hook's steps (CaseFAppMessage.cpp); each answers whether it handled the message.
  bool guardFilterValueEntry(const TMsg& Msg);
  bool runAltLetter(char Letter);
  bool handleKeyDown(TMsg& Msg);
  void followTypedKey(TWinControl* Control, WORD Key);
  void handleLeftButtonUp(const TMsg& Msg);
  TStringField* sysopField(const AnsiString& FieldName);

  // The show handler's steps; false when the start-up must stop (termination is requested).
  void readSystemOptions();
  void setNumberFormats();
  void setDateOrder();
  bool readStartupParameter();
  void prepareCaseManagerFolder();
  void readHideNotesOption();
  void setCaptionAndTitle();
  void readHostOptions();
  void readCalendarAttorneyOptions();
  bool loadUserRights();
  void setUpMenusAndTimer();
  // The show handler's steps in the hosted panels (CaseFShowPanels.cpp).
  void showPickerDatesDayFirst();
  void enableCalendarPanelParts();
  void createNarrativePanel();
  void putArgumentsIntoHeader();
  void keepAlternateIDUnlisted();
  void enableRetainerReserve();

  // The window's own size, the hosted panels' places and the size option.
  void LayOutWindow();
  void placeHostedPanels();
  // The controls inside the header and the description panel, lined up with each other and with
  // the button bar (CaseFPanelControls.cpp).
  void placeHeaderControls();
  void placeDescriptionControls();
  void applySizeOption();
  // The window's place: where the start-up information says, else about centred.
  void placeWindow();

  // Staged panel opening, one per idle cycle.
  void openNextStagedPanel();
  void applyPendingCaseArguments();
  void flashWarningColours();

  // The record state's parts (CaseFRecordState.cpp, CaseFActions.cpp).
  void takeCaseReferences();
  // The case table's state; inactive before the references are taken and once the data module
  // is gone.
  TDataSetState caseState() const;
  void setRecordStateText(const AnsiString& Text);
  void showMatterControls(bool Shown);
  void showInsertedMatterDefaults();
  void clearNotesBox();
  void fitHeaderToMatter(bool Shown);
  void showEdits();

  bool firstEntryFocus_ = true;
  // The rows the header has below its lookups in a case start, and whether a shown matter took
  // them away.
  int headerExtraHeight_ = 0;
  bool headerShrunk_ = false;
  int startupX_ = 0;
  int startupY_ = 0;
  ButtonPlaces buttonPlaces_;
  // The control that had the focus when the program's windows lost activation.
  TWinControl* focusBeforeDeactivation_ = nullptr;
  bool flashRed_ = false;
};

// The main window, once the main block has created it.
extern TCaseF* CaseF;
