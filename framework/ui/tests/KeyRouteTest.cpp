#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

#include "framework/ui/Beep.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A shown, active form with two edits; Edit1 has the focus.
class KeyRouteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = new TTestEdit(form, form, "Edit1");
    neighbour = new TTestEdit(form, form, "Edit2");
    last = new TTestEdit(form, form, "Edit3");
    neighbour->SetTop(30);
    last->SetTop(60);
    for (TWinControl* c : std::initializer_list<TWinControl*>{form, edit, neighbour}) {
      std::string name = c == form ? "form" : c->Name();
      c->OnKeyDown = [this, name](TObject*, WORD& key, TShiftState) { log.push_back(name + " down " + std::to_string(key)); };
      c->OnKeyPress = [this, name](TObject*, char& key) { log.push_back(name + " press " + std::to_string(static_cast<unsigned char>(key))); };
      c->OnKeyUp = [this, name](TObject*, WORD& key, TShiftState) { log.push_back(name + " up " + std::to_string(key)); };
    }
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    edit->SetFocus();
  }
  void TearDown() override { delete form; }

  void send(QEvent& event, QWidget* to = nullptr) { QApplication::instance()->notify(to ? to : edit->lineEdit(), &event); }

  TTestForm* form;
  TTestEdit* edit;
  TTestEdit* neighbour;
  TTestEdit* last;
  Log log;
};

TEST_F(KeyRouteTest, KeyEventsBecomeVirtualKeysShiftStatesAndCharacters) {
  struct Row {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    QString text;
    WORD vk;
    TShiftState shift;
    int character;  // -1: none
  };
  const std::vector<Row> rows{
      {Qt::Key_5, Qt::KeypadModifier, "5", 101, {}, '5'},
      {Qt::Key_0, Qt::KeypadModifier, "0", 96, {}, '0'},
      {Qt::Key_Period, Qt::KeypadModifier, ".", 110, {}, '.'},
      {Qt::Key_Minus, Qt::NoModifier, "-", 189, {}, '-'},
      {Qt::Key_Period, Qt::NoModifier, ".", 190, {}, '.'},
      {Qt::Key_Backtab, Qt::ShiftModifier, "", VK_TAB, {ssShift}, 9},
      {Qt::Key_A, Qt::ControlModifier, "a", 'A', {ssCtrl}, 1},
      {Qt::Key_Z, Qt::ControlModifier, "\x1a", 'Z', {ssCtrl}, 26},
      {Qt::Key_A, Qt::ShiftModifier, "A", 'A', {ssShift}, 'A'},
      {Qt::Key_Exclam, Qt::ShiftModifier, "!", '1', {ssShift}, '!'},
      {Qt::Key_Return, Qt::NoModifier, "\r", VK_RETURN, {}, 13},
      {Qt::Key_Enter, Qt::KeypadModifier, "\r", VK_RETURN, {}, 13},
      {Qt::Key_Backspace, Qt::NoModifier, "\b", VK_BACK, {}, 8},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", VK_ESCAPE, {}, 27},
      {Qt::Key_F5, Qt::NoModifier, "", 116, {}, -1},
      {Qt::Key_Left, Qt::NoModifier, "", VK_LEFT, {}, -1},
      {Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"), 0, {}, 0xE9},
  };
  edit->wanted = {wkArrows, wkTab, wkReturn, wkEscape};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.qtKey);
    WORD seenKey = 0;
    TShiftState seenShift;
    int seenCharacter = -1;
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
      seenKey = key;
      seenShift = shift;
    };
    edit->OnKeyPress = [&](TObject*, char& key) { seenCharacter = static_cast<unsigned char>(key); };
    QKeyEvent press(QEvent::KeyPress, row.qtKey, row.modifiers, row.text);
    send(press);
    EXPECT_EQ(seenKey, row.vk);
    EXPECT_EQ(seenShift, row.shift);
    EXPECT_EQ(seenCharacter, row.character);
    EXPECT_TRUE(edit->Focused());
  }
}

TEST_F(KeyRouteTest, CommittedCharactersArriveAsWindowsCharacters) {
  struct Row {
    const char* commit;
    int character;  // -1: refused
  };
  for (const Row& row : {Row{"é", 0xE9}, Row{"€", 0x80}, Row{"ł", -1}}) {
    SCOPED_TRACE(row.commit);
    edit->SetText("ab");
    std::vector<int> pressed;
    edit->OnKeyPress = [&](TObject*, char& key) { pressed.push_back(static_cast<unsigned char>(key)); };
    const int beeps = beepCount();
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8(row.commit));
    send(commit);
    if (row.character < 0) {
      EXPECT_TRUE(pressed.empty());
      EXPECT_EQ(beepCount(), beeps + 1);
      EXPECT_EQ(edit->lineEdit()->text(), "ab");
    } else {
      EXPECT_EQ(pressed, std::vector<int>{row.character});
      EXPECT_EQ(edit->lineEdit()->text(), QString::fromUtf8("ab") + QString::fromUtf8(row.commit));
    }
  }
  edit->SetText("ab");
  edit->OnKeyPress = [](TObject*, char& key) { key = 0; };
  QInputMethodEvent zeroed;
  zeroed.setCommitString(QString::fromUtf8("é"));
  send(zeroed);
  EXPECT_EQ(edit->lineEdit()->text(), "ab");
}

TEST_F(KeyRouteTest, APreEditChangesNothingUntilCommitted) {
  edit->SetText("ab");
  int presses = 0;
  edit->OnKeyPress = [&](TObject*, char&) { ++presses; };
  QInputMethodEvent preedit("´", {});
  send(preedit);
  EXPECT_EQ(presses, 0);
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(KeyRouteTest, AnAutoRepeatedPressAndReleasePairGivesOneKeyUp) {
  for (auto [type, repeat] : {std::pair{QEvent::KeyPress, false}, std::pair{QEvent::KeyRelease, true},
                              std::pair{QEvent::KeyPress, true}, std::pair{QEvent::KeyRelease, false}}) {
    QKeyEvent event(type, Qt::Key_X, Qt::NoModifier, "x", repeat);
    send(event);
  }
  EXPECT_EQ(log, (Log{"Edit1 down 88", "Edit1 press 120", "Edit1 down 88", "Edit1 press 120", "Edit1 up 88"}));
  EXPECT_EQ(edit->Text(), "xx");
}

TEST_F(KeyRouteTest, AShortcutDoesNotFireWhenTheControlTookItsKey) {
  QAction save(form->Window());
  save.setShortcut(QKeySequence("Ctrl+S"));
  form->Window()->addAction(&save);
  int saves = 0;
  QObject::connect(&save, &QAction::triggered, [&] { ++saves; });
  edit->OnKeyDown = [](TObject*, WORD& key, TShiftState shift) {
    if (key == 'S' && shift.Contains(ssCtrl)) key = 0;
  };
  QTest::keyClick(edit->lineEdit(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saves, 0);
}

TEST_F(KeyRouteTest, KeyPreviewShowsTheFormEveryKeyFirst) {
  form->SetKeyPreview(true);
  QTest::keyClick(edit->lineEdit(), Qt::Key_Q);
  EXPECT_EQ(log, (Log{"form down 81", "Edit1 down 81", "form press 113", "Edit1 press 113", "form up 81", "Edit1 up 81"}));
  log.clear();
  form->OnKeyDown = [](TObject*, WORD& key, TShiftState) { key = 0; };
  form->OnKeyPress = [](TObject*, char& key) { key = 0; };
  QTest::keyClick(edit->lineEdit(), Qt::Key_Q);
  EXPECT_EQ(log, (Log{"form up 81", "Edit1 up 81"})) << "the control saw no key and no character";
  EXPECT_EQ(edit->Text(), "q");
}

TEST_F(KeyRouteTest, ArrowsMoveTheFocusOnlyFromControlsThatDoNotWantThem) {
  edit->wanted = {wkArrows};
  QTest::keyClick(edit->lineEdit(), Qt::Key_Down);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(log, (Log{"Edit1 down 40", "Edit1 up 40"}));
  log.clear();
  neighbour->SetFocus();
  QTest::keyPress(neighbour->lineEdit(), Qt::Key_Down);
  EXPECT_TRUE(last->Focused());
  QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(log, (Log{"Edit2 down 40"}));
}

TEST_F(KeyRouteTest, EnterAndEscapeGoToTheFormUnlessTheControlWantsThem) {
  QTest::keyClick(edit->lineEdit(), Qt::Key_Return);
  QTest::keyClick(edit->lineEdit(), Qt::Key_Escape);
  EXPECT_EQ(form->dialogKeys, (std::vector<std::string>{"13", "27"}));
  edit->wanted = {wkReturn};
  QTest::keyClick(edit->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(form->dialogKeys.size(), 2u);
}

TEST_F(KeyRouteTest, KeyPressChangesOrRemovesTheCharacterTheWidgetGets) {
  edit->OnKeyPress = [](TObject*, char& key) {
    if (key == 'a') key = 'b';
    if (key == 'x') key = 0;
  };
  QTest::keyClicks(edit->lineEdit(), "axa");
  EXPECT_EQ(edit->Text(), "bb");
  edit->OnKeyPress = [](TObject*, char& key) {
    if (key == 8) key = 0;
  };
  QTest::keyClick(edit->lineEdit(), Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "bb");
}

TEST_F(KeyRouteTest, ASentKeySkipsPreviewAndThePostedOneTakesTheWholeRoute) {
  form->SetKeyPreview(true);
  std::vector<std::string> hooked;
  setApplicationMessageHook([&](TMsg& msg, bool&) { hooked.push_back(std::to_string(msg.Message) + ":" + std::to_string(msg.WParam)); });
  sendKey(edit, VK_F2, {});
  SendMessage(edit, WM_KEYDOWN, VK_F2, 0);
  EXPECT_EQ(log, (Log{"Edit1 down 113", "Edit1 down 113"}));
  EXPECT_TRUE(hooked.empty());
  log.clear();
  postKeyStroke(VK_F2);
  EXPECT_TRUE(log.empty()) << "queued";
  QApplication::processEvents();
  setApplicationMessageHook({});
  EXPECT_EQ(log, (Log{"form down 113", "Edit1 down 113", "form up 113", "Edit1 up 113"}));
  EXPECT_EQ(hooked, (std::vector<std::string>{"256:113", "257:113"}));
  sendKey(edit, VK_TAB, {});
  EXPECT_TRUE(neighbour->Focused()) << "a sent Tab navigates like a typed one";
}

TEST_F(KeyRouteTest, TheHookMayTakeAKey) {
  setApplicationMessageHook([](TMsg& msg, bool& handled) { handled = msg.Message == WM_KEYDOWN && msg.WParam == 'K'; });
  QTest::keyClick(edit->lineEdit(), Qt::Key_K);
  QTest::keyClick(edit->lineEdit(), Qt::Key_L);
  setApplicationMessageHook({});
  EXPECT_EQ(edit->Text(), "l");
}

TEST_F(KeyRouteTest, AReplayedKeyIsPressedWhileItIsDeliveredOnly) {
  bool pressedDuring = false;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { pressedDuring = key == VK_F3 && GetKeyState(VK_F3) < 0 && GetKeyState(VK_SHIFT) < 0; };
  postKeyDown(VK_F3, {ssShift}, scanCodeOf(VK_F3));
  QApplication::processEvents();
  EXPECT_TRUE(pressedDuring);
  EXPECT_GE(GetKeyState(VK_F3), 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(KeyRouteTest, PostedKeysArriveInTheirOrder) {
  edit->wanted = {wkArrows};
  std::string seen;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen += key == VK_LEFT ? 'L' : static_cast<char>(key); };
  postKeyStroke('A');
  for (int i = 0; i < 125; ++i) postKeyStroke(VK_LEFT);
  postKeyStroke('B');
  QApplication::processEvents();
  EXPECT_EQ(seen, "A" + std::string(125, 'L') + "B");
  EXPECT_EQ(edit->Text(), "ba");
}

TEST_F(KeyRouteTest, TheKeyboardStateIsClearedWhenTheProgramLosesActivation) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  send(press);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QGuiApplication::sendEvent(QCoreApplication::instance(), &inactive);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(KeyRouteTest, LockKeysAreReadThroughOneReader) {
  setLockKeyReader([](LockKey key) { return key == LockKey::NumLock; });
  EXPECT_TRUE(lockKeyOn(LockKey::NumLock));
  EXPECT_FALSE(lockKeyOn(LockKey::CapsLock));
  EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 1, 1);
  setLockKeyReader({});
  EXPECT_FALSE(lockKeyOn(LockKey::NumLock)) << "no X server offscreen: off";
}

}  // namespace
}  // namespace qn::ui::testing
