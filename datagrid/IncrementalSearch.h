#pragma once
// TdcIncrementalSearch: an edit that, a short pause after the user types, moves its dataset to
// the first record whose search field starts with the typed text (SearchField, else the first
// field of the active index), and may complete the text with the value found, the completion
// selected so typing on replaces it. A burst of keys searches once, when the pause has passed
// after the last; the pause is 333 ms, half that on a local record-manager table.
//
// Nothing raises out of a key: a text that is no value of the field's type finds nothing and
// moves nothing.
#include <functional>

#include "framework/base/PublishedProperties.h"
#include "framework/db/DataLink.h"
#include "framework/ui/Edit.h"

class IntervalTimer;
class TDataSource;
class TDataSet;
class TField;
class TTable;
class TdcIncrementalSearch;

using TdcAfterSearchEvent = std::function<void(TdcIncrementalSearch* Sender, bool MatchFound)>;

namespace incrementalsearch_texts {
inline constexpr const char* kNoDataSource = "DataSource not defined - object ";
inline constexpr const char* kNoDataSet = "Dataset not defined for DataSource";
}  // namespace incrementalsearch_texts

class TdcIncrementalSearch : public TEdit {
  QN_PUBLISHED_CLASS(TdcIncrementalSearch, TEdit)
 public:
  static constexpr unsigned SearchDelay = 333;
  static constexpr unsigned LocalSearchDelay = 166;

  explicit TdcIncrementalSearch(TComponent* AOwner);
  ~TdcIncrementalSearch() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  AnsiString SearchField;
  bool ShowMatchText = false;
  AnsiString PictureMask;
  bool PictureMaskAutoFill = true;
  bool PictureMaskFromField = false;
  TdcAfterSearchEvent OnAfterSearch;

  // Empties the text and the last searched text.
  virtual void Clear();
  const AnsiString& LastSearchedText() const { return lastSearched_; }
  IntervalTimer& Timer() { return *timer_; }
  // Searches for the text now instead of after the pause (nothing when it was searched last).
  void SearchNow() { timerFired(); }

  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

 private:
  void restartTimer();
  void timerFired();
  void search();
  bool searchTable(TTable& table, const AnsiString& text, TField*& field);
  bool searchQuery(TDataSet& query, const AnsiString& text, TField& field);
  // The field the search uses, as the search finds it; nullptr without one.
  TField* searchedField(TDataSet& dataSet);

  TDataLink link_;
  IntervalTimer* timer_;
  AnsiString lastSearched_;
};
