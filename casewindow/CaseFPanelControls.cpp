// The controls inside the header and the description panel, placed once the panels have their
// places: the header's buttons (or the calendar's case lists) in the column of the button bar's
// last button, its billing format on its second row, the description panel's date under the
// header's suffix and its times in the alternate identifier's column, the calendar search's last
// day, and at 96 pixels per inch a small shift right of the decorations and the calendar's
// controls, whose fonts there come out narrower than their places.
#include <algorithm>
#include <vector>

#include "casewindow/CaseF.h"
#include "casewindow/HostedPanels.h"
#include "core/Globals.h"
#include "dialogs/ClientCaseLookF.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/DateTime.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/TextLabel.h"

namespace {

// How far right the decorations and the calendar controls move at 96 pixels per inch.
constexpr int kShiftAt96 = 6;

// The space between neighbouring controls, at the window's density.
int gapAt(int ppi) { return ppi * 6 / 120; }

TControl* controlOf(TForm* panel, const char* name) { return dynamic_cast<TControl*>(panel->FindComponent(name)); }

void shiftRight(TForm* panel, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (TControl* control = controlOf(panel, name)) control->SetLeft(control->Left() + kShiftAt96);
}

}  // namespace

void TCaseF::placeHeaderControls() {
  TForm* header = FindHostedPanel("ClientCaseLookF1");
  if (!header) return;
  const auto gap = [this] { return gapAt(PixelsPerInch()); };
  // Its lookups were fitted to their text as it was made, before it took the screen's density.
  if (auto* lookups = dynamic_cast<TClientCaseLookF*>(header)) lookups->SizeLookupFields();
  TControl* clientName = controlOf(header, "ClientName");
  // The calendar's case lists take room the client name gives up.
  if (CalendarParameter && clientName) clientName->SetWidth(clientName->Width() - clientName->Width() / 4);
  TControl* suffix = controlOf(header, "CaseSuffix");
  TControl* bevel = controlOf(header, "Bevel1");
  if (bevel && suffix) bevel->SetTop(suffix->Top() + suffix->Height() + 2);

  // The right-hand column under the button bar's last button: the fee split and the addresses,
  // or in the calendar the case lists in their frame.
  const int column = AccountStatusBitBtn->Left();
  TControl* feeSplit = controlOf(header, "FeeSplitBitBtn");
  if (feeSplit) {
    feeSplit->SetBounds(column, 4, std::min(feeSplit->Width(), header->Width() - column - 2), feeSplit->Height());
    if (TControl* addresses = controlOf(header, "CaseAddressBitBtn"))
      addresses->SetBounds(column, feeSplit->Top() + feeSplit->Height() + 2, feeSplit->Width(), addresses->Height());
  }
  TControl* alternateID = controlOf(header, "AlternateID");
  if (alternateID && alternateID->Left() < column)
    alternateID->SetWidth(std::min(alternateID->Width(), column - gap() - alternateID->Left()));
  if (TControl* separator = controlOf(header, "Bevel2"); separator && alternateID)
    separator->SetLeft(alternateID->Left() + alternateID->Width() + gap() / 2);
  // The matter's billing format and the delinquency mark on the second row, from under the suffix
  // on, ending before the buttons' column.
  if (suffix) {
    std::vector<TControl*> group;
    int groupWidth = 0;
    for (const char* name : {"LabelFormatCode", "AltBillFormat", "LabelDelinquent", "SBDelinquent"})
      if (TControl* control = controlOf(header, name)) {
        group.push_back(control);
        groupWidth += control->Width() + gap();
      }
    const int row = (bevel ? bevel->Top() + bevel->Height() : suffix->Top() + suffix->Height()) + gap();
    int left = std::max(clientName ? clientName->Left() : 0, std::min(suffix->Left(), column - groupWidth));
    for (TControl* control : group) {
      control->SetBounds(left, row + (suffix->Height() - control->Height()) / 2, control->Width(), control->Height());
      left += control->Width() + gap();
    }
  }
  if (TControl* caseLists = controlOf(header, "FileListBox1")) {
    const int left = column + (PixelsPerInch() == 96 ? kShiftAt96 : 0);
    caseLists->SetBounds(left, 4, std::min(caseLists->Width(), header->Width() - left - 2), header->Height() - 10);
    if (TControl* frame = controlOf(header, "Shape1"))
      frame->SetBounds(left - 1, caseLists->Top() - 1, caseLists->Width() + 2, caseLists->Height() + 2);
  }
  if (auto* names = dynamic_cast<TdcDBLookupCombo*>(clientName))
    names->SetDropDownWidth(names->Width() - qn::ui::screenFacts().horizontalScrollBarHeight - 12);
}

void TCaseF::placeDescriptionControls() {
  TForm* description = FindHostedPanel("CaseDescriptionF");
  if (!description) return;
  TForm* header = FindHostedPanel("ClientCaseLookF1");
  auto headerControl = [header](const char* name) { return header ? controlOf(header, name) : nullptr; };
  if (TControl* button = controlOf(description, "DescriptionBitBtn"))
    if (TControl* feeSplit = headerControl("FeeSplitBitBtn"))
      button->SetBounds(feeSplit->Left() + 1, button->Top(), feeSplit->Width(), button->Height());
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
