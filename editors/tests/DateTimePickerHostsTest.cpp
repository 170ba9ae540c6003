// The dialogs that make date-time pickers by class name get the real ones with the editors
// linked: the filter dialog's range pickers follow the field's kind of data, and the record view
// edits a date field in a picker when asked to.
#include <gtest/gtest.h>

#include <QTest>

#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDialogForm.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "editors/DBDateTimePicker.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/SafeDispatch.h"

namespace {

using editorstest::EditorsTest;

class DateTimePickerHostsTest : public EditorsTest {};

TEST_F(DateTimePickerHostsTest, TheFilterDialogsRangePickersFollowTheFieldsKind) {
  TdcFilterDialog dialog(nullptr);
  dialog.SetDataSource(&source);
  bool played = false;
  dialog.OnInitDialog = [&](TdcFilterDlg* form) {
    qn::ui::postCall([&, form] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(form->Window()));
      played = true;
      auto* low = dynamic_cast<TdcDBDateTimePicker*>(form->MinDateEdit);
      auto* high = dynamic_cast<TdcDBDateTimePicker*>(form->MaxDateEdit);
      EXPECT_NE(low, nullptr);
      EXPECT_NE(high, nullptr);
      if (low && high) {
        EXPECT_EQ(low->Epoch(), 1950);
        EXPECT_EQ(high->Epoch(), 1950);
        struct Case {
          const char* field;
          TdcDTEditDataType type;
        } cases[] = {{"Day", dcDTEdtDate}, {"When", dcDTEdtDateTime}};
        for (const Case& c : cases) {
          form->SelectField(form->FieldsListBox->Items()->IndexOf(c.field));
          EXPECT_EQ(low->UnboundDataType(), c.type) << c.field;
          EXPECT_EQ(high->UnboundDataType(), c.type) << c.field;
        }
      }
      form->SetModalResult(mrCancel);
    });
  };
  dialog.Execute();
  EXPECT_TRUE(played);
}

TEST_F(DateTimePickerHostsTest, TheRecordViewEditsADateFieldInAPicker) {
  data.Edit();
  data.FieldByName("Day")->SetAsDateTime(EncodeDate(2030, 4, 2));
  data.Post();
  TdcRecordViewDialog dialog(nullptr);
  dialog.SetDataSource(&source);
  dialog.Options = dialog.Options.Include(rvoUseDateTimePicker);
  bool played = false;
  dialog.OnInitDialog = [&](TdcRecordViewForm* form) {
    qn::ui::postCall([&, form] {
      played = true;
      int pickers = 0;
      for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* picker = dynamic_cast<TdcDBDateTimePicker*>(form->Components(i))) {
          ++pickers;
          if (picker->DataField() == "Day") EXPECT_EQ(picker->Date(), EncodeDate(2030, 4, 2));
        }
      EXPECT_GE(pickers, 2) << "the date and the date-time field";
      form->SetModalResult(mrCancel);
    });
  };
  dialog.Execute();
  EXPECT_TRUE(played);
}

}  // namespace
