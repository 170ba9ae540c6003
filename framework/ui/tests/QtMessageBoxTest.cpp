#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/QtMessageBox.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

// What the box on the screen showed, read while it was open.
struct SeenBox {
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers the next box that opens by clicking the button `click`.
void clickWhenShown(QMessageBox::StandardButton click, SeenBox& seen) {
  QTimer::singleShot(10, [click, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      clickWhenShown(click, seen);
      return;
    }
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
    if (QAbstractButton* b = box->button(click)) b->click();
    else box->reject();
  });
}

TEST(QtMessageBoxTest, ShowsTextWithLineBreaksAndCodePage) {
  qn::ui::testing::qtApplication();
  SeenBox seen;
  clickWhenShown(QMessageBox::Ok, seen);
  EXPECT_EQ(MessageDlg("Caf\xE9 closed.\r\rPlease contact us.\r\nBye", mtWarning, {mbOK}, 0), mrOk);
  EXPECT_EQ(seen.text, QString::fromUtf8("Caf\u00e9 closed.\n\nPlease contact us.\nBye"));
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
}

TEST(QtMessageBoxTest, EveryButtonGivesItsAnswer) {
  qn::ui::testing::qtApplication();
  struct Case {
    TMsgDlgType kind;
    TMsgDlgButtons buttons;
    QMessageBox::StandardButton click;
    TModalResult expected;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton defaultButton;
  };
  using Q = QMessageBox;
  const Case cases[] = {
      {mtInformation, {mbOK}, Q::Ok, mrOk, Q::Information, Q::Ok},
      {mtInformation, mbOKCancel, Q::Cancel, mrCancel, Q::Information, Q::Ok},
      {mtConfirmation, {mbYes, mbNo}, Q::Yes, mrYes, Q::Question, Q::Yes},
      {mtConfirmation, {mbYes, mbNo}, Q::No, mrNo, Q::Question, Q::Yes},
      {mtConfirmation, mbYesNoCancel, Q::Cancel, mrCancel, Q::Question, Q::Yes},
      {mtError, {mbRetry, mbCancel}, Q::Retry, mrRetry, Q::Critical, Q::Retry},
      {mtWarning, mbAbortRetryIgnore, Q::Abort, mrAbort, Q::Warning, Q::Abort},
      {mtWarning, mbAbortRetryIgnore, Q::Ignore, mrIgnore, Q::Warning, Q::Abort},
      {mtCustom, {mbOK}, Q::Ok, mrOk, Q::NoIcon, Q::Ok},
  };
  for (const Case& c : cases) {
    SeenBox seen;
    clickWhenShown(c.click, seen);
    EXPECT_EQ(MessageDlg("Question", c.kind, c.buttons, 0), c.expected) << c.click;
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.defaultButton, c.defaultButton);
    QMessageBox::StandardButtons expectedButtons;
    for (auto [b, q] : {std::pair{mbYes, Q::Yes}, {mbNo, Q::No}, {mbOK, Q::Ok}, {mbCancel, Q::Cancel},
                        {mbAbort, Q::Abort}, {mbRetry, Q::Retry}, {mbIgnore, Q::Ignore}})
      if (c.buttons.Contains(b)) expectedButtons |= q;
    EXPECT_EQ(seen.buttons, expectedButtons);
  }
}

TEST(QtMessageBoxTest, ClosedWithoutAButtonAnswersCancelWhenOffered) {
  qn::ui::testing::qtApplication();
  SeenBox seen;
  clickWhenShown(QMessageBox::NoButton, seen);  // closed by the window, not a button
  EXPECT_EQ(MessageDlg("Leave?", mtConfirmation, mbYesNoCancel, 0), mrCancel);
}

TEST(QtMessageBoxTest, BoxAfterTerminationRequestStillWaitsForItsAnswer) {
  // A start-up that asks for its end goes on until the loop ends, and its later boxes are read.
  qn::ui::testing::qtApplication();
  Application->Terminate();
  SeenBox seen;
  clickWhenShown(QMessageBox::No, seen);
  EXPECT_EQ(MessageDlg("Second message", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(seen.text, "Second message");
}

}  // namespace
