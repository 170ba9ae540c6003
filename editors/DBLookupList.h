#pragma once
// TdcDBLookupList: a grid over a lookup table that holds the lookup state of one value: which
// fields are the key fields (LookupField, up to three names joined by ";"), which field is shown
// (the first Selected line's, else the key field), the current key values and display text, and
// the row the user picked. It finds records by value and marks the row that holds the current
// value. On its own it is bound through its own DataSource and DataField: a pick writes the key
// into that field when the record is updated.
#include <functional>
#include <vector>

#include "datagrid/CustomDBGrid.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/FieldDataLink.h"

class IntervalTimer;

enum TdcLookupListOption { loColLines, loRowLines, loTitles };
using TdcLookupListOptions = EnumSet<TdcLookupListOption>;
extern const EnumerationType kLookupListOptionType;

class TdcDBLookupList : public TdcCustomDBGrid {
  QN_PUBLISHED_CLASS(TdcDBLookupList, TdcCustomDBGrid)
 public:
  explicit TdcDBLookupList(TComponent* AOwner);
  ~TdcDBLookupList() override;

  TDataSet* LookupTable() const { return lookupSource_ ? lookupSource_->DataSet() : nullptr; }
  // Refused for the own source's dataset and for anything but a dataset; resets the list.
  void SetLookupTable(TComponent* Value);
  AnsiString LookupField() const { return lookupField_; }
  // Resets the list when the text changes; with Report, a missing key field raises.
  void SetLookupField(const AnsiString& Value, bool Report = false);
  void SetSelected(TStrings* Value);
  // The binding the list serves: its own, or its combo's for the drop-down grid.
  TDataSource* DataSource() const { return BoundLink().DataSource(); }
  // Refused when it is, or shows, the lookup source.
  void SetDataSource(TDataSource* Value);
  AnsiString DataField() const { return BoundLink().FieldName(); }
  // Linked, the binding names the key fields: the list is reset.
  void SetDataField(const AnsiString& Value);
  bool ReadOnly() const { return ownLink_.ReadOnly(); }
  void SetReadOnly(bool Value) { ownLink_.SetReadOnly(Value); }
  TdcLookupListOptions Options() const { return options_; }
  void SetOptions(TdcLookupListOptions Value);
  // Whole values are compared with or without case.
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool Value) { caseSensitive_ = Value; }
  // The owned source the grid reads the lookup table through (taken away: nullptr).
  TDataSource* LookupSource() const { return lookupSource_; }
  void ReleaseLookupSource();

  TField* KeyField() const { return keyFields_[0]; }
  TField* SecondKeyField() const { return keyFields_[1]; }
  TField* ThirdKeyField() const { return keyFields_[2]; }
  int KeyFieldCount() const { return keyFieldCount_; }
  TField* DisplayField() const { return displayField_; }
  const AnsiString& LookupValue() const { return lookupValues_[0]; }
  // The second (1) and third (2) key values with the first (0).
  const AnsiString& LookupValueAt(int Index) const { return lookupValues_[Index]; }
  const AnsiString& DisplayValue() const { return displayValue_; }
  int ChosenRow() const { return chosenRow_; }
  void SetChosenRow(int Value) { chosenRow_ = Value; }
  // What the combo that owns the list sets directly: the first key value with the display text
  // (the other keys cleared), the display text alone, and the values of the current record.
  void SetValues(const AnsiString& Lookup, const AnsiString& Display);
  void SetDisplayValue(const AnsiString& Value) { displayValue_ = Value; }
  void TakeRecordValues();
  // The second and third values become the bound record's texts of the fields named like the
  // second and third key fields. A changed second value names another lookup record: it is found
  // and its display text taken. Answers whether that happened.
  bool TakeBoundExtraValues();
  // While raised, a data change of a linked list shows the bound field's text.
  void BeginValueUpdate() { ++updateCount_; }
  void EndValueUpdate() { --updateCount_; }
  // Sets the value (the first key); the display value follows from the record that holds it. An
  // unchanged value is taken again only while the grid is on its first data row.
  void SetLookupValue(const AnsiString& Value);
  // Finds the record whose display field holds Text (whole value): the lookup value becomes its
  // key (or Text when the key is shown), nothing when none; the answer is kept as Found(). Text
  // already shown, with the grid off its first data row, is not searched again (the answer is
  // the last one).
  bool SearchByDisplayText(const AnsiString& Text);
  // Whether the record under the link's active buffer holds the current lookup values.
  bool RowMatches() const;
  // Moves the lookup table to the record of the current value (the bound field's text, else the
  // lookup value) while the list has a window, and answers whether it was found. With Reposition
  // the answer is kept as Found() and a miss goes to the first record.
  bool LocateCurrentValue(bool Reposition);
  // The answer of the last locate with Reposition or search by display text.
  bool Found() const { return found_; }
  // Linked: the bound field is a lookup (or calculated) field of its dataset; the key fields are
  // the lookup side of its LookupLinks pairs, the display field (without Selected) the lookup
  // field of its LookupFields line, and an update writes the keys into the master-side fields.
  bool Linked() const { return linked_; }
  void SetLinked(bool Value);
  // Resolves the fields again, lays out the columns and clears the values (the binding changed).
  void Reset();

  TNotifyEvent OnClick;
  // A row was picked by mouse or key.
  TNotifyEvent OnPick;

  void KeyDown(WORD& Key, TShiftState Shift) override;
  bool HighlightCell(int DataCol, int DataRow, GridCellStates State, const AnsiString& Text) override;

 protected:
  // The link of the bound field: the list's own unless a combo lends its own.
  virtual TFieldDataLink& BoundLink() const { return const_cast<TFieldDataLink&>(ownLink_); }
  // Whether the chosen row carries the focus rectangle.
  virtual bool PaintsFocused() { return Focused(); }
  void DefineFieldMap() override;
  void SetColumnAttributes() override;
  void LinkActive(bool Value) override;
  // The chosen row moves with the rows; it is forgotten when it leaves them.
  void Scroll(int Distance) override;
  bool CanEdit() override;
  // A detail lookup table of the list's own source is read again for the current value.
  void UpdateLayout() override;
  // The line arrows step past the visible rows; a thumb drag forgets the chosen row.
  void VerticalScroll(ScrollAction Action, int Position) override;
  void DoExit() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;
  void timerTick() override;

 private:
  void ResolveFields(bool Report);
  // Takes the current record as the picked one.
  void Pick();
  void OwnDataChange();
  void OwnUpdateData();
  void AutoScroll();
  TLocateOptions locateOptions() const { return caseSensitive_ ? 0u : unsigned(loCaseInsensitive); }
  bool lookupActive() const { return LookupTable() && LookupTable()->Active(); }
  bool onFirstDataRow() const { return Row() == TitleOffset(); }
  bool sharesLookupSource(TDataSource* Source) const;
  // Value, then the bound dataset's texts of the fields named as the second and third keys.
  std::vector<AnsiString> keyValues(const AnsiString& Value) const;
  // Finds the record of those key values: by the index on the library's table, else by Locate.
  bool locateKeys(const std::vector<AnsiString>& Values);
  // Finds the record whose display field holds Text: on the library's table by its index when
  // the display field is a key field of it, else by a whole-value search counted as a lookup
  // search; on any other dataset by Locate.
  bool locateDisplayText(const AnsiString& Text);
  // The bound field's LookupLinks tokens (master, lookup side, in pairs); empty unless linked.
  std::vector<AnsiString> linkTokens() const;
  bool locateLinked();

  TDataSource* lookupSource_;
  TFieldDataLink ownLink_;
  AnsiString lookupField_;
  TField* keyFields_[3] = {nullptr, nullptr, nullptr};
  int keyFieldCount_ = 0;
  TField* displayField_ = nullptr;
  AnsiString lookupValues_[3];
  AnsiString displayValue_;
  int chosenRow_ = -1;
  TdcLookupListOptions options_;
  bool caseSensitive_ = false;
  bool found_ = false;
  bool linked_ = false;
  bool mouseSelecting_ = false;
  // Raised while the bound value is taken in and while a detail table is read again.
  int updateCount_ = 0;
  // The detail-table warning is shown once for a pairing of lookup table and source.
  bool detailWarned_ = false;
  int lastMouseY_ = 0;
  IntervalTimer* scrollTimer_ = nullptr;
};
