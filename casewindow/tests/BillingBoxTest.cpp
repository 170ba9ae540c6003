// The billing box docked in the main window on the demo: the Case Status 1 keys against the
// matter's money, bills, fees and receptors, the Case Status 2 changes that make or unmake a dummy
// or a receptor, the fee split rows removed all together or not at all, and a picture.
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "casewindow/BillingBoxF.h"
#include "casewindow/RatesF.h"
#include "casewindow/CaseSaveFlags.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "dialogs/FeeSplitF.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBEdit.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"

namespace casewindow_test {
namespace {

const AnsiString kSplitWarning = "Unable to open the Fee Split file.Please Call Vantor, Inc. for assistance.";
const AnsiString kContact = "\r\rPlease contact Vantor, Inc. for assistance.";

std::string imagePath(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(testProgramFolder()).parent_path() / "casewindow-images";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

class BillingBoxTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    ASSERT_TRUE(dm->OpenCaseTables());
    // ADAMS-1's trust and retainer amounts balance out; CARVER-1 has a current bill, DELTA-1 a
    // current fee.
    change("YCase.qf;RES:YCASE", "ADAMS", "1", [](TDataSet* t) {
      set(t, "CTD Trust Credits", "500.00");
      set(t, "CTD Trust Debits", "-500.00");
      set(t, "CTD Ret Payments", "1000.00");
      set(t, "CTD Ret Transfers", "1000.00");
    });
    append("bill.qf;RES:BILLS", [](TDataSet* t) {
      set(t, "Client Code", "CARVER");
      set(t, "Case Suffix", "      1");
      set(t, "Type", "B");
      set(t, "TransactionDate", "241201");
    });
    append("fee.qf;RES:FEES", [](TDataSet* t) {
      set(t, "Client Code", "DELTA");
      set(t, "Case Suffix", "      1");
      set(t, "Type", "F");
      set(t, "Transaction Date", "241203");
    });
    box = new TBillingBoxF(Application);
    caseF->Show();
    box->Show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
    MatterLoaded = true;
    // The box is shown with its matter, as when the header has found one.
    caseF->ShowRecordState(true);
    for (int right : {2, 5}) {
      savedRights[right] = ActiveFileRights[right];
      ActiveFileRights[right] = "Y";
    }
  }
  void TearDown() override {
    for (int right : {2, 5}) ActiveFileRights[right] = savedRights[right];
    if (dm->Case1_->State() != dsBrowse) dm->Case1_->Cancel();
    delete box;
    ApplyToReceptorsRequested = false;
    NewDummyWarningPending = false;
    MatterPanelsFixture::TearDown();
  }

  static void set(TDataSet* t, const char* field, const char* value) { t->FieldByName(field)->SetAsString(value); }
  static AnsiString key(const char* client) { return Format("%-7s", {AnsiString(client)}); }
  static AnsiString suffix(const char* s) { return Format("%7s", {AnsiString(s)}); }

  void append(const char* file, const std::function<void(TDataSet*)>& fill) {
    TdcTbTable t(nullptr);
    t.SetDatabaseName("QNWIN");
    t.SetTableName(DataDir + "\\" + file);
    t.Open();
    t.Append();
    fill(&t);
    t.Post();
  }
  void change(const char* file, const char* client, const char* s, const std::function<void(TDataSet*)>& fill) {
    TdcTbTable t(nullptr);
    t.SetDatabaseName("QNWIN");
    t.SetTableName(DataDir + "\\" + file);
    t.Open();
    t.SetIndexName("1");
    ASSERT_TRUE(t.FindKey({key(client), suffix(s)})) << client << "-" << s;
    t.Edit();
    fill(&t);
    t.Post();
  }
  // Case1_ on the matter, browsing, with nothing in the closing date.
  void go(const char* client, const char* s) {
    if (dm->Case1_->State() != dsBrowse) dm->Case1_->Cancel();
    dm->Case1_->SetIndexName("1");
    ASSERT_TRUE(dm->Case1_->FindKey({key(client), suffix(s)})) << client << "-" << s;
    box->DateClosed->SetText("");
  }
  // The key typed over the edit's whole text, and whatever it posted delivered.
  template <class Key>
  void typeOver(TdcDBEdit* edit, Key key) {
    edit->SetFocus();
    edit->SelectAll();
    QTest::keyClick(edit->Window(), key);
    Application->ProcessMessages();
  }
  // The fee split rows, "dummy-suffix>receptor-suffix", in key order.
  std::vector<std::string> splits() {
    TdcTbTable t(nullptr);
    t.SetDatabaseName("QNWIN");
    t.SetTableName(DataDir + "\\fsplit.QF;RES:FEESPLIT");
    t.Open();
    t.SetIndexName("1");
    std::vector<std::string> all;
    auto text = [&](const char* f) { return std::string(Trim(t.FieldByName(f)->AsString())); };
    for (t.First(); !t.Eof(); t.Next())
      all.push_back(text("DummyClient") + "-" + text("DummyCase") + ">" + text("ReceptorClient") + "-" +
                    text("ReceptorCase"));
    return all;
  }

  TBillingBoxF* box = nullptr;
  AnsiString savedRights[6];
};

TEST_F(BillingBoxTest, StatusOneKeysAgainstTheMattersState) {
  const AnsiString noAccess = "Sorry, you don't have access to this function.";
  const AnsiString trust = "A trust balance exists for this case.\rIt may not be closed at this time." + kContact;
  const AnsiString retainer = "A retainer balance exists for this case.\rIt may not be closed at this time." + kContact;
  const AnsiString receivable = "A receivable exists for this matter.\rIt may not be closed at this time.";
  const AnsiString activity = "Current period activity exists for this matter.\rIt may not be closed at this time.";
  const AnsiString openReceptors =
      "This is a dummy matter.  All of this matter's receptors must be closed before it can be closed.";
  const AnsiString noP = "Current period activity exists for this matter.\rA Status Code of 'P' is not valid." + kContact;
  const struct {
    const char* name;
    char key;
    const char* client;
    const char* suffix;
    std::function<void()> state;  // the matter's state before the key
    AnsiString message;           // empty: no box
    const char* text;             // the edit's text afterwards
    bool closedToday;
  } cases[] = {
      {"trust", 'X', "ADAMS", "1", [this] { set(dm->Case1_, "CTD Trust Debits", "-400.00"); }, trust, "", false},
      {"retainer", 'X', "ADAMS", "1", [this] { set(dm->Case1_, "CTD Ret Transfers", "600.00"); }, retainer, "", false},
      {"current bill", 'X', "CARVER", "1", [] {}, receivable, "", false},
      {"current fee", 'X', "DELTA", "1", [] {}, activity, "", false},
      {"open receptors", 'X', "BRIGHT", "10", [] {}, openReceptors, "", false},
      {"no file right 5", 'X', "ADAMS", "1", [] { ActiveFileRights[5] = "N"; }, noAccess, "", false},
      {"clean matter", 'X', "ADAMS", "1", [] {}, "", "X", true},
      {"lower case", 'x', "ADAMS", "1", [] {}, "", "X", true},
      {"P with current fees", 'P', "DELTA", "1", [] {}, noP, "", false},
      {"P without", 'P', "ADAMS", "1", [] {}, "", "P", true},
      {"another code", 'T', "CARVER", "1", [] {}, "", "T", false},
      {"outside the alphabet", 'Q', "ADAMS", "1", [] {}, TBillingBoxF::Status1Help, "", false},
      {"outside over a code", 'Z', "ADAMS", "1", [this] { set(dm->Case1_, "Case Status 1", "C"); },
       TBillingBoxF::Status1Help, "C", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    go(c.client, c.suffix);
    dm->Case1_->Edit();
    c.state();
    if (!c.message.empty()) boxes->expect(mtInformation, c.message);
    typeOver(box->BillingStatus1, c.key);
    EXPECT_EQ(box->BillingStatus1->Text(), c.text);
    EXPECT_EQ(box->DateClosed->Text().empty(), !c.closedToday);
    if (c.closedToday) {
      EXPECT_EQ(static_cast<int>(box->DateClosed->Date()), static_cast<int>(SystemDate));
    }
    ActiveFileRights[5] = "Y";
  }
}

TEST_F(BillingBoxTest, ADummyWhoseReceptorsAreAllClosedMayBeClosed) {
  for (const char* receptor : {"BRIGHT", "DELTA"})
    change("YCase.qf;RES:YCASE", receptor, "2", [](TDataSet* t) { set(t, "Case Status 1", "X"); });
  go("BRIGHT", "10");
  typeOver(box->BillingStatus1, 'X');
  EXPECT_EQ(box->BillingStatus1->Text(), "X");
  bool openFound = false;
  EXPECT_TRUE(box->DummyHasReceptors(openFound));
  EXPECT_FALSE(openFound);
}

TEST_F(BillingBoxTest, ReopeningAClosedDummyAsksAboutItsReceptors) {
  for (TModalResult answer : {mrYes, mrNo}) {
    SCOPED_TRACE(static_cast<int>(answer));
    go("BRIGHT", "10");
    dm->Case1_->Edit();
    set(dm->Case1_, "Case Status 1", "X");
    box->BillingStatus1->SetFocus();
    box->BillingStatus1->SetSelStart(1);
    boxes->expect(mtConfirmation,
                  "Do you wish to simultaneously open any closed receptors for this dummy case?", answer);
    QTest::keyClick(box->BillingStatus1->Window(), Qt::Key_Backspace);
    EXPECT_EQ(box->BillingStatus1->Text(), "");
    EXPECT_EQ(ApplyToReceptorsRequested, answer == mrYes);
  }
  // Not a dummy: no question.
  go("ADAMS", "1");
  dm->Case1_->Edit();
  set(dm->Case1_, "Case Status 1", "X");
  box->BillingStatus1->SetFocus();
  box->BillingStatus1->SetSelStart(1);
  QTest::keyClick(box->BillingStatus1->Window(), Qt::Key_Backspace);
  EXPECT_EQ(box->BillingStatus1->Text(), "");
  EXPECT_FALSE(ApplyToReceptorsRequested);
}

TEST_F(BillingBoxTest, F1ShowsTheHelpListsAsOneText) {
  go("ADAMS", "1");
  boxes->expect(mtInformation, TBillingBoxF::Status1Help);
  typeOver(box->BillingStatus1, Qt::Key_F1);
  boxes->expect(mtInformation, TBillingBoxF::Status2Help);
  typeOver(box->BillingStatus2, Qt::Key_F1);
  EXPECT_EQ(TBillingBoxF::Status2Help.substr(0, 45), "Allowable Case Billing Status 2 values are:\r\r");
  EXPECT_NE(TBillingBoxF::Status2Help.find("\rN\tNON-BILLABLE case - entered activity automatically\r\twritten down"),
            AnsiString::npos);
  EXPECT_EQ(box->BillingStatus2->Hint(),
            "Valid choices are <blank> or\rD     Dummy Case\rR     Receptor Case\rC     Contingency Case\rN     "
            "Non-Billable Case\rF     Frozen Case\r\rSee Help for more detail.");
}

TEST_F(BillingBoxTest, ContingencyToDummyAsksWithTheWordAndNoRestoresIt) {
  const struct {
    const char* from;
    const char* word;
  } cases[] = {{"C", "Contingency"}, {"F", "Frozen"}, {"N", "Non-Billable"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    go("ADAMS", "1");
    dm->Case1_->Edit();
    set(dm->Case1_, "Case Status 2", c.from);
    boxes->expect(mtWarning,
                  AnsiString("Assigning this matter the status of Dummy\rwill remove its status as a ") + c.word +
                      " matter.\r\rDo you wish to continue?",
                  mrNo);
    typeOver(box->BillingStatus2, 'D');
    EXPECT_EQ(box->BillingStatus2->Text(), c.from);
  }
}

TEST_F(BillingBoxTest, ADummyWithReceptorsKeepsItsStatus) {
  const std::vector<std::string> before = splits();
  go("BRIGHT", "10");
  boxes->expect(mtWarning,
                "One or more Receptors exist for this Dummy.\rThey must be removed before this matter's\rDummy "
                "status can be removed.\r\rClick on the Fee Split button to delete the\rreceptors, then try this "
                "operation again.");
  typeOver(box->BillingStatus2, Qt::Key_Delete);
  EXPECT_EQ(box->BillingStatus2->Text(), "D");
  EXPECT_EQ(splits(), before);
  // A code outside the list shows the help list.
  boxes->expect(mtInformation, TBillingBoxF::Status2Help);
  typeOver(box->BillingStatus2, 'Q');
}

TEST_F(BillingBoxTest, MakingAMatterAReceptorOpensTheFeeSplitForIt) {
  go("ADAMS", "1");
  TFeeSplitF* seen = nullptr;
  bool modelOffered = true;
  AnsiString caption;
  std::function<void()> waitForDialog;
  int waits = 0;
  waitForDialog = [&] {
    auto* form = dynamic_cast<TFeeSplitF*>(box->FindComponent("FeeSplitF"));
    TdcRecordViewForm* view = form ? form->FSplitRecordViewDialog->Form() : nullptr;
    if (!view || view->ModalResult() != mrNone) {
      if (++waits < 1000) qn::ui::postCall(waitForDialog);
      return;
    }
    seen = form;
    modelOffered = form->BitBtn3->Visible();
    caption = view->Caption();
    EXPECT_EQ(form->ReceptorClient, "ADAMS");
    EXPECT_EQ(form->ReceptorSuffix, "1");
    boxes->expect(mtConfirmation, "Are you sure you want to cancel this operation?", mrYes);
    form->FSplitRecordViewDialog->CancelClick();
  };
  qn::ui::postCall(waitForDialog);
  typeOver(box->BillingStatus2, 'R');
  ASSERT_NE(seen, nullptr) << "the fee split form was shown";
  EXPECT_FALSE(modelOffered);
  EXPECT_EQ(caption, "Assign Dummy to ADAMS-1");
  EXPECT_EQ(box->FindComponent("FeeSplitF"), nullptr) << "freed after its visit";
  EXPECT_FALSE(NewDummyWarningPending);
}

TEST_F(BillingBoxTest, AReceptorNoMoreLosesItsRowOnYes) {
  const std::vector<std::string> all = {"BRIGHT-10>BRIGHT-2", "BRIGHT-10>DELTA-2"};
  ASSERT_EQ(splits(), all);
  const AnsiString question = "Are you sure you want to remove this\rmatter's status as a Receptor?";
  go("BRIGHT", "2");
  boxes->expect(mtWarning, question, mrNo);
  typeOver(box->BillingStatus2, Qt::Key_Delete);
  EXPECT_EQ(box->BillingStatus2->Text(), "R");
  EXPECT_EQ(splits(), all);
  go("BRIGHT", "2");
  boxes->expect(mtWarning, question, mrYes);
  typeOver(box->BillingStatus2, Qt::Key_Delete);
  EXPECT_EQ(box->BillingStatus2->Text(), "");
  EXPECT_EQ(splits(), std::vector<std::string>{"BRIGHT-10>DELTA-2"});
}

TEST_F(BillingBoxTest, ADummysRowsGoAllTogetherOrNotAtAll) {
  const std::vector<std::string> all = splits();
  ASSERT_EQ(all.size(), 2u);
  go("BRIGHT", "10");
  int deletes = 0;
  box->FeeSplit_->BeforeDelete = [&](TDataSet*) {
    if (++deletes == 2) throw std::runtime_error("the second row cannot be deleted");
  };
  boxes->expect(mtWarning, kSplitWarning);
  EXPECT_FALSE(box->DeleteDummySplits());
  EXPECT_EQ(deletes, 2);
  EXPECT_EQ(splits(), all) << "the first row came back";
  EXPECT_FALSE(DM2->QNDatabase->InTransaction());
  box->FeeSplit_->BeforeDelete = nullptr;

  // Inside the caller's transaction the rows are the caller's to keep or roll back.
  DM2->QNDatabase->StartTransaction();
  EXPECT_TRUE(box->DeleteDummySplits());
  EXPECT_TRUE(DM2->QNDatabase->InTransaction());
  DM2->QNDatabase->Rollback();
  EXPECT_EQ(splits(), all);

  EXPECT_TRUE(box->DeleteDummySplits());
  EXPECT_TRUE(splits().empty());
  EXPECT_FALSE(box->FeeSplit_->Active());
}

TEST_F(BillingBoxTest, TheEnteredTransferBoxShowsRedAndAUsersClickEditsTheMatter) {
  go("ADAMS", "1");
  box->BillingRate->SetFocus();
  box->RTFeesCB->SetChecked(true);
  EXPECT_EQ(dm->Case1_->State(), dsBrowse) << "set by the program";
  box->RTIndirectCostsCB->SetFocus();
  EXPECT_EQ(box->RTIndirectCostsCB->Color(), clRed);
  EXPECT_EQ(box->LabelRTIndirectCosts->Color(), clRed);
  box->LabelRTSalesTax->Click();
  EXPECT_EQ(Screen->ActiveControl(), box->RTSalesTaxCB) << "a label's click focuses its box";
  EXPECT_EQ(box->LabelRTSalesTax->Color(), clRed);
  EXPECT_EQ(box->RTIndirectCostsCB->Color(), clScrollBar);
  EXPECT_EQ(box->LabelRTIndirectCosts->Color(), clScrollBar);
  ActiveFileRights[2] = "N";
  box->RTSalesTaxCB->Click();
  EXPECT_EQ(dm->Case1_->State(), dsBrowse) << "without the right to edit";
  ActiveFileRights[2] = "Y";
  box->RTSalesTaxCB->Click();
  EXPECT_EQ(dm->Case1_->State(), dsEdit) << "clicked by the user";
  box->FormDeactivate(box);
  EXPECT_EQ(box->RTSalesTaxCB->Color(), clScrollBar);
  EXPECT_EQ(box->LabelRTSalesTax->Color(), clScrollBar);
}

TEST_F(BillingBoxTest, DateKeysAndARateCodeWithoutCode) {
  go("ADAMS", "1");
  for (WORD key : {WORD(VK_NUMPAD0 + 7), WORD('Q')}) {
    WORD k = key;
    box->DateClosedKeyDown(box->DateClosed, k, {});
    EXPECT_EQ(k, key == 'Q' ? 0 : '7');
  }
  dm->Case1_->Edit();
  set(dm->Case1_, "Billing Rate Code", "");
  boxes->expect(mtInformation, "Please supply a billing rate.");
  box->LabelBillingRateCodeClick(box->LabelBillingRateCode);
  EXPECT_EQ(Screen->ActiveControl(), box->BillingRate);
  // No employee has rate code 9: the rates list opens on it, says so and closes itself.
  set(dm->Case1_, "Billing Rate Code", "9");
  boxes->expect(mtInformation, "There are no active employees who have a designated rate of 9 .");
  // The list says so from its timer, once the framework's clock has moved on.
  QTimer::singleShot(0, [this] { clock.advance(1000); });
  box->LabelBillingRateCodeClick(box->LabelBillingRateCode);
  EXPECT_EQ(RateCodeShown, "9 ");
}

TEST_F(BillingBoxTest, AFullRateCodeMovesOn) {
  go("ADAMS", "1");
  box->BillingRate->SetFocus();
  box->BillingRate->SelectAll();
  QTest::keyClicks(box->BillingRate->Window(), "0");
  Application->ProcessMessages();
  EXPECT_EQ(Screen->ActiveControl(), box->BillingRate) << "not full yet";
  QTest::keyClicks(box->BillingRate->Window(), "2");
  Application->ProcessMessages();
  EXPECT_NE(Screen->ActiveControl(), box->BillingRate);
  EXPECT_EQ(box->BillingRate->Text(), "02");
  // Another matter shown while the edit has the focus is no typing.
  box->BillingRate->SetFocus();
  go("BRIGHT", "1");
  Application->ProcessMessages();
  EXPECT_EQ(Screen->ActiveControl(), box->BillingRate);
}

TEST_F(BillingBoxTest, ThePanelIsDockedAndDrawn) {
  EXPECT_EQ(box->Parent(), caseF) << "the layout docks the panel";
  EXPECT_EQ(box->Width(), std::lround(295 * caseF->PixelsPerInch() / 120.0)) << "drawn 295 wide at 120 pixels per inch";
  EXPECT_TRUE(FindRegisteredClass("TBillingBoxF"));
  EXPECT_EQ(box->Name(), "BillingBoxF");
  go("BRIGHT", "10");
  box->DateOpened->SetDate(EncodeDate(2024, 5, 1));
  box->DateLastPosted->SetDate(EncodeDate(2024, 12, 1));
  box->RTFeesCB->SetChecked(true);
  box->RTSalesTaxCB->SetChecked(true);
  EXPECT_EQ(box->DateOpened->Text(), "05/01/24");
  EXPECT_EQ(box->BillingStatus2->Text(), "D");
  EXPECT_TRUE(box->Window()->grab().toImage().save(QString::fromStdString(imagePath("billing-box-bright-10.png"))));
  go("ADAMS", "1");
  EXPECT_TRUE(caseF->Window()->grab().toImage().save(QString::fromStdString(imagePath("case-billing-adams-1.png"))));
}

}  // namespace
}  // namespace casewindow_test
