// Calculated fields are computed for every record that enters the window, and again while the
// record is edited.
#include <gtest/gtest.h>

#include "framework/db/DataSource.h"
#include "framework/db/NumericFields.h"
#include "framework/db/StringField.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

class CalcFields : public ::testing::Test {
 protected:
  void SetUp() override {
    // Persistent fields, as a form declares them: the calculated one among them.
    for (const char* name : {"ID", "NAME"}) {
      TField* f = name[0] == 'I' ? static_cast<TField*>(new TIntegerField(ds.get()))
                                 : new TStringField(ds.get());
      f->SetFieldName(name);
      f->SetDataSet(ds.get());
    }
    auto* amount = new TFloatField(ds.get());
    amount->SetFieldName("AMOUNT");
    amount->SetDataSet(ds.get());
    label = new TStringField(ds.get());
    label->SetFieldName("LABEL");
    label->SetSize(30);
    label->SetFieldKind(fkCalculated);
    label->SetDataSet(ds.get());
    ds->OnCalcFields = [this](TDataSet* d) {
      ++calculations;
      label->SetAsString(d->FieldByName("NAME")->AsString() + "/" +
                         d->FieldByName("AMOUNT")->AsString());
    };
    Fill(*ds, 10);
    source.SetDataSet(ds.get());
    link.SetBufferCount(3);
    link.SetDataSource(&source);
  }

  std::unique_ptr<MemoryDataSet> ds = People();
  TStringField* label = nullptr;
  int calculations = 0;
  TDataSource source{nullptr};
  LoggingLink link;
};

TEST_F(CalcFields, AreComputedForEachRecordScrolledIn) {
  EXPECT_EQ(label->AsString(), "N1/10");
  ds->Next();
  EXPECT_EQ(label->AsString(), "N2/20");
  calculations = 0;
  ds->MoveBy(4);  // two records inside the window, then fetched ones
  EXPECT_EQ(label->AsString(), "N6/60");
  EXPECT_EQ(calculations, 3);  // 4, 5 and 6 entered the window
  calculations = 0;
  ds->Prior();  // 5 is still buffered with its value
  EXPECT_EQ(label->AsString(), "N5/50");
  EXPECT_EQ(calculations, 0);
}

TEST_F(CalcFields, FollowEditsWhileAutoCalcFieldsIsOn) {
  ds->Edit();
  ds->FieldByName("NAME")->SetAsString("changed");
  EXPECT_EQ(label->AsString(), "changed/10");
  ds->SetAutoCalcFields(false);
  ds->FieldByName("AMOUNT")->SetAsFloat(5);
  EXPECT_EQ(label->AsString(), "changed/10");
  ds->Post();  // re-read from the store, recomputed
  EXPECT_EQ(label->AsString(), "changed/5");
}

TEST_F(CalcFields, RecalculationKeepsTheRecordModified) {
  ds->Edit();
  ds->FieldByName("NAME")->SetAsString("changed");
  EXPECT_TRUE(ds->Modified());
  ds->Next();  // a modified record is posted, not cancelled
  ds->Prior();
  EXPECT_EQ(ds->FieldByName("NAME")->AsString(), "changed");
}

TEST_F(CalcFields, CannotBeWrittenOutsideTheCalculation) {
  // The calculation may write calculated fields only.
  ds->OnCalcFields = [](TDataSet* d) { d->FieldByName("NAME")->SetAsString("x"); };
  EXPECT_THROW(ds->Last(), EDatabaseError);
  ds->OnCalcFields = nullptr;
  EXPECT_THROW(label->SetAsString("x"), EDatabaseError);
}

TEST_F(CalcFields, EachBufferedRowKeepsItsOwnValue) {
  std::vector<AnsiString> rows;
  for (int row = 0; row < link.RecordCount(); ++row) {
    link.SetActiveRecord(row);
    rows.push_back(label->AsString());
  }
  link.SetActiveRecord(0);
  EXPECT_EQ(rows, (std::vector<AnsiString>{"N1/10", "N2/20", "N3/30"}));
}

TEST_F(CalcFields, AKeyBeingEditedHasNoCalculatedValues) {
  // Controls still read every field while a key is edited.
  ds->SetIndexFieldNames("ID");
  ds->SetKey();
  EXPECT_TRUE(label->IsNull());
  EXPECT_EQ(label->AsString(), "");
  ds->Cancel();
  EXPECT_EQ(label->AsString(), "N1/10");
}

}  // namespace
