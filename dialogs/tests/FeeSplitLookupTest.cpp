// The client and matter boxes of the fee split's record dialogs: the client picked through its
// combo is written into the row, and the matter combo then lists that client's matters only.
#include <gtest/gtest.h>
#include <QTest>

#include <functional>
#include <set>

#include "datagrid/DcTbTable.h"
#include "datagrid/Intl.h"
#include "datagrid/IntlDialogTexts.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "dialogs/tests/FeeSplitFixture.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/SafeDispatch.h"

namespace dialogs_test {
namespace {

class FeeSplitLookupTest : public FeeSplitFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    std::map<std::string, std::string> s = FeeSplitFixture::seeds();
    s["YClient.qf"] = clientSeed("DUM", "Dummy") + clientSeed("NEW", "New") + clientSeed("R1", "One") +
                      clientSeed("R2", "Two") + clientSeed("R3", "Three");
    s["YCase.qf"] += caseSeed("R2", 2, "") + caseSeed("R3", 4, "");
    return s;
  }
  // The client combo moved down its list until it stands on the client, then Enter.
  void pickClient(const char* client) {
    TdcDBLookupCombo* c = form->ClientCombo;
    c->SetFocus();
    c->DropDown();
    for (int i = 0; i < 10 && Trim(c->LookupValue()) != client; ++i)
      QTest::keyClick(c->Window(), Qt::Key_Down);
    QTest::keyClick(c->Window(), Qt::Key_Return);
    // Leaving the box hands the pick to the row.
    form->MatterCombo->SetFocus();
  }
  // The matters the matter combo lists: client code and suffix of each row of its table.
  std::set<std::string> listedMatters() {
    std::set<std::string> listed;
    TdcTbTable* t = form->MatterLookup;
    for (t->First(); !t->Eof(); t->Next())
      listed.insert(std::string(Trim(t->FieldByName("Client Code")->AsString())) + "-" +
                    std::string(Trim(t->FieldByName("Case Suffix")->AsString())));
    return listed;
  }
  // Runs in the open dialog: the row's client and matter boxes are the form's combos.
  void expectBorrowed(TdcRecordViewDialog& view) {
    ASSERT_NE(view.Form(), nullptr);
    EXPECT_EQ(static_cast<const void*>(form->ClientCombo->Parent()), static_cast<const void*>(view.Form()->ScrollBox));
    EXPECT_EQ(static_cast<const void*>(form->MatterCombo->Parent()), static_cast<const void*>(view.Form()->ScrollBox));
  }
};

TEST_F(FeeSplitLookupTest, AReceptorsClientPickedInItsComboIsWrittenAndLimitsTheMatterCombo) {
  visit("DUM", 1);
  std::set<std::string> before, after;
  AnsiString written;
  qn::ui::postCall([&] {
    TdcRecordViewDialog& view = *form->FSplitRecordViewDialog;
    expectBorrowed(view);
    before = listedMatters();
    pickClient("R2");
    written = form->FSplit->FieldByName("ReceptorClient")->AsString();
    after = listedMatters();
    view.CancelClick();
  });
  // The row was touched: the dialog asks before giving it up.
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, dcIntlDefaults->UserMessages()->RecordViewExitWarning, mrNo);
  form->AddReceptorClick(nullptr);
  EXPECT_TRUE(before.empty()) << "no client yet, no matters";
  EXPECT_EQ(Trim(written), "R2");
  EXPECT_EQ(after, (std::set<std::string>{"R2-1", "R2-2"}));
  EXPECT_FALSE(form->ClientCombo->Visible()) << "the combo went home with the dialog";
}

TEST_F(FeeSplitLookupTest, TheTargetPickersClientComboFillsTheDummyClient) {
  form->Picker = true;
  AnsiString written;
  std::set<std::string> after;
  qn::ui::postCall([&] {
    TdcRecordViewDialog& view = *form->FSplitRecordViewDialog;
    expectBorrowed(view);
    pickClient("R3");
    written = form->FSplit->FieldByName("DummyClient")->AsString();
    after = listedMatters();
    view.CancelClick();
  });
  form->PickTarget();
  EXPECT_EQ(Trim(written), "R3");
  EXPECT_EQ(after, (std::set<std::string>{"R3-1", "R3-4"}));
}

}  // namespace
}  // namespace dialogs_test
