// The tab dialog: which positions Set lists, in which order, and what OK gives the paragraph.
#include "editors/RichTabDialog.h"
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/ListBox.h"

namespace richedittest {
namespace {

class RichTabDialogTest : public RichEditTest {
 protected:
  void SetUp() override {
    RichEditTest::SetUp();
    edit = place();
    ASSERT_TRUE(show());
    edit->SetText("Columns");
    dialog = std::make_unique<TdcRichTabDialog>(nullptr, edit);
  }
  void TearDown() override {
    dialog.reset();
    RichEditTest::TearDown();
  }
  void set(const char* entry) {
    dialog->Edit1->SetText(entry);
    dialog->SetClick();
  }
  std::vector<std::string> listed() const {
    std::vector<std::string> lines;
    for (int i = 0; i < dialog->ListBox1->Items()->Count(); ++i) lines.push_back(dialog->ListBox1->Items()->Get(i));
    return lines;
  }

  TdcDBRichEdit* edit = nullptr;
  std::unique_ptr<TdcRichTabDialog> dialog;
};

TEST_F(RichTabDialogTest, TwentyThreeInchesIsRefusedSilentlyAndAPositionIsListedOnce) {
  set("23");
  EXPECT_TRUE(listed().empty());
  EXPECT_EQ(dialog->Edit1->Text(), "23") << "kept for mending";
  set("1.5");
  set("1.5''");
  EXPECT_EQ(listed(), (std::vector<std::string>{"1.5''"}));
}

TEST_F(RichTabDialogTest, StopsAtTwoAndTenInchesAreListedAndAppliedInThatOrder) {
  set("10");
  set("2");
  EXPECT_EQ(listed(), (std::vector<std::string>{"2''", "10''"}));
  dialog->OKClick();
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  EXPECT_EQ(edit->paragraphAttributes().tabs, (std::vector<int>{2880, 14400}));
}

TEST_F(RichTabDialogTest, OkWithAnInvalidEntryKeepsTheDialogOpen) {
  set("3");
  dialog->Edit1->SetText("abc");
  dialog->OKClick();
  EXPECT_EQ(dialog->ModalResult(), mrNone);
  EXPECT_TRUE(edit->paragraphAttributes().tabs.empty());
  dialog->Edit1->SetText("4");
  dialog->OKClick();
  EXPECT_EQ(edit->paragraphAttributes().tabs, (std::vector<int>{4320, 5760}));
}

}  // namespace
}  // namespace richedittest
