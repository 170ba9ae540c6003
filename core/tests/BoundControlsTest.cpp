#include <gtest/gtest.h>

#include <memory>

#include "core/FieldSchema.h"
#include "framework/base/Exception.h"
#include "framework/base/Locale.h"
#include "framework/base/tests/ScopedSettings.h"
#include "framework/ui/WinControl.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

// Stand-ins for the date-time picker and the edits: they publish what an unpack writes.
class DateShowingControl : public TWinControl {
  QN_PUBLISHED_CLASS(DateShowingControl, TWinControl)
 public:
  using TWinControl::TWinControl;
  double date = -1;
};
void DateShowingControl::PublishProperties(PropertyPublisher<DateShowingControl>& publish) {
  publish.Float("Date", &DateShowingControl::date, &DateShowingControl::date);
}

class TextShowingControl : public TWinControl {
  QN_PUBLISHED_CLASS(TextShowingControl, TWinControl)
 public:
  using TWinControl::TWinControl;
  AnsiString text = "untouched";
};
void TextShowingControl::PublishProperties(PropertyPublisher<TextShowingControl>& publish) {
  publish.String("Text", &TextShowingControl::text, &TextShowingControl::text);
}

class BoundControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    Locale().ShortDateFormat = "mm/dd/yyyy";
    structure = BuildSchemaStructure("CA");
    ASSERT_NE(structure, nullptr);
    structure->FieldByName("DateOpened")->SetAsDate(EncodeDate(2024, 3, 15));
    structure->FieldByName("ClientCode")->SetAsString("ADA0001");
    structure->FieldByName("FeeBudget")->SetAsFloat(1234.5);
    structure->PackFields();
    structure->GetBuffer().replace(structure->FieldByName("DateClosed")->Offset - 1, 6, 6, ' ');
    structure->FieldByName("DateOpened")->BindControl(&opened);
    structure->FieldByName("DateClosed")->BindControl(&closed);
    structure->FieldByName("ClientCode")->BindControl(&code);
    structure->FieldByName("FeeBudget")->BindControl(&budget);
  }
  void TearDown() override { TQNFileStructure::BindToControls = false; }

  ScopedLocale locale_;
  std::unique_ptr<TQNFileStructure> structure;
  DateShowingControl opened{nullptr};
  DateShowingControl closed{nullptr};
  TextShowingControl code{nullptr};
  TextShowingControl budget{nullptr};
};

TEST_F(BoundControlsTest, AnUnpackWithTheFlagOnShowsEachFieldInItsControl) {
  closed.date = 500;
  TQNFileStructure::BindToControls = true;
  structure->UnpackFields();
  EXPECT_EQ(opened.date, EncodeDate(2024, 3, 15));
  EXPECT_EQ(code.text, "ADA0001");
  EXPECT_EQ(budget.text, "1234.50");
  EXPECT_EQ(closed.date, 0) << "a blank date clears its control";
}

TEST_F(BoundControlsTest, WithTheFlagOffNothingIsTouched) {
  structure->UnpackFields();
  EXPECT_EQ(opened.date, -1);
  EXPECT_EQ(code.text, "untouched");
}

TEST_F(BoundControlsTest, DisabledHiddenAndFreedControlsAreSkipped) {
  opened.SetEnabled(false);
  code.SetVisible(false);
  {
    auto freed = std::make_unique<TextShowingControl>(nullptr);
    structure->FieldByName("FeeBudget")->BindControl(freed.get());
  }
  TQNFileStructure::BindToControls = true;
  structure->UnpackFields();
  EXPECT_EQ(opened.date, -1);
  EXPECT_EQ(code.text, "untouched");
  EXPECT_FALSE(structure->FieldByName("FeeBudget")->BoundControl);
}

TEST_F(BoundControlsTest, AControlWithoutThePropertyOfTheFieldsKindIsRefused) {
  struct Case {
    const char* field;
    TControl* control;
    const char* message;
  } cases[] = {{"DateOpened", &code, "Field DateOpened cannot be shown in a TextShowingControl"},
               {"ClientCode", &opened, "Field ClientCode cannot be shown in a DateShowingControl"}};
  for (const Case& c : cases) {
    try {
      structure->FieldByName(c.field)->BindControl(c.control);
      ADD_FAILURE() << c.field;
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  TFieldInfo none;
  none.Name = "Hidden";
  EXPECT_THROW(none.BindControl(&code), EInvalidOperation);
}

}  // namespace

#include "core/RecordFiles.h"

namespace {

TEST(BindToControlsFlagTest, EveryOpenOfTheRecordFileLayerClearsIt) {
  TQNFileStructure::BindToControls = true;
  try {
    OpenRecordFile(40, "/nonexistent-folder/Nothing.qf;CA", 0);
    CloseRecordFile(40);
  } catch (...) {
  }
  EXPECT_FALSE(TQNFileStructure::BindToControls);
}

}  // namespace
