// A matter record's fields shown by an unpack in the real controls bound to them.
#include <gtest/gtest.h>

#include "core/FieldSchema.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBEdit.h"
#include "editors/tests/EditorsFixture.h"

namespace {

using editorstest::EditorsTest;

class RecordFieldBindingTest : public EditorsTest {
 protected:
  void TearDown() override {
    TQNFileStructure::BindToControls = false;
    EditorsTest::TearDown();
  }
};

TEST_F(RecordFieldBindingTest, AnUnpackShowsTheMattersFieldsInThePickerAndTheEdits) {
  auto structure = BuildSchemaStructure("CA");
  ASSERT_NE(structure, nullptr);
  structure->FieldByName("DateOpened")->SetAsDate(EncodeDate(2024, 3, 15));
  structure->FieldByName("ClientCode")->SetAsString("ADA0001");
  structure->FieldByName("FeeBudget")->SetAsFloat(12000);
  structure->PackFields();
  auto* opened = place<TdcDBDateTimePicker>(10);
  opened->SetUnboundDataType(dcDTEdtDate);
  opened->SetDisplayFormat("mm/dd/yyyy");
  auto* code = place<TdcDBEdit>(40);
  auto* budget = place<TdcDBEdit>(70);
  structure->FieldByName("DateOpened")->BindControl(opened);
  structure->FieldByName("ClientCode")->BindControl(code);
  structure->FieldByName("FeeBudget")->BindControl(budget);
  TQNFileStructure::BindToControls = true;
  structure->UnpackFields();
  EXPECT_EQ(opened->Text(), "03/15/2024");
  EXPECT_EQ(code->Text(), "ADA0001");
  EXPECT_EQ(budget->Text(), "12000.00");
  try {
    structure->FieldByName("DateOpened")->BindControl(code);
    ADD_FAILURE();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Field DateOpened cannot be shown in a TdcDBEdit");
  }
}

}  // namespace
