// The main window's layout: the window fixes its own size from its status bar, places every hosted
// panel by a ratio of its client height, scales the panels from the 120 pixels per inch they were
// drawn at, and applies the enlargement option. Runs once, from the show handler.
#include <initializer_list>

#include "casewindow/CaseF.h"
#include "casewindow/HostedPanels.h"
#include "core/Globals.h"
#include "datagrid/DBNavigator.h"
#include "dialogs/MemoF.h"
#include "framework/base/Rounding.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"

namespace {

constexpr int kDesignPixelsPerInch = 120;

enum class HeightRounding { Round, Trunc };

// A hosted panel's place: its top as a share of the client height, its height at 120 pixels per
// inch, and its width (0: the form's width less 14; -1: left as it is; else a width at 120 pixels
// per inch scaled by the panel's own pixels per inch).
struct HostedPanelPlace {
  const char* name;
  double topRatio;
  int height120;
  HeightRounding rounding;
  int width120;
};

constexpr int kFormWidthLess14 = 0;
constexpr int kUnchanged = -1;

constexpr HostedPanelPlace kPanelPlaces[] = {
    {"CaseDescriptionF", 0.205, 26, HeightRounding::Trunc, kFormWidthLess14},
    {"RA1F", 0.26, 30, HeightRounding::Round, 483},
    {"RA2F", 0.316, 30, HeightRounding::Round, 483},
    {"RA3F", 0.372, 34, HeightRounding::Round, 483},
    {"DepartmentF", 0.435, 30, HeightRounding::Round, 460},
    {"CaType1F", 0.504, 30, HeightRounding::Round, 460},
    {"CaType2F", 0.56, 30, HeightRounding::Trunc, 460},
    {"CaType3F", 0.616, 30, HeightRounding::Trunc, 460},
    {"StMsgF", 0.685, 30, HeightRounding::Trunc, kUnchanged},
    {"CaseMiscF", 0.745, 28, HeightRounding::Trunc, kFormWidthLess14},
    {"FCSalesTaxF", 0.8027, 57, HeightRounding::Trunc, kUnchanged},
};

// A length drawn at 120 pixels per inch, at ppi.
int scaled(int ppi, int length120, HeightRounding rounding = HeightRounding::Round) {
  const double exact = static_cast<double>(ppi) / kDesignPixelsPerInch * length120;
  return static_cast<int>(rounding == HeightRounding::Round ? Round(exact) : Trunc(exact));
}

void clearConstraints(TSizeConstraints* constraints) {
  constraints->SetMinWidth(0);
  constraints->SetMaxWidth(0);
  constraints->SetMinHeight(0);
  constraints->SetMaxHeight(0);
}

}  // namespace

void TCaseF::LayOutWindow() {
  Constraints()->SetMaxHeight(0);
  Constraints()->SetMinHeight(0);
  SetClientHeight(StatusBar1->Top() + 29);
  Constraints()->SetMaxHeight(Height());
  Constraints()->SetMinHeight(Height());
  Constraints()->SetMaxWidth(0);
  Constraints()->SetMinWidth(0);
  SetWidth(static_cast<int>(Round(Height() * 1.512)));
  Constraints()->SetMaxWidth(Width());
  Constraints()->SetMinWidth(Width());
  ShowRecordState(false);

  PanelSpeedBar->SetWidth(ClientWidth() - 1);
  TControl* placedBefore = nullptr;
  for (TControl* b : std::initializer_list<TControl*>{AccountStatusBitBtn, ClientScreenBitBtn, GridViewBitBtn,
                                                      CalendarBitBtn, UndeleteBitBtn, BitBtnNotes}) {
    b->SetLeft((placedBefore ? placedBefore->Left() : PanelSpeedBar->Width()) - b->Width() - 1);
    placedBefore = b;
  }
  CaseNavigator->SetLeft(BitBtnNotes->Left() - CaseNavigator->Width() - 2);
  SpeedButtonMonth->SetEnabled(true);
  Monthly1->Enabled = true;
  SetcurrentAttorney1asdefault1->Enabled = true;
  Additionalattorneyoptions1->Enabled = true;
  TypeAttys1->Enabled = true;

  PanelCalendar->SetBounds(PanelCalendar->Left(), PanelSpeedBar->Top(), PanelSpeedBar->Width(), PanelCalendar->Height());
  CaseBitBtn->SetLeft(PanelCalendar->Width() - CaseBitBtn->Width() - 1);
  ClientBitBtn->SetLeft(CaseBitBtn->Left() - ClientBitBtn->Width() - 1);
  ZOLTBitBtn->SetLeft(ClientBitBtn->Left() - ZOLTBitBtn->Width() - 1);

  placeWindow();

  StatusBar1->SetLeft(0);
  StatusBar1->SetWidth(Width() - 1);
  StatusBar1->Font()->SetSize(7);
  if (Height() > 532) StatusBar1->SetHeight(StatusBar1->Height() - 4);
  const double panelShares[] = {0.5084, 0.0476, 0.2108, 0.1832};
  for (int i = 0; i < 4; ++i) StatusBar1->Panels()->Items(i)->SetWidth(static_cast<int>(Round(Width() * panelShares[i])));
  StatusBar1->Panels()->Items(2)->SetText(AliasDescription);

  PanelBottomLine->SetBounds(0, static_cast<int>(Round(ClientHeight() * 0.9314)), Width() - 1, PanelBottomLine->Height());
  PanelButtons->SetBounds(Width() - PanelButtons->Width() - 7, static_cast<int>(Round(ClientHeight() * 0.8337)),
                          PanelButtons->Width(), PanelButtons->Height());
  buttonPlaces_.panelWidth = PanelButtons->Width();
  int b = 0;
  for (TControl* button : std::initializer_list<TControl*>{DeleteBitBtn, SaveBitBtn, ClearBitBtn, HelpBitBtn, ExitBitBtn}) {
    buttonPlaces_.lefts[b] = button->Left();
    buttonPlaces_.widths[b++] = button->Width();
  }
  StatusBar1->SetTop(PanelBottomLine->Top() + 4);

  placeHostedPanels();
  applySizeOption();
}

void TCaseF::placeWindow() {
  if (startupX_ != 0) {
    SetBounds(startupX_, startupY_, Width(), Height());
    return;
  }
  SetBounds(Screen->width() / 2 - Width() / 2 - 2, Screen->height() / 2 - Height() / 2 - 16, Width(), Height());
}

namespace {

// A panel becomes a child of the main window before it is placed, so its bounds are inside the
// window; it is shown there once placed, as the panels are never shown as windows of their own.
// Drawn at 120 pixels per inch like the window, it first takes the screen's density, as the window
// did when it was made; the places below then set its final size.
void dock(TForm* panel, TForm* mainWindow) {
  panel->scaleFromDesign(kDesignPixelsPerInch);
  panel->SetParent(mainWindow);
  panel->HorzScrollBar()->SetVisible(false);
  panel->VertScrollBar()->SetVisible(false);
}

}  // namespace

void TCaseF::placeHostedPanels() {
  const int ppi = PixelsPerInch();
  const int clientHeight = ClientHeight();
  auto topAt = [clientHeight](double ratio) { return static_cast<int>(Round(clientHeight * ratio)); };

  if (TForm* header = FindHostedPanel("ClientCaseLookF1")) {
    dock(header, this);
    headerExtraHeight_ = CalendarParameter ? 0 : scaled(ppi, 50);
    headerShrunk_ = false;
    header->SetBounds(1, topAt(0.069), Width() - 14, scaled(ppi, 66) + headerExtraHeight_);
    header->SetColor(clScrollBar);
    header->Show();
  }
  for (const HostedPanelPlace& place : kPanelPlaces) {
    TForm* panel = FindHostedPanel(place.name);
    if (!panel) continue;
    dock(panel, this);
    int width = panel->Width();
    if (place.width120 == kFormWidthLess14) width = Width() - 14;
    else if (place.width120 != kUnchanged) width = scaled(panel->PixelsPerInch(), place.width120);
    panel->SetBounds(0, topAt(place.topRatio), width, scaled(ppi, place.height120, place.rounding));
    panel->Show();
  }
  for (const char* grey : {"CaseDescriptionF", "CaseMiscF"})
    if (TForm* panel = FindHostedPanel(grey)) panel->SetColor(clScrollBar);
  placeHeaderControls();
  placeDescriptionControls();

  TForm* billingBox = FindHostedPanel("BillingBoxF");
  if (billingBox) {
    dock(billingBox, this);
    billingBox->SetBounds(static_cast<int>(Round(ClientWidth() * 0.6325)), topAt(0.262), billingBox->Width(),
                          scaled(ppi, 203));
    billingBox->Show();
    PanelAttys->SetBounds(billingBox->Left() - 24, billingBox->Top() + 6, PanelAttys->Width(), PanelAttys->Height());
    PanelPlace->SetTop(PanelAttys->Top() + PanelAttys->Height() - PanelPlace->Height());
  }
  if (auto* memo = dynamic_cast<TMemoF*>(FindHostedPanel("MemoF")))
    memo->PlaceInCaseWindow(PanelAttys->Top() + PanelAttys->Height() - 1, Width());

  const TForm* attorney1 = FindHostedPanel("RA1F");
  const int searchTop = scaled(ppi, 36) + (attorney1 ? attorney1->Top() : topAt(0.26));
  PanelCalSearch->SetBounds(0, searchTop, Width(), clientHeight - searchTop);
  Panel1->SetHeight(PanelCalSearch->Height() - dcDBNavigator1->Height() - 4);
}

void TCaseF::applySizeOption() {
  if (CalendarMode) FormSizeOption = 0;
  TForm* header = FindHostedPanel("ClientCaseLookF1");
  auto enlarge = [&](int M, int D) {
    clearConstraints(Constraints());
    SetAutoSize(true);
    scaleByRatio(M, D);
  };
  auto refitAndCentre = [&] {
    if (header) header->SetWidth(Width() - 14);
    StatusBar1->Font()->SetSize(StatusBar1->Font()->Size() + 2);
    SetBounds(Screen->primaryMonitorWidth() / 2 - Width() / 2, Screen->height() / 2 - Height() / 2, Width(), Height());
  };

  if (FormSizeOption < 1) {
    Resettodefault1->SetCaption("Default");
    Resettodefault1->SetChecked(true);
    Increase151->Enabled = Screen->width() >= Width() + Width() / 10;
    Increase301->Enabled = Screen->width() >= Width() + Width() / 4;
    if (header) header->BringToFront();
  } else if (FormSizeOption == 1) {
    enlarge(23, 20);
    SetWidth(static_cast<int>(Trunc(Width() * 0.95)));
    refitAndCentre();
    Increase151->SetChecked(true);
  } else {
    enlarge(5, 4);
    refitAndCentre();
    if (header) header->BringToFront();
    Increase301->SetChecked(true);
  }
}
