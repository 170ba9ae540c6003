#pragma once
// TdcDBLookupCombo: the edit whose drop-down is a small grid over a second dataset, the lookup
// table. The user types a code or a name, the combo searches the lookup table as the user types,
// shows the matching record in the drop-down grid and, on acceptance, writes the chosen record's
// key into the bound field (or, unbound, keeps it as its value). Bound to a calculated or lookup
// field it is linked: it writes the key fields that the field's links name instead.
#include <functional>
#include <memory>

#include "datagrid/CellDisplayMapping.h"
#include "datagrid/DisplayRefresh.h"
#include "editors/DBLookupList.h"
#include "framework/base/Alignment.h"
#include "framework/db/FieldDataLink.h"
#include "framework/ui/ButtonGlyph.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/SpeedButton.h"

class BitmapImage;
class DropDownWindow;
class IntervalTimer;
class TdcDBCustomLookupCombo;
class TdcTable;

enum TdcSeqSearchOption { ssoEnabled, ssoCaseSensitive };
using TdcSeqSearchOptions = EnumSet<TdcSeqSearchOption>;
extern const EnumerationType kdcSeqSearchOptionType;

// After the drop-down closed: FillTable is the bound dataset (nullptr unbound).
using TdcLookupCloseUpEvent =
    std::function<void(TObject* Sender, TDataSet* LookupTable, TDataSet* FillTable, bool Modified)>;
// The typed text matches no record; clearing Accept refuses it.
using TdcNotInListEvent =
    std::function<void(TObject* Sender, TDataSet* LookupTable, const AnsiString& NewValue, bool& Accept)>;

// The drop-down button; the combo paints it.
class TdcComboButton : public TSpeedButton {
  QN_CLASS(TdcComboButton, TSpeedButton)
 public:
  explicit TdcComboButton(TdcDBCustomLookupCombo* Combo);

 protected:
  void Paint() override;
  // The press toggles the drop-down; held and dragged into the open grid, the grid takes it.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TdcDBCustomLookupCombo* combo_;
};

// The lookup list as the combo's drop-down: it serves the combo's binding, may be picked from
// when the combo may write, and a release over it closes the drop-down accepting the row.
class TdcPopupGrid : public TdcDBLookupList {
  QN_CLASS(TdcPopupGrid, TdcDBLookupList)
 public:
  explicit TdcPopupGrid(TdcDBCustomLookupCombo* Combo);
  TdcDBCustomLookupCombo* Combo() const { return combo_; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  // A press dragged from the combo into the grid: the grid takes it, the moves that follow and
  // the release, at those screen points.
  void TakePress(TPoint Screen, TShiftState Shift);
  void FollowMove(TPoint Screen, TShiftState Shift);
  void TakeRelease(TPoint Screen, TShiftState Shift);

 protected:
  TFieldDataLink& BoundLink() const override;
  bool CanEdit() override;
  bool PaintsFocused() override { return true; }
  void VisibleChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TdcDBCustomLookupCombo* combo_;
};

class TdcDBCustomLookupCombo : public TCustomEdit, public CellDisplayMapping, public DisplayRefresh {
  QN_PUBLISHED_CLASS(TdcDBCustomLookupCombo, TCustomEdit)
 public:
  explicit TdcDBCustomLookupCombo(TComponent* AOwner);
  ~TdcDBCustomLookupCombo() override;

  // ---- properties ----
  TDataSource* DataSource() const { return link_.DataSource(); }
  // Refused when it shows the lookup table.
  void SetDataSource(TDataSource* Value);
  AnsiString DataField() const { return link_.FieldName(); }
  // Derives LookupField from the field's lookup keys or links.
  void SetDataField(const AnsiString& Value);
  TField* Field() const { return link_.Field(); }
  TFieldDataLink* GetDataLink() { return &link_; }
  TDataSet* LookupTable() const { return grid_->LookupTable(); }
  void SetLookupTable(TDataSet* Value);
  AnsiString LookupField() const { return grid_->LookupField(); }
  // Resolves the fields (a missing key field raises) and shows the bound value again.
  void SetLookupField(const AnsiString& Value);
  TStrings* Selected() const { return &grid_->Selected(); }
  void SetSelected(TStrings* Value) { grid_->SetSelected(Value); }
  TdcLookupListOptions Options() const { return grid_->Options(); }
  void SetOptions(TdcLookupListOptions Value) { grid_->SetOptions(Value); }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle Value) { style_ = Value; }
  TAlignment DropDownAlignment() const { return dropDownAlignment_; }
  void SetDropDownAlignment(TAlignment Value) { dropDownAlignment_ = Value; }
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value) { dropDownCount_ = Value; }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int Value) { dropDownWidth_ = Value; }
  bool AutoDropDown() const { return autoDropDown_; }
  void SetAutoDropDown(bool Value) { autoDropDown_ = Value; }
  bool GetShowButton() const;
  void SetShowButton(bool Value);
  TdcSeqSearchOptions SeqSearchOptions() const { return seqSearchOptions_; }
  // The case option is the drop-down grid's case of whole-value searches too.
  void SetSeqSearchOptions(TdcSeqSearchOptions Value);
  bool OrderByDisplay() const { return orderByDisplay_; }
  void SetOrderByDisplay(bool Value) { orderByDisplay_ = Value; }
  bool UseTFields() const { return useTFields_; }
  void SetUseTFields(bool Value);
  bool AllowClearKey() const { return allowClearKey_; }
  void SetAllowClearKey(bool Value) { allowClearKey_ = Value; }
  bool ShowMatchText() const { return showMatchText_; }
  void SetShowMatchText(bool Value) { showMatchText_ = Value; }
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool Value);
  bool MultiLineEdit() const { return multiLineEdit_; }
  // Makes the window again with the multi-line style.
  void SetMultiLineEdit(bool Value);
  // Passed to the drop-down grid.
  ImageStrip* ImageList() const { return grid_->ImageList(); }
  void SetImageList(ImageStrip* Value) { grid_->SetImageList(Value); }
  // The height follows the font: a font of another height sizes the combo to its text and borders.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  TdcPopupGrid* DropDownList() const { return grid_; }
  TdcComboButton* Button() const { return button_; }
  TWinControl* ButtonPanel() const { return panel_; }
  DropDownWindow* DropDownWindowOfGrid() const { return dropDown_.get(); }

  // ---- what the application calls ----
  // Shows the record whose key field holds Value.
  void SetLookupValue(const AnsiString& Value);
  const AnsiString& LookupValue() const { return grid_->LookupValue(); }
  const AnsiString& DisplayValue() const { return grid_->DisplayValue(); }
  // Reads the bound record's display text again.
  void RefreshDisplayValue() override;
  // Searches the current text at once.
  void PerformSearch();
  virtual void DropDown();
  virtual void CloseUp(bool Accept);
  bool IsDroppedDown() const { return dropped_; }
  bool Found() const { return found_; }
  // The row chosen in the drop-down becomes the value (the pick notification of the grid).
  void TakeListRow();

  // ---- virtual steps ----
  virtual void DrawButton(Canvas& ACanvas, const TRect& Rect, bool& DefaultDrawing, TControlState ControlState,
                          TButtonState ButtonState);
  virtual const BitmapImage* GetButtonBitmap();
  // True copies the second and third key fields on every update, not only after a pick.
  virtual bool CopyExtraKeysOnUpdate() { return false; }

  // A bound field shown as its lookup record's display text in the grid's other rows.
  bool GetMappedDisplayText(const AnsiString& StoredValue, AnsiString& DisplayText) override;

  TWantedKeys WantedKeys() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void DoEnter() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

  TNotifyEvent OnDropDown;
  TdcLookupCloseUpEvent OnCloseUp;
  TdcNotInListEvent OnNotInList;

 protected:
  friend class TdcPopupGrid;
  friend class TdcComboButton;
  void DoExit() override;
  void Loaded() override;
  void BoundsChanged() override;
  void BorderChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  // Its height follows its font when AutoSize is on, scaled or not.
  void scaleInParent(int M, int D, FontScaling Fonts) override;
  void WindowCreated() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool CaretAllowed() const override;
  void Change() override;

  // Typing mode: the drop-down is open, the text may be typed freely, or typing opens it.
  bool TypingMode() const { return dropped_ || style_ == csDropDown || autoDropDown_; }
  // Whether the text may be changed now.
  bool Modifiable() const;
  // Bound to a calculated or lookup field of its dataset.
  bool Linked() const;
  bool Bound() const { return link_.DataSource() && link_.DataSet() && link_.Field(); }
  // Linked, with the bound dataset editing or able to edit by itself.
  bool linkedMayEdit() const;
  // Whether rows of the drop-down may be picked.
  bool GridCanEdit() const;
  bool InsideGrid() const;

 private:
  // The link's notifications.
  void DataChange();
  void EditingChange();
  void UpdateData();
  void refreshReadOnly();
  void markModified();
  // The incremental search step (the timer's handler).
  void SearchStep();
  // Finds Value in Field of the lookup table.
  bool Search(TField* Field, const AnsiString& Value, bool Partial, bool CaseSensitive);
  bool SearchIndexed(TdcTable* Table, const AnsiString& Text);
  // Switches an indexed lookup table to the display field's index; answers whether it did.
  bool SetUpDisplayIndex();
  void RestoreIndex();
  void CompleteMatch();
  void Accept();
  void WriteLinkedKeys(bool& Changed);
  // The bound dataset's fields named like the second and third key fields take their values.
  void copyExtraKeys(bool& Changed);
  // The drop-down grid was hidden by code.
  void GridHidden();
  // Another control took over, or the window lost the focus.
  void CancelMode();
  void ButtonPress();
  // A press held on the combo or its button follows the mouse: dragged into the open grid, the
  // grid takes the press and, at the release, the row under it.
  void FollowPress(TPoint Screen, TShiftState Shift);
  void EndPress(TPoint Screen, TShiftState Shift);
  // The main dataset's fields the link names, and the lookup table's paired with them.
  std::vector<AnsiString> MasterKeyNames() const;
  void CloseUpOpen(bool Accept);
  void CloseUpClosed();
  void AskNotInList(bool& accepted);
  // After an accepted pick the table's cursor goes to the grid's current row and the rows are
  // read again, so a change another workstation made to them shows.
  void ResyncLookupTable();
  void HideGrid();
  void PlaceGrid();
  int GridHeight(int Rows) const;
  int WantedGridWidth();
  void RestoreSaved();
  void SaveState();
  void DefaultSelectedLine();
  void LayoutButton();
  void SetEditRect();
  void FitHeightToFont();
  bool PaintSelf(Canvas& ACanvas);
  AnsiString PaintedText();
  void ClearKey();
  // Inside a grid that always shows its editor: Home, End and the arrows at the text's edge (or
  // with Ctrl) leave the cell.
  bool leavesTextEdge(WORD Key, TShiftState Shift) const;
  bool BeginEdit();

  TFieldDataLink link_;
  TdcPopupGrid* grid_;
  std::unique_ptr<DropDownWindow> dropDown_;
  TWinControl* panel_;
  TdcComboButton* button_;
  IntervalTimer* timer_;
  TComboBoxStyle style_ = csDropDown;
  TAlignment dropDownAlignment_ = taLeftJustify;
  int dropDownCount_ = 8;
  int dropDownWidth_ = 0;
  bool autoDropDown_ = false;
  TdcSeqSearchOptions seqSearchOptions_{ssoEnabled};
  bool orderByDisplay_ = true;
  bool useTFields_ = true;
  bool allowClearKey_ = false;
  bool showMatchText_ = false;
  bool multiLineEdit_ = false;
  bool autoSize_ = true;
  // The font's text height the combo last followed.
  int fontTextHeight_ = 0;
  bool dropped_ = false;
  bool found_ = true;
  AnsiString lastSearched_;
  AnsiString textAtSearch_;
  AnsiString savedText_;
  AnsiString savedLookupValue_;
  bool searchingBeforeDrop_ = false;
  bool internalUpdate_ = false;
  bool writingLinkedKeys_ = false;
  bool inNotInList_ = false;
  bool inCloseUp_ = false;
  int openRows_ = 0;
  // Where the combo stood when its drop-down was last placed.
  TPoint placedCorner_;
  // The index the table had before a search switched it to the display field's.
  AnsiString savedIndexName_;
  bool indexSwitched_ = false;
  // A press on the combo or its button was dragged into the open grid, which now follows the mouse.
  bool pressHanded_ = false;
};

class TdcDBLookupCombo : public TdcDBCustomLookupCombo {
  QN_PUBLISHED_CLASS(TdcDBLookupCombo, TdcDBCustomLookupCombo)
 public:
  explicit TdcDBLookupCombo(TComponent* AOwner);
};
