#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "framework/ui/FindReplaceDialog.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "framework/ui/tests/FormTestSupport.h"

namespace qn::ui::testing {
namespace {

// What the dialog told its owner, with the fields as they were then.
struct Heard {
  Log log;
  void listen(FindReplaceDialog& dialog) {
    dialog.OnFind = [this](TObject* sender) {
      auto* d = static_cast<FindReplaceDialog*>(sender);
      log.push_back("find " + d->FindText + (d->MatchCase ? " case" : "") + (d->WholeWord ? " word" : ""));
    };
    dialog.OnReplace = [this](TObject* sender) {
      auto* d = static_cast<FindReplaceDialog*>(sender);
      const char* what = d->LastAction == FindReplaceAction::replaceAll ? "replace all " : "replace ";
      log.push_back(what + d->FindText + " by " + d->ReplaceText);
    };
    dialog.OnClose = [this](TObject*) { log.push_back("close"); };
  }
};

TEST(FindReplaceDialogTest, AScriptedWindowStaysOpenAndItsButtonsTellTheOwner) {
  qtApplication();
  ScriptedDialogs dialogs;
  dialogs.expectFindReplace(FindReplaceKind::replace);
  FindReplaceDialog replace(nullptr, FindReplaceKind::replace);
  Heard heard;
  heard.listen(replace);
  replace.FindText = "Smith";
  replace.Execute();
  ASSERT_TRUE(replace.Showing());
  EXPECT_EQ(dialogs.openFindReplaceDialogs(), std::vector<FindReplaceDialog*>{&replace});

  replace.ReplaceText = "Smyth";
  replace.FindNext();
  replace.Replace();
  replace.ReplaceAll();
  replace.Execute();  // open already: no second window
  replace.CloseDialog();
  replace.CloseDialog();
  EXPECT_FALSE(replace.Showing());
  EXPECT_TRUE(dialogs.openFindReplaceDialogs().empty());
  EXPECT_EQ(heard.log, (Log{"find Smith", "replace Smith by Smyth", "replace all Smith by Smyth", "close"}));
}

QDialog* openQtDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) return d;
  return nullptr;
}

QPushButton* buttonOf(QDialog* dialog, const QString& caption) {
  for (QPushButton* b : dialog->findChildren<QPushButton*>())
    if (b->text() == caption) return b;
  return nullptr;
}

TEST(FindReplaceDialogTest, TheProgramsWindowIsModelessAndPassesWhatWasTyped) {
  qtApplication();
  Log log;
  TLoggedForm form(log, "F");
  ASSERT_TRUE(showActive(form));
  FindReplaceDialog find(&form, FindReplaceKind::find);
  find.HideDirection = true;
  find.FindText = "docket";
  Heard heard;
  heard.listen(find);
  find.Execute();  // returns at once
  QDialog* window = openQtDialog();
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->isModal());
  const auto edits = window->findChildren<QLineEdit*>();
  ASSERT_EQ(edits.size(), 1) << "a find dialog has no replacement field";
  EXPECT_EQ(edits[0]->text(), "docket");
  for (QRadioButton* r : window->findChildren<QRadioButton*>()) EXPECT_FALSE(r->isVisible()) << "direction hidden";

  edits[0]->setText("hearing");
  for (QCheckBox* box : window->findChildren<QCheckBox*>())
    if (box->text() == "Match &case") box->setChecked(true);
  ASSERT_TRUE(buttonOf(window, "&Find Next"));
  buttonOf(window, "&Find Next")->click();
  ASSERT_TRUE(buttonOf(window, "Cancel"));
  buttonOf(window, "Cancel")->click();
  EXPECT_FALSE(find.Showing());
  EXPECT_EQ(heard.log, (Log{"find hearing case", "close"}));
}

TEST(FindReplaceDialogTest, TheProgramsReplaceWindowOffersReplaceAll) {
  qtApplication();
  FindReplaceDialog replace(nullptr, FindReplaceKind::replace);
  replace.ReplaceText = "Jones";
  Heard heard;
  heard.listen(replace);
  replace.Execute();
  QDialog* window = openQtDialog();
  ASSERT_TRUE(window);
  const auto edits = window->findChildren<QLineEdit*>();
  ASSERT_EQ(edits.size(), 2);
  EXPECT_EQ(edits[1]->text(), "Jones");
  edits[0]->setText("Smith");
  ASSERT_TRUE(buttonOf(window, "Replace &All"));
  buttonOf(window, "Replace &All")->click();
  EXPECT_EQ(heard.log, (Log{"replace all Smith by Jones"}));
  // The program closes it: the window goes without a second close notice.
  replace.CloseDialog();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(openQtDialog(), nullptr);
  EXPECT_EQ(heard.log, (Log{"replace all Smith by Jones", "close"}));
}

}  // namespace
}  // namespace qn::ui::testing
