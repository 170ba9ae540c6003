#pragma once
// Small editing controls registered under the class names the filter dialog's form makes its
// value and range controls by, and a way to run the dialog with a script that plays on its form
// once the form is active. Test code only.
#include <QTest>
#include <functional>
#include <utility>

#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDialogForm.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/DateFormat.h"
#include "framework/base/Exception.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "framework/ui/Edit.h"
#include "framework/ui/SafeDispatch.h"
#include "datagrid/DateTextHelpers.h"

namespace filterdialogtest {

// The picture of an edit: its mask, read and written by name.
class TestPicture : public TPersistent {
  QN_PUBLISHED_CLASS(TestPicture, TPersistent)
 public:
  AnsiString PictureMask;
};
inline void TestPicture::PublishProperties(PropertyPublisher<TestPicture>& publish) {
  publish.String("PictureMask", &TestPicture::PictureMask, &TestPicture::PictureMask);
}

class TdcDBEdit : public TEdit {
  QN_PUBLISHED_CLASS(TdcDBEdit, TEdit)
 public:
  using TEdit::TEdit;
  TestPicture* Picture() { return &picture_; }
  bool UsePictureMask = true;

 private:
  TestPicture picture_;
};
inline void TdcDBEdit::PublishProperties(PropertyPublisher<TdcDBEdit>& publish) {
  publish.Object("Picture", [](TdcDBEdit& e) { return e.Picture(); });
  publish.Boolean("UsePictureMask", &TdcDBEdit::UsePictureMask, &TdcDBEdit::UsePictureMask);
}

class TdcDBComboBox : public TdcDBEdit {
  QN_PUBLISHED_CLASS(TdcDBComboBox, TdcDBEdit)
 public:
  using TdcDBEdit::TdcDBEdit;
  StringList Items;
  bool ShowButton = true;
  bool ShowMatchText = false;
};
inline void TdcDBComboBox::PublishProperties(PropertyPublisher<TdcDBComboBox>& publish) {
  publish.StringList(
      "Items", [](TdcDBComboBox& c) -> TStrings* { return &c.Items; },
      [](TdcDBComboBox& c, TStrings* v) {
        if (v) c.Items.Assign(*v);
      });
  publish.Boolean("ShowButton", &TdcDBComboBox::ShowButton, &TdcDBComboBox::ShowButton);
  publish.Boolean("ShowMatchText", &TdcDBComboBox::ShowMatchText, &TdcDBComboBox::ShowMatchText);
}

inline const EnumerationType kTestPickerKinds{"TdcDTEditDataType", {"dcDTEdtDateTime", "dcDTEdtDate", "dcDTEdtTime"}};

// Shows its date as short-date text; a date of 0 shows nothing.
class TdcDBDateTimePicker : public TEdit {
  QN_PUBLISHED_CLASS(TdcDBDateTimePicker, TEdit)
 public:
  using TEdit::TEdit;
  double Date() const { return Text().empty() ? 0 : DateTextToValue(Text()); }
  void SetDate(double Value) { SetText(Value == 0 ? AnsiString() : DateToStr(Value)); }
  int Epoch = 0;
  int UnboundDataType = 0;
};
inline void TdcDBDateTimePicker::PublishProperties(PropertyPublisher<TdcDBDateTimePicker>& publish) {
  publish.Float("Date", &TdcDBDateTimePicker::Date, &TdcDBDateTimePicker::SetDate);
  publish.Integer("Epoch", &TdcDBDateTimePicker::Epoch, &TdcDBDateTimePicker::Epoch);
  publish.Enumeration("UnboundDataType", kTestPickerKinds, &TdcDBDateTimePicker::UnboundDataType,
                      &TdcDBDateTimePicker::UnboundDataType);
}

inline void registerEditors() {
  RegisterClass<TdcDBEdit>();
  RegisterClass<TdcDBComboBox>();
  RegisterClass<TdcDBDateTimePicker>();
}

// Has the script play on the dialog's form once the form is active, whoever runs the dialog. A
// script that leaves the form open, or raises, has it cancelled, so a failed expectation never
// hangs the test.
inline void scriptDialog(TdcFilterDialog& dialog, std::function<void(TdcFilterDlg&)> script) {
  dialog.OnInitDialog = [script](TdcFilterDlg* form) {
    qn::ui::postCall([form, script] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(form->Window()));
      try {
        script(*form);
      } catch (const Exception& error) {
        ADD_FAILURE() << "the script raised: " << error.Message();
      }
      if (form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
    });
  };
}

// Runs Execute with the script playing on the form.
inline bool runDialog(TdcFilterDialog& dialog, std::function<void(TdcFilterDlg&)> script) {
  scriptDialog(dialog, std::move(script));
  return dialog.Execute();
}

}  // namespace filterdialogtest
