// The lookup combo over a clients table in memory: typing and its search, the drop-down's rows,
// size and place, closing (writing, not-in-list, failures), and the values it shows.
#include <QTest>

#include "editors/tests/LookupComboFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/PublishedProperties.h"
#include "framework/db/FieldFactory.h"
#include "framework/db/StringField.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/FieldTextTests.h"
#include "framework/ui/Application.h"
#include "framework/ui/ImageStrip.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace editorstest {
namespace {

using DBLookupComboTest = LookupComboTest;

TEST_F(DBLookupComboTest, TwoKeysTypedWithTheDropDownOpenAreSearchedOnce333MsAfterTheFirst) {
  auto* c = combo("Client Code");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  ASSERT_TRUE(c->IsDroppedDown());
  clients.Last();
  type(c, "a");
  wait(100);
  type(c, "b");
  wait(232);
  EXPECT_EQ(clients.FieldByName("Client Code")->AsString(), "SMITHJ") << "332 ms after the first key: no search yet";
  wait(2);
  EXPECT_EQ(clients.FieldByName("Client Code")->AsString(), "ABBOT") << "one search, for the text present then";
  EXPECT_EQ(c->LookupValue(), "ABBOT");
}

TEST_F(DBLookupComboTest, ASearchThatFindsNothingWithTheKeyShownClearsTheLookupValue) {
  auto* c = combo("");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  type(c, "ad");
  wait(340);
  EXPECT_EQ(c->LookupValue(), "ADAMS");
  type(c, "x");
  wait(340);
  EXPECT_EQ(c->LookupValue(), "");
  EXPECT_FALSE(c->Found());
}

TEST_F(DBLookupComboTest, ShowMatchTextCompletesTheTypedLettersAndBackspaceDoesNotRefill) {
  auto* c = combo("Name");
  c->SetShowMatchText(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  type(c, "sm");
  EXPECT_EQ(c->Text(), "Smith, John") << "found without case";
  EXPECT_EQ(c->SelText(), "ith, John");
  EXPECT_EQ(c->LookupValue(), "SMITH");
  key(c, Qt::Key_Backspace);
  EXPECT_EQ(c->Text(), "Sm");
}

TEST_F(DBLookupComboTest, AutoDropDownOpensOnTheFirstTextKeyAfterSearchingTheText) {
  auto* c = combo("Name");
  c->SetAutoDropDown(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  type(c, "b");
  EXPECT_TRUE(c->IsDroppedDown());
  EXPECT_EQ(clientName(), "Bright");
  EXPECT_EQ(c->Text(), "b") << "the typed text stays";
}

TEST_F(DBLookupComboTest, ACaseSensitiveSearchOptionFindsOnlyTheSameCase) {
  auto* c = combo("Name");
  c->SetShowMatchText(true);
  c->SetSeqSearchOptions({ssoEnabled, ssoCaseSensitive});
  EXPECT_TRUE(c->DropDownList()->CaseSensitive()) << "the grid searches whole values with the same case";
  ASSERT_TRUE(show());
  c->SetFocus();
  type(c, "sm");
  EXPECT_EQ(c->Text(), "sm");
  EXPECT_FALSE(c->Found());
  c->SetText("");
  type(c, "Sm");
  EXPECT_EQ(c->Text(), "Smith, John");
}

// ---- the drop-down ----

TEST_F(DBLookupComboTest, FewerRecordsThanRowsOpenThatManyRowsWithoutAVerticalScrollBar) {
  clients.Last();
  clients.Delete();
  clients.Last();
  clients.Delete();
  auto* c = combo("Name");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  ASSERT_TRUE(c->IsDroppedDown());
  const int rowHeight = c->DropDownList()->defaultRowHeight();
  EXPECT_EQ(placed(c).Height(), rowHeight * 3 + 5);
  EXPECT_FALSE(c->DropDownList()->ShowVertScrollBar());
  EXPECT_EQ(c->DropDownList()->scrollBars(), scrollBarsNone) << "the one column fits";
  c->CloseUp(false);
  c->SetDropDownCount(2);
  c->DropDown();
  EXPECT_EQ(placed(c).Height(), rowHeight * 2 + 5);
  EXPECT_TRUE(c->DropDownList()->ShowVertScrollBar());
  EXPECT_EQ(c->DropDownList()->scrollBars(), scrollBarsVertical);
}

TEST_F(DBLookupComboTest, ADropDownCountBelowOneOpensOneRow) {
  auto* c = combo("Name");
  c->SetDropDownCount(-1);
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  EXPECT_EQ(placed(c).Height(), c->DropDownList()->defaultRowHeight() + 5);
}

TEST_F(DBLookupComboTest, AZeroDropDownWidthSizesTheGridToItsColumns) {
  auto* c = combo("Name");
  c->SetUseTFields(false);
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  const int digit = MeasuredTextWidth(c->DropDownList()->Font(), "0");
  const int lineWidth = c->DropDownList()->lineWidth();
  const int columns = qn::ui::screenFacts().thumbWidth + 1 + 20 * digit + lineWidth;
  EXPECT_EQ(placed(c).Width(), columns + lineWidth + c->Button()->Width());
  c->CloseUp(false);
  c->SetDropDownWidth(250);
  c->DropDown();
  EXPECT_EQ(placed(c).Width(), 250);
}

TEST_F(DBLookupComboTest, AComboAtTheBottomOfTheWorkAreaOpensAboveAndRightAlignmentEndsAtItsRightEdge) {
  auto* c = combo("Name");
  c->SetDropDownWidth(250);
  ASSERT_TRUE(show());
  const TPoint corner = c->ClientToScreen({0, 0});
  ScreenFacts facts = qn::ui::screenFacts();
  facts.workArea = {facts.workArea.Left, facts.workArea.Top, facts.workArea.Right, corner.Y + c->Height() + 20};
  qn::ui::setScreenFacts(facts);
  c->SetFocus();
  c->DropDown();
  EXPECT_TRUE(c->DropDownWindowOfGrid()->openedAbove());
  EXPECT_EQ(placed(c).Bottom, corner.Y);
  EXPECT_EQ(placed(c).Left, corner.X);
  c->CloseUp(false);
  c->SetDropDownAlignment(taRightJustify);
  c->SetDropDownWidth(100);
  c->DropDown();
  EXPECT_EQ(placed(c).Right, corner.X + c->Width() + 1);
}

TEST_F(DBLookupComboTest, AnEmptySelectedGetsTheKeyFieldsLine) {
  clients.FieldByName("Client Code")->SetDisplayLabel("Code");
  auto* c = combo("");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  ASSERT_EQ(c->Selected()->Count(), 1);
  EXPECT_EQ(c->Selected()->Strings(0), "Client Code\t7\tCode");
}

TEST_F(DBLookupComboTest, NoLookupTableOrAClosedOneWarnsAndOpensNothing) {
  auto* c = place<TdcDBLookupCombo>();
  ASSERT_TRUE(show());
  c->SetFocus();
  {
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "No lookup table specified!");
    c->DropDown();
  }
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_TRUE(c->Button()->Enabled());
  c->SetLookupTable(&clients);
  clients.Close();
  {
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "Lookup table is not active!");
    c->DropDown();
  }
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_TRUE(c->Button()->Enabled());
}

// ---- closing ----

TEST_F(DBLookupComboTest, APressOutsideAcceptsTheHighlightedRowAndWritesItsCode) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  EXPECT_EQ(c->Text(), "Adams, Walter");
  c->SetFocus();
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Down);
  EXPECT_EQ(c->Text(), "Bright");
  QTest::mousePress(form->Window(), Qt::LeftButton, {}, QPoint(300, 150));
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(matterText("Client Code"), "BRIGHT");
  EXPECT_EQ(c->Text(), "Bright");
}

TEST_F(DBLookupComboTest, APressOutsideWithinTheSearchIntervalSearchesTheTypedTextFirst) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  c->SelectAll();
  type(c, "br");
  QTest::mousePress(form->Window(), Qt::LeftButton, {}, QPoint(300, 150));
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(matterText("Client Code"), "BRIGHT") << "not the value found before the keys";
  EXPECT_EQ(c->Text(), "Bright");
}

TEST_F(DBLookupComboTest, TabWithTheDropDownOpenTakesTheRowFoundAndMovesOn) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  c->SelectAll();
  type(c, "br");
  wait(340);
  ASSERT_EQ(clientName(), "Bright");
  key(c, Qt::Key_Tab);
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_FALSE(c->Focused());
  EXPECT_EQ(c->Text(), "Bright");
  EXPECT_EQ(matterText("Client Code"), "BRIGHT");
}

TEST_F(DBLookupComboTest, EscapeAfterTypingRestoresTheTextAndValueHeldAtEntry) {
  for (const auto& [bound, dropped] : std::vector<std::pair<bool, bool>>{{true, false}, {true, true}, {false, false}, {false, true}}) {
    SCOPED_TRACE(std::string(bound ? "bound, " : "unbound, ") + (dropped ? "drop-down open" : "drop-down closed"));
    auto* c = combo("", bound ? "Client Code" : nullptr);
    if (!bound) c->SetLookupValue("ADAMS");
    ASSERT_TRUE(show());
    c->SetFocus();
    EXPECT_EQ(c->Text(), "ADAMS");
    if (dropped) c->DropDown();
    c->SelectAll();
    type(c, "BR");
    wait(340);
    EXPECT_EQ(c->Text(), "BR");
    key(c, Qt::Key_Escape);
    EXPECT_FALSE(c->IsDroppedDown());
    EXPECT_EQ(c->Text(), "ADAMS");
    EXPECT_EQ(c->LookupValue(), "ADAMS");
    EXPECT_FALSE(c->Modified());
    next->SetFocus();
    matters.Cancel();
    EXPECT_EQ(matterText("Client Code"), "ADAMS");
    delete c;
  }
}

TEST_F(DBLookupComboTest, ABoundDatasetClosedAndOpenedAgainOnTheSameRecordShowsItsValueAgain) {
  for (const char* shown : {"", "Name"}) {
    SCOPED_TRACE(*shown ? "the name shown" : "the key shown");
    auto* c = combo(shown, "Client Code");
    const AnsiString expected = *shown ? "Adams, Walter" : "ADAMS";
    ASSERT_EQ(c->Text(), expected);
    matters.Close();
    EXPECT_EQ(c->Text(), "");
    matters.Open();
    matters.First();
    ASSERT_EQ(matterText("Client Code"), "ADAMS");
    EXPECT_EQ(c->Text(), expected);
    delete c;
  }
}

TEST_F(DBLookupComboTest, ADropDownListComboWhoseTypedTextMatchesNothingReturnsToItsSavedText) {
  auto* c = combo("Name", "Client Code");
  c->SetStyle(csDropDownList);
  c->SetAutoDropDown(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  EXPECT_EQ(c->Text(), "Adams, Walter");
  c->SelectAll();
  type(c, "zz");
  ASSERT_TRUE(c->IsDroppedDown());
  wait(340);
  c->CloseUp(true);
  EXPECT_EQ(c->Text(), "Adams, Walter");
  EXPECT_EQ(matterText("Client Code"), "ADAMS");
}

TEST_F(DBLookupComboTest, NotInListRefusingRestoresAndAcceptingWritesTheTypedKey) {
  auto* c = combo("", "Client Code");
  std::vector<AnsiString> asked;
  bool accept = false;
  c->OnNotInList = [&](TObject*, TDataSet* table, const AnsiString& text, bool& Accept) {
    EXPECT_EQ(table, &clients);
    asked.push_back(text);
    Accept = accept;
  };
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  c->SelectAll();
  type(c, "NEW");
  wait(340);
  c->CloseUp(true);
  EXPECT_EQ(asked, (std::vector<AnsiString>{"NEW"}));
  EXPECT_EQ(c->Text(), "ADAMS");
  EXPECT_EQ(c->LookupValue(), "ADAMS");
  accept = true;
  c->DropDown();
  c->SelectAll();
  type(c, "NEW");
  wait(340);
  c->CloseUp(true);
  EXPECT_EQ(c->Text(), "NEW");
  EXPECT_EQ(matterText("Client Code"), "NEW");
}

TEST_F(DBLookupComboTest, LeavingWithATextInNoRecordAsksTheFormAndARefusalRestoresTheSavedText) {
  auto* c = combo("Name", "Client Code");
  std::vector<AnsiString> asked;
  c->OnNotInList = [&](TObject*, TDataSet*, const AnsiString& text, bool& Accept) {
    asked.push_back(text);
    Accept = false;
  };
  ASSERT_TRUE(show());
  c->SetFocus();
  c->SelectAll();
  type(c, "Nobody");
  EXPECT_FALSE(c->IsDroppedDown());
  next->SetFocus();
  EXPECT_EQ(asked, (std::vector<AnsiString>{"Nobody"}));
  EXPECT_EQ(c->Text(), "Adams, Walter");
  EXPECT_EQ(matterText("Client Code"), "ADAMS");
}

TEST_F(DBLookupComboTest, APressOnARowOfTheGridPicksItAndTheReleaseClosesWritingItsCode) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  TdcPopupGrid* grid = c->DropDownList();
  ASSERT_TRUE(grid->hasWindow());
  const TRect row = grid->cellBounds(0, grid->TitleOffset() + 2);
  const QPoint at(row.Left + 5, (row.Top + row.Bottom) / 2);
  QTest::mousePress(grid->Window(), Qt::LeftButton, {}, at);
  EXPECT_EQ(matters.State(), dsEdit) << "the press put the record into edit";
  QTest::mouseRelease(grid->Window(), Qt::LeftButton, {}, at);
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(matterText("Client Code"), "BRIGHT");
  EXPECT_EQ(c->Text(), "Bright");
  EXPECT_TRUE(c->Focused()) << "the grid took no focus";
}

TEST_F(DBLookupComboTest, APressOnADropDownListComboDraggedIntoTheGridPicksTheRowReleasedOn) {
  auto* c = combo("Name", "Client Code");
  c->SetStyle(csDropDownList);
  ASSERT_TRUE(show());
  QTest::mousePress(c->Window(), Qt::LeftButton, {}, QPoint(20, 10));
  ASSERT_TRUE(c->IsDroppedDown()) << "the press opens a text that cannot be typed";
  TdcPopupGrid* grid = c->DropDownList();
  const TRect row = grid->cellBounds(0, grid->TitleOffset() + 2);
  const TPoint onRow = c->ScreenToClient(grid->ClientToScreen({row.Left + 5, (row.Top + row.Bottom) / 2}));
  QTest::mouseMove(c->Window(), QPoint(onRow.X, onRow.Y));
  QTest::mouseRelease(c->Window(), Qt::LeftButton, {}, QPoint(onRow.X, onRow.Y));
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(c->Text(), "Bright");
  EXPECT_EQ(matterText("Client Code"), "BRIGHT");
}

TEST_F(DBLookupComboTest, ThePressOnTheButtonTogglesTheDropDownAndDraggedIntoTheGridPicksTheRowReleasedOn) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  QWidget* panel = c->ButtonPanel()->Window();
  const QPoint onButton(c->Button()->Left() + c->Button()->Width() / 2, c->Button()->Top() + c->Button()->Height() / 2);
  QTest::mousePress(panel, Qt::LeftButton, {}, onButton);
  ASSERT_TRUE(c->IsDroppedDown()) << "the press opens";
  EXPECT_TRUE(c->Focused());
  QTest::mouseRelease(panel, Qt::LeftButton, {}, onButton);
  EXPECT_TRUE(c->IsDroppedDown()) << "the release on the button leaves it open";
  QTest::mousePress(panel, Qt::LeftButton, {}, onButton);
  QTest::mouseRelease(panel, Qt::LeftButton, {}, onButton);
  EXPECT_FALSE(c->IsDroppedDown()) << "the next press closes";
  EXPECT_EQ(matterText("Client Code"), "ADAMS");

  QTest::mousePress(panel, Qt::LeftButton, {}, onButton);
  ASSERT_TRUE(c->IsDroppedDown());
  TdcPopupGrid* grid = c->DropDownList();
  const TRect row = grid->cellBounds(0, grid->TitleOffset() + 2);
  const TPoint onRow =
      c->ButtonPanel()->ScreenToClient(grid->ClientToScreen({row.Left + 5, (row.Top + row.Bottom) / 2}));
  QTest::mouseMove(panel, QPoint(onRow.X, onRow.Y));
  QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(onRow.X, onRow.Y));
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(c->Text(), "Bright");
  EXPECT_EQ(matterText("Client Code"), "BRIGHT");
}

TEST_F(DBLookupComboTest, DroppingDownTellsWhetherTheValueWasFound) {
  auto* c = combo("");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->SetText("NOBODY");
  c->DropDown();
  EXPECT_FALSE(c->Found()) << "unbound with the key shown, the text is the value";
  EXPECT_EQ(c->LookupValue(), "NOBODY");
  c->CloseUp(false);
  c->SetText("");
  c->DropDown();
  EXPECT_TRUE(c->Found()) << "an empty text counts as found";
  c->CloseUp(false);
  c->SetLookupValue("BRIGHT");
  c->DropDown();
  EXPECT_TRUE(c->Found());
  EXPECT_EQ(clientName(), "Bright");
}

TEST_F(DBLookupComboTest, TheAccessorsThatDoMoreThanStore) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  c->SetUseTFields(false);
  EXPECT_FALSE(c->DropDownList()->UseTFields()) << "copied into the grid";
  const int before = c->ButtonPanel()->Left();
  c->SetShowButton(false);
  EXPECT_FALSE(c->GetShowButton());
  EXPECT_FALSE(c->ButtonPanel()->Visible());
  EXPECT_GT(before, 0);
  c->SetReadOnly(true);
  c->SetFocus();
  c->SelectAll();
  type(c, "B");
  EXPECT_EQ(c->Text(), "Adams, Walter") << "read-only takes no key";
  EXPECT_EQ(matters.State(), dsBrowse);
  c->SetReadOnly(false);
  QWidget* window = c->Window();
  c->SetMultiLineEdit(true);
  EXPECT_TRUE(c->MultiLineEdit());
  EXPECT_NE(c->Window(), window) << "the window was made again";
  EXPECT_EQ(c->Text(), "Adams, Walter");
}

TEST_F(DBLookupComboTest, WithAutoSizeTheHeightFollowsTheFontsTextHeightAndItsBorders) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  EXPECT_EQ(ReadBooleanProperty(c, "AutoSize"), std::optional<bool>(true)) << "published, on by default";
  EXPECT_EQ(c->Height(), 22) << "the font it was placed with keeps the height given";
  c->SetBorderStyle(bsSingle);
  c->Font()->SetSize(c->Font()->Size() * 2);
  const int large = MeasuredTextHeight(c->Font(), "0");
  EXPECT_EQ(c->Height(), 2 * qn::ui::screenFacts().borderHeight + large + 1 + 2);
  c->SetBorderStyle(bsNone);
  c->Font()->SetSize(c->Font()->Size() / 2);
  EXPECT_EQ(c->Height(), 2 * qn::ui::screenFacts().borderHeight + MeasuredTextHeight(c->Font(), "0") + 1)
      << "borderless: no single border's two pixels";
  c->SetAutoSize(false);
  c->SetBounds(c->Left(), c->Top(), c->Width(), 30);
  c->Font()->SetSize(c->Font()->Size() * 2);
  EXPECT_EQ(c->Height(), 30) << "without AutoSize the height stays";
  WriteBooleanProperty(c, "AutoSize", true);
  EXPECT_EQ(c->Height(), 2 * qn::ui::screenFacts().borderHeight + large + 1) << "turned on, it fits at once";
}

TEST_F(DBLookupComboTest, AWriteThatRaisesAtCloseUpRestoresTheSavedTextAndReachesTheHandlerOnce) {
  auto* c = combo("Name", "Client Code");
  matters.FieldByName("Client Code")->OnValidate = [](TField*) { throw Exception("refused"); };
  std::vector<AnsiString> handled;
  Application->OnException = [&](TObject*, const std::exception& e) { handled.push_back(e.what()); };
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Down);
  QTest::mousePress(form->Window(), Qt::LeftButton, {}, QPoint(300, 150));
  Application->OnException = nullptr;
  EXPECT_EQ(handled, (std::vector<AnsiString>{"refused"}));
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(c->Text(), "Adams, Walter");
  matters.Cancel();
  EXPECT_EQ(matterText("Client Code"), "ADAMS");
}

TEST_F(DBLookupComboTest, OnCloseUpGetsTheLookupTableTheBoundDatasetAndTheModifiedFlag) {
  auto* c = combo("Name", "Client Code");
  std::vector<std::tuple<TDataSet*, TDataSet*, bool>> calls;
  c->OnCloseUp = [&](TObject* sender, TDataSet* table, TDataSet* fill, bool modified) {
    EXPECT_EQ(sender, c);
    calls.emplace_back(table, fill, modified);
  };
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  c->CloseUp(false);
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Return);
  using Call = std::tuple<TDataSet*, TDataSet*, bool>;
  EXPECT_EQ(calls, (std::vector<Call>{Call{&clients, &matters, false}, Call{&clients, &matters, true}}));
}

TEST_F(DBLookupComboTest, AllowClearKeyClearsTheFieldAndAnEmptiedTextWithTheDropDownOpenClearsTheValue) {
  auto* c = combo("Name", "Client Code");
  c->SetAllowClearKey(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  c->SelectAll();
  key(c, Qt::Key_Delete);
  EXPECT_EQ(c->Text(), "");
  EXPECT_EQ(c->LookupValue(), "");
  next->SetFocus();
  EXPECT_EQ(matterText("Client Code"), "") << "the whole selection cleared the field";
  matters.Cancel();
  auto* unbound = combo("", nullptr, 40);
  unbound->SetAllowClearKey(true);
  unbound->SetFocus();
  unbound->DropDown();
  type(unbound, "B");
  wait(340);
  ASSERT_EQ(unbound->LookupValue(), "BRIGHT");
  key(unbound, Qt::Key_Backspace);
  EXPECT_EQ(unbound->Text(), "");
  EXPECT_EQ(unbound->LookupValue(), "") << "an emptied text holds no value";
}

// ---- linked ----

class LinkedComboTest : public LookupComboTest {
 protected:
  void SetUp() override {
    LookupComboTest::SetUp();
    linked.FieldDefs().Add("Matter", ftString, 10);
    linked.FieldDefs().Add("Client Code", ftString, 7);
    linked.FieldDefs().Add("Office", ftString, 2);
    linked.FieldDefs().Add("Region", ftString, 1);
    for (int i = 0; i < linked.FieldDefs().Count(); ++i)
      CreateFieldOfType(linked.FieldDefs().Items(i), &fieldOwner)->SetDataSet(&linked);
    // The name is calculated from the client the two keys name.
    auto* name = new TStringField(&fieldOwner);
    name->SetFieldName("Client Name");
    name->SetSize(30);
    name->SetFieldKind(fkCalculated);
    name->SetDataSet(&linked);
    linked.OnCalcFields = [this](TDataSet* d) {
      const Variant found = clients.Lookup("Client Code;Office",
                                           {d->FieldByName("Client Code")->AsVariant(), d->FieldByName("Office")->AsVariant()}, "Name");
      d->FieldByName("Client Name")->SetAsString(found.IsNull() ? AnsiString() : found.AsString());
    };
    linked.Open();
    // The last pair finds the record; the office and the region are written with the code.
    linked.lookupFields.Add("Client Name;DATA;clients;Name;1");
    linked.lookupLinks.Add("Office;Office;Region;Region;Client Code;Client Code");
    linked.AppendRecord({Variant(AnsiString("M1")), Variant(AnsiString("SMITHJ")), Variant(AnsiString("LA")),
                         Variant(AnsiString("W"))});
    linkedSource.SetDataSet(&linked);
  }
  TComponent fieldOwner{nullptr};
  LinkedMatters linked;
  TDataSource linkedSource{nullptr};
};

TEST_F(LinkedComboTest, ALinkedComboWritesTheKeysOfItsLinkPairsNotItsOwnField) {
  auto* c = place<TdcDBLookupCombo>();
  c->SetLookupTable(&clients);
  c->SetDataSource(&linkedSource);
  c->SetDataField("Client Name");
  EXPECT_EQ(c->LookupField(), "Office;Region;Client Code") << "derived from the links";
  ASSERT_TRUE(show());
  EXPECT_EQ(c->Text(), "Smith, Jane");
  c->SetFocus();
  linked.Edit();
  c->DropDown();
  EXPECT_EQ(clientName(), "Smith, Jane") << "located by the links";
  key(c, Qt::Key_Up);
  EXPECT_EQ(clientName(), "Smith, John");
  key(c, Qt::Key_Return);
  EXPECT_EQ(linked.FieldByName("Client Code")->AsString(), "SMITH");
  EXPECT_EQ(linked.FieldByName("Office")->AsString(), "NY") << "the first pair";
  EXPECT_EQ(linked.FieldByName("Region")->AsString(), "E") << "and the second";
  EXPECT_EQ(c->Text(), "Smith, John");
}

TEST_F(LinkedComboTest, ClearingTheWholeTextClearsTheLinkedKeys) {
  auto* c = place<TdcDBLookupCombo>();
  c->SetLookupTable(&clients);
  c->SetDataSource(&linkedSource);
  c->SetDataField("Client Name");
  c->SetAllowClearKey(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  linked.Edit();
  c->SelectAll();
  key(c, Qt::Key_Delete);
  EXPECT_EQ(c->Text(), "");
  EXPECT_EQ(linked.FieldByName("Client Code")->AsString(), "");
  EXPECT_EQ(linked.FieldByName("Office")->AsString(), "");
  EXPECT_EQ(linked.FieldByName("Region")->AsString(), "");
}

// ---- data and errors ----

TEST_F(DBLookupComboTest, MovingTheMainDatasetShowsTheNewRecordsDisplayText) {
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  EXPECT_EQ(c->Text(), "Adams, Walter");
  matters.Next();
  EXPECT_EQ(c->Text(), "Bright");
  c->SetText("something else");
  c->RefreshDisplayValue();
  EXPECT_EQ(c->Text(), "Bright");
}

TEST_F(DBLookupComboTest, MovingToARecordWithTheSameCodeAndAnotherSecondKeyShowsThatKeysRecord) {
  clients.AppendRecord({Variant(AnsiString("SMITH")), Variant(AnsiString("Smith & Sons")), Variant(AnsiString("LA")),
                        Variant(AnsiString("W"))});
  for (const char* office : {"NY", "LA", "NY"})
    matters.AppendRecord({Variant(AnsiString("M")), Variant(AnsiString("SMITH")), Variant(AnsiString(office))});
  matters.First();
  auto* c = combo("Name", "Client Code");
  c->SetLookupField("Client Code;Office");
  matters.MoveBy(2);
  EXPECT_EQ(c->Text(), "Smith, John");
  matters.Next();
  EXPECT_EQ(c->Text(), "Smith & Sons") << "before the combo has a window";
  EXPECT_EQ(c->DropDownList()->LookupValueAt(1), "LA");
  ASSERT_TRUE(show());
  matters.Next();
  EXPECT_EQ(c->Text(), "Smith, John");
  EXPECT_EQ(c->DropDownList()->LookupValueAt(1), "NY") << "the second value follows the record";
  EXPECT_EQ(c->LookupValue(), "SMITH");
}

TEST_F(DBLookupComboTest, TheBoundDatasetAsLookupTableIsRefused) {
  auto* c = combo("Name", "Client Code");
  try {
    c->SetDataSource(nullptr);
    TDataSource own(nullptr);
    own.SetDataSet(&clients);
    EXPECT_THROW(c->SetDataSource(&own), EInvalidOperation);
    c->SetDataSource(&matterSource);
    matterSource.SetDataSet(&clients);
    c->SetLookupValue("BRIGHT");
    ADD_FAILURE() << "no refusal";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Unable to use duplicate DataSource and LookupSource");
  }
  matterSource.SetDataSet(&matters);
}

TEST_F(DBLookupComboTest, ALookupTableOnADetailTableOfAnotherClassIsWarnedOf) {
  clients.SetMasterSource(&matterSource);
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "LookupTable on a detail table is only supported when using a TdcTable as the LookupTable!");
  auto* c = combo("Name", "Client Code");
  ASSERT_TRUE(show());
  matters.Next();
  EXPECT_EQ(boxes.shown().size(), 1u);
  c->SetDataSource(nullptr);
  clients.SetMasterSource(nullptr);
}

TEST_F(DBLookupComboTest, AMissingKeyFieldIsReportedWhenTheLookupFieldIsSet) {
  auto* c = place<TdcDBLookupCombo>();
  c->SetLookupTable(&clients);
  try {
    c->SetLookupField("Nothing");
    ADD_FAILURE() << "no refusal";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Field 'Nothing' not found");
  }
}

TEST_F(DBLookupComboTest, AnUnboundComboKeepsItsTextWhenGivenAFieldNameAndLosesItWhenUnbound) {
  auto* c = combo("Name");
  c->SetText("typed");
  c->SetDataField("Client Code");
  EXPECT_EQ(c->Text(), "typed") << "no data source: nothing to show instead";
  c->SetDataSource(&matterSource);
  EXPECT_EQ(c->Text(), "Adams, Walter");
  c->SetDataSource(nullptr);
  EXPECT_EQ(c->Text(), "");
}

TEST_F(DBLookupComboTest, TheComboIsMadeByClassNameAndPublishesWhatTheLayersBeneathWrite) {
  TComponent* made = CreateComponentByClassName("TdcDBLookupCombo", form.get());
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->InheritsFrom("TdcDBCustomLookupCombo"));
  EXPECT_TRUE(ClassInheritsFromName(made->ClassInfo(), "TdcDBCustomLookupCombo"));
  auto* c = dynamic_cast<TdcDBLookupCombo*>(made);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(ReadSetProperty(c, "SeqSearchOptions"), 1u) << "ssoEnabled is the first member";
  EXPECT_EQ(c->DropDownCount(), 8);
  EXPECT_EQ(c->Style(), csDropDown);
  EXPECT_TRUE(c->OrderByDisplay());
  EXPECT_TRUE(c->UseTFields());
  EXPECT_TRUE(c->GetShowButton());
  EXPECT_EQ(c->Height(), 25);
  WriteSetProperty(c, "SeqSearchOptions", 3u);
  EXPECT_TRUE(c->SeqSearchOptions().Contains(ssoCaseSensitive));
  WriteBooleanProperty(c, "ShowMatchText", true);
  EXPECT_TRUE(c->ShowMatchText());
  const auto list = ReadObjectProperty(c, "DropDownList");
  ASSERT_TRUE(list);
  EXPECT_EQ(*list, c->DropDownList());
  EXPECT_FALSE(c->DropDownList()->TabStop());
  ImageStrip images(16, 16);
  c->SetImageList(&images);
  EXPECT_EQ(c->DropDownList()->ImageList(), &images) << "passed to the grid";
  c->SetImageList(nullptr);
}

TEST_F(DBLookupComboTest, ABoundComboBeingDestroyedTellsItsChangeHandlerNothing) {
  TdcDBLookupCombo* c = combo("Name", "Client Code");
  ASSERT_EQ(c->Text(), "Adams, Walter");
  int changes = 0;
  c->OnChange = [&changes](TObject*) { ++changes; };
  delete c;
  EXPECT_EQ(changes, 0) << "its form's other controls may be gone already";
}

}  // namespace
}  // namespace editorstest
