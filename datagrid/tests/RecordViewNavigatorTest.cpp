// The navigator panel at the top of the record view form: the navigator the dialog makes, or one
// it borrows from the owner form for as long as the form is open.
#include <gtest/gtest.h>

#include "datagrid/DBNavigator.h"
#include "datagrid/NavButton.h"
#include "datagrid/NavButtons.h"
#include "datagrid/tests/RecordViewDialogFixture.h"
#include "framework/ui/Panel.h"

using recordviewtest::RecordViewDialogTest;

namespace {

using RecordViewNavigatorTest = RecordViewDialogTest;

TEST_F(RecordViewNavigatorTest, TheMadeNavigatorSitsOnItsPanelAboveTheRecord) {
  struct Case {
    bool flat;
    int top;
  };
  for (const Case c : {Case{true, 1}, Case{false, 8}}) {
    SCOPED_TRACE(c.flat);
    dialog->NavigatorFlat = c.flat;
    bool ran = false;
    Run([&](TdcRecordViewForm& form) {
      ran = true;
      TdcDBNavigator* navigator = form.Navigator;
      TPanel* panel = form.NavigatorPanel;
      ASSERT_NE(navigator, nullptr);
      ASSERT_NE(panel, nullptr);
      EXPECT_EQ(navigator->Parent(), panel);
      EXPECT_TRUE(navigator->Visible());
      EXPECT_EQ(navigator->Flat(), c.flat);
      EXPECT_EQ(navigator->DataSource(), &source);
      EXPECT_EQ(navigator->AutosizeStyle(), asNone);
      EXPECT_TRUE(navigator->ShowHint());
      EXPECT_EQ(navigator->Left(), 8);
      EXPECT_EQ(navigator->Top(), c.top);
      EXPECT_EQ(navigator->Height(), 25);
      if (c.flat) {
        EXPECT_EQ(panel->Height(), navigator->Height() + 2) << "a flat navigator's panel hugs it";
      }
      EXPECT_GT(panel->Width(), 10);
      EXPECT_EQ(navigator->Width(), panel->Width() - 10);
      EXPECT_EQ(panel->Top(), 0);
      EXPECT_EQ(form.RecordPanel->Top(), panel->Height()) << "the record lies below the navigator";
    });
    EXPECT_TRUE(ran);
  }
}

TEST_F(RecordViewNavigatorTest, TheMadeNavigatorShowsTheDialogsButtons) {
  dialog->NavigatorButtons = {nbsFirst, nbsNext, nbsPost};
  Run([&](TdcRecordViewForm& form) {
    ASSERT_NE(form.Navigator, nullptr);
    TdcNavButtons* buttons = form.Navigator->Buttons();
    ASSERT_GT(buttons->Count(), 0);
    for (int i = 0; i < buttons->Count(); ++i) {
      const TdcNavButton* button = buttons->GetButton(i);
      SCOPED_TRACE(kNavButtonStyleType.NameOf(button->Style()));
      EXPECT_EQ(button->Visible(), dialog->NavigatorButtons.Contains(button->Style()));
    }
  });
}

TEST_F(RecordViewNavigatorTest, HidingTheNavigatorLeavesTheRecordAtTheTop) {
  dialog->Options.Include(rvoHideNavigator);
  Run([&](TdcRecordViewForm& form) {
    EXPECT_EQ(form.Navigator, nullptr);
    EXPECT_EQ(form.NavigatorPanel, nullptr);
    EXPECT_EQ(form.RecordPanel->Top(), 0);
  });
}

// The owner form's navigator is lent to the form, modal or not, and goes back hidden.
TEST_F(RecordViewNavigatorTest, ABorrowedNavigatorGoesBackHidden) {
  for (const bool modal : {true, false}) {
    SCOPED_TRACE(modal);
    auto* own = new TdcDBNavigator(&ownerForm);
    own->SetParent(&ownerForm);
    own->Show();
    dialog->SetNavigator(own);
    EXPECT_FALSE(own->Visible()) << "a navigator given to the dialog hides";
    if (modal) dialog->Options.Include(rvoModalForm);
    else dialog->Options.Exclude(rvoModalForm);
    auto lent = [&](TdcRecordViewForm& form) {
      EXPECT_EQ(form.Navigator, own);
      EXPECT_EQ(own->Parent(), form.NavigatorPanel);
      EXPECT_TRUE(own->Visible());
      EXPECT_EQ(own->DataSource(), &source);
    };
    if (modal) {
      Run(lent);
    } else {
      ASSERT_TRUE(dialog->Execute());
      ASSERT_NE(dialog->Form(), nullptr);
      lent(*dialog->Form());
      dialog->CancelClick();
      EXPECT_EQ(dialog->Form(), nullptr);
    }
    EXPECT_EQ(own->Parent(), &ownerForm);
    EXPECT_FALSE(own->Visible());
    delete own;
    EXPECT_EQ(dialog->Navigator(), nullptr) << "a freed navigator is forgotten";
  }
}

}  // namespace
