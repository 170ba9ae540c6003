#pragma once
// The two windows an edit control shows itself in: one line (over QLineEdit) or several lines
// (over QPlainTextEdit). Neither edits anything: the control keeps the text and makes every
// change; the window shows the text, moves the caret, selects, and answers where lines and
// characters lie. Positions here are the window's: a line break is one character, where the
// control's text holds CR LF.
#include <QMargins>
#include <QPoint>
#include <QString>

#include "framework/base/Alignment.h"

class QWidget;
class TWinControl;

class EditView {
 public:
  virtual ~EditView() = default;

  virtual QWidget* widget() = 0;
  // Shows text, without telling anyone.
  virtual void showText(const QString& text) = 0;
  // The text as shown (password characters in place of the text).
  virtual QString shownText() const = 0;
  // The selection: where it begins and how long it is; the caret lies at its end.
  virtual void selection(int& start, int& length) const = 0;
  virtual void select(int start, int length) = 0;

  virtual void setFrameShown(bool shown, bool flat) = 0;
  virtual void setAlignment(TAlignment alignment) = 0;
  // The inset of the text from the window's inside.
  virtual void setTextMargins(const QMargins& margins) = 0;
  virtual void setCaretShown(bool shown) = 0;
  // 0 shows the text itself.
  virtual void setPasswordCharacter(QChar character) = 0;

  // Lines as shown (a wrapped line counts as several).
  virtual int lineCount() const = 0;
  virtual int lineOfPosition(int position) const = 0;
  // The first position of line; -1 past the last line.
  virtual int lineStart(int line) const = 0;
  // The top-left corner of the character at position, in the window's coordinates.
  virtual QPoint pointOfPosition(int position) const = 0;
  virtual int firstVisibleLine() const = 0;
  virtual void scrollLines(int lines) = 0;
};

namespace qn::ui {

// A one-line window for control.
EditView* makeOneLineEditView(TWinControl* control, QWidget* parent);
// A window of several lines: wrapped at words when wordWrap, with a vertical scroll bar when
// verticalScrollBar and a horizontal one when horizontalScrollBar (unless it wraps).
EditView* makeMultiLineEditView(TWinControl* control, QWidget* parent, bool wordWrap, bool verticalScrollBar,
                                bool horizontalScrollBar);

}  // namespace qn::ui
