// What the main window's show handler sets up in the panels it hosts: the date pickers' order of
// day and month, the calendar's case lists and second time, the narrative panel and its code list,
// the client the command line names, the alternate identifier a user without the case file's first
// right may not list, and the retainer-reserve box. Panels built elsewhere are reached by their
// component names; what is missing is left out.
#include <algorithm>

#include "casewindow/CaseF.h"
#include "casewindow/CaseMiscF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/HostedPanels.h"
#include "core/Globals.h"
#include "core/LookupComboHelpers.h"
#include "dialogs/NarrF.h"
#include "dialogs/NarrativeCodes.h"
#include "editors/DBDateTimePicker.h"
#include "framework/ui/Application.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/ShapeControl.h"
#include "platform/os/ProgramArguments.h"

namespace {

struct NamedControl {
  const char* panel;
  const char* name;
};

// The pickers that show a date in the order the day-first setting asks for.
constexpr NamedControl kDatePickers[] = {{"CaseDescriptionF", "CalDate"},     {"CaseDescriptionF", "CalDate2"},
                                         {"BillingBoxF", "DateOpened"},       {"BillingBoxF", "DateClosed"},
                                         {"BillingBoxF", "DateLastPosted"}};

void enableNavy(const char* panel, const char* name, bool show) {
  auto* control = FindHostedControl<TControl>(panel, name);
  if (!control) return;
  control->SetEnabled(true);
  if (show) control->SetVisible(true);
  if (auto* shape = dynamic_cast<ShapeControl*>(control)) {
    shape->SetPenColor(clNavy);
    shape->SetBrushColor(clNavy);
  } else {
    control->Font()->SetColor(clNavy);
  }
}

}  // namespace

void TCaseF::showPickerDatesDayFirst() {
  for (const NamedControl& picker : kDatePickers)
    if (auto* p = FindHostedControl<TdcDBCustomDateTimePicker>(picker.panel, picker.name)) p->SetDisplayFormat("dd/mm/yy");
}

void TCaseF::enableCalendarPanelParts() {
  enableNavy("ClientCaseLookF1", "FileListBox1", true);
  enableNavy("ClientCaseLookF1", "Shape1", true);
  enableNavy("CaseDescriptionF", "LabelCaseList", false);
  enableNavy("CaseDescriptionF", "Shape1", false);
  if (auto* secondTime = FindHostedControl<TControl>("CaseDescriptionF", "CalTime2")) {
    secondTime->SetEnabled(true);
    secondTime->SetColor(clWhite);
  }
}

void TCaseF::createNarrativePanel() {
  if (!NarrF) Application->CreateForm(NarrF);
  // Docked here its combos are known by the main window's Tags for the narrative bar.
  NarrF->TableCode->SetTag(1110);
  NarrF->TableDesc->SetTag(1120);
  NarrF->SetTop(0);
  NarrF->SetHeight(0);
  if (!NarrativeListBuilt) {
    NarrF->BuildNarrativeList();
    if (NarrativeListBuilt) SpaceNarrativeList();
  }
}

void TCaseF::SpaceNarrativeList() {
  // The description panel reads a code's text from its seventh character on.
  NarrativeListLongest = 0;
  for (AnsiString& line : NarrativeList) {
    line.insert(std::min<std::size_t>(3, line.size()), "   ");
    NarrativeListLongest = std::max(NarrativeListLongest, static_cast<int>(line.size()));
  }
}

void TCaseF::putArgumentsIntoHeader() {
  const AnsiString code = qn::os::programArgument(2);
  const AnsiString name = qn::os::programArgument(3);
  if (ClientCaseLookF1 && !code.empty()) ClientCaseLookF1->ClientCode->SetText(code);
  if (name == "x_x_x")
    ClientNameMissing = true;
  else if (ClientCaseLookF1)
    ClientCaseLookF1->ClientName->SetText(name);
  PendingCaseArgs = !qn::os::programArgument(4).empty();
}

void TCaseF::keepAlternateIDUnlisted() {
  if (!ClientCaseLookF1 || ActiveFileRights[1] != "N") return;
  SetLookupComboMatch(ClientCaseLookF1->AlternateID, false);
  ClientCaseLookF1->AlternateID->SetDropDownCount(-1);
}

void TCaseF::enableRetainerReserve() {
  if (CaseMiscF) CaseMiscF->CheckBoxRetainerReserve->SetEnabled(true);
}
