#include "datagrid/Intl.h"

#include <gtest/gtest.h>

#include <map>

#include "framework/base/ClassRegistry.h"
#include "framework/base/ComponentLoading.h"
#include "framework/base/FormatText.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"

namespace {

struct DefaultText {
  const char* path;  // sub-object of TdcIntl, "RichEdit.MenuLabels" for a sub-object's sub-object
  const char* property;
  const char* text;
};

// Every default text, as the library's documentation lists them.
const DefaultText kDefaultTexts[] = {
    {"Navigator", "ConfirmDeleteMessage", "Delete record?"},
    {"Navigator.Hints", "FirstHint", "Move to first record"},
    {"Navigator.Hints", "PriorHint", "Move to prior record"},
    {"Navigator.Hints", "NextHint", "Move to next record"},
    {"Navigator.Hints", "LastHint", "Move to last record"},
    {"Navigator.Hints", "InsertHint", "Insert new record"},
    {"Navigator.Hints", "DeleteHint", "Delete current record"},
    {"Navigator.Hints", "EditHint", "Edit current record"},
    {"Navigator.Hints", "PostHint", "Post changes of current record"},
    {"Navigator.Hints", "CancelHint", "Cancel changes made to current record"},
    {"Navigator.Hints", "RefreshHint", "Refresh the contents of the dataset"},
    {"Navigator.Hints", "PriorPageHint", "Move backward %d records"},
    {"Navigator.Hints", "NextPageHint", "Move forward %d records"},
    {"Navigator.Hints", "SaveBookmarkHint", "Bookmark current record"},
    {"Navigator.Hints", "RestoreBookmarkHint", "Go back to saved bookmark"},
    {"Navigator.Hints", "RecordViewDialogHint", "View current record"},
    {"Navigator.Hints", "LocateDialogHint", "Locate a specific record"},
    {"Navigator.Hints", "FilterDialogHint", "Filter the dataset"},
    {"Navigator.Hints", "SearchDialogHint", "Search the dataset"},
    {"SearchDialog", "SearchCharLabel", "&Search Characters"},
    {"SearchDialog", "SearchCharShortLabel", "&Search Char"},
    {"SearchDialog", "SearchByLabel", "Search &By"},
    {"SearchDialog", "StatusRecLabel", "Rec #"},
    {"SearchDialog", "StatusOfLabel", "of"},
    {"SearchDialog", "SearchCharHint", "Enter characters for incremental search"},
    {"SearchDialog", "SearchByHint", "Incremental searching and sorting order"},
    {"LocateDialog", "FieldValueLabel", "Field &Value"},
    {"LocateDialog", "SearchTypeLabel", "&Search Type"},
    {"LocateDialog", "CaseSensitiveLabel", "&Case-sensitive"},
    {"LocateDialog", "MatchExactLabel", "&Exact Match"},
    {"LocateDialog", "MatchStartLabel", "&Partial Match at Beginning"},
    {"LocateDialog", "MatchAnyLabel", "Partial Match &Anywhere"},
    {"LocateDialog", "FieldsLabel", "&Fields"},
    {"LocateDialog", "BtnFirst", "Fi&rst"},
    {"LocateDialog", "BtnNext", "&Next"},
    {"LocateDialog", "BtnCancel", "Cancel"},
    {"LocateDialog", "FieldValueHint", "Enter field's search value"},
    {"LocateDialog", "CaseSensitiveHint", "Searching is case-sensitive"},
    {"LocateDialog", "MatchExactHint", "Match occurs only if there is an exact match"},
    {"LocateDialog", "MatchStartHint", "Match occurs if the start of the field's value matches"},
    {"LocateDialog", "MatchAnyHint", "Match occurs if any part of the field matches"},
    {"LocateDialog", "BtnFirstHint", "Find first match"},
    {"LocateDialog", "BtnNextHint", "Find next match from current record"},
    {"LocateDialog", "FieldNameHint", "Select the field to search on"},
    {"MonthCalendar", "PopupYearLabel", "Edit Year"},
    {"MonthCalendar", "EnterYearPrompt", "Enter Valid Year"},
    {"FilterDialog", "BtnViewSummary", "View Su&mmary"},
    {"FilterDialog", "BtnViewSummaryHint", "View summary of current search criteria"},
    {"FilterDialog", "BtnNewSearch", "&New Search"},
    {"FilterDialog", "BtnNewSearchHint", "Start a new search"},
    {"FilterDialog", "FieldOrderLabel", "Field Order"},
    {"FilterDialog", "FieldOrderHint", "Sort field list alphabetically or in their natural logical order"},
    {"FilterDialog", "AlphabeticLabel", "Alpha&betic"},
    {"FilterDialog", "LogicalLabel", "&Logical"},
    {"FilterDialog", "AllFieldsLabel", "&All"},
    {"FilterDialog", "SearchedFieldsLabel", "&Searched"},
    {"FilterDialog", "StartingRangeLabel", "&Starting Range"},
    {"FilterDialog", "EndingRangeLabel", "En&ding Range"},
    {"FilterDialog", "StartingRangeHint", "Enter starting range for field"},
    {"FilterDialog", "EndingRangeHint", "Enter ending range for field"},
    {"FilterDialog", "BtnClearMin", "&Clear"},
    {"FilterDialog", "BtnClearMax", "Cl&ear"},
    {"FilterDialog", "BtnClearFilterValue", "&Clear"},
    {"FilterDialog", "BtnClearMinHint", "Clear starting range for field"},
    {"FilterDialog", "BtnClearMaxHint", "Clear ending range for field"},
    {"FilterDialog", "BtnClearFilterValueHint", "Clear the current field's search value"},
    {"FilterDialog", "ByValueLabel", "By &Value"},
    {"FilterDialog", "ByRangeLabel", "By &Range"},
    {"FilterDialog", "FieldValueLabel", "Field &Value"},
    {"FilterDialog", "FieldValueHint", "Enter field's search value"},
    {"FilterDialog", "SearchTypeLabel", "Search Type"},
    {"FilterDialog", "SearchTypeHint", "Specify how the Field Value should be compared"},
    {"FilterDialog", "MatchExactLabel", "&Exact Match"},
    {"FilterDialog", "MatchStartLabel", "&Partial Match at Beginning"},
    {"FilterDialog", "MatchAnyLabel", "Partial Match Any&where"},
    {"FilterDialog", "CaseSensitiveLabel", "Case Sensi&tive"},
    {"FilterDialog", "CaseSensitiveHint", "Searching is case-sensitive"},
    {"FilterDialog", "NonMatchingLabel", "N&on-matching records"},
    {"FilterDialog", "NonMatchingHint", "Show records that do not match the field value criteria"},
    {"FilterDialog", "SummaryFieldLabel", "Field"},
    {"FilterDialog", "SummarySearchLabel", "Search Type"},
    {"FilterDialog", "SummaryValueLabel", "Value"},
    {"FilterDialog", "FieldsLabel", "&Fields"},
    {"FilterDialog", "ValueRangeTabHint", "Search fields by value or by range"},
    {"FilterDialog", "AllSearchedTabHint", "Show all fields or only currently searched fields"},
    {"FilterDialog", "ViewSummaryNotText", "NOT"},
    {"UserMessages", "dcDBGridDiscardChanges", "Discard changes to this record?"},
    {"UserMessages", "PictureValidateError", "Invalid characters. Field : "},
    {"UserMessages", "LocateNoMatches", "No matches found"},
    {"UserMessages", "LocateNoMoreMatches", "No more matches found"},
    {"UserMessages", "MemoChangesWarning", "Changes have been made!  Are you sure you wish to cancel?"},
    {"UserMessages", "RichEditExitWarning", "Changes have been made!  Do you wish to save your changes?"},
    {"UserMessages", "RichEditClearWarning", "Clear entire text?"},
    {"UserMessages", "FilterDlgNoCriteria", "You have not selected any search criteria"},
    {"UserMessages", "RecordViewExitWarning", "Changes have been made!  Do you wish to save your changes?"},
    {"RichEdit", "FontNameComboHint", "Font | Changes the font of the selection"},
    {"RichEdit", "FontSizeComboHint", "Font Size | Changes the font size of the selection"},
    {"RichEdit", "NewButtonHint", "New | Creates a new document"},
    {"RichEdit", "LoadButtonHint", "Load | Load from file"},
    {"RichEdit", "SaveAsButtonHint", "Save As | Save to file"},
    {"RichEdit", "PrintButtonHint", "Print | Prints the active document"},
    {"RichEdit", "FindButtonHint", "Find | Finds the specified text"},
    {"RichEdit", "CutButtonHint", "Cut | Cuts the selection and puts it on the Clipboard"},
    {"RichEdit", "CopyButtonHint", "Copy | Copies the selection and puts it on the Clipboard"},
    {"RichEdit", "UndoButtonHint", "Undo | Reverses the last action"},
    {"RichEdit", "PasteButtonHint", "Paste | Inserts Clipboard contents"},
    {"RichEdit", "BoldButtonHint", "Bold | Makes the selection bold (toggle)"},
    {"RichEdit", "UnderlineButtonHint", "Underline | Formats the selection with a continuous underline (toggle)"},
    {"RichEdit", "ItalicButtonHint", "Italic | Makes the selection italic (toggle)"},
    {"RichEdit", "LeftButtonHint", "Align Left | Left-justifies paragraph (toggle)"},
    {"RichEdit", "CenterButtonHint", "Center | Center-justifies paragraph (toggle)"},
    {"RichEdit", "RightButtonHint", "Align Right | Right-justifies paragraph (toggle)"},
    {"RichEdit", "BulletButtonHint", "Bullets | Inserts a bullet on this line (toggle)"},
    {"RichEdit", "SaveExitHint", "Save And Exit | Saves changes and exits editor"},
    {"RichEdit", "PageSetupHint", "Page Setup | Changes page layout settings"},
    {"RichEdit", "ExitHint", "Exit"},
    {"RichEdit", "ClearHint", "Erases the Selection"},
    {"RichEdit", "SelectAllHint", "Selects all of the text"},
    {"RichEdit", "FindNextHint", "Repeats the last find"},
    {"RichEdit", "ReplaceHint", "Replaces specific text with different text"},
    {"RichEdit", "InsertObjectHint", "Inserts new embedded object"},
    {"RichEdit", "ToolbarHint", "Shows or hides the toolbar"},
    {"RichEdit", "FormatBarHint", "Shows or hides the format bar"},
    {"RichEdit", "ViewStatusBarHint", "Shows or hides the status bar"},
    {"RichEdit", "OptionsHint", "Sets options"},
    {"RichEdit", "FontHint", "Selects font for current selection"},
    {"RichEdit", "ParagraphHint", "Formats current or selected paragraph(s)"},
    {"RichEdit", "TabsHint", "Sets tabs"},
    {"RichEdit", "CAPLockCaption", "CAP"},
    {"RichEdit", "NUMLockCaption", "NUM"},
    {"RichEdit.MenuLabels", "FileCaption", "&File"},
    {"RichEdit.MenuLabels", "LoadCaption", "&Load"},
    {"RichEdit.MenuLabels", "SaveAsCaption", "Save &As"},
    {"RichEdit.MenuLabels", "SaveExitCaption", "&Save and Exit"},
    {"RichEdit.MenuLabels", "PrintCaption", "&Print"},
    {"RichEdit.MenuLabels", "PageSetupCaption", "Page Set&up"},
    {"RichEdit.MenuLabels", "ExitCaption", "E&xit"},
    {"RichEdit.MenuLabels", "EditCaption", "&Edit"},
    {"RichEdit.MenuLabels", "UndoCaption", "&Undo"},
    {"RichEdit.MenuLabels", "CutCaption", "Cu&t"},
    {"RichEdit.MenuLabels", "CopyCaption", "&Copy"},
    {"RichEdit.MenuLabels", "PasteCaption", "&Paste"},
    {"RichEdit.MenuLabels", "ClearCaption", "Cle&ar"},
    {"RichEdit.MenuLabels", "SelectallCaption", "Select A&ll"},
    {"RichEdit.MenuLabels", "FindCaption", "&Find"},
    {"RichEdit.MenuLabels", "FindNextCaption", "Find &Next"},
    {"RichEdit.MenuLabels", "ReplaceCaption", "R&eplace"},
    {"RichEdit.MenuLabels", "InsertObjectCaption", "&Object..."},
    {"RichEdit.MenuLabels", "ViewCaption", "&View"},
    {"RichEdit.MenuLabels", "ToolbarCaption", "&Toolbar"},
    {"RichEdit.MenuLabels", "FormatBarCaption", "&Format Bar"},
    {"RichEdit.MenuLabels", "ViewStatusBarCaption", "&Status Bar"},
    {"RichEdit.MenuLabels", "OptionsCaption", "&Options"},
    {"RichEdit.MenuLabels", "FormatCaption", "F&ormat"},
    {"RichEdit.MenuLabels", "FontCaption", "&Font"},
    {"RichEdit.MenuLabels", "BulletStyleCaption", "&Bullet Style"},
    {"RichEdit.MenuLabels", "ParagraphCaption", "&Paragraph"},
    {"RichEdit.MenuLabels", "TabsCaption", "&Tabs"},
    {"RichEdit.MenuLabels", "HelpCaption", "Help"},
    {"RichEdit.PopupMenuLabels", "EditCaption", "&Edit"},
    {"RichEdit.PopupMenuLabels", "ViewCaption", "&View"},
    {"RichEdit.PopupMenuLabels", "CutCaption", "Cu&t"},
    {"RichEdit.PopupMenuLabels", "CopyCaption", "&Copy"},
    {"RichEdit.PopupMenuLabels", "PasteCaption", "&Paste"},
    {"RichEdit.PopupMenuLabels", "FontCaption", "&Font"},
    {"RichEdit.PopupMenuLabels", "BulletStyleCaption", "&Bullet Style"},
    {"RichEdit.PopupMenuLabels", "BoldCaption", "B&old"},
    {"RichEdit.PopupMenuLabels", "ItalicCaption", "&Italic"},
    {"RichEdit.PopupMenuLabels", "UnderlineCaption", "&Underline"},
    {"RichEdit.PopupMenuLabels", "ParagraphCaption", "P&aragraph"},
    {"RichEdit.PopupMenuLabels", "TabsCaption", "&Tabs"},
    {"RichEdit.PopupMenuLabels", "FindCaption", "Fin&d"},
    {"RichEdit.PopupMenuLabels", "ReplaceCaption", "&Replace"},
    {"RichEdit.PopupMenuLabels", "InsertObjectCaption", "&Insert &Object..."},
    {"RichEdit.ParagraphDialog", "ParagraphDlgCaption", "Paragraph"},
    {"RichEdit.ParagraphDialog", "IndentationGroupBoxCaption", "Indentation"},
    {"RichEdit.ParagraphDialog", "LeftEditHint", "Left Indentation"},
    {"RichEdit.ParagraphDialog", "RightEditHint", "Right Indentation"},
    {"RichEdit.ParagraphDialog", "FirstLineEditHint", "First Line of Paragraph Indentation"},
    {"RichEdit.ParagraphDialog", "AlignmentHint", "Changes Alignment of Paragraph"},
    {"RichEdit.ParagraphDialog", "LeftEditCaption", "Left:"},
    {"RichEdit.ParagraphDialog", "RightEditCaption", "Right:"},
    {"RichEdit.ParagraphDialog", "FirstLineEditCaption", "First line:"},
    {"RichEdit.ParagraphDialog", "SpacingGroupCaption", "Spacing"},
    {"RichEdit.ParagraphDialog", "BeforeParagraphCaption", "&Before"},
    {"RichEdit.ParagraphDialog", "AfterParagraphCaption", "Aft&er"},
    {"RichEdit.ParagraphDialog", "WithinParagraphCaption", "Li&ne Spacing"},
    {"RichEdit.ParagraphDialog", "WithinParagraphAtCaption", "&At"},
    {"RichEdit.ParagraphDialog", "AlignmentCaption", "Alignment"},
    {"RichEdit.ParagraphDialog", "AlignLeft", "Left"},
    {"RichEdit.ParagraphDialog", "AlignRight", "Right"},
    {"RichEdit.ParagraphDialog", "AlignCenter", "Center"},
    {"RichEdit.TabDialog", "TabDlgCaption", "Tab"},
    {"RichEdit.TabDialog", "TabGroupBoxCaption", "&Tab Stop Position"},
    {"RichEdit.TabDialog", "SetTabButtonCaption", "Set"},
    {"RichEdit.TabDialog", "ClearTabButtonCaption", "Clear"},
    {"RichEdit.TabDialog", "ClearAllButtonCaption", "Clear All"},
    {"RichEdit.TabDialog", "TabPositionEditHint", "Tab Position Edit Box"},
    {"RichEdit.TabDialog", "ListBoxHint", "List of tabs and their positions"},
    {"RichEdit.TabDialog", "SetButtonHint", "Set a new tab position"},
    {"RichEdit.TabDialog", "ClearButtonHint", "Clear the selected tab position"},
    {"RichEdit.TabDialog", "ClearAllButtonHint", "Clear all the tabs"},
};

// The sub-object at Path, read by property names from Intl.
TObject* subObject(const TObject* intl, const AnsiString& path) {
  const TObject* object = intl;
  size_t start = 0;
  while (object && start <= path.size()) {
    size_t dot = path.find('.', start);
    if (dot == AnsiString::npos) dot = path.size();
    const std::optional<TObject*> next = ReadObjectProperty(object, path.substr(start, dot - start));
    object = next ? *next : nullptr;
    start = dot + 1;
  }
  return const_cast<TObject*>(object);
}

// Puts dcIntlDefaults back to the library's defaults after a test that connected texts into it.
class IntlTest : public ::testing::Test {
 protected:
  void TearDown() override {
    TdcIntl defaults(nullptr);
    defaults.SetConnected(true);
  }
};

TEST_F(IntlTest, EveryDefaultTextReadsByPropertyName) {
  ASSERT_NE(dcIntlDefaults, nullptr);
  std::map<AnsiString, int> textsPerObject;
  for (const DefaultText& row : kDefaultTexts) {
    SCOPED_TRACE(::testing::Message() << row.path << "." << row.property);
    TObject* object = subObject(dcIntlDefaults, row.path);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(ReadStringProperty(object, row.property), std::optional<AnsiString>(row.text));
    ++textsPerObject[row.path];
  }
  // No text beyond the list: each sub-object publishes exactly its texts (and its sub-objects).
  for (const auto& [path, count] : textsPerObject) {
    int published = 0;
    for (const PropertyInfo* property : PublishedPropertiesOf(subObject(dcIntlDefaults, path)->ClassInfo()))
      if (property->kind == PropertyKind::String) ++published;
    EXPECT_EQ(published, count) << path;
  }
  EXPECT_EQ(textsPerObject.size(), 12u);
}

TEST_F(IntlTest, SwitchDefaultsAndOwner) {
  ASSERT_NE(dcIntlDefaults, nullptr);
  EXPECT_EQ(dcIntlDefaults->Owner(), Application);
  EXPECT_EQ(ReadBooleanProperty(dcIntlDefaults, "OKCancelBitmapped"), true);
  EXPECT_EQ(ReadStringProperty(dcIntlDefaults, "BtnOKCaption"), "&OK");
  EXPECT_EQ(ReadStringProperty(dcIntlDefaults, "BtnCancelCaption"), "Cancel");
  EXPECT_EQ(ReadEnumerationProperty(dcIntlDefaults, "CheckBoxInGridStyle"), cbStyleAuto);
  EXPECT_EQ(ReadIntegerProperty(dcIntlDefaults, "FilterMemoSize"), 65536);
  EXPECT_EQ(ReadBooleanProperty(dcIntlDefaults, "UseLocateMethodForSearch"), true);
  EXPECT_EQ(ReadSetProperty(dcIntlDefaults, "DialogFontStyle"), 0u);
  EXPECT_EQ(ReadIntegerProperty(dcIntlDefaults, "DefaultEpochYear"), 1950);
  EXPECT_EQ(ReadBooleanProperty(dcIntlDefaults, "Connected"), false);
  EXPECT_TRUE(dcIntlDefaults->ReopenTableOnCancelRange);
  EXPECT_FALSE(FindPublishedProperty(dcIntlDefaults, "ReopenTableOnCancelRange"));
}

TEST_F(IntlTest, PrefixesAndFormatsKeepTheirBlankAndPlaceholder) {
  const AnsiString prefix = dcIntlDefaults->UserMessages()->PictureValidateError;
  EXPECT_EQ(prefix + "Zip", "Invalid characters. Field : Zip");
  EXPECT_EQ(Format(dcIntlDefaults->Navigator()->Hints()->PriorPageHint, {10}), "Move backward 10 records");
  EXPECT_EQ(Format(dcIntlDefaults->Navigator()->Hints()->NextPageHint, {10}), "Move forward 10 records");
}

// A form with a placed TdcIntl whose texts and switches differ from the defaults.
class PlacedIntlTest : public IntlTest {
 protected:
  void SetUp() override {
    placed_ = new TdcIntl(&form_);
    placed_->FilterMemoSize = 1000;
    placed_->BtnOKCaption = "&Ja";
    placed_->OKCancelBitmapped = false;
    placed_->DialogFontStyle = TFontStyles{fsBold};
    placed_->DefaultEpochYear = 1980;
    placed_->UseLocateMethodForSearch = false;
    placed_->ReopenTableOnCancelRange = false;
    placed_->Navigator()->Hints()->PriorPageHint = "%d Datens\xE4tze zur\xFC" "ck";
    placed_->RichEdit()->MenuLabels()->FileCaption = "&Datei";
    placed_->RichEdit()->CAPLockCaption = "GROSS";
    placed_->UserMessages()->LocateNoMatches = "Nichts gefunden";
  }

  void expectPlacedTextsInDefaults() {
    EXPECT_EQ(dcIntlDefaults->FilterMemoSize, 1000);
    EXPECT_EQ(dcIntlDefaults->BtnOKCaption, "&Ja");
    EXPECT_EQ(dcIntlDefaults->BtnCancelCaption, "Cancel");
    EXPECT_FALSE(dcIntlDefaults->OKCancelBitmapped);
    EXPECT_EQ(dcIntlDefaults->DialogFontStyle, TFontStyles{fsBold});
    EXPECT_EQ(dcIntlDefaults->DefaultEpochYear, 1980);
    EXPECT_FALSE(dcIntlDefaults->UseLocateMethodForSearch);
    EXPECT_FALSE(dcIntlDefaults->ReopenTableOnCancelRange);
    EXPECT_EQ(dcIntlDefaults->Navigator()->Hints()->PriorPageHint, "%d Datens\xE4tze zur\xFC" "ck");
    EXPECT_EQ(dcIntlDefaults->Navigator()->Hints()->FirstHint, "Move to first record");
    EXPECT_EQ(dcIntlDefaults->RichEdit()->MenuLabels()->FileCaption, "&Datei");
    EXPECT_EQ(dcIntlDefaults->RichEdit()->CAPLockCaption, "GROSS");
    EXPECT_EQ(dcIntlDefaults->UserMessages()->LocateNoMatches, "Nichts gefunden");
    // Connected itself stays the global instance's own.
    EXPECT_FALSE(dcIntlDefaults->Connected());
  }

  TComponent form_{nullptr};
  TdcIntl* placed_ = nullptr;  // owned by form_
};

TEST_F(PlacedIntlTest, NotConnectedChangesNothing) {
  EXPECT_EQ(dcIntlDefaults->FilterMemoSize, 65536);
  EXPECT_EQ(dcIntlDefaults->BtnOKCaption, "&OK");
  EXPECT_EQ(dcIntlDefaults->RichEdit()->MenuLabels()->FileCaption, "&File");
  placed_->SetConnected(false);
  EXPECT_EQ(dcIntlDefaults->FilterMemoSize, 65536);
}

TEST_F(PlacedIntlTest, ConnectingAtRunTimeCopiesAtOnceAndTheCopyOutlivesThePlacedTexts) {
  EXPECT_TRUE(WriteBooleanProperty(placed_, "Connected", true));
  expectPlacedTextsInDefaults();
  delete placed_;
  expectPlacedTextsInDefaults();
}

TEST_F(PlacedIntlTest, AConnectedInstancePassesItsGridCheckBoxStyleOn) {
  placed_->SetCheckBoxInGridStyle(cbStyleXmark);
  EXPECT_EQ(dcIntlDefaults->CheckBoxInGridStyle(), cbStyleAuto);
  placed_->SetConnected(true);
  EXPECT_EQ(dcIntlDefaults->CheckBoxInGridStyle(), cbStyleXmark);
  placed_->SetCheckBoxInGridStyle(cbStyleCheckmark);
  EXPECT_EQ(dcIntlDefaults->CheckBoxInGridStyle(), cbStyleCheckmark);
  // Other switches follow only the next copy.
  placed_->FilterMemoSize = 2000;
  EXPECT_EQ(dcIntlDefaults->FilterMemoSize, 1000);
}

TEST_F(PlacedIntlTest, ALoadedConnectedInstanceCopiesEverythingItWasGiven) {
  // Connected comes before the other properties in a form's description.
  ComponentLoading::Load(placed_, [&] {
    EXPECT_TRUE(WriteBooleanProperty(placed_, "Connected", true));
    EXPECT_EQ(dcIntlDefaults->FilterMemoSize, 65536);
    EXPECT_TRUE(WriteIntegerProperty(placed_, "FilterMemoSize", 1000));
  });
  expectPlacedTextsInDefaults();
}

TEST_F(IntlTest, TheGlobalInstanceCopiesNothingIntoItself) {
  dcIntlDefaults->FilterMemoSize = 5;
  dcIntlDefaults->SetConnected(true);
  dcIntlDefaults->SetCheckBoxInGridStyle(cbStyleXmark);
  EXPECT_EQ(dcIntlDefaults->FilterMemoSize, 5);
  EXPECT_EQ(dcIntlDefaults->CheckBoxInGridStyle(), cbStyleXmark);
  dcIntlDefaults->SetConnected(false);
}

TEST_F(IntlTest, AFormDescriptionCreatesItByClassName) {
  TComponent form(nullptr);
  TComponent* placed = CreateComponentByClassName("TdcIntl", &form);
  ASSERT_NE(placed, nullptr);
  EXPECT_TRUE(placed->InheritsFrom("TdcIntl"));
}

TEST(IntlUnit, StoppingTheUnitsFreesTheDefaultsAndStartingMakesThemAgain) {
  UnitRegistry::Program().StopAll();
  EXPECT_EQ(dcIntlDefaults, nullptr);
  UnitRegistry::Program().StartAll();
  ASSERT_NE(dcIntlDefaults, nullptr);
  EXPECT_EQ(dcIntlDefaults->Owner(), Application);
  EXPECT_EQ(dcIntlDefaults->FilterMemoSize, 65536);
}

}  // namespace
