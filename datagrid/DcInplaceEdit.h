#pragma once
// TdcInplaceEdit: the data grid's editor over its current cell. It applies the current field's
// picture mask (the dataset's PictureMasks line, when the line lets the grid use it) as the user
// types: a character the mask takes is stored in the mask's spelling, with the mask's literals
// filled in after it when the line asks for auto-fill; a character at the end of the text that the
// mask cannot take is refused with a beep. After each change the grid's OnCheckValue hears whether
// the text passes the mask. It wraps at words when the grid's dgWordWrap is set.
#include <memory>

#include "datagrid/DBPicture.h"
#include "framework/ui/InplaceEdit.h"

class TdcCustomDBGrid;
class TField;

class TdcInplaceEdit : public TInplaceEdit {
  QN_CLASS(TdcInplaceEdit, TInplaceEdit)
 public:
  explicit TdcInplaceEdit(TdcCustomDBGrid* Grid);
  ~TdcInplaceEdit() override;

  TdcDBPicture& Picture() { return *picture_; }
  // Whether the field's line lets the grid apply its mask.
  bool UseMaskInGrid() const { return useMaskInGrid_; }
  // The mask applies: the line allows it and it is not empty.
  bool MaskActive() const;
  // Whether Text passes (empty, no active mask, or complete for the mask); OnCheckValue hears the
  // answer.
  bool ValidateText(const AnsiString& Text);
  // The same for the editor's own text, without telling anyone.
  bool TextPassesMask() const;
  // Takes mask, auto-fill and the grid flag from the field's picture line.
  void ReadFieldPicture(TField* Field);

  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void DoEnter() override;

 protected:
  void AfterClipboard(TClipboardAction Action) override;

 private:
  bool checkValueAssigned() const;
  void fireCheckValue(bool Passes);
  // The picture applied to a typed character; false when the character is left to the editor.
  bool typeUnderMask(char& Key);

  TdcCustomDBGrid* dbGrid_;
  std::unique_ptr<TdcDBPicture> picture_;
  bool useMaskInGrid_ = false;
};
