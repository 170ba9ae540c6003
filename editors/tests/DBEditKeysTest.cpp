// Typed keys in the data-aware edit: the picture mask, the space bar's date and time completion
// and the characters of the code page.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>

#include "editors/DBEdit.h"
#include "editors/tests/EditorsFixture.h"

namespace editorstest {
namespace {

class DBEditKeysTest : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    edit = place<TdcDBEdit>();
    edit->OnCheckValue = [this](TObject*, bool passes) { checks.push_back(passes); };
    ASSERT_TRUE(show());
    edit->SetFocus();
  }
  // A character as an input method commits it.
  void commit(const char* utf8) {
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8(utf8));
    QCoreApplication::instance()->notify(edit->Window(), &event);
  }
  TdcDBEdit* edit = nullptr;
  std::vector<bool> checks;
};

TEST_F(DBEditKeysTest, PictureKeysCompleteRefuseOrLetThroughAndReportTheTest) {
  struct Row {
    const char* mask;
    const char* text;
    int selStart, selLength;
    int maxLength;
    const char* keys;
    const char* after;
    int caret;
    int beeps;
    std::vector<bool> checks;
  };
  const char* number = "[-]*#[.[#][#]]";
  const std::vector<Row> rows{
      {number, "12.34", 5, 0, 0, "5", "12.34", 5, 1, {}},
      {number, "12.34", 4, 0, 0, "5", "12.354", 5, 0, {false}},
      {number, "", 0, 0, 0, "1", "1", 1, 0, {true}},
      {number, "12", 0, 2, 0, "7", "7", 1, 0, {true}},
      {"(###) ###-####", "", 0, 0, 0, "555", "(555) ", 6, 0, {false, false, false}},
      {number, "12345", 5, 0, 5, "6", "12345", 5, 0, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.mask) + " over \"" + row.text + "\" typing " + row.keys);
    edit->Picture()->SetPictureMask(row.mask);
    edit->Picture()->SetAutoFill(true);
    edit->SetMaxLength(row.maxLength);
    edit->SetText(row.text);
    edit->SetSelStart(row.selStart);
    edit->SetSelLength(row.selLength);
    checks.clear();
    const int beeps = qn::ui::beepCount();
    type(edit, row.keys);
    EXPECT_EQ(edit->Text(), row.after);
    EXPECT_EQ(edit->SelStart(), row.caret);
    EXPECT_EQ(qn::ui::beepCount() - beeps, row.beeps);
    EXPECT_EQ(checks, row.checks);
  }
}

TEST_F(DBEditKeysTest, ResetOfAnEmptyEditReportsAPassingText) {
  edit->Picture()->SetPictureMask("###");
  edit->Reset();
  EXPECT_EQ(checks, std::vector<bool>{true});
}

TEST_F(DBEditKeysTest, SpacesCompleteADateTimePartByPartFromTheClock) {
  edit->SetUnboundDataType(dcEdtDateTime);
  edit->SelectAll();
  const std::vector<std::string> expected{"12/",         "12/7/",          "12/7/2026",         "12/7/2026 ",
                                          "12/7/2026 3:", "12/7/2026 3:05:", "12/7/2026 3:05:09", "12/7/2026 3:05:09 PM",
                                          "12/7/2026 3:05:09 PM"};
  for (const std::string& text : expected) {
    type(edit, " ");
    EXPECT_EQ(edit->Text(), text);
    EXPECT_EQ(edit->SelStart(), static_cast<int>(text.size()));
  }
  EXPECT_TRUE(edit->Modified());
}

TEST_F(DBEditKeysTest, ADateEditStopsAtTheDateAndFollowsTheLocalesOrder) {
  struct Row {
    const char* format;
    int blanks;
    const char* text;
  };
  for (const Row& row : {Row{"M/d/yyyy", 5, "12/7/2026"}, Row{"d/M/yyyy", 1, "7/"}, Row{"dd/MM/yy", 3, "07/12/26"}}) {
    SCOPED_TRACE(row.format);
    Locale().ShortDateFormat = row.format;
    edit->SetUnboundDataType(dcEdtDate);
    edit->SetText("");
    for (int i = 0; i < row.blanks; ++i) type(edit, " ");
    EXPECT_EQ(edit->Text(), row.text);
  }
}

TEST_F(DBEditKeysTest, SpacesInAPlainTextAreTyped) {
  edit->SetText("");
  type(edit, "a b");
  EXPECT_EQ(edit->Text(), "a b");
}

TEST_F(DBEditKeysTest, ACharacterWithACodePageByteIsTakenOneWithoutIsRefusedWithABeep) {
  edit->SetText("");
  int beeps = qn::ui::beepCount();
  commit("\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(edit->Text(), "\x80");
  EXPECT_EQ(qn::ui::beepCount(), beeps);
  beeps = qn::ui::beepCount();
  commit("\xE2\x86\x92");  // rightwards arrow
  EXPECT_EQ(edit->Text(), "\x80");
  EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
}

TEST_F(DBEditKeysTest, APasteWithoutCodePageBytesLeavesTextAndModifiedWithOneBeep) {
  edit->SetText("keep");
  edit->SetSelStart(4);
  QGuiApplication::clipboard()->setText(QString::fromUtf8("a\xE2\x86\x92" "b"));
  const int beeps = qn::ui::beepCount();
  key(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "keep");
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
  QGuiApplication::clipboard()->setText("ab");
  key(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "keepab");
  EXPECT_TRUE(edit->Modified());
}

}  // namespace
}  // namespace editorstest
