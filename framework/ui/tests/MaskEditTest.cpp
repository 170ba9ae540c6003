#include <gtest/gtest.h>

#include <QTest>

#include "framework/base/PublishedProperties.h"
#include "framework/ui/MaskEdit.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A masked edit whose permission to edit a test switches, counting the times it was asked.
class TAskingMaskEdit : public TCustomMaskEdit {
  QN_CLASS(TAskingMaskEdit, TCustomMaskEdit)
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
  bool mayModify = true;
  int asked = 0;

 protected:
  bool EditCanModify() override {
    ++asked;
    return mayModify;
  }
};

class MaskEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = new TAskingMaskEdit(form);
    edit->SetParent(form);
    edit->SetText("start");
    ASSERT_TRUE(showActive(*form));
    edit->SetFocus();
    edit->SetSelStart(5);
  }
  void TearDown() override { delete form; }

  void type(const char* text) { QTest::keyClicks(edit->Window(), text); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(edit->Window(), k, m); }

  TTestForm* form;
  TAskingMaskEdit* edit;
};

TEST_F(MaskEditTest, EscapeGivesBackTheTextOfWhenEditingBeganThenGoesToTheForm) {
  type("xy");
  key(Qt::Key_Backspace);
  ASSERT_EQ(edit->Text(), "startx");
  key(Qt::Key_Escape);
  EXPECT_EQ(edit->Text(), "start");
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(edit->SelLength(), 5) << "all selected";
  EXPECT_TRUE(form->dialogKeys.empty()) << "the reset used the key";

  key(Qt::Key_Escape);
  EXPECT_EQ(form->dialogKeys, std::vector<std::string>{std::to_string(VK_ESCAPE)});
}

TEST_F(MaskEditTest, TextSetByCodeIsWhereTheNextEditingBegins) {
  type("1");
  edit->SetText("other");
  edit->SetSelStart(5);
  type("2");
  key(Qt::Key_Escape);
  EXPECT_EQ(edit->Text(), "other");
}

TEST_F(MaskEditTest, EveryChangeByTheUserAsksWhetherItMayModifyCodeDoesNot) {
  edit->mayModify = false;
  type("ab");
  key(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "start");
  EXPECT_EQ(edit->asked, 3);
  edit->asked = 0;
  edit->SetText("by code");
  EXPECT_EQ(edit->Text(), "by code");
  EXPECT_EQ(edit->asked, 0);
  edit->mayModify = true;
  edit->SetSelStart(7);
  type("!");
  EXPECT_EQ(edit->Text(), "by code!");
}

TEST_F(MaskEditTest, TheEditMaskIsKeptAndPublished) {
  ASSERT_TRUE(WriteStringProperty(edit, "EditMask", "!99/99/00;1;_"));
  EXPECT_EQ(edit->EditMask(), "!99/99/00;1;_");
  type("x");
  EXPECT_EQ(edit->Text(), "startx") << "the mask is applied to nothing";
}

}  // namespace
}  // namespace qn::ui::testing
