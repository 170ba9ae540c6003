#include "framework/ui/Edit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <algorithm>

#include "framework/base/TextCase.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"

const EnumerationType kEditCharCaseType{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};

namespace {

QString toQt(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }

// Shows the edit's own password character instead of the desktop's.
class PasswordCharacterStyle : public QProxyStyle {
 public:
  explicit PasswordCharacterStyle(char character) : character_(character) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* data) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return toQt(AnsiString(1, character_)).at(0).unicode();
    return QProxyStyle::styleHint(hint, option, widget, data);
  }

 private:
  char character_;
};

// The line edit moves the caret and selects; it edits nothing itself (the control does).
class EditWidget : public ControlWidget<QLineEdit> {
 public:
  using ControlWidget::ControlWidget;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Home:
      case Qt::Key_End:
        QLineEdit::keyPressEvent(event);
        return;
      default:
        event->ignore();
    }
  }
};

// The start of the word before position: blanks first, then the word's characters.
int wordStartBefore(const AnsiString& text, int position) {
  auto blank = [&](int i) { return text[i] == ' ' || text[i] == '\t'; };
  while (position > 0 && blank(position - 1)) --position;
  while (position > 0 && !blank(position - 1)) --position;
  return position;
}

}  // namespace

void TCustomEdit::PublishProperties(PropertyPublisher<TCustomEdit>& publish) {
  publish.String("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
  publish.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
  publish.Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
  publish.Enumeration("CharCase", kEditCharCaseType, &TCustomEdit::CharCase, &TCustomEdit::SetCharCase);
  publish.Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
  publish.Boolean("Modified", &TCustomEdit::Modified, &TCustomEdit::SetModified);
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

QLineEdit* TCustomEdit::lineEdit() const { return qobject_cast<QLineEdit*>(widgetIfAny()); }

QWidget* TCustomEdit::MakeWidget(QWidget* parentWidget) { return new EditWidget(this, parentWidget); }

void TCustomEdit::WindowCreated() {
  TWinControl::WindowCreated();
  QLineEdit* edit = lineEdit();
  const QSignalBlocker quiet(edit);
  edit->setFrame(BorderStyle() != bsNone);
  edit->setText(toQt(text_));
  SetPasswordChar(passwordChar_);
  showSelection();
}

void TCustomEdit::WindowDestroying() {
  readSelection();
  TWinControl::WindowDestroying();
}

void TCustomEdit::readSelection() const {
  QLineEdit* edit = lineEdit();
  if (!edit) return;
  if (edit->hasSelectedText()) {
    selStart_ = edit->selectionStart();
    selLength_ = edit->selectionLength();
  } else {
    selStart_ = edit->cursorPosition();
    selLength_ = 0;
  }
}

void TCustomEdit::showSelection() {
  QLineEdit* edit = lineEdit();
  if (!edit) return;
  if (selLength_ > 0)
    edit->setSelection(selStart_, selLength_);
  else
    edit->setCursorPosition(selStart_);
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
  AnsiString inserted = withCharCase(Value);
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
  if (QLineEdit* edit = lineEdit()) return qn::utf8ToAnsi(edit->displayText().toStdString());
  return passwordChar_ ? AnsiString(text_.size(), passwordChar_) : text_;
}

void TCustomEdit::SetReadOnly(bool Value) {
  readOnly_ = Value;
  if (QLineEdit* edit = lineEdit()) edit->setReadOnly(Value);
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  charCase_ = Value;
  if (Value != ecNormal) SetTextValue(text_);
}

void TCustomEdit::SetPasswordChar(char Value) {
  passwordChar_ = Value;
  QLineEdit* edit = lineEdit();
  if (!edit) return;
  edit->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
  // The widget keeps the style; a new one replaces the old, which goes with it.
  QStyle* previous = edit->style();
  if (Value) {
    auto* style = new PasswordCharacterStyle(Value);
    style->setParent(edit);
    edit->setStyle(style);
  } else {
    edit->setStyle(nullptr);
  }
  if (previous && previous->parent() == edit) delete previous;
}

AnsiString TCustomEdit::withCharCase(AnsiString Value) const {
  if (charCase_ == ecUpperCase) return AnsiUpperCase(Value);
  if (charCase_ == ecLowerCase) return AnsiLowerCase(Value);
  return Value;
}

void TCustomEdit::SetTextValue(const AnsiString& Value) { changeText(withCharCase(Value), 0, false); }

bool TCustomEdit::changeText(const AnsiString& NewText, int Caret, bool ByUser) {
  if (NewText == text_) {
    if (ByUser) SetSelStart(Caret);
    return true;
  }
  if (!CanChangeText(NewText)) return false;
  readSelection();
  undoText_ = text_;
  undoCaret_ = selStart_;
  hasUndo_ = true;
  text_ = NewText;
  modified_ = ByUser;
  selStart_ = std::clamp(Caret, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  if (QLineEdit* edit = lineEdit()) {
    const QSignalBlocker quiet(edit);
    edit->setText(toQt(text_));
    showSelection();
  }
  Change();
  return true;
}

void TCustomEdit::Change() { qn::ui::callHandler(OnChange, this); }

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
  changeText(text, caret, true);
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
  if (readOnly_ || !Clipboard::HasText() || !BeforeClipboard(caPaste)) return;
  AnsiString pasted = Clipboard::AsText();
  // One line takes the clipboard's first line only.
  pasted = pasted.substr(0, pasted.find_first_of("\r\n"));
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
    const int from = WholeWord ? wordStartBefore(text_, selStart_) : selStart_ - 1;
    selLength_ = selStart_ - from;
    selStart_ = from;
    showSelection();
  }
  SetSelText("");
}

void TCustomEdit::deleteForward() {
  if (readOnly_) return;
  readSelection();
  if (selLength_ == 0) {
    if (selStart_ >= static_cast<int>(text_.size())) return;
    selLength_ = 1;
    showSelection();
  }
  SetSelText("");
}

void TCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  const bool shift = Shift.Contains(ssShift);
  const WORD key = Key;
  bool done = true;
  if (ctrl && key == 'Z')
    Undo();
  else if (ctrl && key == 'A')
    SelectAll();
  else if ((ctrl && key == 'C') || (ctrl && key == VK_INSERT))
    CopyToClipboard();
  else if ((ctrl && key == 'X') || (shift && key == VK_DELETE))
    CutToClipboard();
  else if ((ctrl && key == 'V') || (shift && key == VK_INSERT))
    PasteFromClipboard();
  else if (key == VK_DELETE && !ctrl && !shift)
    deleteForward();
  else
    done = false;
  if (done) Key = 0;
}

void TCustomEdit::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  const char character = Key;
  if (character == 0) return;
  Key = 0;  // the control types it; the widget gets nothing
  if (character == '\b')
    deleteBackward(GetKeyState(VK_CONTROL) < 0);
  else if (static_cast<unsigned char>(character) >= 32 && character != 127)
    replaceSelectionTyped(AnsiString(1, character));
}

void TCustomEdit::DoEnter() {
  TWinControl::DoEnter();
  if (autoSelect_ && !IsPaintCopyState()) SelectAll();
}
