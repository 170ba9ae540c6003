#include "framework/ui/EditWidgets.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "framework/ui/ReplaceablePaint.h"

namespace qn::ui {

namespace {

Qt::Alignment qtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

// Keys that only move the caret or the selection; the window handles them itself.
bool movesCaret(int key, bool multiLine) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return multiLine;
    default:
      return false;
  }
}

// The one-line window's own password character and its caret, shown or not.
class OneLineStyle : public QProxyStyle {
 public:
  QChar passwordCharacter;
  bool caretShown = true;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* data) const override {
    if (hint == SH_LineEdit_PasswordCharacter && !passwordCharacter.isNull()) return passwordCharacter.unicode();
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_TextCursorWidth && !caretShown) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

class OneLineEditWidget : public ReplaceablePaintWidget<QLineEdit>, public EditView {
 public:
  OneLineEditWidget(TWinControl* control, QWidget* parent) : ReplaceablePaintWidget(control, parent), style_(new OneLineStyle) {
    style_->setParent(this);
    setStyle(style_);
  }

  QWidget* widget() override { return this; }
  void showText(const QString& text) override {
    const QSignalBlocker quiet(this);
    setText(text);
  }
  QString shownText() const override { return displayText(); }
  void selection(int& start, int& length) const override {
    if (hasSelectedText()) {
      start = selectionStart();
      length = selectionLength();
    } else {
      start = cursorPosition();
      length = 0;
    }
  }
  void select(int start, int length) override {
    if (length > 0)
      setSelection(start, length);
    else
      setCursorPosition(start);
  }
  void setFrameShown(bool shown, bool flat) override {
    setFrame(shown && !flat);
    flatFrame_ = shown && flat;
    applyMargins();
  }
  void setAlignment(TAlignment alignment) override { QLineEdit::setAlignment(qtAlignment(alignment) | Qt::AlignVCenter); }
  void setTextMargins(const QMargins& margins) override {
    margins_ = margins;
    applyMargins();
  }
  void setCaretShown(bool shown) override {
    style_->caretShown = shown;
    update();
  }
  void setPasswordCharacter(QChar character) override {
    style_->passwordCharacter = character;
    // The line edit reads the character from its style when the style changes.
    QEvent styleChanged(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &styleChanged);
    setEchoMode(character.isNull() ? Normal : Password);
  }
  int lineCount() const override { return 1; }
  int lineOfPosition(int) const override { return 0; }
  int lineStart(int line) const override { return line == 0 ? 0 : -1; }
  QPoint pointOfPosition(int position) const override {
    // Measured from the caret, the one place the window tells: one line has no other breaks.
    const QString shown = displayText();
    const int caret = cursorPosition();
    const QFontMetrics metrics = fontMetrics();
    const int x = cursorRect().center().x();
    const int offset = position >= caret ? metrics.horizontalAdvance(shown.mid(caret, position - caret))
                                         : -metrics.horizontalAdvance(shown.mid(position, caret - position));
    return {x + offset, cursorRect().top()};
  }
  int firstVisibleLine() const override { return 0; }
  void scrollLines(int) override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (movesCaret(event->key(), false))
      QLineEdit::keyPressEvent(event);
    else
      event->ignore();
  }
  void paintEvent(QPaintEvent* event) override {
    ReplaceablePaintWidget::paintEvent(event);
    if (!flatFrame_) return;
    // The plain one-pixel frame of a control without the 3-D look.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }

 private:
  void applyMargins() {
    const int frame = flatFrame_ ? 1 : 0;
    QLineEdit::setTextMargins(margins_ + QMargins(frame, frame, frame, frame));
  }

  OneLineStyle* style_;
  QMargins margins_;
  bool flatFrame_ = false;
};

class MultiLineEditWidget : public ReplaceablePaintWidget<QPlainTextEdit>, public EditView {
 public:
  MultiLineEditWidget(TWinControl* control, QWidget* parent, bool wordWrap, bool verticalScrollBar, bool horizontalScrollBar)
      : ReplaceablePaintWidget(control, parent) {
    // Selecting only: Qt never changes the text, not by key, drop or drag.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    viewport()->setAcceptDrops(false);
    setUndoRedoEnabled(false);
    setLineWrapMode(wordWrap ? WidgetWidth : NoWrap);
    setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontalScrollBar && !wordWrap ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(0);
  }

  QWidget* widget() override { return this; }
  void showText(const QString& text) override {
    const QSignalBlocker quiet(this);
    setPlainText(text);
  }
  QString shownText() const override { return toPlainText(); }
  void selection(int& start, int& length) const override {
    const QTextCursor cursor = textCursor();
    start = cursor.selectionStart();
    length = cursor.selectionEnd() - start;
  }
  void select(int start, int length) override {
    const int end = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, end));
    cursor.setPosition(std::clamp(start + length, 0, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
  }
  void setFrameShown(bool shown, bool flat) override {
    if (!shown)
      setFrameStyle(NoFrame);
    else if (flat)
      setFrameStyle(Box | Plain);
    else
      setFrameStyle(StyledPanel | Sunken);
    if (shown && flat) setLineWidth(1);
  }
  void setAlignment(TAlignment alignment) override {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(qtAlignment(alignment));
    document()->setDefaultTextOption(option);
  }
  void setTextMargins(const QMargins& margins) override { setViewportMargins(margins); }
  void setCaretShown(bool shown) override { setCursorWidth(shown ? 1 : 0); }
  void setPasswordCharacter(QChar) override {}

  int lineCount() const override {
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) lines += linesIn(block);
    return lines;
  }
  int lineOfPosition(int position) const override {
    const QTextBlock at = document()->findBlock(position);
    int line = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && block != at; block = block.next()) line += linesIn(block);
    if (!at.isValid()) return std::max(0, line - 1);
    linesIn(at);
    const QTextLine inBlock = at.layout()->lineForTextPosition(position - at.position());
    return line + (inBlock.isValid() ? inBlock.lineNumber() : 0);
  }
  int lineStart(int line) const override {
    if (line < 0) return -1;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      const int lines = linesIn(block);
      if (line < lines) return block.position() + (block.layout()->lineCount() > 0 ? block.layout()->lineAt(line).textStart() : 0);
      line -= lines;
    }
    return -1;
  }
  QPoint pointOfPosition(int position) const override {
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(position, 0, document()->characterCount() - 1));
    return cursorRect(cursor).topLeft() + viewport()->geometry().topLeft();
  }
  int firstVisibleLine() const override { return verticalScrollBar()->value(); }
  void scrollLines(int lines) override { verticalScrollBar()->setValue(verticalScrollBar()->value() + lines); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (movesCaret(event->key(), true))
      QPlainTextEdit::keyPressEvent(event);
    else
      event->ignore();
  }

 private:
  // The lines of a block as laid out for the window's width (one for an empty block).
  int linesIn(const QTextBlock& block) const {
    if (auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout())) layout->ensureBlockLayout(block);
    return std::max(1, block.layout()->lineCount());
  }
};

}  // namespace

EditView* makeOneLineEditView(TWinControl* control, QWidget* parent) { return new OneLineEditWidget(control, parent); }

EditView* makeMultiLineEditView(TWinControl* control, QWidget* parent, bool wordWrap, bool verticalScrollBar,
                                bool horizontalScrollBar) {
  return new MultiLineEditWidget(control, parent, wordWrap, verticalScrollBar, horizontalScrollBar);
}

}  // namespace qn::ui
