// Dragging text in the full-window editor: the drop-effect rule of the keys, and drags of the
// selection within the editor's control.
#include <QTest>

#include "editors/EditorDropEffect.h"
#include "editors/RichEditForm.h"
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/ScriptedTextDrag.h"

namespace richedittest {
namespace {

using qn::ui::DropEffect;
using qn::ui::DropEffects;

struct RuleCase {
  TShiftState shift;
  DropEffects allowed;
  DropEffect expected;
};

TEST(EditorDropEffectTest, CtrlCopiesCtrlShiftLinksNoKeysMoveEachOnlyWhereAllowed) {
  const DropEffects all{DropEffect::copy, DropEffect::move, DropEffect::link};
  const DropEffects copyOnly{DropEffect::copy};
  const RuleCase cases[] = {
      {{}, all, DropEffect::move},
      {{ssCtrl}, all, DropEffect::copy},
      {{ssCtrl, ssShift}, all, DropEffect::link},
      {{ssShift}, all, DropEffect::move},
      {{}, copyOnly, DropEffect::none},
      {{ssCtrl}, copyOnly, DropEffect::copy},
      {{ssCtrl, ssShift}, DropEffects{DropEffect::copy, DropEffect::move}, DropEffect::none},
  };
  for (const RuleCase& c : cases) {
    EXPECT_EQ(editorDropEffect(c.shift, c.allowed), c.expected) << c.shift.Mask() << " " << c.allowed.Mask();
  }
}

struct EditorDragCase {
  const char* name;
  Qt::KeyboardModifiers keys;
  const char* after;
};

class RichEditDragTest : public RichEditTest {};

TEST_F(RichEditDragTest, InTheEditorCtrlCopiesNoKeysMoveInOneUndoStepAndCtrlShiftIsRefused) {
  auto* edit = place();
  ASSERT_TRUE(show());
  const EditorDragCase cases[] = {
      {"no keys move", Qt::NoModifier, "one threetwo "},
      {"ctrl copies", Qt::ControlModifier, "one two threetwo "},
      {"ctrl+shift would link: the editor's own drag allows no link", Qt::ControlModifier | Qt::ShiftModifier,
       "one two three"},
  };
  for (const EditorDragCase& c : cases) {
    edit->SetText("one two three");
    AnsiString dropped, undone;
    int drags = 0;
    edit->OnCreateDialog = [&](TObject*, TForm* form) {
      auto* editor = static_cast<TdcRichEditForm*>(form);
      qn::ui::postCall([&, editor] {
        TdcCustomRichEdit& inner = *editor->Editor();
        inner.SetSelStart(4);
        inner.SetSelLength(4);  // "two "
        qn::ui::testing::ScriptedTextDrag drag;
        drag.target = qn::ui::testing::textAreaOf(inner);
        drag.at = qn::ui::testing::pointOfCharacter(inner, 13);
        drag.keys = c.keys;
        qn::ui::testing::dragFromCharacter(inner, 5);
        drags = drag.drags;
        dropped = inner.Text();
        // One undo takes a drop back; a refused drop left nothing to undo.
        if (dropped != "one two three") inner.Undo();
        undone = inner.Text();
        inner.SetModified(false);  // closes without the exit warning
        editor->SetModalResult(mrCancel);
      });
    };
    edit->Execute();
    EXPECT_EQ(drags, 1) << c.name;
    EXPECT_EQ(dropped, c.after) << c.name;
    EXPECT_EQ(undone, "one two three") << c.name;
  }
}

}  // namespace
}  // namespace richedittest
