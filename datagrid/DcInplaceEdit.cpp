#include "datagrid/DcInplaceEdit.h"

#include "datagrid/CustomDBGrid.h"
#include "datagrid/FieldPictureMasks.h"
#include "datagrid/PictureValidator.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Beep.h"
#include "framework/ui/VirtualKeys.h"

TdcInplaceEdit::TdcInplaceEdit(TdcCustomDBGrid* Grid)
    : TInplaceEdit(Grid), dbGrid_(Grid), picture_(std::make_unique<TdcDBPicture>(this)) {
  SetWordWrap(Grid->DBOptions().Contains(dgWordWrap));
}

TdcInplaceEdit::~TdcInplaceEdit() = default;

bool TdcInplaceEdit::MaskActive() const { return useMaskInGrid_ && !picture_->PictureMask().empty(); }

bool TdcInplaceEdit::TextPassesMask() const {
  return Text().empty() || !MaskActive() || IsTextCompleteForMask(picture_->PictureMask(), Text());
}

bool TdcInplaceEdit::ValidateText(const AnsiString& Value) {
  const bool passes = Value.empty() || !MaskActive() || IsTextCompleteForMask(picture_->PictureMask(), Value);
  fireCheckValue(passes);
  return passes;
}

bool TdcInplaceEdit::checkValueAssigned() const { return static_cast<bool>(dbGrid_->OnCheckValue); }

void TdcInplaceEdit::fireCheckValue(bool Passes) {
  if (dbGrid_->OnCheckValue) dbGrid_->OnCheckValue(this, Passes);
}

void TdcInplaceEdit::ReadFieldPicture(TField* Field) {
  TDataSet* ds = dbGrid_->DataLink().DataSet();
  const FieldPictureMask line = ds && Field ? GetFieldPictureMask(ds, Field->FieldName()) : FieldPictureMask{};
  picture_->SetPictureMask(line.Mask);
  picture_->SetAutoFill(line.AutoFill);
  picture_->SetAllowInvalidExit(false);
  useMaskInGrid_ = line.UseInGrid;
}

void TdcInplaceEdit::DoEnter() {
  TInplaceEdit::DoEnter();
  TDataSet* ds = dbGrid_->DataLink().DataSet();
  TField* field = ds ? dbGrid_->SelectedField() : nullptr;
  if (!field) return;
  ReadFieldPicture(field);
  ValidateText(field->Text());
}

void TdcInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  const bool enterToTab = Key == VK_RETURN && dbGrid_->KeyOptions().Contains(dgEnterToTab);
  if (enterToTab || (Key == VK_DELETE && Shift.Contains(ssCtrl))) {
    dbGrid_->KeyDown(Key, Shift);
    Key = 0;
    Invalidate();
    return;
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TdcInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
  TInplaceEdit::KeyUp(Key, Shift);
  if (Key == VK_DELETE && checkValueAssigned()) ValidateText(Text());
}

void TdcInplaceEdit::KeyPress(char& Key) {
  if (Key == '\r' && dbGrid_->KeyOptions().Contains(dgEnterToTab)) Key = '\t';
  if (!MaskActive()) {
    TInplaceEdit::KeyPress(Key);
    return;
  }
  if (Key == '\b') {
    // The text as it will be once the character before the caret (or the selection) is gone.
    AnsiString after = Text();
    const int start = SelStart();
    if (SelLength() > 0) after.erase(start, SelLength());
    else if (start > 0) after.erase(start - 1, 1);
    TInplaceEdit::KeyPress(Key);
    if (checkValueAssigned()) ValidateText(after);
    return;
  }
  if (static_cast<unsigned char>(Key) >= 32 && typeUnderMask(Key)) return;
  TInplaceEdit::KeyPress(Key);
}

bool TdcInplaceEdit::typeUnderMask(char& Key) {
  if (!dbGrid_->cellEditorAcceptsKey(Key)) return false;
  const AnsiString text = Text();
  const int length = static_cast<int>(text.size());
  const int start = SelStart();
  const int selected = SelLength();
  AnsiString candidate = text.substr(0, start) + Key + text.substr(start + selected);
  if (MaxLength() > 0 && static_cast<int>(candidate.size()) > MaxLength()) return false;
  TdcPictureValidator validator(picture_->PictureMask(), picture_->AutoFill());
  const PictureResult result = validator.Picture(candidate, picture_->AutoFill());
  if (result == picError) {
    if (start + selected < length) {
      // Inside the text the editor takes the character; the text just does not pass.
      TInplaceEdit::KeyPress(Key);
      Key = 0;
      fireCheckValue(false);
    } else {
      Key = 0;
      Beep();
    }
    return true;
  }
  if (result != picComplete && result != picIncomplete) {
    TInplaceEdit::KeyPress(Key);
    Key = 0;
    fireCheckValue(true);
    return true;
  }
  const int growth = static_cast<int>(candidate.size()) - length;
  const bool wholeTextSelected = start == 0 && selected >= length;
  int caret = start + growth;
  if (wholeTextSelected) caret = static_cast<int>(candidate.size());
  else if (growth <= 0 || (result == picIncomplete && selected > 0)) caret = start + 1;
  Key = 0;
  // Typed by the user: the grid is asked whether the cell may change, as for any key.
  SelectAll();
  SetSelText(candidate);
  if (Text() != candidate) return true;  // the grid refused the change
  SetSelStart(caret);
  fireCheckValue(result == picComplete);
  return true;
}

void TdcInplaceEdit::AfterClipboard(TClipboardAction Action) {
  TInplaceEdit::AfterClipboard(Action);
  if (Action == caPaste) dbGrid_->cellEditorMayModify();
}
