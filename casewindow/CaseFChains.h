#pragma once
// The chains Tab and Enter follow through the main window's panels, as tables of source control
// and target that TCaseF::MoveAlongChain walks. A control no row names keeps the normal tab order.
#include <array>
#include <cstdint>
#include <vector>

// When a row applies.
enum class ChainScope {
  AnyMode,         // the header, in case and calendar mode
  CaseMode,        // case mode, a matter shown or not
  CaseShown,       // case mode with a matter shown
  Calendar,        // calendar mode
  CalendarSearch,  // calendar mode while the header serves the calendar search
};

enum class ChainKey { TabOrEnter, TabOnly };

enum class ChainStep {
  Pass,                 // not handled: the control's own tab order
  Focus,                // the first target that qualifies takes the focus
  FromCombo,            // TCaseF::MoveFromCombo to the target
  FromComboToEdit,      // TCaseF::MoveFromComboToEdit to the target
  RememberedToEdit,     // the panel's code combo remembered for validation, then FromComboToEdit
  NumericOrderSuffix,   // the suffix's text replaced by the highlighted matter (Space, Tab)
  AlternateIDNoMatter,  // the alternate identifier's exit, or back to the suffix
  CalendarSuffix,       // the header's suffix check, then the first target that qualifies
};

// A target counts when it exists and, as the row asks, is enabled or visible.
enum class TargetIf { Exists, Enabled, Visible };

struct ChainTarget {
  const char* panel = nullptr;    // the hosted panel's component name; "CaseF" the main window
  const char* control = nullptr;  // nullptr: the panel itself (its active or first control)
  TargetIf when = TargetIf::Exists;
};

struct ChainRow {
  bool backwards;
  ChainScope scope;
  ChainKey key;
  const char* panel;    // the source's panel, as for targets
  const char* control;  // the source; nullptr: any control of the panel
  ChainStep step;
  std::array<ChainTarget, 2> targets;
};

// Forward rows, then backward rows; the first row that matches a key decides.
const std::vector<ChainRow>& FocusChainRows();

// The control a key message names when it stands for the header's client name rather than a
// control: Msg.Control empty and Msg.LParam this value. Shift+Tab with it focuses ClientName.
constexpr std::intptr_t ClientNamePseudoHandle = 999999999;
