#pragma once
// Drags of text in tests, offscreen: the drag events sent straight to a widget, and drags the
// controls start dropped where the test points them, with the keys the test holds.
#include <QPoint>
#include <QString>
#include <Qt>

#include "framework/ui/TextDrag.h"

class QWidget;
class TCustomRichEdit;

namespace qn::ui::testing {

// Sends a drag's enter, move and drop to the widget at the point with the keys; answers the action
// the drop was accepted with (Qt::IgnoreAction: refused at any step).
Qt::DropAction sendTextDrag(QWidget* target, QPoint at, const QString& text, Qt::DropActions allowed,
                            Qt::KeyboardModifiers keys);

// While it lives, every drag a control starts is dropped onto target at the point with the keys.
class ScriptedTextDrag {
 public:
  ScriptedTextDrag();
  ~ScriptedTextDrag();
  ScriptedTextDrag(const ScriptedTextDrag&) = delete;
  ScriptedTextDrag& operator=(const ScriptedTextDrag&) = delete;

  QWidget* target = nullptr;
  QPoint at;
  Qt::KeyboardModifiers keys;
  int drags = 0;

 private:
  TextDragRunner previous_;
};

// The rich edit's text area, where its mouse and drag events go.
QWidget* textAreaOf(TCustomRichEdit& edit);
// A point on the character at the index in the text area; past the end, right of the last one.
QPoint pointOfCharacter(TCustomRichEdit& edit, int index);
// Presses on the character, moves the mouse past the drag distance and releases.
void dragFromCharacter(TCustomRichEdit& edit, int index);

}  // namespace qn::ui::testing
