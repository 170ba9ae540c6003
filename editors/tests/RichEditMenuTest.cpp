// The rich edit's context menu, its font dialog, F2 and the menu's Edit entry opening the editor,
// and links opened in the desktop's browser.
#include <QTextEdit>

#include "editors/tests/RichEditFixture.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/testing/ScriptedDialogs.h"

namespace richedittest {
namespace {

using qn::ui::testing::ScriptedDialogs;

// Counts the editor's openings (the editor form is built elsewhere).
class CountingRichEdit : public TdcDBRichEdit {
 public:
  using TdcDBRichEdit::TdcDBRichEdit;
  bool Execute() override {
    ++executed;
    return false;
  }
  int executed = 0;
};

// The captions of the shown entries, separators as "-".
std::vector<AnsiString> shownEntries(TdcCustomRichEdit* edit) {
  edit->PreparePopup();
  std::vector<AnsiString> shown;
  TMenuItem* items = edit->RichPopupMenu()->Items();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Visible) shown.push_back(items->Items(i)->Caption());
  return shown;
}

TMenuItem* entry(TdcCustomRichEdit* edit, const AnsiString& caption) {
  TMenuItem* items = edit->RichPopupMenu()->Items();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Caption() == caption) return items->Items(i);
  return nullptr;
}

class RichEditMenuTest : public RichEditTest {};

TEST_F(RichEditMenuTest, TheMenuShowsItsEntriesByOptionWithSeparatorsOnlyBetweenShownOnes) {
  auto* edit = place();
  EXPECT_EQ(edit->PopupMenu(), edit->RichPopupMenu());
  EXPECT_EQ(shownEntries(edit),
            (std::vector<AnsiString>{"&Edit", "-", "Cu&t", "&Copy", "&Paste", "-", "&Font", "&Bullet Style",
                                     "P&aragraph", "&Tabs", "-", "Fin&d", "&Replace"}))
      << "no embedded objects: Insert object never shows";
  edit->SetReadOnly(true);
  EXPECT_EQ(shownEntries(edit), (std::vector<AnsiString>{"&View", "-", "Cu&t", "&Copy", "&Paste", "-", "Fin&d"}));
  edit->SetReadOnly(false);
  edit->PopupOptions = {rpoPopupEdit, rpoPopupFind};
  EXPECT_EQ(shownEntries(edit), (std::vector<AnsiString>{"&Edit", "-", "Fin&d"}));
  edit->PopupOptions = {rpoPopupBold, rpoPopupInsertObject};
  EXPECT_EQ(shownEntries(edit), (std::vector<AnsiString>{"B&old"}));
}

TEST_F(RichEditMenuTest, EntriesAreEnabledAndCheckedByTheSelectionAndTheClipboard) {
  auto* edit = place();
  edit->PopupOptions.Include(rpoPopupBold);
  ASSERT_TRUE(show());
  edit->SetText("plain bold");
  edit->SetSelStart(6);
  edit->SetSelLength(4);
  edit->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.bold = true; });
  Clipboard::Clear();
  edit->PreparePopup();
  EXPECT_TRUE(entry(edit, "Cu&t")->Enabled);
  EXPECT_TRUE(entry(edit, "&Copy")->Enabled);
  EXPECT_FALSE(entry(edit, "&Paste")->Enabled) << "nothing to paste";
  EXPECT_TRUE(entry(edit, "B&old")->Checked());
  Clipboard::SetAsText("x");
  edit->SetSelStart(1);
  edit->SetSelLength(0);
  edit->PreparePopup();
  EXPECT_FALSE(entry(edit, "Cu&t")->Enabled);
  EXPECT_FALSE(entry(edit, "&Copy")->Enabled);
  EXPECT_EQ(entry(edit, "&Paste")->Enabled, edit->CanPaste());
  EXPECT_TRUE(entry(edit, "&Paste")->Enabled);
  EXPECT_FALSE(entry(edit, "B&old")->Checked());
  edit->SetReadOnly(true);
  edit->SetSelLength(3);
  edit->PreparePopup();
  EXPECT_FALSE(entry(edit, "Cu&t")->Enabled);
  EXPECT_FALSE(entry(edit, "&Paste")->Enabled);
}

TEST_F(RichEditMenuTest, BoldAndBulletTogglePuttingTheRecordIntoEditFirst) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  edit->SelectAll();
  ASSERT_EQ(docs.State(), dsBrowse);
  entry(edit, "&Bullet Style")->Click();
  EXPECT_EQ(docs.State(), dsEdit);
  EXPECT_TRUE(edit->paragraphAttributes().bullet);
  int start, right, offset;
  edit->GetParagraphIndents(start, right, offset);
  EXPECT_EQ(offset, 720);
  EXPECT_EQ(start, 0);
  entry(edit, "&Bullet Style")->Click();
  EXPECT_FALSE(edit->paragraphAttributes().bullet);
  edit->SetSelStart(20);
  edit->SetSelLength(3);
  entry(edit, "B&old")->Click();
  EXPECT_TRUE(edit->selectionAttributes().bold);
}

TEST_F(RichEditMenuTest, F2AndTheEditEntryOpenTheEditor) {
  auto* edit = place<CountingRichEdit>();
  ASSERT_TRUE(show());
  edit->SetFocus();
  key(edit, Qt::Key_F2);
  EXPECT_EQ(edit->executed, 1);
  entry(edit, "&Edit")->Click();
  EXPECT_EQ(edit->executed, 2);
  edit->PopupOptions.Exclude(rpoPopupEdit);
  key(edit, Qt::Key_F2);
  EXPECT_EQ(edit->executed, 2) << "without the Edit option F2 opens nothing";
}

TEST_F(RichEditMenuTest, TheFontDialogSetsTheSelectionsFontCutToThirtyTwoLetters) {
  auto* edit = place();
  ASSERT_TRUE(show());
  edit->SetText("some text");
  edit->SetSelStart(5);
  edit->SetSelLength(4);
  FontChoice chosen;
  chosen.name = AnsiString(40, 'F');
  chosen.size = 14;
  chosen.style = {fsItalic, fsStrikeOut};
  chosen.color = clRed;
  ScriptedDialogs dialogs;
  dialogs.expectFont(chosen);
  edit->FontDialog();
  ASSERT_EQ(dialogs.fontRequests().size(), 1u);
  EXPECT_EQ(dialogs.fontRequests()[0].devices, FontDialogDevices::screen);
  EXPECT_EQ(dialogs.fontRequests()[0].font.name, "Arial") << "preset from the selection";
  const qn::ui::CharacterAttributes a = edit->selectionAttributes();
  EXPECT_EQ(a.name, AnsiString(32, 'F'));
  EXPECT_EQ(a.halfPoints, 28);
  EXPECT_TRUE(a.italic && a.strikeOut && !a.bold);
  EXPECT_FALSE(a.automaticColor);
  EXPECT_EQ(a.color, clRed);
  edit->SetEditWidth(rewPrinterSize);
  dialogs.expectFont(std::nullopt);
  edit->FontDialog();
  EXPECT_EQ(dialogs.fontRequests()[1].devices, FontDialogDevices::screenAndPrinter);
}

class RichEditLinkTest : public RichEditTest {
 protected:
  void TearDown() override {
    TdcCustomRichEdit::setLinkOpener(nullptr);
    RichEditTest::TearDown();
  }
  // A press and release on the link's ninth character.
  void clickLink(TdcCustomRichEdit* edit) {
    auto* text = static_cast<QTextEdit*>(edit->Window());
    const TPoint at = edit->PositionOfChar(8);
    QPoint onLink = text->viewport()->mapFrom(text, QPoint(at.X + 2, at.Y + 4));
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, onLink);
  }
};

TEST_F(RichEditLinkTest, AClickOnALinkAsksOnURLOpenOnceAndStartsTheOpenerWithTheURLAlone) {
  std::vector<std::vector<std::string>> started;
  TdcCustomRichEdit::setLinkOpener([&](const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> call{program};
    call.insert(call.end(), args.begin(), args.end());
    started.push_back(call);
    return true;
  });
  auto* edit = place();
  edit->SetAutoURLDetect(true);
  ASSERT_TRUE(show());
  edit->SetText("see http://example.com today");
  std::vector<AnsiString> asked;
  bool open = true;
  edit->OnURLOpen = [&](TObject*, const AnsiString& url, bool& Open) {
    asked.push_back(url);
    Open = open;
  };
  clickLink(edit);
  EXPECT_EQ(asked, std::vector<AnsiString>{"http://example.com"});
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], (std::vector<std::string>{"xdg-open", "http://example.com"}));
  open = false;
  clickLink(edit);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(started.size(), 1u) << "OnURLOpen said no";
}

}  // namespace
}  // namespace richedittest
