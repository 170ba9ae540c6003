#pragma once
// TdcDBGrid: the data-aware grid forms place. Beyond the grid base it binds only to datasets that
// carry the library's extension properties, mounts edit controls of the form into the current
// cell (custom edits, combos, lookup combos, a date-time picker of its own), toggles check-box
// cells, opens memo cells in the memo dialog, and keeps a selection of records by bookmark.
// Forms and dialogs create it by class name.
#include <functional>
#include <vector>

#include "datagrid/CustomDBGrid.h"
#include "framework/base/StringList.h"

class TdcDataSource;
class TdcMemoDialog;
class TWinControl;

using TdcMemoOpenEvent = std::function<void(TObject* Grid, TdcMemoDialog* MemoDialog)>;
using TdcMemoCloseEvent = std::function<void(TObject* Grid, bool Cancel)>;
using TdcSelectRecordEvent = std::function<void(TObject* Grid, bool Selecting, bool& Accept)>;
using TdcCreateDTPEvent = std::function<void(TObject* Sender, TWinControl* ADateTimePicker)>;

class TdcDBGrid : public TdcCustomDBGrid {
  QN_PUBLISHED_CLASS(TdcDBGrid, TdcCustomDBGrid)
 public:
  explicit TdcDBGrid(TComponent* AOwner);
  ~TdcDBGrid() override;

  // The grid's data source when it is the library's; nullptr otherwise.
  TdcDataSource* GetDataSource() const;
  bool ControlInfoInDataset() const { return controlInfoInDataset_; }
  void SetControlInfoInDataset(bool Value) { controlInfoInDataset_ = Value; }
  // The grid's own ControlType list, used without ControlInfoInDataset.
  TStrings* ControlType() { return &controlType_; }
  void SetControlType(TStrings* Value);
  // Registers a cell control: Kind 2 check box, 4 bitmap, 8 image index, 7 rich edit, 3, 5 and 6
  // a custom edit named ControlName; 0, 1 and above 8 remove the field's line.
  void SetControlType(const AnsiString& FieldName, int Kind, const AnsiString& ControlName);
  TdcMemoAttributes MemoAttributes() const { return memoAttributes_; }
  void SetMemoAttributes(TdcMemoAttributes Value);
  TdcEditControlOptions EditControlOptions() const { return editControlOptions_; }
  void SetEditControlOptions(TdcEditControlOptions Value) { editControlOptions_ = Value; }
  // The data columns kept fixed at the left (the base grid's fixed columns are these and the
  // indicator).
  int FixedCols() const { return fixedDataCols_; }
  void SetFixedCols(int Value);
  // Sets the title colour and lays the grid out again when it changed.
  void SetTitleColor(TColor Value);

  // The selection: every record of the dataset, none, and the current one.
  void SelectAll();
  void SelectRecord() override;
  void UnselectRecord() override;
  void UnselectAll() override;
  // Never while the dataset edits or inserts.
  bool CurrentRecordSelected();
  const std::vector<TBookmarkStr>& SelectedBookmarks() const { return selection_; }
  // The record of each visible row selected ("T") or not ("F"), as the last paint found them.
  const std::vector<char>& RowMarks() const { return rowMarks_; }
  void RefreshSelectedMarks() override;

  // The control mounted into the current cell last; nullptr when none.
  TWinControl* MountedControl() const { return mounted_; }
  // The grid's own date-time picker, once made.
  TWinControl* DateTimePicker() const { return dateTimePicker_; }

  bool HasCellControl(int DataColumn) override;
  void HideCustomControl() override;
  void UpdateData() override;
  AnsiString GetCellText(TField* Field) override;
  FieldControlType GetControlType(TField* Field) override;
  bool HighlightCell(int DataCol, int DataRow, GridCellStates State, const AnsiString& Text) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

  TdcMemoOpenEvent OnMemoOpen;
  TdcMemoCloseEvent OnMemoClose;
  TdcSelectRecordEvent OnMultiSelectRecord;
  TdcCreateDTPEvent OnCreateDateTimePicker;

 protected:
  virtual void DoCreateDateTimePicker();
  // The check box of the calculated "selected" column shows the selection.
  bool ActiveRecordMarked() override { return CurrentRecordSelected(); }
  void LinkActive(bool Value) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetColumnAttributes() override;
  void ColEnter() override;
  void ColExit() override;
  void DoExit() override;
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override;
  void Paint() override;
  bool CanEdit() override;
  void DblClick() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void columnMoved(int FromIndex, int ToIndex) override;
  void scrollOriginChanged() override;

 private:
  // ---- binding and cell controls ----
  void bind();
  void mountCustomControls();
  // Puts a control into the grid for a field: hidden, bound, flat, the grid's font, no border.
  void mountControl(TWinControl* Control, const AnsiString& FieldName);
  // Parented to the grid, bound to its data source and the field, flat, no border.
  void prepareControl(TWinControl* Control, const AnsiString& FieldName);
  // The custom edit a data column's ControlType line names, when it may edit a grid cell.
  TWinControl* customEditOf(int DataColumn);
  // Whether the mounted control's field is still one of the grid's columns.
  bool mountedFieldShown();
  // The edit control a ControlType param names; nullptr when absent or not an edit.
  TWinControl* findNamedControl(const AnsiString& Name) const;
  TComponent* searchRoot() const;
  bool customControlsEnabled() const { return !editControlOptions_.Contains(ecoDisableCustomControls); }
  bool usesDateTimePicker(TField* Field) const;
  // The control that edits a data column's cell: a custom edit, else the date-time picker.
  TWinControl* cellControl(int DataColumn);
  TWinControl* hiddenRichEdit();
  void remember(TWinControl* Control);
  bool editable() const;
  bool designing() const;
  bool gridIsActiveControl() const;
  bool mountedIsActiveControl() const;
  // Paints the current cell's control in place of the cell; true when it did.
  bool paintCellControl(int ACol, int ARow, const TRect& ARect, GridCellStates AState);
  // ---- memo, rich text and check boxes ----
  bool isMemoCell(int DataColumn);
  bool isRichEditCell(int DataColumn);
  bool isCheckBoxCell(int DataColumn);
  bool isSelectionColumn(int DataColumn);
  void openMemo();
  void sendF2ToRichEdit();
  void toggleCheckBox(int DataColumn);
  // Focuses the visible control of the current cell; false when there is none to focus.
  bool focusCellControl();
  // ---- selection ----
  int selectionIndex(const TBookmarkStr& Bookmark);
  bool acceptSelection(bool Selecting);
  void invalidateCurrentRow();
  // Selects the records from the current one to Anchor, both included.
  void selectRange(const TBookmarkStr& Anchor);
  void addRecordsUpTo(const TBookmarkStr& Last);
  void removeSelectedBetween(const TBookmarkStr& From, const TBookmarkStr& To);
  void keepScreenRow(int ScreenRow);

  StringList controlType_;
  bool controlInfoInDataset_ = true;
  TdcMemoAttributes memoAttributes_ = kDefaultMemoAttributes;
  TdcEditControlOptions editControlOptions_{ecoSearchOwnerForm};
  int fixedDataCols_ = 0;

  std::vector<TBookmarkStr> selection_;
  std::vector<char> rowMarks_;

  TWinControl* mounted_ = nullptr;
  GridCoord mountedCell_{-1, -1};
  TWinControl* dateTimePicker_ = nullptr;
  TWinControl* richEdit_ = nullptr;
  TDataSet* boundDataSet_ = nullptr;  // the dataset the link was last bound to
  bool binding_ = false;
  bool controlsMounted_ = false;
  bool painting_ = false;
};
