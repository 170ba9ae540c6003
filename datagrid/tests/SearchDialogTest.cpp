// The search dialog on the library's table over a clients file made by qnseed: the table pairs
// it refuses, the shadow that follows the search table and leads it after OK, the index list that
// reorders the grid, and the navigator's search button that makes the dialog by class name.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <memory>

#include "datagrid/DBNavigator.h"
#include "datagrid/DcTable.h"
#include "datagrid/SearchDialog.h"
#include "datagrid/tests/ClientsTbTable.h"
#include "datagrid/tests/LookupDialogTestSupport.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Clock.h"
#include "framework/db/DataSource.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/ButtonTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace lookupdialogtest {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

constexpr const char* kByLastName = " 3 - Client Last Name+Client First Name";

class SearchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    LoadEngine();
    data = datasettest::seedClients("search-dialog", ClientCodes(20), {"E1", "E2"});
    search = openTable(data, datasettest::kClientsTable);
    shadow = openTable(data, datasettest::kClientsTable);
    dialog = new TdcSearchDialog(&owner);
    dialog->SetSearchTable(search);
  }

  TdcTable* openTable(const std::string& folder, const char* name) {
    auto* table = new TdcTable(&owner);
    table->SetDatabaseName(folder);
    table->SetTableName(name);
    table->SetIndexName("1");
    table->Open();
    return table;
  }
  static std::string code(TDataSet& table) { return table.FieldByName(datasettest::kClientCode)->AsString(); }

  TForm owner{nullptr};
  std::string data;
  TdcTable* search = nullptr;
  TdcTable* shadow = nullptr;
  TdcSearchDialog* dialog = nullptr;
};

TEST_F(SearchDialogTest, TablePairsThatCannotWorkAreRefusedEachWithItsText) {
  TdcTable* employees = openTable(data, datasettest::kEmployeesTable);
  TdcTable* elsewhere = openTable(datasettest::seedClients("search-dialog-other", ClientCodes(3)), datasettest::kClientsTable);
  auto* noDatabase = new TdcTable(&owner);
  noDatabase->SetTableName(datasettest::kClientsTable);
  auto* closed = new TdcTable(&owner);
  closed->SetDatabaseName(data);
  closed->SetTableName(datasettest::kClientsTable);
  struct Case {
    const char* name;
    TdcTable* search;
    TdcTable* shadow;
    const char* text;
  };
  const Case cases[] = {
      {"the same object twice", search, search, searchdialog_texts::kSameObject},
      {"another file", search, employees, searchdialog_texts::kDifferentTables},
      {"another folder", search, elsewhere, searchdialog_texts::kDifferentTables},
      {"no database", noDatabase, nullptr, searchdialog_texts::kCannotOpen},
      {"a closed table", closed, nullptr, "Search Table is not active."},
  };
  search->MoveBy(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog->SetSearchTable(c.search);
    dialog->SetShadowSearchTable(c.shadow);
    dialog->OnInitDialog = [](TdcLookupDlg*) { ADD_FAILURE() << "the form was made"; };
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, c.text);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(code(*search), "C04") << "nothing moved";
  }
}

TEST_F(SearchDialogTest, TheShadowStartsOnTheSearchTablesRecordAndAfterOKTheSearchTableTakesTheShadows) {
  struct Case {
    WORD closingKey;
    bool confirmed;
    const char* searchAfter;
  };
  for (const Case& c : {Case{VK_RETURN, true, "C07"}, Case{VK_ESCAPE, false, "C05"}}) {
    SCOPED_TRACE(c.closingKey);
    search->First();
    search->MoveBy(4);
    shadow->First();
    dialog->SetShadowSearchTable(shadow);
    std::string shadowAtStart, searchWhileBrowsing, shadowWhileBrowsing;
    TDataSet* browsed = nullptr;
    const bool confirmed = RunScripted(
        *dialog,
        [&](TdcLookupDlg& form) {
          browsed = form.DataSet;
          shadowAtStart = code(*shadow);
          qn::ui::postKeyStroke(VK_DOWN);
          qn::ui::postKeyStroke(VK_DOWN);
          qn::ui::postCall([&] {
            searchWhileBrowsing = code(*search);
            shadowWhileBrowsing = code(*shadow);
          });
          qn::ui::postKeyStroke(c.closingKey);
        },
        true);
    EXPECT_EQ(browsed, shadow) << "the form browses the shadow";
    EXPECT_EQ(shadowAtStart, "C05");
    EXPECT_EQ(shadowWhileBrowsing, "C07");
    EXPECT_EQ(searchWhileBrowsing, "C05") << "the search table stays still while the user browses";
    EXPECT_EQ(confirmed, c.confirmed);
    EXPECT_EQ(code(*search), c.searchAfter);
  }
}

TEST_F(SearchDialogTest, ChoosingAnotherIndexClearsTheSearchTextAndPutsItsFieldsFirst) {
  dialog->Options = {opShowOKCancel, opShowSearchBy};
  for (bool useFields : {true, false}) {
    SCOPED_TRACE(useFields ? "the dataset's fields" : "the grid's own column list");
    dialog->UseTFields = useFields;
    TdcLookupDlg* shown = nullptr;
    std::vector<TObject*> sortChanges;
    dialog->OnSortChange = [&sortChanges](TObject* sender) { sortChanges.push_back(sender); };
    std::string textBefore, textAfter, searchFieldBefore, searchFieldAfter;
    std::vector<std::string> columnsBefore, columnsAfter;
    RunScripted(*dialog, [&](TdcLookupDlg& form) {
      shown = &form;
      EXPECT_TRUE(form.KeyCombo->Visible());
      form.dcIncrementalSearch1->SetText("C1");
      textBefore = form.dcIncrementalSearch1->Text();
      searchFieldBefore = form.dcIncrementalSearch1->SearchField;
      columnsBefore = ColumnFields(*form.dcDBGrid1);
      const int entry = form.KeyCombo->Items()->IndexOf("Client Last Name");
      ASSERT_GE(entry, 0);
      form.KeyCombo->SetItemIndex(entry);
      form.KeyCombo->pickedFromList(entry);
      textAfter = form.dcIncrementalSearch1->Text();
      searchFieldAfter = form.dcIncrementalSearch1->SearchField;
      columnsAfter = ColumnFields(*form.dcDBGrid1);
    });
    EXPECT_EQ(textBefore, "C1");
    EXPECT_EQ(searchFieldBefore, datasettest::kClientCode);
    ASSERT_FALSE(columnsBefore.empty());
    EXPECT_EQ(columnsBefore.front(), datasettest::kClientCode);
    EXPECT_EQ(textAfter, "");
    EXPECT_EQ(search->IndexName(), kByLastName);
    ASSERT_GE(columnsAfter.size(), 2u);
    EXPECT_EQ(columnsAfter[0], "Client Last Name");
    EXPECT_EQ(columnsAfter[1], datasettest::kFirstName);
    EXPECT_EQ(columnsAfter.size(), columnsBefore.size()) << "no column is lost";
    EXPECT_EQ(searchFieldAfter, "Client Last Name");
    EXPECT_EQ(sortChanges, std::vector<TObject*>{shown});
    search->SetIndexName("1");
  }
}

TEST_F(SearchDialogTest, ClosingRunsThePendingSearchFirstAndThenTheCloseEvent) {
  qn::ManualClock clock{1000};
  qn::setClock(&clock);  // the pause after the keys never passes by itself
  search->First();
  std::string atClose;
  TdcLookupDlg* closed = nullptr;
  dialog->OnCloseDialog = [&](TdcLookupDlg* form) {
    closed = form;
    atClose = code(*search);
  };
  TdcLookupDlg* shown = nullptr;
  bool pendingBeforeEnter = false;
  const bool confirmed = RunScripted(
      *dialog,
      [&](TdcLookupDlg& form) {
        shown = &form;
        QTest::keyClicks(static_cast<QLineEdit*>(form.dcIncrementalSearch1->Window()), "C1");
        pendingBeforeEnter = form.dcIncrementalSearch1->Timer().Enabled() && code(*search) == "C01";
        qn::ui::postKeyStroke(VK_RETURN);
      },
      true);
  qn::setClock(nullptr);
  EXPECT_TRUE(pendingBeforeEnter) << "the search still waited for its pause";
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(closed, shown);
  EXPECT_EQ(atClose, "C10") << "the search ran before the close event";
  EXPECT_EQ(code(*search), "C10");
}

TEST_F(SearchDialogTest, DownOpensTheIndexListAndEnterReleasedInItClosesItAndReturnsToTheSearchBox) {
  dialog->Options = {opShowOKCancel, opShowSearchBy, opGroupControls};
  bool opened = false, refusedWhileOpen = false, closedAfterEnter = false, backInSearchBox = false;
  RunScripted(*dialog, [&](TdcLookupDlg& form) {
    form.KeyCombo->SetFocus();
    WORD down = VK_DOWN;
    form.KeyCombo->KeyDown(down, {});
    opened = form.KeyCombo->DroppedDown();
    refusedWhileOpen = !form.CloseQuery();
    WORD enter = VK_RETURN;
    form.KeyCombo->KeyUp(enter, {});
    closedAfterEnter = !form.KeyCombo->DroppedDown();
    backInSearchBox = form.ActiveControl() == form.dcIncrementalSearch1;
  });
  EXPECT_TRUE(opened);
  EXPECT_TRUE(refusedWhileOpen) << "the form stays while the list is open";
  EXPECT_TRUE(closedAfterEnter);
  EXPECT_TRUE(backInSearchBox);
}

TEST_F(SearchDialogTest, TheInitEventMayMoveTheFormOrNarrowTheGrid) {
  struct Case {
    const char* name;
    int left;  // -1: not moved
    int largestWidth;
  };
  for (const Case& c : {Case{"moved", 17, 0}, Case{"narrowed", -1, 250}}) {
    SCOPED_TRACE(c.name);
    int left = 0, formWidth = 0, gridWidth = 0, minimum = 0;
    dialog->OnInitDialog = [&](TdcLookupDlg* form) {
      if (c.left >= 0) form->SetLeft(c.left);
      if (c.largestWidth) form->SetLargestWidth(c.largestWidth);
      qn::ui::postCall([&, form] {
        left = form->Left();
        formWidth = form->Width();
        gridWidth = form->dcDBGrid1->Width();
        minimum = form->MinimumWidth();
        form->SetModalResult(mrCancel);
      });
    };
    dialog->Execute();
    if (c.left >= 0) {
      EXPECT_EQ(left, c.left) << "the left the handler chose is kept";
    } else {
      EXPECT_EQ(gridWidth, std::max(c.largestWidth, minimum));
      EXPECT_EQ(left, (qn::ui::screenFacts().width - formWidth) / 2);
    }
  }
}

TEST_F(SearchDialogTest, FreedTablesAreForgotten) {
  dialog->SetShadowSearchTable(shadow);
  delete shadow;
  EXPECT_EQ(dialog->ShadowSearchTable(), nullptr);
  EXPECT_EQ(dialog->GetPrimaryDataSet(), search);
  delete search;
  EXPECT_EQ(dialog->SearchTable(), nullptr);
  EXPECT_EQ(dialog->GetPrimaryDataSet(), nullptr);
}

// ---- the navigator's search button ----

class NavigatorSearchButtonTest : public SearchDialogTest {
 protected:
  void SetUp() override {
    SearchDialogTest::SetUp();
    delete dialog;
    form = new qn::ui::testing::TTestForm;
    form->SetBounds(100, 100, 800, 200);
    source = new TDataSource(form);
    source->SetDataSet(search);
    navigator = new TdcDBNavigator(form);
    navigator->SetParent(form);
    navigator->SetAutosizeStyle(asNone);
    navigator->SetWidth(600);
    button = navigator->Buttons()->AddButton(nbsSearchDialog);
    navigator->SetDataSource(source);
    navigator->Buttons()->ArrangeButtons();
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
  }
  void TearDown() override { delete form; }

  void click() {
    qn::ui::testing::clickAt(navigator->Window(),
                             {button->Left() + button->Width() / 2, button->Top() + button->Height() / 2});
  }

  // The user moves two rows down in the dialog when it shows and confirms there.
  static void pickTwoRowsOnWhenShown(TdcSearchDialog& searchDialog) {
    PlayWhenShown(
        searchDialog,
        [](TdcLookupDlg&) {
          qn::ui::postKeyStroke(VK_DOWN);
          qn::ui::postKeyStroke(VK_DOWN);
          qn::ui::postKeyStroke(VK_RETURN);
        },
        true);
  }

  qn::ui::testing::TTestForm* form = nullptr;
  TDataSource* source = nullptr;
  TdcDBNavigator* navigator = nullptr;
  TdcNavButton* button = nullptr;
};

TEST_F(NavigatorSearchButtonTest, TheButtonMakesTheSearchDialogByNameSetsItsTableAndRunsIt) {
  ASSERT_NE(FindRegisteredClass("TdcSearchDialog"), nullptr);
  std::vector<TdcCustomDialog*> made;
  button->OnAfterCreateDialog = [&](TdcCustomDialog* created) {
    made.push_back(created);
    auto* searchDialog = dynamic_cast<TdcSearchDialog*>(created);
    ASSERT_NE(searchDialog, nullptr);
    pickTwoRowsOnWhenShown(*searchDialog);
  };
  search->First();
  click();
  ASSERT_EQ(made.size(), 1u);
  auto* searchDialog = static_cast<TdcSearchDialog*>(made[0]);
  EXPECT_EQ(searchDialog->Owner(), navigator);
  EXPECT_EQ(searchDialog->SearchTable(), search) << "set by name";
  EXPECT_EQ(button->Dialog(), searchDialog);
  EXPECT_EQ(code(*search), "C03") << "without a shadow the dialog browses the table itself";

  pickTwoRowsOnWhenShown(*searchDialog);
  click();
  EXPECT_EQ(made.size(), 1u) << "the button keeps its dialog";
  EXPECT_EQ(code(*search), "C05");
}

TEST_F(NavigatorSearchButtonTest, TheButtonOpensTheSearchDialogOverTheApplicationsTable) {
  TdcTbTable* clients = datasettest::newClientsTable(form, data);
  clients->Open();
  source->SetDataSet(clients);
  TdcSearchDialog* made = nullptr;
  button->OnAfterCreateDialog = [&](TdcCustomDialog* created) {
    made = dynamic_cast<TdcSearchDialog*>(created);
    ASSERT_NE(made, nullptr);
    pickTwoRowsOnWhenShown(*made);
  };
  clients->First();
  ScriptedMessageBoxes noBoxes;
  click();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->SearchTable(), clients);
  EXPECT_EQ(button->Dialog(), made);
  EXPECT_EQ(code(*clients), "C03") << "the dialog browsed the application's table and left it on the record picked";
}

}  // namespace
}  // namespace lookupdialogtest
