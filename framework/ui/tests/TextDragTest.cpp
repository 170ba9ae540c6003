#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <vector>

#include "framework/ui/RichEdit.h"
#include "framework/ui/RtfWriter.h"
#include "framework/ui/TextDrag.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedTextDrag.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/RichEditStreams.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A plain control that asks for drops and writes down what it hears.
class TDropPanel : public TWinControl, public TextDropTarget {
 public:
  using TWinControl::TWinControl;
  bool acceptsTextDrops() const override { return true; }
  DropEffect textDragOver(TPoint point, TShiftState shift, DropEffects, bool fromSelf) override {
    heard.push_back({"over", {}, point, shift, fromSelf});
    return DropEffect::copy;
  }
  DropEffect textDropped(const AnsiString& text, TPoint point, TShiftState shift, DropEffects, bool fromSelf) override {
    heard.push_back({"drop", text, point, shift, fromSelf});
    return DropEffect::copy;
  }
  struct Heard {
    std::string what;
    AnsiString text;
    TPoint point;
    TShiftState shift;
    bool fromSelf;
  };
  std::vector<Heard> heard;
};

class TextDragTest : public ::testing::Test {
 public:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    form->SetBounds(0, 0, 700, 300);
    source = makeEdit(0);
    target = makeEdit(350);
    ASSERT_TRUE(showActive(*form));
    source->SetFocus();
  }
  void TearDown() override { delete form; }
  TRichEdit* makeEdit(int left) {
    auto* edit = new TRichEdit(form);
    edit->SetParent(form);
    edit->SetBounds(left, 0, 300, 200);
    return edit;
  }
  void dropOnto(TRichEdit* edit, int index, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    drag.target = textAreaOf(*edit);
    drag.at = pointOfCharacter(*edit, index);
    drag.keys = keys;
  }
  void select(TRichEdit* edit, int start, int length) {
    edit->SetSelStart(start);
    edit->SetSelLength(length);
  }

  TTestForm* form;
  TRichEdit* source;
  TRichEdit* target;
  ScriptedTextDrag drag;
};

TEST_F(TextDragTest, AControlThatAsksHearsTheDragMovingWithItsKeysAndTheDroppedText) {
  auto* panel = new TDropPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 210, 100, 50);
  setWindowTakesDrops(panel->Window(), true);
  EXPECT_EQ(sendTextDrag(panel->Window(), QPoint(7, 9), "da\ncapo", Qt::CopyAction | Qt::MoveAction,
                     Qt::ControlModifier | Qt::ShiftModifier),
            Qt::CopyAction);
  ASSERT_EQ(panel->heard.size(), 3u);
  EXPECT_EQ(panel->heard[0].what, "over");
  EXPECT_EQ(panel->heard[1].what, "over");
  EXPECT_EQ(panel->heard[1].point, (TPoint{7, 9}));
  EXPECT_EQ(panel->heard[1].shift, (TShiftState{ssShift, ssCtrl}));
  EXPECT_EQ(panel->heard[2].what, "drop");
  EXPECT_EQ(panel->heard[2].text, "da\r\ncapo");
  EXPECT_FALSE(panel->heard[2].fromSelf);
}

TEST_F(TextDragTest, AControlThatDoesNotAskRefusesDropsAndHearsNothing) {
  target->SetText("still");
  EXPECT_EQ(sendTextDrag(textAreaOf(*target), pointOfCharacter(*target, 2), "dropped", Qt::CopyAction, {}), Qt::IgnoreAction);
  EXPECT_EQ(target->Text(), "still");
}

struct DragCase {
  const char* name;
  Qt::KeyboardModifiers keys;
  const char* after;
};

TEST_F(TextDragTest, DraggingTheSelectionWithinTheControlMovesOrCopiesInOneUndoStep) {
  source->SetAcceptDrops(true);
  source->OnDropEffect = [](TObject*, TShiftState shift, DropEffects, DropEffect& effect) {
    if (shift.Contains(ssCtrl)) effect = DropEffect::copy;
  };
  const DragCase cases[] = {
      {"no keys move", Qt::NoModifier, "one threetwo "},
      {"ctrl copies", Qt::ControlModifier, "one two threetwo "},
  };
  for (const DragCase& c : cases) {
    source->SetText("one two three");
    source->ClearUndo();
    select(source, 4, 4);  // "two "
    dropOnto(source, 13, c.keys);
    drag.drags = 0;
    dragFromCharacter(*source, 5);
    EXPECT_EQ(drag.drags, 1) << c.name;
    EXPECT_EQ(source->Text(), c.after) << c.name;
    EXPECT_EQ(source->SelText(), "two ") << c.name;
    EXPECT_TRUE(source->Modified()) << c.name;
    source->Undo();
    EXPECT_EQ(source->Text(), "one two three") << c.name;
  }
}

TEST_F(TextDragTest, APressOnTheSelectionReleasedWithoutMovingPlacesTheCaret) {
  source->SetText("one two three");
  select(source, 4, 4);
  const QPoint at = pointOfCharacter(*source, 5);
  QTest::mouseClick(textAreaOf(*source), Qt::LeftButton, {}, at);
  EXPECT_EQ(drag.drags, 0);
  EXPECT_EQ(source->SelLength(), 0);
  EXPECT_EQ(source->SelStart(), 5);
}

TEST_F(TextDragTest, AMoveOntoAnotherControlRemovesTheTextFromTheSource) {
  target->SetAcceptDrops(true);
  source->SetText("keep this");
  target->SetText("into");
  select(source, 4, 5);  // " this"
  dropOnto(target, 4);
  dragFromCharacter(*source, 6);
  EXPECT_EQ(target->Text(), "into this");
  EXPECT_EQ(source->Text(), "keep");
}

TEST_F(TextDragTest, AnEffectTheSourceDoesNotAllowIsRefused) {
  source->SetAcceptDrops(true);
  source->OnDropEffect = [](TObject*, TShiftState, DropEffects, DropEffect& effect) { effect = DropEffect::link; };
  source->SetText("one two three");
  select(source, 4, 4);
  dropOnto(source, 13);
  dragFromCharacter(*source, 5);
  EXPECT_EQ(drag.drags, 1);
  EXPECT_EQ(source->Text(), "one two three");
}

TEST_F(TextDragTest, ADropOntoProtectedTextAsksOnProtectChangeAndARefusalKeepsTheText) {
  target->SetAcceptDrops(true);
  CharacterAttributes guarded;
  guarded.protectedText = true;
  RichTextContent text;
  appendText(text.paragraphs[0], CharacterAttributes{}, "open ");
  appendText(text.paragraphs[0], guarded, "SHUT");
  appendText(text.paragraphs[0], CharacterAttributes{}, " open");
  loadBytes(*target, RtfWriter().write(text), false);
  std::vector<std::pair<int, int>> asked;
  bool allow = false;
  target->OnProtectChange = [&](TObject*, int start, int end, bool& allowChange) {
    asked.emplace_back(start, end);
    allowChange = allow;
  };
  EXPECT_EQ(sendTextDrag(textAreaOf(*target), pointOfCharacter(*target, 7), "x", Qt::CopyAction, {}), Qt::IgnoreAction);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{7, 7}}));
  EXPECT_EQ(target->Text(), "open SHUT open");
  allow = true;
  EXPECT_EQ(sendTextDrag(textAreaOf(*target), pointOfCharacter(*target, 7), "x", Qt::CopyAction, {}), Qt::CopyAction);
  EXPECT_EQ(target->Text(), "open SHxUT open");
}

}  // namespace
}  // namespace qn::ui::testing
