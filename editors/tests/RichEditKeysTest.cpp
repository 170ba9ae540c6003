// The bound rich edit's keys and read-only rules: Escape gives the field's value back, a
// character the field refuses beeps, a paste with nothing to paste is no key at all.
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/Beep.h"
#include "framework/ui/Clipboard.h"

namespace richedittest {
namespace {

class RichEditKeysTest : public RichEditTest {};

TEST_F(RichEditKeysTest, EscapeGivesTheFieldsValueBack) {
  auto* edit = bound("Title");
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SetSelStart(5);
  type(edit, "ly");
  EXPECT_EQ(edit->Text(), "Firstly");
  key(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->Text(), "First");
}

TEST_F(RichEditKeysTest, ACharacterTheFieldRefusesBeepsAndIsDropped) {
  TFieldChars digits;
  for (char c = '0'; c <= '9'; ++c) digits.set(static_cast<unsigned char>(c));
  docs.FieldByName("Title")->SetValidChars(digits);
  auto* edit = bound("Title");
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SelectAll();
  const int beeps = qn::ui::beepCount();
  type(edit, "4x2");
  EXPECT_EQ(edit->Text(), "42");
  EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
}

TEST_F(RichEditKeysTest, APasteWithNothingToPasteIsConsumedAndEditsNothing) {
  auto* edit = bound("Title");
  ASSERT_TRUE(show());
  edit->SetFocus();
  Clipboard::Clear();
  key(edit, Qt::Key_V, Qt::ControlModifier);
  key(edit, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(docs.State(), dsBrowse);
  Clipboard::SetAsText("new ");
  edit->SetSelStart(0);
  key(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(docs.State(), dsEdit);
  EXPECT_EQ(edit->Text(), "new First");
}

TEST_F(RichEditKeysTest, ReadOnlyIsTheOwnFlagUnboundAndTheLinksOrTheDatasetsBound) {
  auto* unbound = place();
  EXPECT_FALSE(unbound->GetReadOnly());
  unbound->SetReadOnly(true);
  EXPECT_TRUE(unbound->GetReadOnly());
  auto* edit = bound("Notes");
  EXPECT_FALSE(edit->GetReadOnly());
  edit->SetReadOnly(true);
  EXPECT_TRUE(edit->GetReadOnly()) << "the link is read-only";
  edit->SetReadOnly(false);
  docs.Close();
  docs.SetReadOnly(true);
  docs.Open();
  EXPECT_TRUE(edit->GetReadOnly()) << "the dataset cannot be modified";
}

}  // namespace
}  // namespace richedittest
