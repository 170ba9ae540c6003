#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "framework/ui/Beep.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Memo.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A clipboard text with a character the code page lacks is refused whole; one that fits is
// pasted, "€" as its code-page byte.
class PasteCodePageTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = GetParam() ? static_cast<TCustomEdit*>(new TMemo(form)) : new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, GetParam() ? 80 : 21);
    ASSERT_TRUE(showActive(*form));
    edit->SetFocus();
    edit->SetText("keep");
    edit->SetSelStart(4);
  }
  void TearDown() override { delete form; }
  void paste(const char* utf8) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8));
    QTest::keyClick(edit->Window(), Qt::Key_V, Qt::ControlModifier);
  }

  TTestForm* form;
  TCustomEdit* edit;
};

TEST_P(PasteCodePageTest, TextWithoutCodePageBytesIsRefusedWholeWithOneBeep) {
  const int beeps = beepCount();
  paste("a\xE2\x86\x92" "b");  // a, rightwards arrow, b
  EXPECT_FALSE(Clipboard::TextFitsAnsi());
  EXPECT_EQ(edit->Text(), "keep");
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(beepCount(), beeps + 1);
}

TEST_P(PasteCodePageTest, TextOfCodePageCharactersIsPasted) {
  const int beeps = beepCount();
  paste("a\xE2\x82\xAC" "b");  // a, euro sign, b
  EXPECT_TRUE(Clipboard::TextFitsAnsi());
  EXPECT_EQ(edit->Text(), "keepa\x80" "b");
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(beepCount(), beeps);
}

INSTANTIATE_TEST_SUITE_P(OneLineAndMultiLine, PasteCodePageTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Memo" : "Edit"; });

}  // namespace
}  // namespace qn::ui::testing
