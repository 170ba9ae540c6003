#pragma once
// The framework's string list: lines with objects (never owned), optionally kept sorted.
// Sorting and searching compare with AnsiCompareText, or with AnsiCompareStr when
// CaseSensitive (small letters before capitals, see TextCompare.h). A sorted list places each
// added line itself: Insert and setting a line raise EListError there, and Duplicates decides
// what happens to a line that compares equal to one already present (dupIgnore: not added, the
// present line's index is answered; dupAccept: added after its equals; dupError: EListError).
// OnChanging and OnChange are raised around each change, once for an update bracket.
#include <functional>
#include <vector>

#include "framework/base/NotifyEvent.h"
#include "framework/base/Strings.h"

enum TDuplicates { dupIgnore, dupAccept, dupError };

class StringList : public TStrings {
  QN_CLASS(StringList, TStrings)
 public:
  // Answers a negative value when the line at index1 sorts before the one at index2.
  using TStringListSortCompare = std::function<int(StringList& list, int index1, int index2)>;

  int Count() const override { return static_cast<int>(items_.size()); }
  AnsiString Get(int index) const override;
  TObject* GetObject(int index) const override;
  void Put(int index, const AnsiString& s) override;
  void PutObject(int index, TObject* object) override;
  void InsertObject(int index, const AnsiString& s, TObject* object) override;
  int AddObject(const AnsiString& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  // A sorted list places its lines itself: a move raises EListError there.
  void Move(int curIndex, int newIndex) override;
  int IndexOf(const AnsiString& s) const override;

  // Binary search of a sorted list: true when s is present, with index at its first
  // occurrence; otherwise index is where s would go.
  bool Find(const AnsiString& s, int& index) const;
  // Sorts (stably) by the list's comparison.
  void Sort();
  // Sorts (stably) by compare; the list must not be Sorted.
  void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return caseSensitive_; }
  // A sorted list sorts itself again by the new comparison.
  void SetCaseSensitive(bool caseSensitive);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const AnsiString& a, const AnsiString& b) const override;

 private:
  struct Item {
    AnsiString text;
    TObject* object;
  };
  void check(int index) const;
  void changing();
  void changed();
  void sortBy(const std::function<bool(const Item&, const Item&)>& less);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
