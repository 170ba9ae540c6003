#pragma once
// What the editing controls' tests share: a shown, active form over a memory dataset of one
// record whose fields cover the kinds of content (text, numbers, dates and times, a memo), real
// key events sent to a control's window, a manual clock and the US locale. The dataset publishes
// the picture lines, the mask check flag and the invalid-value event, as the library's tables
// do. Test code only.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "datagrid/ExtensionProperties.h"
#include "framework/base/Clock.h"
#include "framework/base/DateTime.h"
#include "framework/base/Locale.h"
#include "framework/base/StringList.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/db/NumericFields.h"
#include "framework/ui/Application.h"
#include "framework/ui/Beep.h"
#include "framework/ui/Edit.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace editorstest {

class ExtendedMemoryDataSet : public MemoryDataSet {
  QN_PUBLISHED_CLASS(ExtendedMemoryDataSet, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;
  StringList pictureMasks;
  bool validateWithMask = false;
  TdcInvalidValueEvent onInvalidValue;
};
inline void ExtendedMemoryDataSet::PublishProperties(PropertyPublisher<ExtendedMemoryDataSet>& publish) {
  publish.StringList("PictureMasks", [](ExtendedMemoryDataSet& d) -> TStrings* { return &d.pictureMasks; },
                     [](ExtendedMemoryDataSet& d, TStrings* v) { d.pictureMasks.Assign(v); });
  publish.Boolean("ValidateWithMask", &ExtendedMemoryDataSet::validateWithMask,
                  &ExtendedMemoryDataSet::validateWithMask);
  publish.Event("OnInvalidValue", &ExtendedMemoryDataSet::onInvalidValue, &ExtendedMemoryDataSet::onInvalidValue);
}

// 7 December 2026, 15:05:09.
inline TDateTime demoNow() { return EncodeDate(2026, 12, 7) + EncodeTime(15, 5, 9, 0); }

class EditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    Locale() = LocaleSettings{};
    clock.setNow(demoNow());
    qn::setClock(&clock);
    data.FieldDefs().Add("Name", ftString, 20);
    data.FieldDefs().Add("Code", ftString, 7);
    data.FieldDefs().Add("Amount", ftFloat);
    data.FieldDefs().Add("Count", ftInteger);
    data.FieldDefs().Add("When", ftDateTime);
    data.FieldDefs().Add("Day", ftDate);
    data.FieldDefs().Add("At", ftTime);
    data.FieldDefs().Add("Notes", ftMemo);
    data.Open();
    data.Append();
    data.FieldByName("Name")->SetAsString("Adams");
    data.FieldByName("Code")->SetAsString("ADA0001");
    data.FieldByName("Amount")->SetAsFloat(12.5);
    data.Post();
    source.SetDataSet(&data);
    form = std::make_unique<qn::ui::testing::TTestForm>();
    next = new TEdit(form.get());
    next->SetParent(form.get());
    next->SetBounds(10, 200, 100, 22);
  }
  void TearDown() override {
    form.reset();
    qn::setClock(nullptr);
    Locale() = LocaleSettings{};
  }

  template <class Edit>
  Edit* place(int top = 10, int width = 160, int height = 22) {
    auto* edit = new Edit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, top, width, height);
    return edit;
  }
  bool show() { return qn::ui::testing::showActive(*form); }
  static void type(TWinControl* control, const char* text) { QTest::keyClicks(control->Window(), text); }
  static void key(TWinControl* control, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(control->Window(), k, m);
  }
  // Lets the manual clock run on and fires the timers that came due.
  void wait(int ms) {
    clock.advance(static_cast<std::uint64_t>(ms));
    Application->ProcessMessages();
  }

  qn::ManualClock clock{100000};
  ExtendedMemoryDataSet data;
  TDataSource source{nullptr};
  std::unique_ptr<qn::ui::testing::TTestForm> form;
  TEdit* next = nullptr;
};

}  // namespace editorstest
