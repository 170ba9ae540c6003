// The lookup list on its own over a code table: its key and display fields, the column widths,
// the row that matches the value, its refusals, and picking a code into the bound field.
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <array>

#include "editors/DBLookupList.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace editorstest {
namespace {

// A bound dataset whose field "Office" looks its text up through LookupFields and LookupLinks.
class LinkedDataSet : public MemoryDataSet {
  QN_PUBLISHED_CLASS(LinkedDataSet, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;
  StringList lookupFields, lookupLinks;
};
void LinkedDataSet::PublishProperties(PropertyPublisher<LinkedDataSet>& publish) {
  publish.StringList("LookupFields", [](LinkedDataSet& d) -> TStrings* { return &d.lookupFields; },
                     [](LinkedDataSet& d, TStrings* v) { d.lookupFields.Assign(*v); });
  publish.StringList("LookupLinks", [](LinkedDataSet& d) -> TStrings* { return &d.lookupLinks; },
                     [](LinkedDataSet& d, TStrings* v) { d.lookupLinks.Assign(*v); });
}

class DBLookupListTest : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    codes.FieldDefs().Add("Code", ftString, 3);
    codes.FieldDefs().Add("Type", ftString, 1);
    codes.FieldDefs().Add("Description", ftString, 30);
    codes.Open();
    for (const auto& [code, type, text] : std::vector<std::array<const char*, 3>>{
             {"A", "1", "Alpha"}, {"B", "1", "Beta"}, {"B", "2", "Bravo"}, {"C", "1", "Charlie"}, {"D", "1", "Delta"},
             {"E", "1", "Echo"}, {"F", "1", "Foxtrot"}, {"G", "1", "Golf"}, {"H", "1", "Hotel"}, {"I", "1", "India"}})
      codes.AppendRecord({Variant(AnsiString(code)), Variant(AnsiString(type)), Variant(AnsiString(text))});
    codes.First();
  }
  TdcDBLookupList* list(const char* lookupField = "Code") {
    auto* l = place<TdcDBLookupList>(40, 200, 97);
    l->SetLookupTable(&codes);
    l->SetLookupField(lookupField);
    return l;
  }

  // The column of pixels at x in the rows of Row that differ from the column beside it.
  static int edgePixels(TdcDBLookupList* l, int Row, int x) {
    const QImage image = l->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const TRect cell = l->cellBounds(0, Row);
    int differing = 0;
    for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y) differing += image.pixel(x, y) != image.pixel(x + 1, y);
    return differing;
  }
  static QScrollBar* verticalBar(TdcDBLookupList* l) {
    for (QScrollBar* bar : l->Window()->findChildren<QScrollBar*>())
      if (bar->orientation() == Qt::Vertical) return bar;
    return nullptr;
  }

  MemoryDataSet codes;
};

TEST_F(DBLookupListTest, AFourNameLookupFieldUsesTheFirstThree) {
  auto* l = list("Code;Type;Description;Code");
  EXPECT_EQ(l->KeyFieldCount(), 3);
  EXPECT_EQ(l->KeyField()->FieldName(), "Code");
  EXPECT_EQ(l->SecondKeyField()->FieldName(), "Type");
  EXPECT_EQ(l->ThirdKeyField()->FieldName(), "Description");
  l->SetLookupField("Code;Missing");
  EXPECT_EQ(l->KeyFieldCount(), 1) << "a missing second key stays empty";
}

TEST_F(DBLookupListTest, AnEmptySelectedMakesTheKeyFieldTheDisplayField) {
  auto* l = list();
  EXPECT_EQ(l->DisplayField(), l->KeyField());
  StringList lines;
  lines.Add("Description\t20\tName");
  l->SetSelected(&lines);
  EXPECT_EQ(l->DisplayField()->FieldName(), "Description");
  lines.Clear();
  lines.Add("Nothing\t20\tName");
  l->SetSelected(&lines);
  EXPECT_EQ(l->DisplayField(), l->KeyField()) << "a line naming no field";
}

TEST_F(DBLookupListTest, OneColumnFillsTheClientWidthAndTheLastOfSeveralTakesTheRest) {
  auto* l = list();
  ASSERT_TRUE(show());
  ASSERT_EQ(l->GetFieldCount(), 1);
  EXPECT_EQ(l->GetColWidths(0), l->ClientWidth());
  StringList lines;
  lines.Add("Code\t3\tCode");
  lines.Add("Description\t5\tName");
  l->SetSelected(&lines);
  ASSERT_EQ(l->GetFieldCount(), 2);
  EXPECT_EQ(l->GetColWidths(0) + l->GetColWidths(1), l->ClientWidth());
  lines.Clear();
  lines.Add("Code\t30\tCode");
  lines.Add("Description\t5\tName");
  l->SetSelected(&lines);
  EXPECT_GT(l->GetColWidths(0), l->ClientWidth() - 15) << "the first leaves too little";
  EXPECT_LT(l->GetColWidths(0) + l->GetColWidths(1), l->ClientWidth() + l->GetColWidths(0));
  EXPECT_NE(l->GetColWidths(0) + l->GetColWidths(1), l->ClientWidth()) << "the last keeps its own width";
}

TEST_F(DBLookupListTest, ARowMatchesOnlyWhenEveryExistingKeyFieldHoldsItsValue) {
  auto* l = list("Code;Type");
  l->SetLookupValue("B");
  ASSERT_EQ(codes.FieldByName("Description")->AsString(), "Beta");
  EXPECT_TRUE(l->RowMatches());
  codes.Next();
  EXPECT_EQ(codes.FieldByName("Description")->AsString(), "Bravo");
  EXPECT_FALSE(l->RowMatches()) << "same code, other type";
  auto* single = list("Code");
  single->SetLookupValue("B");
  codes.Next();
  EXPECT_EQ(codes.FieldByName("Description")->AsString(), "Bravo");
  EXPECT_TRUE(single->RowMatches()) << "one key field: the code alone decides";
}

TEST_F(DBLookupListTest, TheRefusalsNameTheirFault) {
  auto* l = list();
  l->SetDataSource(&source);
  try {
    l->SetLookupTable(&data);
    ADD_FAILURE() << "no refusal";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Unable to use duplicate DataSource and LookupSource");
  }
  TDataSource other(nullptr);
  other.SetDataSet(&codes);
  try {
    l->SetDataSource(&other);
    ADD_FAILURE() << "no refusal";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Unable to use duplicate DataSource and LookupSource");
  }
  TdcDBLookupList notATable(nullptr);
  try {
    notATable.SetLookupTable(&other);
    ADD_FAILURE() << "no refusal";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "LookupSource must be connected to TTable component");
  }
  try {
    l->SetLookupField("Nope;Type", true);
    ADD_FAILURE() << "no refusal";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Field 'Nope;Type' not found");
  }
}

TEST_F(DBLookupListTest, AListWhoseSourceWasTakenAwayShowsTheInformationBox) {
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Lookup Source is not created");
  TdcDBLookupList l(nullptr);
  l.ReleaseLookupSource();
  l.SetLookupTable(&codes);
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(l.LookupTable(), nullptr);
}

TEST_F(DBLookupListTest, ADataChangeSetsTheValueAndAPickByDownThenLeavingWritesTheCode) {
  data.Edit();
  data.FieldByName("Code")->SetAsString("C");
  data.Post();
  auto* l = list();
  StringList lines;
  lines.Add("Description\t20\tName");
  l->SetSelected(&lines);
  l->SetDataSource(&source);
  l->SetDataField("Code");
  EXPECT_EQ(l->LookupValue(), "C");
  EXPECT_EQ(l->DisplayValue(), "Charlie");
  ASSERT_TRUE(show());
  l->SetFocus();
  key(l, Qt::Key_Down);
  EXPECT_EQ(l->LookupValue(), "D");
  EXPECT_EQ(l->DisplayValue(), "Delta");
  next->SetFocus();
  EXPECT_EQ(data.FieldByName("Code")->AsString(), "D");
}

TEST_F(DBLookupListTest, LeavingWithAFailingUpdateTakesTheFocusBack) {
  auto* l = list();
  l->SetDataSource(&source);
  l->SetDataField("Code");
  data.FieldByName("Code")->OnValidate = [](TField*) { throw EInvalidOperation("refused code"); };
  ASSERT_TRUE(show());
  l->SetFocus();
  key(l, Qt::Key_Down);
  ASSERT_EQ(l->LookupValue(), "A");
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "refused code");
  next->SetFocus();
  EXPECT_EQ(boxes.shown().size(), 1u) << "the failure is passed on to the application";
  EXPECT_TRUE(l->Focused());
  EXPECT_FALSE(next->Focused());
}

TEST_F(DBLookupListTest, EscapeResetsAndInsertIsRefused) {
  data.Edit();
  data.FieldByName("Code")->SetAsString("C");
  data.Post();
  auto* l = list();
  l->SetDataSource(&source);
  l->SetDataField("Code");
  ASSERT_TRUE(show());
  l->SetFocus();
  key(l, Qt::Key_Down);
  EXPECT_EQ(l->LookupValue(), "D");
  key(l, Qt::Key_Escape);
  EXPECT_EQ(l->LookupValue(), "C") << "the field's value again";
  const int records = codes.RecordCount();
  key(l, Qt::Key_Insert);
  EXPECT_EQ(codes.RecordCount(), records);
  EXPECT_EQ(codes.State(), dsBrowse);
}

TEST_F(DBLookupListTest, HoldingTheButtonBelowTheLastRowScrollsOneRecordPer60Ms) {
  auto* l = list();
  ASSERT_TRUE(show());
  QWidget* w = l->Window();
  auto send = [w](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
  };
  send(QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton);
  const AnsiString first = codes.FieldByName("Code")->AsString();
  send(QEvent::MouseMove, QPoint(10, l->ClientHeight() + 20), Qt::LeftButton);
  const int before = codes.RecNo();
  wait(60);
  EXPECT_EQ(codes.RecNo(), before + 1);
  wait(60);
  EXPECT_EQ(codes.RecNo(), before + 2);
  wait(30);
  EXPECT_EQ(codes.RecNo(), before + 2) << "not before the next 60 ms";
  send(QEvent::MouseButtonRelease, QPoint(10, l->ClientHeight() + 20), Qt::NoButton);
  wait(120);
  EXPECT_EQ(codes.RecNo(), before + 2) << "the release stops it";
  EXPECT_EQ(l->LookupValue(), codes.FieldByName("Code")->AsString()) << "the release picks";
  EXPECT_NE(l->LookupValue(), first);
}

TEST_F(DBLookupListTest, ASearchByDisplayTextTakesTheKeyOfTheRecordThatShowsIt) {
  auto* l = list("Code;Type");
  StringList lines;
  lines.Add("Description\t20\tName");
  l->SetSelected(&lines);
  EXPECT_TRUE(l->SearchByDisplayText("bravo")) << "without case";
  EXPECT_EQ(l->LookupValue(), "B");
  EXPECT_EQ(l->DisplayValue(), "bravo");
  EXPECT_TRUE(l->RowMatches());
  codes.Prior();
  EXPECT_FALSE(l->RowMatches()) << "Beta is B of the other type";
  EXPECT_FALSE(l->SearchByDisplayText("Zulu"));
  EXPECT_EQ(l->LookupValue(), "");
  EXPECT_EQ(l->DisplayValue(), "");
  l->SetCaseSensitive(true);
  EXPECT_FALSE(l->SearchByDisplayText("bravo"));
}

TEST_F(DBLookupListTest, TheSecondKeyOfTheBoundRecordIsSearchedWithTheFirst) {
  MemoryDataSet bound;
  bound.FieldDefs().Add("Code", ftString, 3);
  bound.FieldDefs().Add("Type", ftString, 1);
  bound.Open();
  bound.AppendRecord({Variant(AnsiString("B")), Variant(AnsiString("2"))});
  TDataSource boundSource(nullptr);
  boundSource.SetDataSet(&bound);
  auto* l = list("Code;Type");
  StringList lines;
  lines.Add("Description\t20\tName");
  l->SetSelected(&lines);
  l->SetDataSource(&boundSource);
  l->SetDataField("Code");
  EXPECT_EQ(l->DisplayValue(), "Bravo") << "B of type 2, not the first B";
  EXPECT_TRUE(l->RowMatches());
  l->SetDataSource(nullptr);
}

TEST_F(DBLookupListTest, TheLineArrowsMoveToTheRecordJustOutsideTheVisibleRows) {
  auto* l = list();
  ASSERT_TRUE(show());
  QScrollBar* bar = verticalBar(l);
  ASSERT_NE(bar, nullptr);
  const int rows = l->VisibleRowCount();
  ASSERT_GT(rows, 1);
  ASSERT_LT(rows, codes.RecordCount());
  codes.First();
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(codes.RecNo(), rows + 1) << "below the bottom row, not the next record";
  EXPECT_EQ(l->DataLink().ActiveRecord(), rows - 1);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(codes.RecNo(), 1) << "above the top row";
}

TEST_F(DBLookupListTest, AThumbDragForgetsTheChosenRow) {
  auto* l = list();
  ASSERT_TRUE(show());
  l->SetLookupValue("C");
  l->Window()->repaint();
  ASSERT_GE(l->ChosenRow(), 0);
  QScrollBar* bar = verticalBar(l);
  ASSERT_NE(bar, nullptr);
  // A drag of the thumb to the top, inside the rows that show the chosen one.
  bar->setSliderDown(true);
  bar->setSliderPosition(0);
  bar->setSliderDown(false);
  EXPECT_EQ(codes.RecNo(), 1);
  EXPECT_EQ(l->ChosenRow(), -1);
}

TEST_F(DBLookupListTest, TheFocusedListDrawsTheFocusRectangleAroundTheChosenRow) {
  auto* l = list();
  ASSERT_TRUE(show());
  l->SetLookupValue("C");
  l->Window()->repaint();
  const int row = l->ChosenRow();
  ASSERT_GE(row, 0);
  ASSERT_LT(row + 1, l->VisibleRowCount());
  EXPECT_EQ(edgePixels(l, row, 0), 0) << "not focused: the row's fill alone";
  l->SetFocus();
  ASSERT_TRUE(l->Focused());
  EXPECT_GT(edgePixels(l, row, 0), 0) << "the dotted edge";
  EXPECT_EQ(edgePixels(l, row + 1, 0), 0) << "the other rows have none";
}

TEST_F(DBLookupListTest, ADetailLookupTableOfAnotherClassIsWarnedOfOnce) {
  codes.SetMasterSource(&source);
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "LookupTable on a detail table is only supported when using a TdcTable as the LookupTable!");
  auto* l = list();
  l->SetDataSource(&source);
  l->SetDataField("Code");
  ASSERT_TRUE(show());
  codes.Last();
  codes.Refresh();
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(codes.RecNo(), codes.RecordCount()) << "the table is not read again";
  l->SetDataSource(nullptr);
  codes.SetMasterSource(nullptr);
}

TEST_F(DBLookupListTest, ALinkedListTakesItsKeysFromTheLinksAndWritesThemIntoTheMasterFields) {
  LinkedDataSet matters;
  matters.FieldDefs().Add("Matter Code", ftString, 3);
  matters.FieldDefs().Add("Matter Type", ftString, 1);
  matters.FieldDefs().Add("Office", ftString, 30);
  matters.lookupFields.Add("Office;DATA;codes;Description;1");
  matters.lookupLinks.Add("Matter Code;Code;Matter Type;Type");
  matters.Open();
  matters.AppendRecord({Variant(AnsiString("B")), Variant(AnsiString("2")), Variant(AnsiString("Bravo"))});
  TDataSource mattersSource(nullptr);
  mattersSource.SetDataSet(&matters);
  auto* l = list();
  l->SetLinked(true);
  l->SetDataSource(&mattersSource);
  l->SetDataField("Office");
  ASSERT_EQ(l->KeyFieldCount(), 2);
  EXPECT_EQ(l->KeyField()->FieldName(), "Code");
  EXPECT_EQ(l->SecondKeyField()->FieldName(), "Type");
  EXPECT_EQ(l->DisplayField()->FieldName(), "Description") << "the lookup field of the LookupFields line";
  EXPECT_EQ(l->DisplayValue(), "Bravo") << "the bound field's text";
  EXPECT_EQ(l->LookupValue(), "B");
  EXPECT_TRUE(l->RowMatches());
  ASSERT_TRUE(show());
  l->SetFocus();
  key(l, Qt::Key_Down);
  EXPECT_EQ(l->DisplayValue(), "Charlie");
  next->SetFocus();
  EXPECT_EQ(matters.FieldByName("Matter Code")->AsString(), "C");
  EXPECT_EQ(matters.FieldByName("Matter Type")->AsString(), "1");
  EXPECT_EQ(matters.FieldByName("Office")->AsString(), "Bravo") << "the looked-up field is not written";
  matters.Cancel();
  matters.Edit();
  matters.FieldByName("Matter Type")->SetAsString("9");
  matters.Post();
  EXPECT_FALSE(l->LocateCurrentValue(true)) << "no record of type 9";
  EXPECT_EQ(codes.RecNo(), 1);
  EXPECT_EQ(l->LookupValue(), "");
  l->SetDataSource(nullptr);
}

TEST_F(DBLookupListTest, ADoubleClickOnARowFiresTheDoubleClickEventOnce) {
  auto* l = list();
  int clicks = 0;
  l->OnDblClick = [&clicks](TObject*) { ++clicks; };
  ASSERT_TRUE(show());
  const TRect row = l->cellBounds(0, 1);
  const QPoint at(10, (row.Top + row.Bottom) / 2);
  QTest::mouseClick(l->Window(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(codes.FieldByName("Code")->AsString(), "B") << "the row under the mouse";
  EXPECT_EQ(clicks, 0);
  QTest::mouseDClick(l->Window(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(clicks, 1);
}

TEST_F(DBLookupListTest, TheListIsMadeByClassName) {
  std::unique_ptr<TComponent> made(CreateComponentByClassName("TdcDBLookupList", nullptr));
  auto* l = dynamic_cast<TdcDBLookupList*>(made.get());
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Width(), 121);
  EXPECT_EQ(l->Height(), 97);
  EXPECT_TRUE(l->DBOptions().Contains(dgRowSelect));
  EXPECT_FALSE(l->DBOptions().Contains(dgTitles));
  l->SetOptions({loTitles, loColLines});
  EXPECT_TRUE(l->DBOptions().Contains(dgTitles));
  EXPECT_TRUE(l->DBOptions().Contains(dgColLines));
  EXPECT_FALSE(l->DBOptions().Contains(dgRowLines));
  EXPECT_EQ(l->ChosenRow(), -1);
}

}  // namespace
}  // namespace editorstest
