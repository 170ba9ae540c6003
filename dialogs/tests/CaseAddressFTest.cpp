// A matter's addresses as a user meets them: the client's address shown in place of none, the
// substitute rules, delete, rights, the state-zip-country typing rule and copy and paste.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/Globals.h"
#include "datagrid/DBGrid.h"
#include "datagrid/IndicatorButton.h"
#include "datagrid/DBNavigator.h"
#include "datagrid/NavButton.h"
#include "datagrid/NavButtons.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "dialogs/CaseAddressF.h"
#include "dialogs/PasteF.h"
#include "dialogs/tests/CaseDataFixture.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "testing/TestFiles.h"

namespace dialogs_test {
namespace {

using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kNoAccess = "Sorry, you don't have access to this function.";

std::string address(const char* client, const char* suffix, const char* type, const char* name) {
  return std::string("Client Code = ") + client + "\nCase Suffix = \"" + suffix + "\"\nAddress Type = " + type +
         "\nName1 = " + name + "\n\n";
}

CaseAddressMatter matter(const char* client) {
  CaseAddressMatter m;
  m.Client = client;
  m.Suffix = "      1";
  m.ClientName = "Bright Mary";
  m.SecondName = "c/o Bright Trust";
  m.AddressLine1 = "1 Elm Road";
  m.AddressLine2 = "Floor 2";
  m.City = "Salem";
  m.StateZipCountry = "OR 97301";
  m.Phone1 = "555-0101";
  m.Phone2 = "555-0102";
  return m;
}

// ADAMS 1 has a substitute and an additional address; BRIGHT 1 none.
class CaseAddressFTest : public CaseDataFixture {
 protected:
  std::map<std::string, std::string> seedFiles() const override {
    auto files = CaseDataFixture::seedFiles();
    files["CaseAddr.qf"] = address("ADAMS", "      1", "S", "Adams Substitute") +
                           address("ADAMS", "      1", "X", "Adams Extra") +
                           address("ADAMS", "      2", "X", "Other matter");
    return files;
  }
  void SetUp() override {
    CaseDataFixture::SetUp();
    ActiveFileRights[2] = "Y";
    PasteF = new TPasteF(nullptr);
  }
  void TearDown() override {
    form.reset();
    delete PasteF;
    PasteF = nullptr;
    ActiveFileRights[2] = "";
    CaseDataFixture::TearDown();
  }
  void open(const char* client) {
    this->client = client;
    form = std::make_unique<TCaseAddressF>(nullptr);
    form->SetMatter(matter(client));
    form->Show();
  }
  // The next record view gets change, then OK (or Cancel).
  void inView(std::function<void(TDataSet&)> change, bool ok = true) {
    qn::ui::postCall([this, change, ok] {
      TdcRecordViewDialog* view = form->CaseAddressRecordViewDialog;
      ASSERT_NE(view->Form(), nullptr) << "the record view is open";
      EXPECT_EQ(view->Form()->Caption(), "Address for " + client + "-1");
      change(*DM->CaseAddresses);
      if (ok)
        view->OKClick();
      else
        view->CancelClick();
    });
  }
  std::vector<std::string> stored() {
    return rows("caseaddr.qf;RES:CASEADDR", {"Client Code", "Address Type", "Name1"});
  }
  void press(char key) {
    WORD k = static_cast<WORD>(key);
    form->FormKeyDown(form.get(), k, TShiftState{ssCtrl});
  }
  TdcNavButton* button(int index) { return form->dcDBNavigator1->Buttons()->GetButton(index); }

  std::unique_ptr<TCaseAddressF> form;
  AnsiString client;
};

TEST_F(CaseAddressFTest, WithoutAddressesTheClientsShowsAsSubstituteAndIsStoredOnlyWhenSaved) {
  open("BRIGHT");
  ASSERT_TRUE(form->ShowsClientAddress());
  EXPECT_EQ(DM->CaseAddresses->FieldByName("Address Type")->AsString(), "S");
  EXPECT_EQ(Trim(DM->CaseAddresses->FieldByName("Name1")->AsString()), "Bright Mary");
  EXPECT_EQ(form->Label1->Caption(),
            "Client Address shown. Use 'Edit Address' to modify && save as a matter-level address.");
  EXPECT_FALSE(button(5)->Enabled());
  EXPECT_FALSE(button(6)->Enabled());
  const auto before = stored();
  form.reset();
  EXPECT_EQ(stored(), before) << "closing writes nothing";

  open("BRIGHT");
  inView([](TDataSet& d) { d.FieldByName("Name1")->SetAsString("Bright Estate"); });
  form->EditAddressClick(form.get());
  EXPECT_FALSE(form->ShowsClientAddress());
  EXPECT_EQ(form->Label1->Caption(), "(Substitute Address is shown in ");
  EXPECT_TRUE(button(5)->Enabled());
  EXPECT_EQ(button(5)->Font()->Color(), clBlue);
  auto after = before;
  after.push_back("BRIGHT|S|Bright Estate");
  EXPECT_EQ(stored(), after);
}

TEST_F(CaseAddressFTest, ASubstituteIdenticalToTheClientsIsStoredOnlyAfterYes) {
  open("BRIGHT");
  const auto before = stored();
  ScriptedMessageBoxes boxes;
  const AnsiString question =
      "Do you really mean to save this matter's substitute address even though it's identical to your client's "
      "address?";
  boxes.expect(mtConfirmation, question, mrNo);
  boxes.expect(mtConfirmation, "Changes have been made!  Do you wish to save your changes?", mrNo);
  int tries = 0;
  const auto check = DM->CaseAddresses->BeforePost;
  DM->CaseAddresses->BeforePost = [&](TDataSet* d) {
    ++tries;
    check(d);
  };
  bool stayedOpen = false;
  // Once the refused save is over, the user cancels the view.
  std::function<void()> cancelAfterTry = [&] {
    if (tries == 0) return qn::ui::postCall(cancelAfterTry);
    stayedOpen = form->CaseAddressRecordViewDialog->Form() != nullptr;
    if (stayedOpen) form->CaseAddressRecordViewDialog->CancelClick();
  };
  qn::ui::postCall([&] {
    form->CaseAddressRecordViewDialog->OKClick();
    qn::ui::postCall(cancelAfterTry);
  });
  form->EditAddressClick(form.get());
  EXPECT_TRUE(stayedOpen) << "No keeps the record view open";
  EXPECT_EQ(stored(), before);
  EXPECT_TRUE(form->ShowsClientAddress()) << "the client's address is still shown";
  boxes.expect(mtConfirmation, question, mrYes);
  inView([](TDataSet&) {});
  form->EditAddressClick(form.get());
  EXPECT_EQ(stored().size(), before.size() + 1);
}

TEST_F(CaseAddressFTest, ASecondSubstituteIsToldAndStoredAsAdditional) {
  open("ADAMS");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation,
               "A Substitute Address already exists for this matter\rand only one is allowed.  To make this the\r"
               "Substitute Address, first uncheck the Substitute\rAddress box for the current Substitute Address.");
  TField* type = DM->CaseAddresses->FieldByName("Address Type");
  EXPECT_EQ(form->CaseAddressGrid->GetCellText(type), "substitute this address for the client address");
  DM->CaseAddresses->Last();
  EXPECT_EQ(form->CaseAddressGrid->GetCellText(type), "make this an additional address");
  inView([](TDataSet& d) { d.FieldByName("Address Type")->SetAsString("S"); });
  form->EditAddressClick(form.get());
  const auto all = stored();
  EXPECT_NE(std::find(all.begin(), all.end(), "ADAMS|X|Adams Extra"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "ADAMS|S|Adams Substitute"), all.end());
}

TEST_F(CaseAddressFTest, AddMakesAnAdditionalAddressFromTheClients) {
  open("ADAMS");
  inView([](TDataSet& d) { d.FieldByName("Name1")->SetAsString("Added"); });
  press('A');
  const auto all = stored();
  EXPECT_NE(std::find(all.begin(), all.end(), "ADAMS|X|Added"), all.end());
  EXPECT_EQ(all.size(), 4u);
}

TEST_F(CaseAddressFTest, DeleteAsksAndRemovesOneRecord) {
  open("ADAMS");
  const auto before = stored();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Are you sure you want to delete this address?", mrNo);
  press('D');
  EXPECT_EQ(stored(), before);
  boxes.expect(mtConfirmation, "Are you sure you want to delete this address?", mrYes);
  press('D');
  EXPECT_EQ(stored(), (std::vector<std::string>{"ADAMS|X|Adams Extra", "ADAMS|X|Other matter"}));
}

TEST_F(CaseAddressFTest, DeleteWithoutAddressesSaysNoneExist) {
  open("BRIGHT");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No addresses currently exist!");
  press('D');
}

TEST_F(CaseAddressFTest, WithoutTheRightToChangeMattersAddEditAndDeleteAreRefused) {
  ActiveFileRights[2] = "N";
  open("ADAMS");
  EXPECT_FALSE(button(5)->Enabled());
  const auto before = stored();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, kNoAccess);
  form->dcDBNavigator1InsertClick(form.get());
  boxes.expect(mtInformation, kNoAccess);
  form->EditAddressClick(form.get());
  boxes.expect(mtInformation, kNoAccess);
  form->DeleteAddressClick(form.get());
  boxes.expect(mtInformation, kNoAccess);
  form->dcDBGrid1IButton->Click();
  EXPECT_EQ(stored(), before);
}

// An address open for editing is held with its lock: another workstation cannot take it meanwhile,
// and can once the view is closed.
TEST_F(CaseAddressFTest, TheAddressBeingEditedIsLockedAgainstAnotherWorkstation) {
  open("ADAMS");
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/caseaddr.qf"), 0);
  ASSERT_EQ(form->CaseAddressGrid->IndicatorButton(), form->dcDBGrid1IButton);
  // Edit Address and the grid's corner button open the view alike.
  for (const bool byCornerButton : {false, true}) {
    SCOPED_TRACE(byCornerButton);
    ScriptedMessageBoxes boxes;
    // The record view asks whenever its record is being edited, even when nothing was typed.
    boxes.expect(mtConfirmation, "Changes have been made!  Do you wish to save your changes?", mrNo);
    int whileOpen = -1;
    inView([&](TDataSet&) { whileOpen = other.status("read 0 212 1"); }, false);
    if (byCornerButton)
      form->dcDBGrid1IButton->Click();
    else
      form->EditAddressClick(form.get());
    EXPECT_EQ(whileOpen, 84) << "the first address, the one being edited, is locked";
    EXPECT_EQ(other.status("read 0 212 1"), 0) << "the lock ends with the view";
    ASSERT_EQ(other.status("unlock 0 -1"), 0);
  }
  other.ask("close 0");
}

// Tried again until the view is open: it opens once the paste choices' own loop has ended.
void saveWhenOpen(TCaseAddressF* form) {
  if (!form->CaseAddressRecordViewDialog->Form()) return qn::ui::postCall([form] { saveWhenOpen(form); });
  form->CaseAddressRecordViewDialog->OKClick();
}

// The paste choices answered, then the record view the paste opens saved.
void pasteChoosing(TCaseAddressF& form, bool allTicked) {
  qn::ui::postCall([&form, allTicked] {
    for (CheckBox* box : PasteF->CheckBoxes) box->SetChecked(allTicked);
    PasteF->BitBtnSave->Click();
    saveWhenOpen(&form);
  });
  form.BitBtnPasteClick(&form);
}

const std::vector<std::string> kParts = {"Name1", "Name2", "AddressLine1", "AddressLine2", "City", "StateZipCountry",
                                         "Phone1", "Phone2"};

TEST_F(CaseAddressFTest, CopyThenPasteIntoAnotherMatterGivesAnEqualAdditionalAddress) {
  open("ADAMS");
  EXPECT_FALSE(form->BitBtnPaste->Enabled()) << "an empty clipboard has nothing to paste";
  form->BitBtnCopyClick(form.get());
  EXPECT_TRUE(form->BitBtnPaste->Enabled());
  const auto copied = rows("caseaddr.qf;RES:CASEADDR", kParts).front();
  form.reset();
  open("BRIGHT");
  ASSERT_TRUE(form->BitBtnPaste->Enabled()) << "the clipboard file holds the address";
  pasteChoosing(*form, true);
  std::vector<std::string> all = rows("caseaddr.qf;RES:CASEADDR", {"Client Code", "Address Type"});
  EXPECT_EQ(all.back(), "BRIGHT|X");
  EXPECT_EQ(rows("caseaddr.qf;RES:CASEADDR", kParts).back(), copied);
}

TEST_F(CaseAddressFTest, PastingWithEveryBoxUntickedGivesABlankAdditionalAddress) {
  open("ADAMS");
  form->BitBtnCopyClick(form.get());
  form.reset();
  open("BRIGHT");
  pasteChoosing(*form, false);
  EXPECT_EQ(rows("caseaddr.qf;RES:CASEADDR", {"Client Code", "Address Type"}).back(), "BRIGHT|X");
  for (const std::string& part : kParts)
    EXPECT_EQ(Trim(AnsiString(rows("caseaddr.qf;RES:CASEADDR", {part}).back())), "") << part;
}

TEST_F(CaseAddressFTest, AClipboardFileThatCannotBeMadeIsToldAndPasteStaysDisabled) {
  const std::string file = dataDir + "/addrclip.07";
  std::filesystem::create_symlink(dataDir + "/no such folder/addrclip.07", file);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to create the file " + LookupDataDir + "\\addrclip.07");
  open("ADAMS");
  EXPECT_TRUE(form->BitBtnPaste->Visible());
  EXPECT_FALSE(form->BitBtnPaste->Enabled());
}

TEST(StateZipCountryTyping, TwoLettersThenADigitAreUpperCasedBeforeIt) {
  struct Case {
    const char* text;
    char key;
    bool applies;
    const char* result;
  };
  for (const Case& c : {Case{"ny", '1', true, "NY1"}, Case{"NY1", '2', false, ""}, Case{"N", '1', false, ""},
                        Case{"ny", 'c', false, ""}, Case{"", 'n', false, ""}}) {
    const auto typed = StateZipCountryKey(c.text, c.key);
    ASSERT_EQ(typed.has_value(), c.applies) << c.text << c.key;
    if (!typed) continue;
    EXPECT_EQ(typed->Text, c.result);
    EXPECT_EQ(typed->Caret, 3);
  }
}

}  // namespace
}  // namespace dialogs_test
