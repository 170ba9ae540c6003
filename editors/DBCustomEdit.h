#pragma once
// TdcDBCustomEdit: the masked edit bound to one field of a dataset through a data source. It
// shows the field's display text while it has no focus and its edit text while it has, puts the
// record into edit when the user changes the text, writes the text back when the record is
// updated, completes dates and times on the space bar, and inside the library's grid hands the
// keys that leave the cell to the grid. Unfocused, it paints its text itself (aligned as the
// field is); as a copy in a grid cell it paints the field's text.
#include "datagrid/CellDisplayMapping.h"
#include "editors/DateTimeCompletion.h"
#include "editors/DcCustomMaskEdit.h"
#include "framework/db/FieldDataLink.h"

class Canvas;
class TDataSource;
class TField;
class TdcCustomDBGrid;

enum TdcEditDataType { dcDefault, dcEdtDate, dcEdtTime, dcEdtDateTime };
extern const EnumerationType kdcEditDataTypeType;

class TdcDBCustomEdit : public TdcCustomMaskEdit, public CellDisplayMapping {
  QN_PUBLISHED_CLASS(TdcDBCustomEdit, TdcCustomMaskEdit)
 public:
  explicit TdcDBCustomEdit(TComponent* AOwner);
  ~TdcDBCustomEdit() override;

  // Any data source (the data modules give their tables plain ones).
  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value);
  AnsiString DataField() const { return link_.FieldName(); }
  // Applies the MaxLength rule first.
  void SetDataField(const AnsiString& Value);
  // The link's read-only flag; the window is made read-only too.
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool Value);
  TField* Field() const { return link_.Field(); }
  // The data-link query of the controls around it.
  TFieldDataLink* GetDataLink() { return &link_; }
  bool AutoFillDate() const { return autoFillDate_; }
  void SetAutoFillDate(bool Value) { autoFillDate_ = Value; }
  TdcEditDataType UnboundDataType() const { return unboundDataType_; }
  void SetUnboundDataType(TdcEditDataType Value) { unboundDataType_ = Value; }

  // A bound picture reads and writes the dataset's PictureMasks line of the field at every question.
  void SetPicture(TdcDBPicture* Value) override;

  // A string field's MaxLength that equals the field's size is dropped (0 takes the size anew).
  void ClearMaxLengthEqualToFieldSize();
  // The focused flag: on shows the field's edit text, off its display text.
  void SetFocusedEditing(bool Value);
  bool FocusedEditing() const { return focused_; }
  // Gives back the field's value (bound) or the text saved on entering (unbound), all selected.
  void Reset() override;
  // Appends the next date or time part for a blank typed at the end; answers whether it took the
  // key.
  bool FillDateTimePartOnSpace();

  virtual void GetEditRect(TRect& Rect);
  virtual void GetStoredText(AnsiString& Text);
  // Draws the text the edit paints itself: X pixels from the left, Y from the top of Rect.
  virtual void DrawTextInRect(Canvas& ACanvas, const TRect& Rect, int X, int Y, const AnsiString& Text);
  virtual bool GetShowButton() { return false; }
  virtual void SetShowButton(bool Value) {}
  // No other text for a stored value here (the combo box with a map list has one).
  bool GetMappedDisplayText(const AnsiString& StoredValue, AnsiString& DisplayText) override { return false; }
  virtual int GetButtonLeft() { return ClientWidth() - 1; }

  TWantedKeys WantedKeys() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void DoEnter() override;
  // The record goes into edit first; an unbound read-only edit takes nothing.
  void CutToClipboard() override;
  void PasteFromClipboard() override;

 protected:
  bool PrepareClipboardChange();
  bool CaretAllowed() const override { return true; }
  bool BeginFieldEdit() override;
  bool EditCanModify() override;
  void DoExit() override;
  void Change() override;
  void AfterClipboard(TClipboardAction Action) override;
  void Loaded() override;
  void FontChanged() override;

  // What the content is: a date, time or date-time (bound or by UnboundDataType), or none.
  bool HasDateTimeContent(DateTimeContent& Content) const;
  bool IsMemoField() const;
  // The grid the edit sits in; nullptr outside one.
  TdcCustomDBGrid* ParentGrid() const;
  // The text the edit paints unfocused or as a copy.
  AnsiString PaintedText();
  // GetMappedDisplayText offers texts of its own.
  bool mappedText();
  // Modified set, and the link told so.
  void MarkModified();
  bool windowReadOnly() const { return TCustomEdit::ReadOnly(); }
  void setWindowReadOnly(bool Value) { TCustomEdit::SetReadOnly(Value); }

  // The field's value or the record changed: the text shown follows.
  virtual void DataChange();

 private:
  void EditingChange();
  void UpdateData();
  // Gives the grid the focus and the key; the key is consumed.
  void HandKeyToGrid(TdcCustomDBGrid* Grid, WORD& Key, TShiftState Shift);
  bool GridKeyDown(WORD& Key, TShiftState Shift);
  // The unfocused paint; answers whether it painted.
  bool PaintSelf(Canvas& ACanvas);

  TFieldDataLink link_;
  TAlignment alignment_ = taLeftJustify;
  bool focused_ = false;
  AnsiString savedText_;
  bool autoFillDate_ = true;
  TdcEditDataType unboundDataType_ = dcDefault;
};
