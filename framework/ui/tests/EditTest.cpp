#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "framework/ui/Clipboard.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A shown, active form with one focused edit, driven by real key events.
class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->OnChange = [this](TObject*) { ++changes; };
    ASSERT_TRUE(showActive(*form));
    edit->SetFocus();
  }
  void TearDown() override { delete form; }

  QWidget* widget() { return edit->Window(); }
  void type(const char* text) { QTest::keyClicks(widget(), text); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(widget(), k, m); }

  TTestForm* form;
  TEdit* edit;
  int changes = 0;
};

TEST_F(EditTest, TypedKeysMeetMaxLengthCharCaseReadOnlyAndPasswordChar) {
  struct Row {
    const char* typed;
    int maxLength;
    TEditCharCase charCase;
    bool readOnly;
    char passwordChar;
    const char* text;
    const char* shown;
    bool modified;
  };
  const std::vector<Row> rows{
      {"abc", 0, ecNormal, false, 0, "abc", "abc", true},
      {"abcdef", 4, ecNormal, false, 0, "abcd", "abcd", true},
      {"aBc", 0, ecUpperCase, false, 0, "ABC", "ABC", true},
      {"AbC", 0, ecLowerCase, false, 0, "abc", "abc", true},
      {"abc", 0, ecNormal, true, 0, "", "", false},
      {"pw", 0, ecNormal, false, '*', "pw", "**", true},
      {"hello", 3, ecUpperCase, false, '#', "HEL", "###", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    edit->SetReadOnly(false);
    edit->SetText("");
    edit->SetMaxLength(row.maxLength);
    edit->SetCharCase(row.charCase);
    edit->SetPasswordChar(row.passwordChar);
    edit->SetReadOnly(row.readOnly);
    type(row.typed);
    EXPECT_EQ(edit->Text(), row.text);
    EXPECT_EQ(edit->DisplayText(), row.shown);
    EXPECT_EQ(edit->SelStart(), static_cast<int>(std::string(row.text).size()));
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->Modified(), row.modified);
  }
}

TEST_F(EditTest, TextSetByCodeIsKeptWholeAndClearsModified) {
  edit->SetMaxLength(3);
  type("ab");
  ASSERT_TRUE(edit->Modified());
  edit->SetText("longer than three");
  EXPECT_EQ(edit->Text(), "longer than three");
  EXPECT_FALSE(edit->Modified());
  type("x");  // typing is what the length limits
  EXPECT_EQ(edit->Text(), "longer than three");
}

TEST_F(EditTest, SelectionBackspaceDeleteAndCtrlBackspace) {
  edit->SetText("one two three");
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  EXPECT_EQ(edit->SelText(), "two");
  type("2");
  EXPECT_EQ(edit->Text(), "one 2 three");
  key(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "one  three");
  key(Qt::Key_Delete);
  EXPECT_EQ(edit->Text(), "one three");
  key(Qt::Key_End);
  key(Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "one ");
  key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(edit->SelLength(), 1);
}

TEST_F(EditTest, TypingOverASelectionWithTheSameCharactersIsAChange) {
  struct Row {
    int selStart, selLength;
    const char* typed;
    int changes;
  };
  // A key that alters nothing (Backspace at the start) is no change.
  for (const Row& row : {Row{1, 1, "B", 1}, Row{0, 2, "A", 1}, Row{1, 1, "C", 1}, Row{0, 0, "\b", 0}}) {
    SCOPED_TRACE(row.typed);
    edit->SetText("AB");
    edit->SetModified(false);
    edit->SetSelStart(row.selStart);
    edit->SetSelLength(row.selLength);
    changes = 0;
    if (row.typed[0] == '\b')
      key(Qt::Key_Backspace);
    else
      type(row.typed);
    EXPECT_EQ(changes, row.changes);
    EXPECT_EQ(edit->Modified(), row.changes > 0);
    EXPECT_EQ(edit->SelLength(), 0);
  }
}

TEST_F(EditTest, PasteByShiftInsertAndCtrlVFiresBothNotificationsOnceAndMayBeRefused) {
  std::vector<std::string> log;
  bool allow = true;
  edit->OnBeforeClipboard = [&](TObject*, TClipboardAction a, bool& Allow) {
    log.push_back("before " + std::to_string(a));
    Allow = allow;
  };
  edit->OnAfterClipboard = [&](TObject*, TClipboardAction a) { log.push_back("after " + std::to_string(a)); };
  Clipboard::SetAsText("xy");
  key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(edit->Text(), "xy");
  EXPECT_EQ(log, (std::vector<std::string>{"before 2", "after 2"}));
  log.clear();
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "xyxy");
  EXPECT_EQ(log, (std::vector<std::string>{"before 2", "after 2"}));
  log.clear();
  allow = false;
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "xyxy");
  EXPECT_EQ(log, (std::vector<std::string>{"before 2"}));
}

TEST_F(EditTest, CutPutsTheSelectionOnTheClipboard) {
  edit->SetText("keep cut");
  edit->SetSelStart(5);
  edit->SetSelLength(3);
  key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Clipboard::AsText(), "cut");
  EXPECT_EQ(edit->Text(), "keep ");
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "keep cut");
}

TEST_F(EditTest, KeyDownHandlerZeroingCtrlZKeepsTheText) {
  type("abc");
  edit->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    if (Key == 'Z') Key = 0;
  };
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "abc");
  edit->OnKeyDown = nullptr;
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditTest, CtrlYRedoesWhatCtrlZUndidAndCtrlDeleteTakesAWord) {
  type("one two");
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "one two") << "nothing undone, nothing to redo";
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "one tw");
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "one two");
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "one two") << "a redo is no undo to redo";

  edit->SetSelStart(0);
  key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "two");
  edit->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    if (Key == 'Y' || Key == VK_DELETE) Key = 0;
  };
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Y, Qt::ControlModifier);
  key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "one two") << "the handler refused both";
}

TEST_F(EditTest, KeyPressHandlerRefusesACharacter) {
  edit->OnKeyPress = [](TObject*, char& Key) {
    if (Key == 'x' || Key == '\b') Key = 0;
  };
  type("axb");
  key(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditTest, EveryChangeAsksTheSameQuery) {
  struct Refusing : TEdit {
    using TEdit::TEdit;
    bool CanChangeText(const AnsiString& NewText) override { return NewText.find('!') == AnsiString::npos; }
  };
  auto* refusing = new Refusing(form);
  refusing->SetParent(form);
  refusing->SetFocus();
  QTest::keyClicks(refusing->Window(), "a!b");
  EXPECT_EQ(refusing->Text(), "ab");
  refusing->SetText("no!");
  EXPECT_EQ(refusing->Text(), "ab");
  Clipboard::SetAsText("!");
  QTest::keyClick(refusing->Window(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(refusing->Text(), "ab");
}

TEST_F(EditTest, MiddleClickChangesNothingAndRightPressOpensNoMenu) {
  type("abc");
  Clipboard::SetAsText("zz");
  QTest::mouseClick(widget(), Qt::MiddleButton, {}, QPoint(5, 5));
  EXPECT_EQ(edit->Text(), "abc");
  QTest::mouseClick(widget(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(EditTest, SelectionSurvivesARemadeWindow) {
  edit->SetText("abcdef");
  edit->SetSelStart(2);
  edit->SetSelLength(3);
  edit->recreateWindow();
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(static_cast<QLineEdit*>(edit->Window())->selectedText(), "cde");
}

TEST_F(EditTest, PublishedPropertiesAreReadAndWrittenByName) {
  ASSERT_TRUE(WriteIntegerProperty(edit, "MaxLength", 5));
  EXPECT_EQ(edit->MaxLength(), 5);
  EXPECT_EQ(ReadIntegerProperty(edit, "MaxLength"), 5);
}

}  // namespace
}  // namespace qn::ui::testing

namespace qn::ui::testing {
namespace {

// A form docked in another that writes down the commands its controls send it.
class TCommandLoggingForm : public TForm {
  QN_CLASS(TCommandLoggingForm, TForm)
 public:
  TCommandLoggingForm(std::vector<std::string>& log, TComponent* owner) : TForm(owner), log_(log) {}

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_COMMAND && (Message.WParam >> 16) == EN_CHANGE)
      log_.push_back("change from " + reinterpret_cast<TControl*>(Message.LParam)->Name());
    TForm::WndProc(Message);
  }

 private:
  std::vector<std::string>& log_;
};

TEST(EditChangeNotice, TheDockedFormHearsEveryChangeOfTheTextAfterTheEditsOwnHandler) {
  qtApplication();
  std::vector<std::string> log;
  TTestForm main;
  auto* panel = new TCommandLoggingForm(log, &main);
  panel->SetParent(&main);
  panel->SetBounds(0, 0, 200, 100);
  auto* edit = new TEdit(panel);
  edit->SetName("Code");
  edit->SetParent(panel);
  edit->OnChange = [&](TObject*) { log.push_back("handler"); };
  auto* outside = new TEdit(&main);
  outside->SetName("Outside");
  outside->SetParent(&main);
  outside->SetTop(150);
  panel->Show();
  ASSERT_TRUE(showActive(main));
  edit->SetFocus();
  log.clear();

  QTest::keyClicks(edit->Window(), "ab");
  EXPECT_EQ(log, (std::vector<std::string>{"handler", "change from Code", "handler", "change from Code"}));
  log.clear();
  edit->SetText("set by code");
  EXPECT_EQ(log, (std::vector<std::string>{"handler", "change from Code"}));
  log.clear();
  edit->SetText("set by code");
  EXPECT_TRUE(log.empty()) << "the same text is no change";
  outside->SetFocus();
  QTest::keyClicks(outside->Window(), "x");
  outside->SetText("y");
  EXPECT_TRUE(log.empty()) << "an edit outside any docked form tells nobody";
}

}  // namespace
}  // namespace qn::ui::testing
