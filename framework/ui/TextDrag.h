#pragma once
// Dragging text between controls of the program (and to or from other programs through the
// desktop's drag). A control that takes drops derives from TextDropTarget and asks for them
// (acceptsTextDrops); its widget then hears the drag entering, moving and dropping, in the
// coordinates its mouse events use, with the shift keys held. A control starts a drag with
// runTextDrag, which answers what the drop did; the source finishes a move (removes its text)
// unless the drop was on itself, which then did the whole move.
#include <Qt>
#include <functional>

#include "framework/base/EnumSet.h"
#include "framework/base/Strings.h"
#include "framework/ui/Geometry.h"
#include "framework/ui/InputTypes.h"

class QDropEvent;
class QWidget;
class TWinControl;

namespace qn::ui {

enum class DropEffect { none, copy, move, link };
using DropEffects = EnumSet<DropEffect>;

class TextDropTarget {
 public:
  virtual ~TextDropTarget() = default;
  virtual bool acceptsTextDrops() const = 0;
  // What a drop at the point would do; none refuses it. fromSelf: the drag started in this control.
  virtual DropEffect textDragOver(TPoint point, TShiftState shift, DropEffects allowed, bool fromSelf) = 0;
  // Takes the dropped text; answers what was done (none: refused, nothing changed).
  virtual DropEffect textDropped(const AnsiString& text, TPoint point, TShiftState shift, DropEffects allowed,
                                 bool fromSelf) = 0;
};

struct TextDrag {
  TWinControl* source = nullptr;
  AnsiString text;
  DropEffects allowed;
};

// Qt's names of the effects.
Qt::DropActions qtDropActionsOf(DropEffects effects);
DropEffect dropEffectOf(Qt::DropAction action);

// Runs the drag to its end and answers the effect of the drop (none: nobody took it).
DropEffect runTextDrag(const TextDrag& drag);
// The drag runTextDrag runs now; nullptr when none.
const TextDrag* currentTextDrag();
// Replaces how a drag is run (tests send the drag events themselves); an empty runner restores
// the desktop's drag. Answers the previous runner.
using TextDragRunner = std::function<DropEffect(const TextDrag&)>;
TextDragRunner setTextDragRunner(TextDragRunner runner);

// Tells the desktop whether a control's window (or its scroll area's viewport) takes drops.
void setWindowTakesDrops(QWidget* window, bool takes);

namespace detail {
// Whether the widget of a control takes drops now (its control asks for them).
bool widgetTakesDrops(TWinControl* control);
// A drag event reaching a control's widget; point is where the control's mouse events would be.
void controlWidgetDragEvent(TWinControl* control, QDropEvent* event, bool dropping);
}  // namespace detail

}  // namespace qn::ui
