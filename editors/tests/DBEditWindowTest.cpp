// The window switches of the masked edit: wrapping makes the window again at every assignment,
// the scroll bar only when it changes; text and selection stay.
#include <QPointer>

#include "editors/DBEdit.h"
#include "editors/tests/EditorsFixture.h"

namespace editorstest {
namespace {

class DBEditWindowTest : public EditorsTest {};

TEST_F(DBEditWindowTest, WordWrapMakesTheWindowAgainEveryTimeTheScrollBarOnlyOnAChange) {
  auto* edit = place<TdcDBEdit>(10, 160, 60);
  ASSERT_TRUE(show());
  edit->SetText("a text that wraps inside the edit at its words");
  edit->SetSelStart(2);
  edit->SetSelLength(4);
  QPointer<QWidget> window = edit->Window();
  edit->SetWordWrap(true);
  EXPECT_TRUE(window.isNull()) << "made again";
  window = edit->Window();
  edit->SetWordWrap(true);
  EXPECT_TRUE(window.isNull()) << "made again for the same value too";
  EXPECT_GT(edit->LineCount(), 1);
  window = edit->Window();
  edit->SetShowVertScrollBar(false);
  EXPECT_FALSE(window.isNull()) << "no change, the same window";
  edit->SetShowVertScrollBar(true);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(edit->Text(), "a text that wraps inside the edit at its words");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 4);
}

TEST_F(DBEditWindowTest, AnEditOneLineHighDoesNotWrap) {
  auto* edit = place<TdcDBEdit>(10, 60, 14);
  ASSERT_TRUE(show());
  edit->SetText("a text too long for the edit");
  edit->SetWordWrap(true);
  EXPECT_EQ(edit->LineCount(), 1);
}

}  // namespace
}  // namespace editorstest
