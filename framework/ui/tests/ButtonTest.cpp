#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/tests/FormTestSupport.h"

namespace qn::ui::testing {
namespace {

// A dialog with an edit that has the focus, an OK (default) and a Cancel (cancel) button.
class ButtonDialog : public TForm {
  QN_CLASS(ButtonDialog, TForm)
 public:
  ButtonDialog() : TForm(nullptr) {
    SetBounds(100, 100, 300, 200);
    edit->SetParent(this);
    for (TButton* b : {ok, cancel, other}) b->SetParent(this);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    other->SetModalResult(mrRetry);
    ok->SetTop(40);
    cancel->SetTop(80);
    other->SetTop(120);
    ok->OnClick = [this](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [this](TObject*) { clicks.push_back("cancel"); };
    ActiveControlOnShow = edit;
  }
  TEdit* edit = new TEdit(this);
  TButton* ok = new TButton(this);
  TButton* cancel = new TButton(this);
  TButton* other = new TButton(this);
  TWinControl* ActiveControlOnShow;
  std::vector<std::string> clicks;
};

// Runs the dialog modally, pressing the key once it is active with the focus on focusTarget.
TModalResult runWithKey(ButtonDialog& dialog, TWinControl* focusTarget, WORD key) {
  postCall([&dialog, focusTarget, key] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
    focusTarget->SetFocus();
    postKeyStroke(key);
  });
  return dialog.runModal();
}

TEST(ButtonTest, EnterAndEscapePressTheDefaultAndCancelButtonsOfAModalForm) {
  qtApplication();
  struct Row {
    WORD key;
    TModalResult result;
    const char* clicked;
  };
  for (const Row& row : {Row{VK_RETURN, mrOk, "ok"}, Row{VK_ESCAPE, mrCancel, "cancel"}}) {
    ButtonDialog dialog;
    EXPECT_EQ(runWithKey(dialog, dialog.edit, row.key), row.result);
    EXPECT_EQ(dialog.clicks, std::vector<std::string>{row.clicked});
  }
}

TEST(ButtonTest, EnterPressesTheFocusedButtonRatherThanTheDefault) {
  qtApplication();
  ButtonDialog dialog;
  EXPECT_EQ(runWithKey(dialog, dialog.other, VK_RETURN), mrRetry);
  EXPECT_TRUE(dialog.clicks.empty());
}

TEST(ButtonTest, ADisabledDefaultButtonIsNotPressed) {
  qtApplication();
  ButtonDialog dialog;
  dialog.ok->SetEnabled(false);
  postCall([&dialog] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
    dialog.edit->SetFocus();
    postKeyStroke(VK_RETURN);
    postCall([&dialog] { dialog.SetModalResult(mrAbort); });
  });
  EXPECT_EQ(dialog.runModal(), mrAbort);
  EXPECT_TRUE(dialog.clicks.empty());
}

TEST(ButtonTest, SpaceAndAMouseClickEachClickTheFocusedButtonOnce) {
  qtApplication();
  ButtonDialog dialog;
  ASSERT_TRUE(showActive(dialog));
  dialog.ok->SetFocus();
  QTest::keyClick(dialog.ok->Window(), Qt::Key_Space);
  EXPECT_EQ(dialog.clicks, std::vector<std::string>{"ok"});
  QTest::mouseClick(dialog.cancel->Window(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(dialog.clicks, (std::vector<std::string>{"ok", "cancel"}));
  EXPECT_EQ(dialog.ModalResult(), mrCancel);
}

TEST(ButtonTest, TheCaptionIsShownAndPublished) {
  qtApplication();
  ButtonDialog dialog;
  ASSERT_TRUE(WriteStringProperty(dialog.ok, "Caption", "&Save"));
  EXPECT_EQ(static_cast<QPushButton*>(dialog.ok->Window())->text(), "&Save");
  EXPECT_EQ(ReadIntegerProperty(dialog.cancel, "ModalResult"), mrCancel);
}

}  // namespace
}  // namespace qn::ui::testing
