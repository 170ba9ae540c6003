#include "framework/ui/Edit.h"

#include <QWidget>
#include <algorithm>

#include "framework/base/TextCase.h"
#include "framework/ui/ActiveForm.h"
#include "framework/ui/Beep.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/EditWidgets.h"
#include "framework/ui/Form.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/WordBounds.h"

using qn::ui::BlankAt;

const EnumerationType kEditCharCaseType{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};

namespace {

QString toQt(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }

// Whether text holds a blank at a position.
BlankAt blanksOf(const AnsiString& text) {
  return [&text](int position) {
    const char c = text[position];
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
}

// Every line break as CR LF.
AnsiString withCrLfBreaks(const AnsiString& text) {
  AnsiString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

// The text as the window holds it: each CR LF one line break.
QString shownLines(const AnsiString& text) {
  AnsiString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return toQt(out);
}

}  // namespace

void TCustomEdit::PublishProperties(PropertyPublisher<TCustomEdit>& publish) {
  publish.String("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
  publish.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
  publish.Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
  publish.Enumeration("CharCase", kEditCharCaseType, &TCustomEdit::CharCase, &TCustomEdit::SetCharCase);
  publish.Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
  publish.Boolean("Modified", &TCustomEdit::Modified, &TCustomEdit::SetModified);
  publish.Enumeration("Alignment", kAlignmentType, &TCustomEdit::Alignment, &TCustomEdit::SetAlignment);
  publish.Integer("SelStart", &TCustomEdit::SelStart, &TCustomEdit::SetSelStart);
  publish.Integer("SelLength", &TCustomEdit::SelLength, &TCustomEdit::SetSelLength);
  publish.String("SelText", &TCustomEdit::SelText, &TCustomEdit::SetSelText);
  publish.Event("OnChange", &TCustomEdit::OnChange, &TCustomEdit::OnChange);
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBorderStyle(bsSingle);
  SetBounds(Left(), Top(), 121, 21);
}

EditView* TCustomEdit::view() const { return dynamic_cast<EditView*>(widgetIfAny()); }

QWidget* TCustomEdit::MakeWidget(QWidget* parentWidget) {
  if (!showsLines()) return qn::ui::makeOneLineEditView(this, parentWidget)->widget();
  const bool vertical = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  const bool horizontal = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  return qn::ui::makeMultiLineEditView(this, parentWidget, wordWrap_, vertical, horizontal)->widget();
}

void TCustomEdit::WindowCreated() {
  TWinControl::WindowCreated();
  EditView* edit = view();
  edit->showText(showsLines() ? shownLines(text_) : toQt(text_));
  edit->setPasswordCharacter(passwordChar_ ? toQt(AnsiString(1, passwordChar_)).at(0) : QChar());
  edit->setAlignment(alignment_);
  edit->setCaretShown(CaretAllowed());
  applyFrame();
  applyEditRect();
  showSelection();
}

void TCustomEdit::WindowDestroying() {
  readSelection();
  TWinControl::WindowDestroying();
}

void TCustomEdit::BorderChanged() {
  applyFrame();
  TWinControl::BorderChanged();
}

void TCustomEdit::BoundsChanged() {
  TWinControl::BoundsChanged();
  applyEditRect();
}

void TCustomEdit::applyFrame() {
  if (EditView* edit = view()) edit->setFrameShown(BorderStyle() != bsNone, !Ctl3D());
}

void TCustomEdit::setEditRect(const TRect& Value) {
  editRect_ = Value;
  applyEditRect();
}

void TCustomEdit::applyEditRect() {
  EditView* edit = view();
  if (!edit) return;
  if (editRect_.Width() <= 0 || editRect_.Height() <= 0) {
    edit->setTextMargins({});
    return;
  }
  const TRect client = ClientRect();
  edit->setTextMargins(QMargins(std::max(0, editRect_.Left), std::max(0, editRect_.Top), std::max(0, client.Right - editRect_.Right),
                                std::max(0, client.Bottom - editRect_.Bottom)));
}

void TCustomEdit::CaretAllowedChanged() {
  if (EditView* edit = view()) edit->setCaretShown(CaretAllowed());
}

void TCustomEdit::SetMultiLine(bool Value) {
  if (Value == multiLine_) return;
  multiLine_ = Value;
  if (Value) text_ = withCrLfBreaks(text_);
  if (hasWindow()) recreateWindow();
}

void TCustomEdit::SetWordWrap(bool Value) {
  if (Value == wordWrap_) return;
  wordWrap_ = Value;
  if (hasWindow() && showsLines()) recreateWindow();
}

void TCustomEdit::SetScrollBars(TScrollStyle Value) {
  if (Value == scrollBars_) return;
  scrollBars_ = Value;
  if (hasWindow() && showsLines()) recreateWindow();
}

int TCustomEdit::positionOfIndex(int Index) const {
  if (!showsLines()) return Index;
  int position = Index;
  // An index on the LF of a pair stands on the break, as one on its CR does.
  for (int i = 0; i < Index && i + 1 < static_cast<int>(text_.size()); ++i)
    if (text_[i] == '\r' && text_[i + 1] == '\n') --position;
  return position;
}

int TCustomEdit::indexOfPosition(int Position) const {
  if (!showsLines()) return Position;
  int index = 0;
  for (int position = 0; position < Position && index < static_cast<int>(text_.size()); ++position)
    index += text_[index] == '\r' && index + 1 < static_cast<int>(text_.size()) && text_[index + 1] == '\n' ? 2 : 1;
  return index;
}

void TCustomEdit::readSelection() const {
  EditView* edit = view();
  if (!edit) return;
  int start = 0;
  int length = 0;
  edit->selection(start, length);
  selStart_ = indexOfPosition(start);
  selLength_ = indexOfPosition(start + length) - selStart_;
}

void TCustomEdit::showSelection() {
  EditView* edit = view();
  if (!edit) return;
  const int start = positionOfIndex(selStart_);
  edit->select(start, positionOfIndex(selStart_ + selLength_) - start);
}

int TCustomEdit::SelStart() const {
  readSelection();
  return selStart_;
}

int TCustomEdit::SelLength() const {
  readSelection();
  return selLength_;
}

void TCustomEdit::SetSelStart(int Value) {
  selStart_ = std::clamp(Value, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  showSelection();
}

void TCustomEdit::SetSelLength(int Value) {
  readSelection();
  selLength_ = std::clamp(Value, 0, static_cast<int>(text_.size()) - selStart_);
  showSelection();
}

AnsiString TCustomEdit::SelText() const {
  readSelection();
  return text_.substr(selStart_, selLength_);
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
  readSelection();
  AnsiString inserted = entering(Value);
  if (maxLength_ > 0) {
    int room = std::max(0, maxLength_ - (static_cast<int>(text_.size()) - selLength_));
    if (static_cast<int>(inserted.size()) > room) inserted.resize(room);
  }
  AnsiString next = text_;
  next.replace(selStart_, selLength_, inserted);
  changeText(next, selStart_ + static_cast<int>(inserted.size()), true);
}

void TCustomEdit::SelectAll() {
  selStart_ = 0;
  selLength_ = static_cast<int>(text_.size());
  showSelection();
}

void TCustomEdit::ClearSelection() {
  if (readOnly_ || SelLength() == 0) return;
  SetSelText("");
}

AnsiString TCustomEdit::DisplayText() const {
  if (EditView* edit = view(); edit && !showsLines()) return qn::utf8ToAnsi(edit->shownText().toStdString());
  const AnsiString text = Text();
  return passwordChar_ ? AnsiString(text.size(), passwordChar_) : text;
}

void TCustomEdit::SetReadOnly(bool Value) { readOnly_ = Value; }

void TCustomEdit::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  if (EditView* edit = view()) edit->setAlignment(Value);
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  charCase_ = Value;
  if (Value != ecNormal) SetTextValue(Text());
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (Value == passwordChar_) return;
  const bool linesBefore = showsLines();
  passwordChar_ = Value;
  if (!hasWindow()) return;
  if (showsLines() != linesBefore) {
    recreateWindow();
    return;
  }
  if (EditView* edit = view()) edit->setPasswordCharacter(Value ? toQt(AnsiString(1, Value)).at(0) : QChar());
}

AnsiString TCustomEdit::entering(AnsiString Value) const {
  if (charCase_ == ecUpperCase) Value = AnsiUpperCase(Value);
  if (charCase_ == ecLowerCase) Value = AnsiLowerCase(Value);
  return multiLine_ ? withCrLfBreaks(Value) : Value;
}

void TCustomEdit::SetTextValue(const AnsiString& Value) { changeText(entering(Value), 0, false); }

bool TCustomEdit::changeText(const AnsiString& NewText, int Caret, bool ByUser) {
  if (NewText == text_) {
    if (!ByUser) return true;
    // Typing over a selection with the same characters is an edit all the same: it is told, as
    // any other the user makes.
    readSelection();
    const bool replaced = selLength_ > 0;
    SetSelStart(Caret);
    if (replaced) {
      modified_ = true;
      Change();
    }
    return true;
  }
  changeByUser_ = ByUser;
  const bool allowed = CanChangeText(NewText);
  changeByUser_ = false;
  if (!allowed) return false;
  readSelection();
  undoText_ = text_;
  undoCaret_ = selStart_;
  hasUndo_ = true;
  lastWasUndo_ = false;
  text_ = NewText;
  modified_ = ByUser;
  selStart_ = std::clamp(Caret, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  if (EditView* edit = view()) {
    edit->showText(showsLines() ? shownLines(text_) : toQt(text_));
    showSelection();
  }
  Change();
  return true;
}

// Like the system's edits, it tells the form it is docked in (WM_COMMAND, EN_CHANGE) after its own
// handler, so a panel's message filter learns which of its controls the user changed.
void TCustomEdit::Change() {
  qn::ui::callHandler(OnChange, this);
  qn::ui::notifyDockedForm(this, EN_CHANGE);
}

bool TCustomEdit::BeforeClipboard(TClipboardAction Action) {
  bool allow = true;
  qn::ui::callHandler(OnBeforeClipboard, this, Action, allow);
  return allow;
}

void TCustomEdit::AfterClipboard(TClipboardAction Action) { qn::ui::callHandler(OnAfterClipboard, this, Action); }

void TCustomEdit::Undo() {
  if (!hasUndo_ || readOnly_) return;
  const AnsiString text = undoText_;
  const int caret = undoCaret_;
  if (changeText(text, caret, true)) lastWasUndo_ = true;
}

void TCustomEdit::Redo() {
  if (!lastWasUndo_) return;
  Undo();
  lastWasUndo_ = false;
}

void TCustomEdit::CopyToClipboard() {
  if (passwordChar_ || SelLength() == 0 || !BeforeClipboard(caCopy)) return;
  Clipboard::SetAsText(SelText());
  AfterClipboard(caCopy);
}

void TCustomEdit::CutToClipboard() {
  if (passwordChar_ || readOnly_ || SelLength() == 0 || !BeforeClipboard(caCut)) return;
  Clipboard::SetAsText(SelText());
  SetSelText("");
  AfterClipboard(caCut);
}

void TCustomEdit::PasteFromClipboard() {
  if (readOnly_ || !Clipboard::HasText()) return;
  // A text the code page cannot hold would be stored with '?' in place of what it lacks: the
  // paste is refused whole, as a typed character without a byte is.
  if (!Clipboard::TextFitsAnsi()) {
    Beep();
    return;
  }
  if (!BeforeClipboard(caPaste)) return;
  AnsiString pasted = Clipboard::AsText();
  // One line takes the clipboard's first line only.
  if (!showsLines()) pasted = pasted.substr(0, pasted.find_first_of("\r\n"));
  SetSelText(pasted);
  AfterClipboard(caPaste);
}

void TCustomEdit::replaceSelectionTyped(AnsiString Inserted) {
  if (readOnly_) return;
  readSelection();
  if (maxLength_ > 0 && static_cast<int>(text_.size()) - selLength_ + static_cast<int>(Inserted.size()) > maxLength_) return;
  SetSelText(Inserted);
}

void TCustomEdit::deleteBackward(bool WholeWord) {
  if (readOnly_) return;
  readSelection();
  if (selLength_ == 0) {
    if (selStart_ == 0) return;
    int from = WholeWord ? qn::ui::wordStartBefore(blanksOf(text_), selStart_) : selStart_ - 1;
    // A line break goes whole.
    if (!WholeWord && from > 0 && text_[from] == '\n' && text_[from - 1] == '\r') --from;
    selLength_ = selStart_ - from;
    selStart_ = from;
    showSelection();
  }
  SetSelText("");
}

void TCustomEdit::deleteForward(bool WholeWord) {
  if (readOnly_) return;
  readSelection();
  if (selLength_ == 0) {
    const int size = static_cast<int>(text_.size());
    if (selStart_ >= size) return;
    int to = WholeWord ? qn::ui::wordEndAfter(blanksOf(text_), size, selStart_) : selStart_ + 1;
    if (!WholeWord && text_[selStart_] == '\r' && to < size && text_[to] == '\n') ++to;
    selLength_ = to - selStart_;
    showSelection();
  }
  SetSelText("");
}

TWantedKeys TCustomEdit::WantedKeys() const {
  TWantedKeys wanted{wkArrows};
  if (showsLines() && wantReturns_) wanted.Include(wkReturn);
  if (showsLines() && wantTabs_) wanted.Include(wkTab);
  return wanted;
}

void TCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  const bool shift = Shift.Contains(ssShift);
  const WORD key = Key;
  bool done = true;
  if (ctrl && key == 'Z')
    Undo();
  else if (ctrl && key == 'Y')
    Redo();
  else if (ctrl && key == 'A')
    SelectAll();
  else if ((ctrl && key == 'C') || (ctrl && key == VK_INSERT))
    CopyToClipboard();
  else if ((ctrl && key == 'X') || (shift && key == VK_DELETE))
    CutToClipboard();
  else if ((ctrl && key == 'V') || (shift && key == VK_INSERT))
    PasteFromClipboard();
  else if (key == VK_DELETE && !shift)
    deleteForward(ctrl);
  else
    done = false;
  if (done) Key = 0;
}

void TCustomEdit::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  const char character = Key;
  if (character == 0) return;
  Key = 0;  // the control types it; the window gets nothing
  if (character == '\b')
    deleteBackward(GetKeyState(VK_CONTROL) < 0);
  else if (character == '\r' && showsLines() && wantReturns_)
    replaceSelectionTyped("\r\n");
  else if (character == '\t' && showsLines() && wantTabs_)
    replaceSelectionTyped("\t");
  else if (static_cast<unsigned char>(character) >= 32 && character != 127)
    replaceSelectionTyped(AnsiString(1, character));
}

void TCustomEdit::DoEnter() {
  TWinControl::DoEnter();
  CaretAllowedChanged();
  if (autoSelect_ && !IsPaintCopyState() && !showsLines()) SelectAll();
}

int TCustomEdit::LineCount() {
  Window();
  return view()->lineCount();
}

int TCustomEdit::LineOfChar(int Index) {
  Window();
  return view()->lineOfPosition(positionOfIndex(std::clamp(Index, 0, static_cast<int>(text_.size()))));
}

int TCustomEdit::LineStart(int Line) {
  Window();
  const int position = view()->lineStart(Line);
  return position < 0 ? -1 : indexOfPosition(position);
}

TPoint TCustomEdit::PositionOfChar(int Index) {
  Window();
  const QPoint at = view()->pointOfPosition(positionOfIndex(std::clamp(Index, 0, static_cast<int>(text_.size()))));
  return {at.x(), at.y()};
}

int TCustomEdit::FirstVisibleLine() {
  Window();
  return view()->firstVisibleLine();
}

void TCustomEdit::ScrollLines(int Lines) {
  Window();
  view()->scrollLines(Lines);
}
