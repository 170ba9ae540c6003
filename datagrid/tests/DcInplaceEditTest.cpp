// The grid's in-place editor over the clients table: typing under picture masks with and without
// auto-fill, what OnCheckValue hears, leaving a cell whose text fails its mask, Escape, paste.
#include <string>
#include <vector>

#include "datagrid/DcInplaceEdit.h"
#include "datagrid/tests/ClientsGridFixture.h"
#include "framework/base/Exception.h"
#include "framework/ui/Beep.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/VirtualKeys.h"

namespace datagridtest {
namespace {

// Columns of the grid: 0 code, 1 first name, 2 last name.
constexpr int kLastNameColumn = 2;

class InplaceEditTest : public ClientsGridTest {
 protected:
  // The editor over the last name of the first client, showing Start with the caret at Caret.
  TdcInplaceEdit& editLastName(const std::string& mask, bool autoFill, const AnsiString& start, int caret) {
    table->PictureMasks()->SetText(std::string(kLastName) + "\t" + mask + "\t" + (autoFill ? "T" : "F") + "\tT\r\n");
    openAndBind();
    grid->OnCheckValue = [this](TObject* sender, bool passes) {
      EXPECT_EQ(sender, grid->cellEditor());
      checks.push_back(passes);
    };
    grid->SetSelectedIndex(kLastNameColumn);
    EXPECT_TRUE(grid->showCellEditor());
    auto& editor = dynamic_cast<TdcInplaceEdit&>(*grid->cellEditor());
    editor.SetText(start);
    if (caret < 0) {
      editor.SelectAll();
    } else {
      editor.SetSelStart(caret);
    }
    checks.clear();
    return editor;
  }

  std::vector<bool> checks;
};

struct TypingCase {
  const char* name;
  const char* mask;
  bool autoFill;
  const char* start;
  int caret;
  char key;
  const char* text;  // afterwards
  int caretAfter;
  std::vector<bool> checks;
  bool beeps;
};

class TypingTest : public InplaceEditTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypingTest, TheMaskDecidesTextCaretAndCheck) {
  const TypingCase& t = GetParam();
  TdcInplaceEdit& editor = editLastName(t.mask, t.autoFill, t.start, t.caret);
  const int beeps = qn::ui::beepCount();
  char key = t.key;
  editor.KeyPress(key);
  EXPECT_EQ(editor.Text(), t.text);
  EXPECT_EQ(editor.SelStart(), t.caretAfter);
  EXPECT_EQ(checks, t.checks);
  EXPECT_EQ(qn::ui::beepCount() - beeps, t.beeps ? 1 : 0);
  if (std::string(t.text) != t.start) {
    EXPECT_EQ(table->State(), dsEdit) << "typing puts the record in edit";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypingTest,
    ::testing::Values(
        TypingCase{"CompletingFillsTheClosingLiteral", "(###)", true, "(12", 3, '3', "(123)", 5, {true}, false},
        TypingCase{"IncompleteFillsTheLiteralsAfter", "##-##", true, "1", 1, '2', "12-", 3, {false}, false},
        TypingCase{"WithoutAutoFillNoLiteralIsAdded", "##-##", false, "1", 1, '2', "12", 2, {false}, false},
        TypingCase{"TheMasksSpellingIsStored", "&&&", true, "A", 1, 'b', "AB", 2, {false}, false},
        TypingCase{"AnErrorAtTheEndIsRefusedWithABeep", "###", true, "12", 2, 'x', "12", 2, {}, true},
        TypingCase{"AnErrorInsideTheTextPassesOn", "###", true, "12", 0, 'x', "x12", 1, {false}, false},
        TypingCase{"TheWholeTextSelectedIsReplaced", "##-##", true, "12-34", -1, '5', "5", 1, {false}, false}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });

TEST_F(InplaceEditTest, WithoutAnActiveMaskTypingIsPlainAndUnreported) {
  table->PictureMasks()->SetText(std::string(kLastName) + "\t###\tT\tF\r\n");  // not for the grid
  openAndBind();
  grid->OnCheckValue = [this](TObject*, bool passes) { checks.push_back(passes); };
  grid->SetSelectedIndex(kLastNameColumn);
  ASSERT_TRUE(grid->showCellEditor());
  auto& editor = dynamic_cast<TdcInplaceEdit&>(*grid->cellEditor());
  EXPECT_FALSE(editor.MaskActive());
  editor.SetText("");
  char key = 'x';
  editor.KeyPress(key);
  EXPECT_EQ(editor.Text(), "x");
  EXPECT_TRUE(checks.empty());
}

TEST_F(InplaceEditTest, TakingTheFocusChecksTheFieldsText) {
  table->PictureMasks()->SetText(std::string(kLastName) + "\t###\tT\tT\r\n");
  openAndBind();
  table->SetValidateWithMask(false);  // a stored text that fails its mask
  table->Edit();
  table->FieldByName(kLastName)->SetAsString("12");
  table->Post();
  grid->OnCheckValue = [this](TObject*, bool passes) { checks.push_back(passes); };
  grid->SetSelectedIndex(kLastNameColumn);
  grid->SetFocus();
  ASSERT_TRUE(grid->showCellEditor());
  EXPECT_TRUE(grid->cellEditor()->Focused());
  EXPECT_EQ(checks, std::vector<bool>{false}) << "\"12\" does not fill ###";
}

TEST_F(InplaceEditTest, BackspaceReportsTheTextItLeaves) {
  TdcInplaceEdit& editor = editLastName("###", true, "123", 3);
  char key = '\b';
  editor.KeyPress(key);
  EXPECT_EQ(editor.Text(), "12");
  EXPECT_EQ(checks, std::vector<bool>{false});
}

TEST_F(InplaceEditTest, LeavingACellWhoseTextFailsItsMaskRaisesAndTheColumnStays) {
  TdcInplaceEdit& editor = editLastName("###", true, "", 0);
  for (char c : std::string("12")) {
    char key = c;
    editor.KeyPress(key);
  }
  ASSERT_EQ(editor.Text(), "12");
  try {
    grid->SetSelectedIndex(0);
    FAIL() << "left the column";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(AnsiString(e.Message()), "Invalid input value.  Use escape key to abandon changes");
  }
  EXPECT_EQ(grid->SelectedIndex(), kLastNameColumn);
  EXPECT_EQ(editor.Text(), "12");
  EXPECT_EQ(editor.SelLength(), 2) << "the text is selected";
  EXPECT_TRUE(grid->DataLink().Modified());

  WORD tab = VK_TAB;
  EXPECT_THROW(grid->KeyDown(tab, TShiftState{ssShift}), EInvalidOperation);
  EXPECT_EQ(grid->SelectedIndex(), kLastNameColumn);

  char key = '3';
  editor.SetSelStart(2);
  editor.KeyPress(key);
  grid->SetSelectedIndex(0);
  EXPECT_EQ(grid->SelectedIndex(), 0) << "a complete text lets the column go";
  EXPECT_EQ(table->FieldByName(kLastName)->AsString(), "123");
}

TEST_F(InplaceEditTest, WithOnInvalidValueTheDatasetIsToldInsteadAndTheColumnStays) {
  std::vector<AnsiString> told;
  table->OnInvalidValue = [&](TDataSet* ds, TField* field) {
    EXPECT_EQ(ds, table);
    told.push_back(field->FieldName());
  };
  TdcInplaceEdit& editor = editLastName("###", true, "", 0);
  char key = '1';
  editor.KeyPress(key);
  grid->SetSelectedIndex(1);
  EXPECT_EQ(told, std::vector<AnsiString>{kLastName});
  EXPECT_EQ(grid->SelectedIndex(), kLastNameColumn);
}

TEST_F(InplaceEditTest, EscapeResetsTheRecordAndWithTheEditorAlwaysShownChecksItsText) {
  grid->SetDBOptions(grid->DBOptions().Include(dgAlwaysShowEditor));
  TdcInplaceEdit& editor = editLastName("###", true, "", 0);
  char key = '1';
  editor.KeyPress(key);
  checks.clear();
  WORD escape = VK_ESCAPE;
  grid->KeyDown(escape, {});
  EXPECT_EQ(editor.Text(), "") << "the field's own text again";
  EXPECT_EQ(checks, std::vector<bool>{true}) << "an empty text passes";
  grid->SetSelectedIndex(0);
  EXPECT_EQ(grid->SelectedIndex(), 0);
}

TEST_F(InplaceEditTest, APastePutsTheDatasetInEdit) {
  openAndBind();
  grid->SetSelectedIndex(kLastNameColumn);
  ASSERT_TRUE(grid->showCellEditor());
  table->Cancel();
  ASSERT_EQ(table->State(), dsBrowse);
  Clipboard::SetAsText("PASTED");
  grid->cellEditor()->PasteFromClipboard();
  EXPECT_EQ(table->State(), dsEdit);
  EXPECT_EQ(grid->cellEditor()->Text(), "PASTED");
}

TEST_F(InplaceEditTest, TheEditorWrapsWithTheGrid) {
  openAndBind();
  grid->SetSelectedIndex(kLastNameColumn);
  ASSERT_TRUE(grid->showCellEditor());
  EXPECT_TRUE(grid->cellEditor()->WordWrap()) << "dgWordWrap is a default";
  grid->SetDBOptions(grid->DBOptions().Exclude(dgWordWrap));
  EXPECT_FALSE(grid->cellEditor()->WordWrap());
}

}  // namespace
}  // namespace datagridtest
