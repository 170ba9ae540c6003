// The lookup dialog on the application's table over a clients file made by qnseed: the columns it
// shows, its user buttons, the fixed first column, closing by Enter and by double click, the
// status line and the refusals.
#include <gtest/gtest.h>

#include <memory>

#include "datagrid/DcDataSource.h"
#include "datagrid/tests/ClientsTbTable.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/Intl.h"
#include "datagrid/IntlDialogTexts.h"
#include "datagrid/MemoDialog.h"
#include "datagrid/MemoDialogForm.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "datagrid/tests/LookupDialogTestSupport.h"
#include "framework/db/BlobField.h"
#include "framework/db/StringField.h"
#include "framework/ui/Button.h"
#include "framework/ui/Form.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/SectionHeader.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace lookupdialogtest {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class LookupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    LoadEngine();
    table = datasettest::newClientsTable(&owner, datasettest::seedClients("lookup-dialog", ClientCodes(30)));
    table->Open();
    dialog = new TdcLookupDialog(&owner);
    dialog->SetLookupTable(table);
  }

  void TearDown() override { qn::ui::setScreenFacts(std::nullopt); }

  std::string code() const { return table->FieldByName(datasettest::kClientCode)->AsString(); }

  TForm owner{nullptr};
  TdcTbTable* table = nullptr;
  TdcLookupDialog* dialog = nullptr;
};

TEST_F(LookupDialogTest, WithoutAColumnListTheGridShowsTheVisibleFieldsWithTheirLabelsAndWidths) {
  TField* hidden = table->Fields()[2];
  hidden->SetVisible(false);
  table->FieldByName(datasettest::kFirstName)->SetDisplayLabel("Given~Name");
  table->FieldByName(datasettest::kFirstName)->SetDisplayWidth(14);
  std::vector<std::string> expectedFields, expectedLines;
  for (TField* field : table->Fields()) {
    if (!field->Visible()) continue;
    expectedFields.push_back(field->FieldName());
    expectedLines.push_back(field->FieldName() + "\t" + std::to_string(field->DisplayWidth()) + "\t" +
                            field->DisplayLabel() + "\tF");
  }
  ASSERT_GE(expectedFields.size(), 2u);
  // The grid's order starts with the field of the active index.
  const std::string indexField = table->GetIndexField(0)->FieldName();
  std::erase(expectedFields, indexField);
  expectedFields.insert(expectedFields.begin(), indexField);
  std::vector<std::string> fields, lines;
  RunScripted(*dialog, [&](TdcLookupDlg& form) {
    fields = ColumnFields(*form.dcDBGrid1);
    for (int i = 0; i < form.dcDBGrid1->Selected().Count(); ++i) lines.push_back(form.dcDBGrid1->Selected()[i]);
  });
  EXPECT_EQ(fields, expectedFields);
  EXPECT_EQ(lines, expectedLines);
  EXPECT_EQ(std::find(fields.begin(), fields.end(), hidden->FieldName()), fields.end());
}

TEST_F(LookupDialogTest, TheUserButtonPanelShowsOnlyWithACaptionAndItsButtonsGetTheFormAndTheTable) {
  struct Case {
    const char* first;
    const char* second;
  };
  for (const Case& c : {Case{"", ""}, Case{"&Print", ""}, Case{"", "&Mail"}, Case{"&Print", "&Mail"}}) {
    SCOPED_TRACE(std::string(c.first) + "/" + c.second);
    dialog->UserButton1Caption = c.first;
    dialog->UserButton2Caption = c.second;
    std::vector<std::pair<TObject*, TDataSet*>> clicks;
    dialog->OnUserButton1Click = [&](TObject* sender, TDataSet* lookup) { clicks.emplace_back(sender, lookup); };
    dialog->OnUserButton2Click = dialog->OnUserButton1Click;
    bool panel = false, first = false, second = false;
    TdcLookupDlg* shown = nullptr;
    RunScripted(*dialog, [&](TdcLookupDlg& form) {
      shown = &form;
      panel = form.UserButtonPanel->Visible();
      first = form.UserButton1->Visible();
      second = form.UserButton2->Visible();
      for (TButton* button : {form.UserButton1, form.UserButton2})
        if (button->Visible()) button->Click();
      if (panel) {
        EXPECT_GE(form.UserButtonPanel->Top(), form.dcDBGrid1->Top() + form.dcDBGrid1->Height());
        EXPECT_LE(form.UserButtonPanel->Top() + form.UserButtonPanel->Height(), form.ClientHeight());
      }
    });
    const bool any = *c.first || *c.second;
    EXPECT_EQ(panel, any);
    EXPECT_EQ(first, *c.first != '\0');
    EXPECT_EQ(second, *c.second != '\0');
    ASSERT_EQ(clicks.size(), static_cast<size_t>((*c.first ? 1 : 0) + (*c.second ? 1 : 0)));
    for (const auto& [sender, lookup] : clicks) {
      EXPECT_EQ(sender, shown);
      EXPECT_EQ(lookup, table);
    }
  }
}

TEST_F(LookupDialogTest, FixingTheFirstColumnKeepsItInPlaceWhileScrollingSideways) {
  dialog->MaxWidth = 260;
  for (bool fix : {true, false}) {
    SCOPED_TRACE(fix ? "fixed" : "not fixed");
    dialog->Options = fix ? TdcDBLookupDlgOptions{opShowOKCancel, opFixFirstColumn} : TdcDBLookupDlgOptions{opShowOKCancel};
    TRect before, after;
    bool scrolled = false;
    AnsiString firstField;
    RunScripted(*dialog, [&](TdcLookupDlg& form) {
      TdcDBGrid& grid = *form.dcDBGrid1;
      const int row = grid.TitleOffset();
      const int first = grid.IndicatorOffset();
      firstField = grid.GetFields(0)->FieldName();
      before = grid.cellBounds(first, row);
      grid.setFirstScrollColumn(grid.columnCount() - 1);
      scrolled = grid.firstScrollColumn() > first + (fix ? 1 : 0);
      after = grid.cellBounds(first, row);
    });
    EXPECT_TRUE(scrolled) << "the grid is narrower than its columns";
    EXPECT_FALSE(before.IsEmpty());
    if (fix) {
      EXPECT_EQ(after, before) << firstField;
    } else {
      EXPECT_TRUE(after.IsEmpty()) << "the first column scrolled away";
    }
  }
}

TEST_F(LookupDialogTest, UpAndDownMoveTheGridFromTheSearchBoxAndEnterClosesWithOK) {
  table->First();
  const bool confirmed = RunScripted(
      *dialog,
      [](TdcLookupDlg& form) {
        EXPECT_EQ(form.ActiveControl(), form.dcIncrementalSearch1);
        qn::ui::postKeyStroke(VK_DOWN);
        qn::ui::postKeyStroke(VK_DOWN);
        qn::ui::postKeyStroke(VK_UP);
        qn::ui::postKeyStroke(VK_RETURN);
      },
      true);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(code(), "C02");
}

// What the layout places, as read back from the shown form.
struct Placed {
  int formLeft, formTop, formWidth, formHeight;
  int boxTop, boxWidth, gridLeft, gridTop, gridWidth, gridHeight, needed, minimum;
  int okLeft, okTop, okWidth, okHeight, cancelLeft;
  int listLeft, listTop, listWidth;
  bool listShown;
  AnsiString searchLabel;
  int boxHeight;
  int longLabelWidth;  // the search label's full text, measured in its font
  int listHeight;
  int sortLabelTop;
};

Placed ReadPlaces(TdcLookupDlg& form) {
  return {form.Left(), form.Top(), form.Width(), form.Height(),
          form.dcIncrementalSearch1->Top(), form.dcIncrementalSearch1->Width(), form.dcDBGrid1->Left(),
          form.dcDBGrid1->Top(), form.dcDBGrid1->Width(), form.dcDBGrid1->Height(), form.NeededGridWidth(),
          form.MinimumWidth(), form.OKButton->Left(), form.OKButton->Top(), form.OKButton->Width(),
          form.OKButton->Height(), form.CancelButton->Left(), form.KeyCombo->Left(), form.KeyCombo->Top(),
          form.KeyCombo->Width(), form.KeyCombo->Visible(), form.SearchCharacterLabel->Caption(),
          form.dcIncrementalSearch1->Height(),
          MeasuredTextWidth(form.SearchCharacterLabel->Font(), dcIntlDefaults->SearchDialog()->SearchCharLabel),
          form.KeyCombo->Height(), form.SortByLabel->Top()};
}

TEST_F(LookupDialogTest, TheFormIsLaidOutFromTheScreenFactsAndTheGridsColumns) {
  ScreenFacts facts;
  facts.width = 1280;
  facts.height = 900;
  facts.workArea = Rect(0, 30, 1280, 870);
  facts.captionHeight = 23;
  facts.dialogFrameHeight = 4;
  qn::ui::setScreenFacts(facts);
  const int frame = 2 * facts.dialogFrameHeight + facts.captionHeight + 9;
  const int ppi = Screen->PixelsPerInch();
  struct Case {
    const char* name;
    int maxWidth;
    int maxHeight;
    bool searchBy;
  };
  for (const Case& c : {Case{"narrow", 300, 150, false}, Case{"as wide as the screen allows", 0, 0, false},
                        Case{"with the index list below the grid", 500, 120, true}}) {
    SCOPED_TRACE(c.name);
    dialog->Options = c.searchBy ? TdcDBLookupDlgOptions{opShowOKCancel, opShowSearchBy} : TdcDBLookupDlgOptions{opShowOKCancel};
    dialog->MaxWidth = c.maxWidth;
    dialog->MaxHeight = c.maxHeight;
    Placed p{};
    RunScripted(*dialog, [&](TdcLookupDlg& form) { p = ReadPlaces(form); });
    const int largestWidth = c.maxWidth ? std::min(c.maxWidth, facts.width - 40) : facts.width - 40;
    const int largestHeight = c.maxHeight ? std::min(c.maxHeight, facts.height - 200) : facts.height - 200;
    EXPECT_EQ(p.gridHeight, largestHeight);
    EXPECT_EQ(p.gridWidth, std::max(std::min(p.needed, largestWidth), p.minimum));
    EXPECT_EQ(p.formTop, std::max(0, (30 + 870 - largestHeight - 200) / 2));
    EXPECT_EQ(p.formLeft, (facts.width - p.formWidth) / 2);
    EXPECT_EQ(p.boxTop, ppi * 13 / 96 + 8 + 3);
    EXPECT_EQ(p.gridTop, p.boxTop + p.boxHeight + 8);
    EXPECT_EQ(p.boxWidth, p.gridWidth);
    const int nudge = p.gridWidth == p.minimum ? 5 : 0;
    EXPECT_EQ(p.okLeft, p.formWidth - 2 * p.okWidth - 36 + nudge);
    EXPECT_EQ(p.cancelLeft, p.formWidth - p.okWidth - 23 + nudge);
    const int gridBottom = p.gridTop + p.gridHeight;
    EXPECT_EQ(p.listShown, c.searchBy);
    if (c.searchBy) {
      EXPECT_EQ(p.sortLabelTop, gridBottom + 8);
      EXPECT_GT(p.listTop, p.sortLabelTop);
      EXPECT_EQ(p.listWidth, p.gridWidth);
    }
    EXPECT_EQ(p.okTop, (c.searchBy ? p.listTop + p.listHeight : gridBottom) + 13);
    EXPECT_EQ(p.formHeight, p.okTop + p.okHeight + frame);
  }
}

TEST_F(LookupDialogTest, GroupedControlsShareTheSearchRowAndANarrowBoxTakesTheShortLabel) {
  dialog->Options = {opShowOKCancel, opShowSearchBy, opGroupControls};
  const TdcSearchDialogIntl* texts = dcIntlDefaults->SearchDialog();
  std::vector<AnsiString> labels;
  for (int maxWidth : {900, 200}) {
    SCOPED_TRACE(maxWidth);
    dialog->MaxWidth = maxWidth;
    Placed p{};
    RunScripted(*dialog, [&](TdcLookupDlg& form) { p = ReadPlaces(form); });
    EXPECT_TRUE(p.listShown);
    const int half = (p.gridWidth - 20) / 2;
    EXPECT_EQ(p.boxWidth, half);
    EXPECT_EQ(p.listWidth, half);
    EXPECT_EQ(p.listLeft, p.gridLeft + half + 20);
    EXPECT_EQ(p.listTop, p.boxTop);
    EXPECT_EQ(p.searchLabel, p.boxWidth < p.longLabelWidth ? texts->SearchCharShortLabel : texts->SearchCharLabel);
    labels.push_back(p.searchLabel);
  }
  EXPECT_NE(labels.front(), labels.back()) << "one box is wide enough for the full label, one is not";
}

TEST_F(LookupDialogTest, NoStatusLineWhereTheEngineTellsNoRecordNumbers) {
  ASSERT_LT(table->RecNo(), 0) << "the record manager's tables tell no record numbers";
  dialog->Options = {opShowOKCancel, opShowStatusBar};
  bool shown = true;
  RunScripted(*dialog, [&](TdcLookupDlg& form) { shown = form.StatusHeader->Visible(); });
  EXPECT_FALSE(shown);
}

TEST_F(LookupDialogTest, AMissingOrClosedTableIsRefusedWithAWarning) {
  struct Case {
    bool table;
    const char* text;
  };
  for (const Case& c : {Case{false, "You must define a lookupTable."}, Case{true, "Search Table is not active."}}) {
    SCOPED_TRACE(c.text);
    table->Close();
    dialog->SetLookupTable(c.table ? table : nullptr);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, c.text);
    dialog->OnInitDialog = [](TdcLookupDlg*) { ADD_FAILURE() << "the form was made"; };
    EXPECT_FALSE(dialog->Execute());
  }
}

TEST_F(LookupDialogTest, AFreedTableIsForgotten) {
  delete table;
  EXPECT_EQ(dialog->LookupTable(), nullptr);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "You must define a lookupTable.");
  EXPECT_FALSE(dialog->Execute());
}

// ---- double clicks, on a table of matters with a memo of notes ----

class LookupOnMattersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    matters = new datagridtest::ExtendedTestDataSet(&owner);
    auto add = [this](TField* field, const char* name, int size) {
      field->SetFieldName(name);
      if (size) field->SetSize(size);
      field->SetDataSet(matters);
    };
    add(new TStringField(matters), "CaseID", 8);
    add(new TMemoField(matters), "Notes", 0);
    matters->FieldDefs().Add("CaseID", ftString, 8);
    matters->FieldDefs().Add("Notes", ftMemo);
    matters->Open();
    for (int i = 1; i <= 5; ++i) matters->AppendRecord({"M" + std::to_string(i), "Note " + std::to_string(i)});
    matters->First();
    matters->SetName("Matters");
    dialog = new TdcLookupDialog(&owner);
    dialog->SetLookupTable(matters);
  }

  TForm owner{nullptr};
  datagridtest::ExtendedTestDataSet* matters = nullptr;
  TdcLookupDialog* dialog = nullptr;
};

TEST_F(LookupOnMattersTest, ADoubleClickClosesWithOKExceptOnAnEditableGridOrAMemoCell) {
  struct Case {
    const char* name;
    const char* field;
    bool editable;
    bool memoDialogOff;
    bool closes;
  };
  const Case cases[] = {
      {"plain cell", "CaseID", false, false, true},
      {"editable grid", "CaseID", true, false, false},
      {"memo cell", "Notes", false, false, false},
      {"memo cell, memo dialog off", "Notes", false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog->GridOptions = c.editable ? TdcDBGridOptions::FromMask(kLookupGridOptions.Mask()).Include(dgEditing)
                                     : kLookupGridOptions;
    bool memoOpened = false;
    TModalResult afterClick = mrNone;
    const bool confirmed = RunScripted(*dialog, [&](TdcLookupDlg& form) {
      TdcDBGrid& grid = *form.dcDBGrid1;
      if (c.memoDialogOff) grid.SetMemoAttributes(grid.MemoAttributes().Include(mDisableDialog));
      grid.OnMemoOpen = [&memoOpened](TObject*, TdcMemoDialog* memo) {
        memoOpened = true;
        memo->OnInitDialog = [](TdcMemoDlg* memoForm) { memoForm->CancelBtn->Click(); };
      };
      int column = -1;
      for (int i = 0; i < grid.GetFieldCount(); ++i)
        if (grid.GetFields(i)->FieldName() == c.field) column = i + grid.IndicatorOffset();
      ASSERT_GE(column, 0);
      const TRect cell = grid.cellBounds(column, grid.TitleOffset() + 1);
      const QPoint centre{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
      QTest::mouseClick(grid.Window(), Qt::LeftButton, {}, centre);
      QTest::mouseDClick(grid.Window(), Qt::LeftButton, {}, centre);
      afterClick = form.ModalResult();
    });
    EXPECT_EQ(confirmed, c.closes);
    EXPECT_EQ(afterClick == mrOk, c.closes);
    if (c.closes) {
      EXPECT_EQ(matters->FieldByName("CaseID")->AsString(), "M2") << "the record clicked is picked";
    }
  }
}

TEST_F(LookupOnMattersTest, TheStatusLineShowsTheTableAndTheRecordPositionWithTheOption) {
  const TdcSearchDialogIntl* texts = dcIntlDefaults->SearchDialog();
  for (bool option : {true, false}) {
    SCOPED_TRACE(option ? "with the option" : "without");
    dialog->Options = option ? TdcDBLookupDlgOptions{opShowOKCancel, opShowStatusBar} : TdcDBLookupDlgOptions{opShowOKCancel};
    matters->First();
    matters->Next();
    bool shown = false;
    std::vector<std::string> atStart, afterMove;
    auto sections = [](TdcLookupDlg& form) {
      std::vector<std::string> all;
      for (int i = 0; i < form.StatusHeader->Sections()->Count(); ++i)
        all.push_back(form.StatusHeader->Sections()->Items(i)->Text());
      return all;
    };
    RunScripted(*dialog, [&](TdcLookupDlg& form) {
      shown = form.StatusHeader->Visible();
      atStart = sections(form);
      WORD down = VK_DOWN;
      form.dcDBGrid1->KeyDown(down, {});
      afterMove = sections(form);
      if (shown) {
        EXPECT_EQ(form.StatusHeader->Width(), form.dcDBGrid1->Width());
        EXPECT_EQ(form.StatusHeader->Top(), form.dcDBGrid1->Top() + form.dcDBGrid1->Height() - 1)
            << "it overlaps the grid's bottom line when OK and Cancel follow";
      }
    });
    EXPECT_EQ(shown, option);
    if (!option) continue;
    const std::string of = " " + texts->StatusOfLabel + " 5";
    EXPECT_EQ(atStart, (std::vector<std::string>{"Matters", texts->StatusRecLabel + " 2" + of}));
    EXPECT_EQ(afterMove, (std::vector<std::string>{"Matters", texts->StatusRecLabel + " 3" + of}));
  }
}

}  // namespace
}  // namespace lookupdialogtest
