#include "datagrid/PictureKeyPress.h"

#include <gtest/gtest.h>

#include "datagrid/tests/TestEdit.h"
#include "framework/ui/Beep.h"

namespace {

using qn::datagrid::testing::TestEdit;

struct KeyCase {
  const char* what;
  const char* mask;
  bool autoFill;
  AnsiString text;
  int selStart, selLength;
  char key;
  // After the key:
  bool handled;
  AnsiString newText;
  int newSelStart, newSelLength;
  bool beeps;
};

void run(const KeyCase& c) {
  SCOPED_TRACE(c.what);
  TestEdit edit(c.text);
  edit.SetSelStart(c.selStart);
  edit.SetSelLength(c.selLength);
  char key = c.key;
  const int beepsBefore = qn::ui::beepCount();
  EXPECT_EQ(ApplyPictureOnKeyPress(edit, c.mask, c.autoFill, key), c.handled);
  EXPECT_EQ(key, c.handled ? '\0' : c.key);
  EXPECT_EQ(edit.Text(), c.newText);
  EXPECT_EQ(edit.SelStart(), c.newSelStart);
  EXPECT_EQ(edit.SelLength(), c.newSelLength);
  EXPECT_EQ(qn::ui::beepCount() - beepsBefore, c.beeps ? 1 : 0);
}

TEST(PictureKeyPress, CompleteIncompleteAndRefusedKeys) {
  const KeyCase cases[] = {
      {"complete at the end", "#[#][#]", true, "1", 1, 0, '2', true, "12", 2, 0, false},
      {"complete over a tail selection", "#[#][#]", true, "123", 1, 2, '9', true, "19", 2, 0, false},
      {"complete over the whole text", "#[#][#]", true, "123", 0, 3, '7', true, "7", 1, 0, false},
      {"incomplete, literals filled in", "(###) ###-####", true, "(55", 3, 0, '5', true, "(555) ", 6, 0, false},
      {"incomplete without auto-fill", "(###) ###-####", false, "(55", 3, 0, '5', true, "(555", 4, 0, false},
      {"leading literals filled in", "(###) ###-####", true, "", 0, 0, '5', true, "(5", 2, 0, false},
      {"leading literals without auto-fill", "(###) ###-####", false, "", 0, 0, '5', true, "", 0, 0, true},
      {"incomplete over a tail selection", "(###) ###-####", true, "(555) 12", 6, 2, '7', true, "(555) 7", 7, 0,
       false},
      {"incomplete over the whole text", "(###) ###-####", true, "(555) 1", 0, 7, '(', true, "(", 1, 0, false},
      {"case stored as the mask asks", "&&&", true, "A", 1, 0, 'b', true, "AB", 2, 0, false},
      {"refused", "###", true, "12", 2, 0, 'a', true, "12", 2, 0, true},
      {"refused beyond the mask", "###", true, "123", 3, 0, '4', true, "123", 3, 0, true},
  };
  for (const KeyCase& c : cases) run(c);
}

TEST(PictureKeyPress, KeysAndSelectionsLeftToTheEdit) {
  const KeyCase cases[] = {
      {"backspace", "###", true, "12", 2, 0, '\b', false, "12", 2, 0, false},
      {"enter", "###", true, "12", 2, 0, '\r', false, "12", 2, 0, false},
      {"key 255", "@@@", true, "12", 2, 0, '\xFF', false, "12", 2, 0, false},
      {"caret inside the text", "###", true, "12", 1, 0, '3', false, "12", 1, 0, false},
      {"selection short of the end", "###", true, "123", 0, 1, '4', false, "123", 0, 1, false},
      {"malformed mask", "##;", true, "12", 2, 0, '3', false, "12", 2, 0, false},
  };
  for (const KeyCase& c : cases) run(c);
}

TEST(PictureKeyPress, KeysAbove127AreTyped) {
  const KeyCase c{"accented letter", "??", true, "a", 1, 0, '\xE9', true, "a\xE9", 2, 0, false};
  run(c);
}

}  // namespace
