#pragma once
// The library's default texts of its navigator, its dialogs and its messages, one object per
// reader, each text a published property so a placed text component copies them all by name.
#include <memory>

#include "datagrid/LibraryTexts.h"
#include "framework/base/AnsiString.h"
#include "framework/base/PublishedProperties.h"

// The navigator's button hints; "%d" in the page hints is the page size.
class TdcDBNavigatorIntlHints : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcDBNavigatorIntlHints, LibraryTexts)
 public:
  AnsiString FirstHint = "Move to first record";
  AnsiString PriorHint = "Move to prior record";
  AnsiString NextHint = "Move to next record";
  AnsiString LastHint = "Move to last record";
  AnsiString InsertHint = "Insert new record";
  AnsiString DeleteHint = "Delete current record";
  AnsiString EditHint = "Edit current record";
  AnsiString PostHint = "Post changes of current record";
  AnsiString CancelHint = "Cancel changes made to current record";
  AnsiString RefreshHint = "Refresh the contents of the dataset";
  AnsiString PriorPageHint = "Move backward %d records";
  AnsiString NextPageHint = "Move forward %d records";
  AnsiString SaveBookmarkHint = "Bookmark current record";
  AnsiString RestoreBookmarkHint = "Go back to saved bookmark";
  AnsiString RecordViewDialogHint = "View current record";
  AnsiString LocateDialogHint = "Locate a specific record";
  AnsiString FilterDialogHint = "Filter the dataset";
  AnsiString SearchDialogHint = "Search the dataset";
};

// The navigator's texts: the delete confirmation and the button hints.
class TdcDBNavigatorIntl : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcDBNavigatorIntl, LibraryTexts)
 public:
  AnsiString ConfirmDeleteMessage = "Delete record?";
  TdcDBNavigatorIntlHints* Hints() const { return hints_.get(); }

 private:
  const std::unique_ptr<TdcDBNavigatorIntlHints> hints_ = std::make_unique<TdcDBNavigatorIntlHints>();
};

// Texts of the incremental search box and of the lookup and search dialogs.
class TdcSearchDialogIntl : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcSearchDialogIntl, LibraryTexts)
 public:
  AnsiString SearchCharLabel = "&Search Characters";
  AnsiString SearchCharShortLabel = "&Search Char";
  AnsiString SearchByLabel = "Search &By";
  AnsiString StatusRecLabel = "Rec #";
  AnsiString StatusOfLabel = "of";
  AnsiString SearchCharHint = "Enter characters for incremental search";
  AnsiString SearchByHint = "Incremental searching and sorting order";
};

// Captions and hints of the locate dialog.
class TdcLocateDialogIntl : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcLocateDialogIntl, LibraryTexts)
 public:
  AnsiString FieldValueLabel = "Field &Value";
  AnsiString SearchTypeLabel = "&Search Type";
  AnsiString CaseSensitiveLabel = "&Case-sensitive";
  AnsiString MatchExactLabel = "&Exact Match";
  AnsiString MatchStartLabel = "&Partial Match at Beginning";
  AnsiString MatchAnyLabel = "Partial Match &Anywhere";
  AnsiString FieldsLabel = "&Fields";
  AnsiString BtnFirst = "Fi&rst";
  AnsiString BtnNext = "&Next";
  AnsiString BtnCancel = "Cancel";
  AnsiString FieldValueHint = "Enter field's search value";
  AnsiString CaseSensitiveHint = "Searching is case-sensitive";
  AnsiString MatchExactHint = "Match occurs only if there is an exact match";
  AnsiString MatchStartHint = "Match occurs if the start of the field's value matches";
  AnsiString MatchAnyHint = "Match occurs if any part of the field matches";
  AnsiString BtnFirstHint = "Find first match";
  AnsiString BtnNextHint = "Find next match from current record";
  AnsiString FieldNameHint = "Select the field to search on";
};

// Prompts of the popup month calendar.
class TdcMonthCalendarIntl : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcMonthCalendarIntl, LibraryTexts)
 public:
  AnsiString PopupYearLabel = "Edit Year";
  AnsiString EnterYearPrompt = "Enter Valid Year";
};

// Captions and hints of the filter dialog and its summary.
class TdcFilterDialogIntl : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcFilterDialogIntl, LibraryTexts)
 public:
  AnsiString BtnViewSummary = "View Su&mmary";
  AnsiString BtnViewSummaryHint = "View summary of current search criteria";
  AnsiString BtnNewSearch = "&New Search";
  AnsiString BtnNewSearchHint = "Start a new search";
  AnsiString FieldOrderLabel = "Field Order";
  AnsiString FieldOrderHint = "Sort field list alphabetically or in their natural logical order";
  AnsiString AlphabeticLabel = "Alpha&betic";
  AnsiString LogicalLabel = "&Logical";
  AnsiString AllFieldsLabel = "&All";
  AnsiString SearchedFieldsLabel = "&Searched";
  AnsiString StartingRangeLabel = "&Starting Range";
  AnsiString EndingRangeLabel = "En&ding Range";
  AnsiString StartingRangeHint = "Enter starting range for field";
  AnsiString EndingRangeHint = "Enter ending range for field";
  AnsiString BtnClearMin = "&Clear";
  AnsiString BtnClearMax = "Cl&ear";
  AnsiString BtnClearFilterValue = "&Clear";
  AnsiString BtnClearMinHint = "Clear starting range for field";
  AnsiString BtnClearMaxHint = "Clear ending range for field";
  AnsiString BtnClearFilterValueHint = "Clear the current field's search value";
  AnsiString ByValueLabel = "By &Value";
  AnsiString ByRangeLabel = "By &Range";
  AnsiString FieldValueLabel = "Field &Value";
  AnsiString FieldValueHint = "Enter field's search value";
  AnsiString SearchTypeLabel = "Search Type";
  AnsiString SearchTypeHint = "Specify how the Field Value should be compared";
  AnsiString MatchExactLabel = "&Exact Match";
  AnsiString MatchStartLabel = "&Partial Match at Beginning";
  AnsiString MatchAnyLabel = "Partial Match Any&where";
  AnsiString CaseSensitiveLabel = "Case Sensi&tive";
  AnsiString CaseSensitiveHint = "Searching is case-sensitive";
  AnsiString NonMatchingLabel = "N&on-matching records";
  AnsiString NonMatchingHint = "Show records that do not match the field value criteria";
  AnsiString SummaryFieldLabel = "Field";
  AnsiString SummarySearchLabel = "Search Type";
  AnsiString SummaryValueLabel = "Value";
  AnsiString FieldsLabel = "&Fields";
  AnsiString ValueRangeTabHint = "Search fields by value or by range";
  AnsiString AllSearchedTabHint = "Show all fields or only currently searched fields";
  AnsiString ViewSummaryNotText = "NOT";
};

// Confirmations and error messages. PictureValidateError is followed by a field name, so it keeps
// its trailing blank.
class TdcUserMessagesIntl : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcUserMessagesIntl, LibraryTexts)
 public:
  AnsiString dcDBGridDiscardChanges = "Discard changes to this record?";
  AnsiString PictureValidateError = "Invalid characters. Field : ";
  AnsiString LocateNoMatches = "No matches found";
  AnsiString LocateNoMoreMatches = "No more matches found";
  AnsiString MemoChangesWarning = "Changes have been made!  Are you sure you wish to cancel?";
  AnsiString RichEditExitWarning = "Changes have been made!  Do you wish to save your changes?";
  AnsiString RichEditClearWarning = "Clear entire text?";
  AnsiString FilterDlgNoCriteria = "You have not selected any search criteria";
  AnsiString RecordViewExitWarning = "Changes have been made!  Do you wish to save your changes?";
};
