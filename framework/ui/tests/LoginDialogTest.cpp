#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include "framework/ui/LoginDialogs.h"
#include "framework/ui/testing/ScriptedServices.h"
#include "framework/ui/tests/FormTestSupport.h"

namespace qn::ui::testing {
namespace {

TEST(LoginDialogTest, TheScriptAnswersUserAndPasswordAndCancel) {
  qtApplication();
  ScriptedLoginDialogs dialogs;
  dialogs.expectLogin("CASES", LoginAnswer{"jsmith", "s3cret"}).expectLogin("CASES", std::nullopt);
  dialogs.expectPassword("YCase.QF", AnsiString("owner")).expectPassword("YCase.QF", std::nullopt);

  auto first = showLoginDialog({"CASES", "admin"});
  ASSERT_TRUE(first);
  EXPECT_EQ(first->userName, "jsmith");
  EXPECT_EQ(first->password, "s3cret");
  EXPECT_FALSE(showLoginDialog({"CASES", "admin"})) << "Cancel";
  EXPECT_EQ(dialogs.loginsShown().at(0).userName, "admin");
  EXPECT_EQ(showPasswordDialog("YCase.QF"), AnsiString("owner"));
  EXPECT_FALSE(showPasswordDialog("YCase.QF"));
}

TEST(LoginDialogTest, TheFormUnderTheDialogIsDeactivatedWhileItIsOpen) {
  qtApplication();
  ScriptedLoginDialogs dialogs;
  dialogs.expectPassword("YCase.QF", AnsiString("owner"));
  EXPECT_EQ(activationLogAround([] { showPasswordDialog("YCase.QF"); }), (Log{"deactivate F", "activate F"}));
}

TEST(LoginDialogTest, TheProgramsDialogAnswersWhatWasTyped) {
  qtApplication();
  QTimer typist;
  QObject::connect(&typist, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    typist.stop();
    const auto edits = dialog->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 2);
    edits[0]->setText("jsmith");
    edits[1]->setText("s3cret");
    dialog->accept();
  });
  typist.start(20);
  auto answer = showLoginDialog({"CASES", "admin"});
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->userName, "jsmith");
  EXPECT_EQ(answer->password, "s3cret");
}

}  // namespace
}  // namespace qn::ui::testing
