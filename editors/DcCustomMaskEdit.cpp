#include "editors/DcCustomMaskEdit.h"

#include "datagrid/CustomDBGrid.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/PictureValidator.h"
#include "framework/base/Exception.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Beep.h"
#include "framework/ui/BitmapImage.h"

void TdcCustomMaskEdit::PublishProperties(PropertyPublisher<TdcCustomMaskEdit>& publish) {
  publish.Object("Picture", [](TdcCustomMaskEdit& e) { return e.Picture(); },
                 [](TdcCustomMaskEdit& e, TdcDBPicture* p) { e.SetPicture(p); });
  publish.Boolean("WordWrap", &TdcCustomMaskEdit::WordWrap, &TdcCustomMaskEdit::SetWordWrap);
  publish.Boolean("WantReturns", &TdcCustomMaskEdit::WantReturns, &TdcCustomMaskEdit::SetWantReturns);
  publish.Boolean("ShowVertScrollBar", &TdcCustomMaskEdit::ShowVertScrollBar,
                  &TdcCustomMaskEdit::SetShowVertScrollBar);
  publish.Boolean("UsePictureMask", &TdcCustomMaskEdit::UsePictureMask, &TdcCustomMaskEdit::SetUsePictureMask);
  publish.Event("OnCheckValue", &TdcCustomMaskEdit::OnCheckValue, &TdcCustomMaskEdit::OnCheckValue);
}

TdcCustomMaskEdit::TdcCustomMaskEdit(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), picture_(new TdcDBPicture(this)) {}

TdcCustomMaskEdit::~TdcCustomMaskEdit() { delete picture_; }

TdcDBPicture* TdcCustomMaskEdit::Picture() { return picture_; }

void TdcCustomMaskEdit::SetPicture(TdcDBPicture* Value) {
  if (Value && Value != picture_) picture_->Assign(Value);
}

void TdcCustomMaskEdit::SetWordWrap(bool Value) {
  wordWrap_ = Value;
  ApplyWindowSwitches();
  if (hasWindow()) recreateWindow();
}

void TdcCustomMaskEdit::SetWantReturns(bool Value) {
  wantReturns_ = Value;
  ApplyWindowSwitches();
}

void TdcCustomMaskEdit::SetShowVertScrollBar(bool Value) {
  if (showVertScrollBar_ == Value) return;
  showVertScrollBar_ = Value;
  ApplyWindowSwitches();
  if (hasWindow()) recreateWindow();
}

bool TdcCustomMaskEdit::InsideGrid() const { return dynamic_cast<TdcCustomDBGrid*>(Parent()) != nullptr; }

void TdcCustomMaskEdit::ApplyWindowSwitches() {
  // A rectangle one line high never wraps: the text scrolls sideways instead.
  BitmapImage measure(1, 1);
  measure.canvas().SetFont(Font());
  const bool oneLine = IsOneLineHigh(measure.canvas(), {0, 0, Width() - GetButtonWidth(), Height()});
  const bool wraps = wordWrap_ && !oneLine;
  // Lines for wrapping; a borderless edit (a grid cell's) also takes Enter as a line break when
  // it wants returns.
  SetMultiLine(wraps || (BorderStyle() == bsNone && wantReturns_));
  TCustomEdit::SetWordWrap(wraps);
  TCustomEdit::SetWantReturns(wantReturns_);
  SetScrollBars(showVertScrollBar_ ? ssVertical : ssNone);
}

void TdcCustomMaskEdit::SetEditRect() {
  const int m = BorderStyle() != bsNone ? 0 : InsideGrid() ? 2 : 1;
  setEditRect({m, m, ClientWidth() - 1, ClientHeight() + 1});
}

void TdcCustomMaskEdit::WindowCreated() {
  TCustomMaskEdit::WindowCreated();
  SetEditRect();
}

void TdcCustomMaskEdit::BoundsChanged() {
  TCustomMaskEdit::BoundsChanged();
  if (wordWrap_) ApplyWindowSwitches();
  if (hasWindow()) SetEditRect();
}

void TdcCustomMaskEdit::BorderChanged() {
  TCustomMaskEdit::BorderChanged();
  ApplyWindowSwitches();
  if (hasWindow()) SetEditRect();
}

bool TdcCustomMaskEdit::PictureInUse() { return usePictureMask_ && !Picture()->PictureMask().empty(); }

void TdcCustomMaskEdit::DoCheckValue(bool PassesPictureTest) {
  if (OnCheckValue) OnCheckValue(this, PassesPictureTest);
}

bool TdcCustomMaskEdit::IsTextValidForPicture(const AnsiString& Text) {
  const AnsiString mask = Picture()->PictureMask();
  bool passes = true;
  if (!Text.empty() && !mask.empty()) {
    AnsiString checked = Text;
    TdcPictureValidator validator(mask, false);
    passes = validator.Picture(checked, false) == picComplete;
  }
  DoCheckValue(passes);
  return passes;
}

void TdcCustomMaskEdit::ReformatWithPicture() {
  if (!PictureInUse()) return;
  const bool autoFill = Picture()->AutoFill();
  AnsiString text = Text();
  TdcPictureValidator validator(Picture()->PictureMask(), autoFill);
  const PictureResult result = validator.Picture(text, autoFill);
  if ((result == picComplete || result == picIncomplete) && text != Text()) {
    const bool modified = Modified();
    SetText(text);
    SetModified(modified);
  }
}

void TdcCustomMaskEdit::PictureKeyPress(char& Key) {
  pictureTookKey_ = false;
  if (!PictureInUse()) {
    if (Key == '\r' && !wantReturns_) Key = 0;
    return;
  }
  const unsigned char code = static_cast<unsigned char>(Key);
  if (Key == '\b') {
    BeginFieldEdit();
    if (OnCheckValue && !TCustomEdit::ReadOnly()) {
      const int start = SelStart();
      const int length = SelLength();
      AnsiString text = Text();
      if (length > 0) text.erase(start, length);
      else if (start > 0) text.erase(start - 1, 1);
      IsTextValidForPicture(text);
    }
    return;
  }
  if (code < 32) return;

  const AnsiString old = Text();
  const int oldLength = static_cast<int>(old.size());
  const int start = SelStart();
  const int selected = SelLength();
  AnsiString text = old.substr(0, start) + Key + old.substr(std::min(oldLength, start + selected));
  if (MaxLength() > 0 && static_cast<int>(text.size()) > MaxLength() && static_cast<int>(text.size()) > oldLength)
    return;
  const bool autoFill = Picture()->AutoFill();
  TdcPictureValidator validator(Picture()->PictureMask(), autoFill);
  const PictureResult result = validator.Picture(text, autoFill);
  bool passes = false;
  if (result == picComplete || result == picIncomplete) {
    BeginFieldEdit();
    // A window still read-only (a read-only binding, a record that cannot be edited) takes no
    // text, the picture's neither.
    if (TCustomEdit::ReadOnly()) {
      Key = 0;
      return;
    }
    const int growth = static_cast<int>(text.size()) - oldLength;
    const bool allSelected = start == 0 && selected >= oldLength;
    int caret;
    if (allSelected) caret = static_cast<int>(text.size());
    else if (result == picComplete ? growth > 0 : selected == 0) caret = start + growth;
    else caret = start + 1;
    SetText(text);
    SetSelStart(caret);
    SetSelLength(0);
    Key = 0;
    pictureTookKey_ = true;
    passes = result == picComplete;
  } else if (result == picError && start + selected >= oldLength) {
    Key = 0;
    Beep();
    return;
  } else if (result != picError) {
    return;
  }
  if (!TCustomEdit::ReadOnly()) DoCheckValue(passes);
}

void TdcCustomMaskEdit::DoExit() {
  TCustomMaskEdit::DoExit();
  invalidExit_ = false;
  if (PictureInUse() && Modified() && !IsTextValidForPicture(Text()) && !Picture()->AllowInvalidExit()) {
    SelectAll();
    SetModified(true);
    Beep();
    invalidExit_ = true;
    // Raised from the exit, it stops the focus move silently: the focus stays here.
    Abort();
  }
}
