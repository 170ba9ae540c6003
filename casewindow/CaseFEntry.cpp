// The entry mode: which of the header's lookups a matter is chosen by (client code and suffix,
// client name and suffix, suffix alone, alternate identifier), the menu item that says so, the
// header's tab stops and where the focus goes when the screen starts or is cleared.
#include <vector>

#include "casewindow/CaseF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/HostedPanels.h"
#include "core/Globals.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Screen.h"
#include "platform/os/ProgramArguments.h"

namespace {

char entryModeLetter() { return EntryMode.empty() ? ' ' : EntryMode[0]; }

// The control the focus goes to, or becomes the window's active control while the window is not
// yet active; false when it cannot take the focus.
bool focusIfUsable(TWinControl* control) {
  if (!control || !control->CanFocus()) return false;
  control->SetFocus();
  return true;
}

// A focus move into the control ran its entry handler already: it is the screen's active control.
bool entered(TWinControl* control) { return Screen->ActiveControl() == control; }

}  // namespace

void TCaseF::ApplyEntryMode() {
  TClientCaseLookF1* header = ClientCaseLookF1;
  TMenuItem* item = nullptr;
  std::vector<TWinControl*> stops;
  switch (entryModeLetter()) {
    case 'C':
      item = ClientCodeCaseSuffix1;
      if (header) stops = {header->ClientCode, header->CaseSuffix};
      break;
    case 'N':
      item = ClientNameCaseSuffix1;
      if (header) stops = {header->ClientName, header->CaseSuffix};
      break;
    case 'S':
      item = CaseSuffixOnly1;
      if (header) stops = {header->CaseSuffix};
      break;
    case 'A':
      item = AlternateIdentifier1;
      if (header) stops = {header->AlternateID};
      break;
    default: return;
  }
  for (TWinControl* control : stops) control->SetTabStop(true);
  item->SetChecked(true);
}

void TCaseF::FocusEntryControl() {
  TClientCaseLookF1* header = ClientCaseLookF1;
  if (firstEntryFocus_) {
    // The first call also clears the screen once the clear command exists.
    firstEntryFocus_ = false;
    if (header && entryModeLetter() == 'N' && !qn::os::programArgument(3).empty()) focusIfUsable(header->ClientCode);
  }
  ListCasesInNumericOrder = ListCaseinNumericOrder1->Checked();
  if (header) {
    switch (entryModeLetter()) {
      case 'A':
        if (!header->AlternateID->Enabled()) break;
        // The window focus moves only off the clear button; the entry runs in every case.
        if (Screen->ActiveControl() == ClearBitBtn) focusIfUsable(header->AlternateID);
        if (!entered(header->AlternateID)) header->AlternateIDEnter(header->AlternateID);
        return;
      case 'C':
        if (focusIfUsable(header->ClientCode)) return;
        break;
      case 'N':
        if (focusIfUsable(header->ClientName)) return;
        break;
      case 'S':
        if (!focusIfUsable(header->CaseSuffix)) break;
        if (!entered(header->CaseSuffix)) header->CaseSuffixEnter(header->CaseSuffix);
        return;
      default: return;
    }
  }
  if (focusIfUsable(LastLookupControl)) return;
  focusIfUsable(FindHostedControl<TWinControl>("CaseDescriptionF", "CaseDescription"));
}
