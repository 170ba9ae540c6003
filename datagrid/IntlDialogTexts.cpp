#include "datagrid/IntlDialogTexts.h"

void TdcDBNavigatorIntlHints::PublishProperties(PropertyPublisher<TdcDBNavigatorIntlHints>& publish) {
  using Self = TdcDBNavigatorIntlHints;
  publish.String("FirstHint", &Self::FirstHint, &Self::FirstHint);
  publish.String("PriorHint", &Self::PriorHint, &Self::PriorHint);
  publish.String("NextHint", &Self::NextHint, &Self::NextHint);
  publish.String("LastHint", &Self::LastHint, &Self::LastHint);
  publish.String("InsertHint", &Self::InsertHint, &Self::InsertHint);
  publish.String("DeleteHint", &Self::DeleteHint, &Self::DeleteHint);
  publish.String("EditHint", &Self::EditHint, &Self::EditHint);
  publish.String("PostHint", &Self::PostHint, &Self::PostHint);
  publish.String("CancelHint", &Self::CancelHint, &Self::CancelHint);
  publish.String("RefreshHint", &Self::RefreshHint, &Self::RefreshHint);
  publish.String("PriorPageHint", &Self::PriorPageHint, &Self::PriorPageHint);
  publish.String("NextPageHint", &Self::NextPageHint, &Self::NextPageHint);
  publish.String("SaveBookmarkHint", &Self::SaveBookmarkHint, &Self::SaveBookmarkHint);
  publish.String("RestoreBookmarkHint", &Self::RestoreBookmarkHint, &Self::RestoreBookmarkHint);
  publish.String("RecordViewDialogHint", &Self::RecordViewDialogHint, &Self::RecordViewDialogHint);
  publish.String("LocateDialogHint", &Self::LocateDialogHint, &Self::LocateDialogHint);
  publish.String("FilterDialogHint", &Self::FilterDialogHint, &Self::FilterDialogHint);
  publish.String("SearchDialogHint", &Self::SearchDialogHint, &Self::SearchDialogHint);
}

void TdcDBNavigatorIntl::PublishProperties(PropertyPublisher<TdcDBNavigatorIntl>& publish) {
  using Self = TdcDBNavigatorIntl;
  publish.String("ConfirmDeleteMessage", &Self::ConfirmDeleteMessage, &Self::ConfirmDeleteMessage);
  publish.Object("Hints", &Self::Hints);
}

void TdcSearchDialogIntl::PublishProperties(PropertyPublisher<TdcSearchDialogIntl>& publish) {
  using Self = TdcSearchDialogIntl;
  publish.String("SearchCharLabel", &Self::SearchCharLabel, &Self::SearchCharLabel);
  publish.String("SearchCharShortLabel", &Self::SearchCharShortLabel, &Self::SearchCharShortLabel);
  publish.String("SearchByLabel", &Self::SearchByLabel, &Self::SearchByLabel);
  publish.String("StatusRecLabel", &Self::StatusRecLabel, &Self::StatusRecLabel);
  publish.String("StatusOfLabel", &Self::StatusOfLabel, &Self::StatusOfLabel);
  publish.String("SearchCharHint", &Self::SearchCharHint, &Self::SearchCharHint);
  publish.String("SearchByHint", &Self::SearchByHint, &Self::SearchByHint);
}

void TdcLocateDialogIntl::PublishProperties(PropertyPublisher<TdcLocateDialogIntl>& publish) {
  using Self = TdcLocateDialogIntl;
  publish.String("FieldValueLabel", &Self::FieldValueLabel, &Self::FieldValueLabel);
  publish.String("SearchTypeLabel", &Self::SearchTypeLabel, &Self::SearchTypeLabel);
  publish.String("CaseSensitiveLabel", &Self::CaseSensitiveLabel, &Self::CaseSensitiveLabel);
  publish.String("MatchExactLabel", &Self::MatchExactLabel, &Self::MatchExactLabel);
  publish.String("MatchStartLabel", &Self::MatchStartLabel, &Self::MatchStartLabel);
  publish.String("MatchAnyLabel", &Self::MatchAnyLabel, &Self::MatchAnyLabel);
  publish.String("FieldsLabel", &Self::FieldsLabel, &Self::FieldsLabel);
  publish.String("BtnFirst", &Self::BtnFirst, &Self::BtnFirst);
  publish.String("BtnNext", &Self::BtnNext, &Self::BtnNext);
  publish.String("BtnCancel", &Self::BtnCancel, &Self::BtnCancel);
  publish.String("FieldValueHint", &Self::FieldValueHint, &Self::FieldValueHint);
  publish.String("CaseSensitiveHint", &Self::CaseSensitiveHint, &Self::CaseSensitiveHint);
  publish.String("MatchExactHint", &Self::MatchExactHint, &Self::MatchExactHint);
  publish.String("MatchStartHint", &Self::MatchStartHint, &Self::MatchStartHint);
  publish.String("MatchAnyHint", &Self::MatchAnyHint, &Self::MatchAnyHint);
  publish.String("BtnFirstHint", &Self::BtnFirstHint, &Self::BtnFirstHint);
  publish.String("BtnNextHint", &Self::BtnNextHint, &Self::BtnNextHint);
  publish.String("FieldNameHint", &Self::FieldNameHint, &Self::FieldNameHint);
}

void TdcMonthCalendarIntl::PublishProperties(PropertyPublisher<TdcMonthCalendarIntl>& publish) {
  using Self = TdcMonthCalendarIntl;
  publish.String("PopupYearLabel", &Self::PopupYearLabel, &Self::PopupYearLabel);
  publish.String("EnterYearPrompt", &Self::EnterYearPrompt, &Self::EnterYearPrompt);
}

void TdcFilterDialogIntl::PublishProperties(PropertyPublisher<TdcFilterDialogIntl>& publish) {
  using Self = TdcFilterDialogIntl;
  publish.String("BtnViewSummary", &Self::BtnViewSummary, &Self::BtnViewSummary);
  publish.String("BtnViewSummaryHint", &Self::BtnViewSummaryHint, &Self::BtnViewSummaryHint);
  publish.String("BtnNewSearch", &Self::BtnNewSearch, &Self::BtnNewSearch);
  publish.String("BtnNewSearchHint", &Self::BtnNewSearchHint, &Self::BtnNewSearchHint);
  publish.String("FieldOrderLabel", &Self::FieldOrderLabel, &Self::FieldOrderLabel);
  publish.String("FieldOrderHint", &Self::FieldOrderHint, &Self::FieldOrderHint);
  publish.String("AlphabeticLabel", &Self::AlphabeticLabel, &Self::AlphabeticLabel);
  publish.String("LogicalLabel", &Self::LogicalLabel, &Self::LogicalLabel);
  publish.String("AllFieldsLabel", &Self::AllFieldsLabel, &Self::AllFieldsLabel);
  publish.String("SearchedFieldsLabel", &Self::SearchedFieldsLabel, &Self::SearchedFieldsLabel);
  publish.String("StartingRangeLabel", &Self::StartingRangeLabel, &Self::StartingRangeLabel);
  publish.String("EndingRangeLabel", &Self::EndingRangeLabel, &Self::EndingRangeLabel);
  publish.String("StartingRangeHint", &Self::StartingRangeHint, &Self::StartingRangeHint);
  publish.String("EndingRangeHint", &Self::EndingRangeHint, &Self::EndingRangeHint);
  publish.String("BtnClearMin", &Self::BtnClearMin, &Self::BtnClearMin);
  publish.String("BtnClearMax", &Self::BtnClearMax, &Self::BtnClearMax);
  publish.String("BtnClearFilterValue", &Self::BtnClearFilterValue, &Self::BtnClearFilterValue);
  publish.String("BtnClearMinHint", &Self::BtnClearMinHint, &Self::BtnClearMinHint);
  publish.String("BtnClearMaxHint", &Self::BtnClearMaxHint, &Self::BtnClearMaxHint);
  publish.String("BtnClearFilterValueHint", &Self::BtnClearFilterValueHint, &Self::BtnClearFilterValueHint);
  publish.String("ByValueLabel", &Self::ByValueLabel, &Self::ByValueLabel);
  publish.String("ByRangeLabel", &Self::ByRangeLabel, &Self::ByRangeLabel);
  publish.String("FieldValueLabel", &Self::FieldValueLabel, &Self::FieldValueLabel);
  publish.String("FieldValueHint", &Self::FieldValueHint, &Self::FieldValueHint);
  publish.String("SearchTypeLabel", &Self::SearchTypeLabel, &Self::SearchTypeLabel);
  publish.String("SearchTypeHint", &Self::SearchTypeHint, &Self::SearchTypeHint);
  publish.String("MatchExactLabel", &Self::MatchExactLabel, &Self::MatchExactLabel);
  publish.String("MatchStartLabel", &Self::MatchStartLabel, &Self::MatchStartLabel);
  publish.String("MatchAnyLabel", &Self::MatchAnyLabel, &Self::MatchAnyLabel);
  publish.String("CaseSensitiveLabel", &Self::CaseSensitiveLabel, &Self::CaseSensitiveLabel);
  publish.String("CaseSensitiveHint", &Self::CaseSensitiveHint, &Self::CaseSensitiveHint);
  publish.String("NonMatchingLabel", &Self::NonMatchingLabel, &Self::NonMatchingLabel);
  publish.String("NonMatchingHint", &Self::NonMatchingHint, &Self::NonMatchingHint);
  publish.String("SummaryFieldLabel", &Self::SummaryFieldLabel, &Self::SummaryFieldLabel);
  publish.String("SummarySearchLabel", &Self::SummarySearchLabel, &Self::SummarySearchLabel);
  publish.String("SummaryValueLabel", &Self::SummaryValueLabel, &Self::SummaryValueLabel);
  publish.String("FieldsLabel", &Self::FieldsLabel, &Self::FieldsLabel);
  publish.String("ValueRangeTabHint", &Self::ValueRangeTabHint, &Self::ValueRangeTabHint);
  publish.String("AllSearchedTabHint", &Self::AllSearchedTabHint, &Self::AllSearchedTabHint);
  publish.String("ViewSummaryNotText", &Self::ViewSummaryNotText, &Self::ViewSummaryNotText);
}

void TdcUserMessagesIntl::PublishProperties(PropertyPublisher<TdcUserMessagesIntl>& publish) {
  using Self = TdcUserMessagesIntl;
  publish.String("dcDBGridDiscardChanges", &Self::dcDBGridDiscardChanges, &Self::dcDBGridDiscardChanges);
  publish.String("PictureValidateError", &Self::PictureValidateError, &Self::PictureValidateError);
  publish.String("LocateNoMatches", &Self::LocateNoMatches, &Self::LocateNoMatches);
  publish.String("LocateNoMoreMatches", &Self::LocateNoMoreMatches, &Self::LocateNoMoreMatches);
  publish.String("MemoChangesWarning", &Self::MemoChangesWarning, &Self::MemoChangesWarning);
  publish.String("RichEditExitWarning", &Self::RichEditExitWarning, &Self::RichEditExitWarning);
  publish.String("RichEditClearWarning", &Self::RichEditClearWarning, &Self::RichEditClearWarning);
  publish.String("FilterDlgNoCriteria", &Self::FilterDlgNoCriteria, &Self::FilterDlgNoCriteria);
  publish.String("RecordViewExitWarning", &Self::RecordViewExitWarning, &Self::RecordViewExitWarning);
}
