#pragma once
// The main window's key hook decides by these tables, not by nested conditions: which button an
// Alt+letter clicks in each mode, and which control a left-button release acts on. A control is
// named by its hosted panel (with a dialog the panel owns after a dot) and its own name; no panel
// means a control of the main window. A row whose control does not exist (yet) acts on nothing.
#include <array>

// When an Alt+letter row clicks its button; the key is taken either way.
enum class ClickWhen { Always, Enabled, Visible };

struct AltKeyRow {
  char letter;
  const char* panel;
  const char* control;
  ClickWhen when;
};

// The header serves the calendar search: the search navigator's buttons and the search itself.
inline constexpr std::array<AltKeyRow, 10> kCalendarSearchAltKeys{{
    {'D', nullptr, "dcDBNavigator1Delete", ClickWhen::Enabled},
    {'E', nullptr, "dcDBNavigator1Edit", ClickWhen::Enabled},
    {'F', nullptr, "dcDBNavigator1First", ClickWhen::Enabled},
    {'L', nullptr, "dcDBNavigator1Last", ClickWhen::Enabled},
    {'N', nullptr, "dcDBNavigator1Next", ClickWhen::Enabled},
    {'P', nullptr, "dcDBNavigator1Prior", ClickWhen::Enabled},
    {'S', "CaseDescriptionF", "DoFindBitBtn", ClickWhen::Enabled},
    {'U', nullptr, "dcDBNavigatorDuplicate", ClickWhen::Enabled},
    {'W', nullptr, "dcDBNavigator1NewSearch", ClickWhen::Enabled},
    {'X', nullptr, "dcDBNavigator1Exit", ClickWhen::Enabled},
}};

// The descriptions dialog's copy and paste, asked before the mode's letters.
inline constexpr std::array<AltKeyRow, 2> kDescriptionsDialogAltKeys{{
    {'C', "CaseDescriptionF.DescriptionsF", "BitBtnCopy", ClickWhen::Visible},
    {'P', "CaseDescriptionF.DescriptionsF", "BitBtnPaste", ClickWhen::Enabled},
}};

inline constexpr std::array<AltKeyRow, 9> kCalendarAltKeys{{
    {'A', nullptr, "CaseBitBtn", ClickWhen::Always},
    {'C', nullptr, "ClientScreenBitBtn", ClickWhen::Always},
    {'H', nullptr, "HelpBitBtn", ClickWhen::Always},
    {'I', nullptr, "CalSearchBitBtn", ClickWhen::Always},
    {'L', nullptr, "DeleteBitBtn", ClickWhen::Enabled},
    {'M', nullptr, "CleanUpBitBtn", ClickWhen::Enabled},
    {'R', nullptr, "ClearBitBtn", ClickWhen::Enabled},
    {'S', nullptr, "SaveBitBtn", ClickWhen::Enabled},
    {'X', nullptr, "ExitBitBtn", ClickWhen::Always},
}};

inline constexpr std::array<AltKeyRow, 12> kCaseAltKeys{{
    {'4', nullptr, "AccountStatusBitBtn", ClickWhen::Always},
    {'A', "ClientCaseLookF1", "CaseAddressBitBtn", ClickWhen::Enabled},
    {'C', nullptr, "ClientScreenBitBtn", ClickWhen::Always},
    {'D', "CaseDescriptionF", "DescriptionBitBtn", ClickWhen::Enabled},
    {'H', nullptr, "HelpBitBtn", ClickWhen::Always},
    {'L', nullptr, "DeleteBitBtn", ClickWhen::Enabled},
    {'N', nullptr, "CalendarBitBtn", ClickWhen::Enabled},
    {'P', nullptr, "GridViewBitBtn", ClickWhen::Enabled},
    {'R', nullptr, "ClearBitBtn", ClickWhen::Enabled},
    {'S', nullptr, "SaveBitBtn", ClickWhen::Enabled},
    {'T', "ClientCaseLookF1", "FeeSplitBitBtn", ClickWhen::Enabled},
    {'X', nullptr, "ExitBitBtn", ClickWhen::Always},
}};

// What a left-button release on a control does.
enum class ReleaseAction {
  // The window focus goes to the control.
  Focus,
  // The shown matter is put into edit while it is browsed (the dialog's save writes into it).
  EditMatter,
};

struct ReleaseRow {
  const char* panel;
  const char* control;
  ReleaseAction action;
};

inline constexpr std::array<ReleaseRow, 6> kReleaseTargets{{
    {"ClientCaseLookF1", "AlternateID", ReleaseAction::Focus},
    {"CaseDescriptionF", "CalTime", ReleaseAction::Focus},
    {"CaseDescriptionF", "CalTime2", ReleaseAction::Focus},
    {"BillingBoxF", "DateOpened", ReleaseAction::Focus},
    {"BillingBoxF", "DateClosed", ReleaseAction::Focus},
    {"EBF2F", "YesBitBtn", ReleaseAction::EditMatter},
}};
