// The main window's key hook with real keys on the demo: the Alt letters of each mode click their
// buttons (stand-ins named as the tables name them where the button is not built), the first
// letters typed into the header narrow its lists, the filter dialog's value edit refuses keys
// without a field, and releases on a few controls.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cctype>
#include <memory>
#include <stdexcept>
#include <string>

#include "casewindow/CaseDescriptionF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/EBF2F.h"
#include "casewindow/HostedPanels.h"
#include "casewindow/KeyDispatchTables.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "datagrid/FilterDialogForm.h"
#include "dialogs/CaseGridF.h"
#include "dialogs/MemoF.h"
#include "dialogs/NarrF.h"
#include "dialogs/NarrativeCodes.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Messages.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

namespace casewindow_test {
namespace {

class KeyDispatchTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    ClientCaseLookF1 = header = new TClientCaseLookF1(Application);
    description = new TCaseDescriptionF(Application);
  }
  void TearDown() override {
    CalendarMode = CalendarParameter = CalendarSearchMode = false;
    ListCasesInNumericOrder = false;
    ClientRangePending = ClientNameRangePending = false;
    delete caseF;
    caseF = nullptr;
    ClientCaseLookF1 = nullptr;
    MatterPanelsFixture::TearDown();
  }

  void startIn(const char* date) {
    startWith({date});
    show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }

  // The row's control, or a stand-in button of that name where the row's owner has none.
  TControl* target(const AltKeyRow& row) {
    TComponent* owner = caseF;
    if (row.panel) {
      const std::string path = row.panel;
      const std::size_t dot = path.find('.');
      owner = FindHostedPanel(path.substr(0, dot));
      if (!owner) return nullptr;
      if (dot != std::string::npos) {
        const AnsiString dialog = path.substr(dot + 1);
        if (!owner->FindComponent(dialog)) {
          auto* form = new TForm(owner);
          form->SetName(dialog);
        }
        owner = owner->FindComponent(dialog);
      }
    }
    if (auto* control = dynamic_cast<TControl*>(owner->FindComponent(row.control))) return control;
    auto* parent = dynamic_cast<TWinControl*>(owner);
    auto* button = PlaceControl<GlyphButton>(owner, parent, 0, 0, 20, 20);
    button->SetName(row.control);
    return button;
  }

  // Alt and the letter, as the user presses them, to the control with the focus.
  void pressAlt(char letter) {
    const int key = letter >= '0' && letter <= '9' ? Qt::Key_0 + (letter - '0') : Qt::Key_A + (letter - 'A');
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : caseF->Window(), static_cast<Qt::Key>(key), Qt::AltModifier);
  }

  bool handledBy(unsigned message, std::intptr_t wparam, TWinControl* control = nullptr) {
    TMsg msg{control ? control : caseF, message, wparam, 0};
    bool handled = false;
    caseF->AppMessage(msg, handled);
    return handled;
  }

  // Each row: the click runs once; under its condition's opposite the key is still taken and
  // nothing runs.
  template <std::size_t N>
  void checkRows(const std::array<AltKeyRow, N>& rows) {
    for (const AltKeyRow& row : rows) {
      SCOPED_TRACE(std::string(1, row.letter) + " " + row.control);
      TControl* button = target(row);
      ASSERT_NE(button, nullptr);
      int clicks = 0;
      button->OnClick = [&clicks](TObject*) { ++clicks; };
      button->SetEnabled(true);
      button->SetVisible(true);
      pressAlt(row.letter);
      EXPECT_EQ(clicks, 1);
      if (row.when == ClickWhen::Enabled) {
        button->SetEnabled(false);
        pressAlt(row.letter);
        EXPECT_EQ(clicks, 1);
        EXPECT_TRUE(handledBy(WM_SYSCHAR, std::tolower(row.letter)));
      }
      button->OnClick = nullptr;
    }
  }

  TClientCaseLookF1* header = nullptr;
  TCaseDescriptionF* description = nullptr;
};

TEST_F(KeyDispatchTest, CaseModeLettersClickTheirButtons) {
  startIn("250101");
  checkRows(kCaseAltKeys);
}

TEST_F(KeyDispatchTest, CalendarModeLettersClickTheirButtons) {
  startIn("250101d");
  ASSERT_TRUE(CalendarMode);
  checkRows(kCalendarAltKeys);
}

TEST_F(KeyDispatchTest, CalendarSearchLettersClickTheSearchButtons) {
  startIn("250101d");
  CalendarSearchMode = true;
  checkRows(kCalendarSearchAltKeys);
  // The dialog-busy flag does not stop them.
  caseF->DialogBusy = true;
  EXPECT_TRUE(handledBy(WM_SYSCHAR, 'x'));
}

TEST_F(KeyDispatchTest, TheDescriptionsDialogTakesCopyAndPasteFirst) {
  startIn("250101");
  checkRows(kDescriptionsDialogAltKeys);
  // A hidden copy button leaves Alt+C to the case screen's client button.
  TControl* copy = target(kDescriptionsDialogAltKeys[0]);
  int copies = 0, clientScreens = 0;
  copy->OnClick = [&copies](TObject*) { ++copies; };
  caseF->ClientScreenBitBtn->OnClick = [&clientScreens](TObject*) { ++clientScreens; };
  copy->SetVisible(false);
  pressAlt('C');
  EXPECT_EQ(copies, 0);
  EXPECT_EQ(clientScreens, 1);
  caseF->ClientScreenBitBtn->OnClick = nullptr;
}

TEST_F(KeyDispatchTest, AltSWithSaveDisabledIsSwallowedAndNothingRuns) {
  startIn("250101");
  int saves = 0;
  caseF->SaveBitBtn->OnClick = [&saves](TObject*) { ++saves; };
  caseF->SaveBitBtn->SetEnabled(false);
  pressAlt('S');
  EXPECT_EQ(saves, 0);
  EXPECT_TRUE(handledBy(WM_SYSKEYDOWN, 'S'));
  EXPECT_TRUE(handledBy(WM_SYSCHAR, 's'));
  EXPECT_EQ(saves, 0);
}

TEST_F(KeyDispatchTest, WhileADialogIsBusyTheCaseLettersDoNothing) {
  startIn("250101");
  caseF->DialogBusy = true;
  for (const AltKeyRow& row : kCaseAltKeys) {
    SCOPED_TRACE(std::string(1, row.letter));
    TControl* button = target(row);
    int clicks = 0;
    button->OnClick = [&clicks](TObject*) { ++clicks; };
    button->SetEnabled(true);
    pressAlt(row.letter);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(handledBy(WM_SYSCHAR, std::tolower(row.letter)));
    button->OnClick = nullptr;
  }
}

TEST_F(KeyDispatchTest, AnUnlistedLetterIsPassedOn) {
  startIn("250101");
  for (char letter : {'Q', 'Z', '7'}) {
    SCOPED_TRACE(std::string(1, letter));
    EXPECT_FALSE(handledBy(WM_SYSKEYDOWN, letter));
    EXPECT_FALSE(handledBy(WM_SYSCHAR, std::tolower(letter)));
  }
  // The numeric pad's 4 is not the digit 4 of the account-status button.
  EXPECT_FALSE(handledBy(WM_SYSKEYDOWN, 0x64));
}

TEST_F(KeyDispatchTest, NothingIsHandledBeforeTheShowHandler) {
  int saves = 0;
  caseF->SaveBitBtn->OnClick = [&saves](TObject*) { ++saves; };
  caseF->SaveBitBtn->SetEnabled(true);
  EXPECT_FALSE(handledBy(WM_SYSCHAR, 's'));
  EXPECT_EQ(saves, 0);
  startIn("250101");
  EXPECT_TRUE(handledBy(WM_SYSCHAR, 's'));
  EXPECT_EQ(saves, 1);
}

TEST_F(KeyDispatchTest, AnExceptionInAHandlerLeavesTheKeyUnhandled) {
  startIn("250101");
  caseF->SaveBitBtn->SetEnabled(true);
  caseF->SaveBitBtn->OnClick = [](TObject*) { throw std::runtime_error("save failed"); };
  EXPECT_FALSE(handledBy(WM_SYSCHAR, 's'));
  EXPECT_FALSE(handledBy(WM_SYSKEYDOWN, 'S'));
  caseF->SaveBitBtn->OnClick = nullptr;
}

TEST_F(KeyDispatchTest, TheCaseManagerLetterIsSwallowedButOverTheCaseGrid) {
  startIn("250101");
  caseF->CaseManagerLetter = 'g';
  EXPECT_TRUE(handledBy(WM_SYSKEYDOWN, 'G'));
  caseF->CaseManagerLetter = 0;
  EXPECT_FALSE(handledBy(WM_SYSKEYDOWN, 'G'));
  caseF->CaseManagerLetter = 'G';
  auto grid = std::make_unique<TCaseGridF>(Application);
  grid->Show();
  grid->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(grid->Window()));
  ASSERT_EQ(Screen->activeForm(), grid.get());
  EXPECT_FALSE(handledBy(WM_SYSKEYDOWN, 'G'));
}

struct ClientLetter {
  char letter;
  std::vector<AnsiString> codes;
};

TEST_F(KeyDispatchTest, AFirstLetterInTheClientCodeNarrowsTheClientsToItUpToTheNext) {
  const ClientLetter rows[] = {{'K', {}}, {'C', {"CARVER"}}, {'A', {"ADAMS"}}};
  startIn("250101");
  for (const ClientLetter& row : rows) {
    SCOPED_TRACE(std::string(1, row.letter));
    header->ClientCode->SetFocus();
    header->ClientCode->SetText("");
    ASSERT_TRUE(dm->Client1_->Active());
    dm->Client1_->CancelRange();
    ClientRangePending = false;
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(Qt::Key_A + (row.letter - 'A')));
    EXPECT_TRUE(ClientRangePending);
    std::vector<AnsiString> codes;
    for (dm->Client1_->First(); !dm->Client1_->Eof(); dm->Client1_->Next())
      codes.push_back(Trim(dm->Client1_->FieldByName("Client Code")->AsString()));
    EXPECT_EQ(codes, row.codes);
  }
}

TEST_F(KeyDispatchTest, ALetterTypedAfterAnotherLeavesTheClientsAlone) {
  startIn("250101");
  header->ClientCode->SetFocus();
  header->ClientCode->SetText("A");
  header->ClientCode->SetSelStart(1);
  header->ClientCode->SetSelLength(0);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_D);
  EXPECT_FALSE(ClientRangePending);
}

struct SuffixKey {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* start;
};

TEST_F(KeyDispatchTest, AFirstSuffixCharacterNarrowsTheAlphabeticSuffixList) {
  const SuffixKey rows[] = {{Qt::Key_7, Qt::KeypadModifier, "7"}, {Qt::Key_2, Qt::KeypadModifier, "2"},
                            {Qt::Key_1, Qt::NoModifier, "1"}};
  startIn("250101");
  // Without a client the alphabetic order lists the matters by suffix (index 5).
  caseF->ListCaseinNumericOrder1->SetChecked(false);
  ListCasesInNumericOrder = false;
  header->ClientCode->SetText("");
  header->CaseSuffix->SetFocus();
  ASSERT_EQ(dm->Case1_->IndexName(), "5");
  for (const SuffixKey& row : rows) {
    SCOPED_TRACE(row.start);
    header->CaseSuffix->SetText("");
    QTest::keyClick(QApplication::focusWidget(), row.key, row.modifiers);
    EXPECT_TRUE(CaseRangeActive);
    EXPECT_EQ(CaseRangeStart, row.start);
    EXPECT_EQ(CaseRangeIndex, "5");
    for (dm->Case1_->First(); !dm->Case1_->Eof(); dm->Case1_->Next())
      EXPECT_GE(dm->Case1_->FieldByName("LeftJustCaseSuffix")->AsString(), AnsiString(row.start));
  }
  header->CaseSuffix->SetText("");
}

TEST_F(KeyDispatchTest, TheFilterValueRefusesKeysUntilAFieldIsChosen) {
  startIn("250101");
  TCaseGridF grid(Application);
  TdcFilterDlg dialog(Application, *grid.dcFilterDialog1);
  grid.dcFilterDialog1->DoInitDialog(&dialog);
  dialog.Show();
  dialog.Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
  dialog.FieldCriteria->SetText("");
  dialog.FilterValueEdit->SetFocus();
  boxes->expect(mtInformation, "Please select a field upon which to search before entering a value here.");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
  EXPECT_EQ(dialog.FilterValueEdit->Text(), "");
  dialog.FieldCriteria->SetText("Client Code");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
  EXPECT_EQ(dialog.FilterValueEdit->Text(), "a");
}

TEST_F(KeyDispatchTest, AReleaseOnTheAlternateIdentifierFocusesIt) {
  startIn("250101");
  header->ClientCode->SetFocus();
  ASSERT_NE(Screen->ActiveControl(), header->AlternateID);
  handledBy(WM_LBUTTONUP, MakeLParam(2, 2), header->AlternateID);
  EXPECT_EQ(Screen->ActiveControl(), header->AlternateID);
}

TEST_F(KeyDispatchTest, AReleaseOnTheElectronicBillingSavePutsTheBrowsedMatterIntoEdit) {
  startIn("250101");
  auto* codes = new TEBF2F(Application);
  ASSERT_TRUE(dm->OpenCaseTables());
  dm->Case1_->SetIndexName("1");
  ASSERT_TRUE(dm->Case1_->FindKey({AnsiString("ADAMS  "), AnsiString("      1")}));
  MatterLoaded = false;
  EXPECT_FALSE(handledBy(WM_LBUTTONUP, 0, codes->YesBitBtn));
  EXPECT_EQ(dm->Case1_->State(), dsBrowse);
  MatterLoaded = true;
  EXPECT_FALSE(handledBy(WM_LBUTTONUP, 0, codes->YesBitBtn));
  EXPECT_EQ(dm->Case1_->State(), dsEdit);
  dm->Case1_->Cancel();
  delete codes;
}

TEST_F(KeyDispatchTest, F8InTheNarrativeBoxExpandsAndContractsItsCodes) {
  auto* memo = new TMemoF(Application);
  MemoF = memo;
  startIn("250101");
  ASSERT_NE(NarrF, nullptr);
  memo->Description->SetText("+AB");
  DescriptionExpanded = false;
  EXPECT_FALSE(handledBy(WM_KEYDOWN, VK_F1 + 7, memo->Description));
  EXPECT_TRUE(DescriptionExpanded);
  EXPECT_FALSE(handledBy(WM_KEYDOWN, VK_F1 + 7, header->ClientCode));
  EXPECT_TRUE(DescriptionExpanded);
  EXPECT_FALSE(handledBy(WM_KEYDOWN, VK_F1 + 7, memo->Description));
  EXPECT_FALSE(DescriptionExpanded);
  MemoF = nullptr;
  delete memo;
}

}  // namespace
}  // namespace casewindow_test
