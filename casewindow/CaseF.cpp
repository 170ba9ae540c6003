#include "casewindow/CaseF.h"

#include <cmath>

#include "datagrid/DBNavigator.h"
#include "datagrid/DcTbTable.h"
#include "framework/db/StringField.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/OwnerDrawGrid.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TextLabel.h"
#include "spell/VorlexSpell.h"

namespace {

// The window's design: its outer size at the pixels per inch it was drawn at. Every place below
// is a design place, scaled to the form's pixels per inch (the screen's) as it is made.
constexpr int kDesignPixelsPerInch = 120;
constexpr int kDesignWidth = 767;
constexpr int kDesignHeight = 526;
constexpr int kDesignFontHeight = 15;

int atFormPixels(const TForm* form, int design) {
  return static_cast<int>(std::lround(static_cast<double>(design) * form->PixelsPerInch() / kDesignPixelsPerInch));
}

template <class T>
T* place(TCaseF* form, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  T* control = new T(form);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(atFormPixels(form, left), atFormPixels(form, top), atFormPixels(form, width),
                     atFormPixels(form, height));
  return control;
}

GlyphButton* button(TCaseF* form, TWinControl* parent, const char* name, const char* caption, int left, int top,
                    int width, int height) {
  GlyphButton* b = place<GlyphButton>(form, parent, name, left, top, width, height);
  b->SetCaption(caption);
  return b;
}

TSpeedButton* speedButton(TCaseF* form, TWinControl* parent, const char* name, const char* hint, int left, int width) {
  TSpeedButton* b = place<TSpeedButton>(form, parent, name, left, 3, width, 28);
  b->SetHint(hint);
  b->SetShowHint(true);
  return b;
}

}  // namespace

TCaseF* CaseF = nullptr;

TCaseF::TCaseF(TComponent* AOwner) : TForm(AOwner) {
  SetName("CaseF");
  // The docked panels act on typed codes only while no other form is active: they know the main
  // window by this.
  SetTag(100);
  SetFormStyle(fsMDIForm);
  SetPosition(poScreenCenter);
  SetPixelsPerInch(Screen->PixelsPerInch());
  Font()->SetName("Courier New");
  Font()->SetHeight(-atFormPixels(this, kDesignFontHeight));
  SetBounds(0, 0, atFormPixels(this, kDesignWidth), atFormPixels(this, kDesignHeight));
  HorzScrollBar()->SetVisible(false);
  VertScrollBar()->SetVisible(false);

  createButtonBars();
  createButtonPanel();
  createCalendarPanels();
  createSysopTable();
  createMenus();
  TimerStayAlive = new IntervalTimer(this);
  TimerStayAlive->SetName("TimerStayAlive");
  TimerStayAlive->SetEnabled(false);
  VorlexSpell1 = new TVorlexSpell(this);
  VorlexSpell1->SetName("VorlexSpell1");
  VorlexSpell1->ReloadConfiguration();

  Constraints()->SetMinWidth(Width());
  Constraints()->SetMaxWidth(Width());
  Constraints()->SetMinHeight(Height());
  Constraints()->SetMaxHeight(Height());

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TCaseF::createButtonBars() {
  PanelSpeedBar = place<TPanel>(this, this, "PanelSpeedBar", 0, 0, 766, 34);
  SpeedButton1 = speedButton(this, PanelSpeedBar, "SpeedButton1", "Copy previous description", 4, 30);
  SpeedButton4 = speedButton(this, PanelSpeedBar, "SpeedButton4", "Print the current batch", 36, 30);
  CaseNavigator = place<TdcDBNavigator>(this, PanelSpeedBar, "CaseNavigator", 120, 3, 238, 28);
  BitBtnNotes = button(this, PanelSpeedBar, "BitBtnNotes", "Notes", 360, 3, 56, 28);
  UndeleteBitBtn = button(this, PanelSpeedBar, "UndeleteBitBtn", "Undelete", 418, 3, 72, 28);
  CalendarBitBtn = button(this, PanelSpeedBar, "CalendarBitBtn", "Calendar", 492, 3, 72, 28);
  GridViewBitBtn = button(this, PanelSpeedBar, "GridViewBitBtn", "Grid", 566, 3, 48, 28);
  ClientScreenBitBtn = button(this, PanelSpeedBar, "ClientScreenBitBtn", "Client", 616, 3, 56, 28);
  // As wide as the header's buttons, which stand in its column.
  AccountStatusBitBtn = button(this, PanelSpeedBar, "AccountStatusBitBtn", "A/S", 674, 3, 90, 28);

  PanelCalendar = place<TPanel>(this, this, "PanelCalendar", 0, 0, 766, 34);
  PanelCalendar->SetVisible(false);
  SpeedButtonMonth = speedButton(this, PanelCalendar, "SpeedButtonMonth", "Monthly calendar display", 4, 30);
  SBNarrativeCodes = speedButton(this, PanelCalendar, "SBNarrativeCodes", "List narrative codes", 36, 30);
  SBExpandNarrative = speedButton(this, PanelCalendar, "SBExpandNarrative", "Expand narrative codes", 68, 30);
  SBSpellCheck = speedButton(this, PanelCalendar, "SBSpellCheck", "Spell check", 100, 30);
  SBCopyDescription = speedButton(this, PanelCalendar, "SBCopyDescription", "Copy previous description", 132, 30);
  ZOLTBitBtn = button(this, PanelCalendar, "ZOLTBitBtn", "ZOLT", 560, 3, 56, 28);
  ClientBitBtn = button(this, PanelCalendar, "ClientBitBtn", "Client", 618, 3, 72, 28);
  CaseBitBtn = button(this, PanelCalendar, "CaseBitBtn", "Case", 692, 3, 72, 28);
}

void TCaseF::createButtonPanel() {
  PanelTopLine = place<TPanel>(this, this, "PanelTopLine", 0, 34, 766, 3);
  PanelBottomLine = place<TPanel>(this, this, "PanelBottomLine", 0, 444, 766, 3);
  PanelButtons = place<TPanel>(this, this, "PanelButtons", 392, 398, 368, 38);
  DeleteBitBtn = button(this, PanelButtons, "DeleteBitBtn", "&Delete", 4, 5, 70, 28);
  SaveBitBtn = button(this, PanelButtons, "SaveBitBtn", "&Save", 76, 5, 70, 28);
  ClearBitBtn = button(this, PanelButtons, "ClearBitBtn", "C&lear", 148, 5, 70, 28);
  HelpBitBtn = button(this, PanelButtons, "HelpBitBtn", "&Help", 220, 5, 70, 28);
  ExitBitBtn = button(this, PanelButtons, "ExitBitBtn", "E&xit", 292, 5, 70, 28);
  CalSearchBitBtn = button(this, PanelButtons, "CalSearchBitBtn", "Sea&rch", 4, 5, 70, 28);
  CleanUpBitBtn = button(this, PanelButtons, "CleanUpBitBtn", "Clea&n up", 76, 5, 70, 28);
  ImportBitBtn = button(this, PanelButtons, "ImportBitBtn", "&Import", 148, 5, 70, 28);
  ExportBitBtn = button(this, PanelButtons, "ExportBitBtn", "Ex&port", 220, 5, 70, 28);
  for (GlyphButton* calendarOnly : {CalSearchBitBtn, CleanUpBitBtn, ImportBitBtn, ExportBitBtn}) {
    calendarOnly->SetVisible(false);
    calendarOnly->SetEnabled(false);
  }
  DeleteBitBtn->SetEnabled(false);
  SaveBitBtn->SetEnabled(false);

  StatusBar1 = place<StatusBar>(this, this, "StatusBar1", 0, 452, 766, 24);
  // The record state, the workstation, the data's description and the working date, each drawn
  // by the window itself in maroon.
  for (int i = 0; i < 4; ++i) StatusBar1->Panels()->Add()->SetStyle(psOwnerDraw);
  StatusBar1->OnDrawPanel = [this](StatusBar* Bar, StatusPanel* Panel, const TRect& Rect) {
    StatusBar1DrawPanel(Bar, Panel, Rect);
  };
}

void TCaseF::createCalendarPanels() {
  PanelAttys = place<TPanel>(this, this, "PanelAttys", 480, 130, 280, 170);
  PanelAttys->SetVisible(false);
  for (int i = 1; i <= 6; ++i) {
    const AnsiString n = std::to_string(i);
    const int top = 6 + (i - 1) * 26;
    LabelAtty[i] = place<TextLabel>(this, PanelAttys, ("LabelAtty" + n).c_str(), 4, top + 3, 60, 18);
    LabelAtty[i]->SetCaption("Atty " + n);
    Atty[i] = place<TEdit>(this, PanelAttys, ("Atty" + n).c_str(), 66, top, 48, 22);
    LabelAttyB[i] = place<TextLabel>(this, PanelAttys, ("LabelAtty" + n + "B").c_str(), 118, top + 3, 36, 18);
  }
  ListBoxAttys = place<ListBox>(this, PanelAttys, "ListBoxAttys", 158, 6, 116, 132);
  AttyUndoButton = button(this, PanelAttys, "AttyUndoButton", "Undo", 158, 140, 116, 24);

  PanelPlace = place<TPanel>(this, this, "PanelPlace", 4, 230, 470, 70);
  PanelPlace->SetVisible(false);
  EditPlace = place<TEdit>(this, PanelPlace, "EditPlace", 4, 4, 460, 20);
  EditItemNote = place<TEdit>(this, PanelPlace, "EditItemNote", 4, 25, 460, 20);
  EditOpposingAtty = place<TEdit>(this, PanelPlace, "EditOpposingAtty", 4, 46, 460, 20);

  PanelCalSearch = place<TPanel>(this, this, "PanelCalSearch", 0, 160, 766, 290);
  PanelCalSearch->SetVisible(false);
  PanelCalSearchInstr = place<TPanel>(this, PanelCalSearch, "PanelCalSearchInstr", 0, 0, 766, 24);
  Panel1 = place<TPanel>(this, PanelCalSearch, "Panel1", 0, 24, 766, 230);
  CalGrid = place<OwnerDrawGrid>(this, Panel1, "CalGrid", 2, 2, 760, 224);
  dcDBNavigator1 = place<TdcDBNavigator>(this, PanelCalSearch, "dcDBNavigator1", 4, 256, 238, 28);
  StatusBar2 = place<StatusBar>(this, PanelCalSearch, "StatusBar2", 0, 266, 766, 22);
}

TStringField* TCaseF::sysopField(const AnsiString& FieldName) {
  auto* field = new TStringField(this);
  field->SetName("Sysop1TB" + FieldName);
  field->SetFieldName(FieldName);
  field->SetSize(1);
  field->SetDataSet(Sysop1TB);
  return field;
}

void TCaseF::createSysopTable() {
  Sysop1TB = new TdcTbTable(this);
  Sysop1TB->SetName("Sysop1TB");
  Sysop1TBDateFmt = sysopField("DateFmt");
  Sysop1TBCaseID = sysopField("CaseID");
  Sysop1TBClSalesTax = sysopField("ClSalesTax");
  Sysop1TBClFinChg = sysopField("ClFinChg");
  Sysop1TBUniqueCaseSuffix = sysopField("UniqueCaseSuffix");
  Sysop1TBAltIDCap = sysopField("AltIDCap");
  Sysop1TBValStmt = sysopField("ValStmt");
  Sysop1TBValCa1 = sysopField("ValCa1");
  Sysop1TBValCaDpt = sysopField("ValCaDpt");
  Sysop1TBValCa2 = sysopField("ValCa2");
  Sysop1TBValCa3 = sysopField("ValCa3");
  Sysop1TBValCal1 = sysopField("ValCal1");
  Sysop1TBValCalp = sysopField("ValCalp");
  Sysop1TBExitRemind = sysopField("ExitRemind");
}
