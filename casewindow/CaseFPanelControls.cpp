// The controls inside the header and the description panel, placed once the panels have their
// places: the header's buttons in the column of the button bar's last button, the description
// panel's date under the header's suffix and its times under the alternate identifier, the
// calendar's end date at its far end, and a small shift at 96 pixels per inch where the panels'
// fonts come out narrower than the controls' places.
#include "casewindow/CaseF.h"
#include "casewindow/HostedPanels.h"
#include "core/Globals.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/DateTime.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/TextLabel.h"

namespace {

// How far right the decorations and the calendar controls move at 96 pixels per inch.
constexpr int kShiftAt96 = 6;

TControl* controlOf(TForm* panel, const char* name) { return dynamic_cast<TControl*>(panel->FindComponent(name)); }

void shiftRight(TForm* panel, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (TControl* control = controlOf(panel, name)) control->SetLeft(control->Left() + kShiftAt96);
}

}  // namespace

void TCaseF::placeHeaderControls() {
  TForm* header = FindHostedPanel("ClientCaseLookF1");
  if (!header) return;
  TControl* clientName = controlOf(header, "ClientName");
  // The calendar's case lists take room the client name gives up.
  if (CalendarParameter && clientName) clientName->SetWidth(clientName->Width() - clientName->Width() / 4);
  if (TControl* bevel = controlOf(header, "Bevel1"))
    if (TControl* suffix = controlOf(header, "CaseSuffix")) bevel->SetTop(suffix->Top() + suffix->Height() + 2);
  if (TControl* feeSplit = controlOf(header, "FeeSplitBitBtn")) {
    feeSplit->SetBounds(AccountStatusBitBtn->Left(), 4, feeSplit->Width(), feeSplit->Height());
    if (TControl* addresses = controlOf(header, "CaseAddressBitBtn"))
      addresses->SetBounds(feeSplit->Left(), feeSplit->Top() + feeSplit->Height() + 2, feeSplit->Width(),
                           addresses->Height());
  }
  if (PixelsPerInch() == 96) shiftRight(header, {"FileListBox1", "Shape1"});
  if (auto* names = dynamic_cast<TdcDBLookupCombo*>(clientName))
    names->SetDropDownWidth(names->Width() - qn::ui::screenFacts().horizontalScrollBarHeight - 12);
}

void TCaseF::placeDescriptionControls() {
  TForm* description = FindHostedPanel("CaseDescriptionF");
  if (!description) return;
  TForm* header = FindHostedPanel("ClientCaseLookF1");
  auto headerControl = [header](const char* name) { return header ? controlOf(header, name) : nullptr; };
  if (TControl* button = controlOf(description, "DescriptionBitBtn"))
    if (TControl* feeSplit = headerControl("FeeSplitBitBtn")) button->SetLeft(feeSplit->Left() + 1);
  if (TControl* date = controlOf(description, "CalDate"))
    if (TControl* suffix = headerControl("CaseSuffix")) date->SetBounds(suffix->Left(), date->Top(), suffix->Width(), date->Height());
  if (TControl* column = headerControl("AlternateID")) {
    // The start time opens the alternate identifier's column, the end time closes it.
    if (TControl* start = controlOf(description, "CalTime")) start->SetLeft(column->Left());
    if (TControl* end = controlOf(description, "CalTime2")) end->SetLeft(column->Left() + column->Width() - end->Width());
  }
  if (auto* label = dynamic_cast<TextLabel*>(controlOf(description, "Label2"))) label->SetCaption("Start time");
  // The last day the calendar's search reaches, shown in the date order in force.
  if (auto* last = dynamic_cast<TdcDBCustomDateTimePicker*>(controlOf(description, "CalDate2")))
    last->SetDate(EncodeDate(2079, 12, 31));
  if (PixelsPerInch() == 96)
    shiftRight(description, {"CalTime", "CalTime2", "Label2", "LabelCaseList", "LabelDayOfWeek", "Bevel1", "Shape1"});
}
