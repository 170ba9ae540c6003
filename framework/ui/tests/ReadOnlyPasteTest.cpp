// A read-only edit or memo takes nothing from the clipboard, whichever way the paste comes.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>

#include "framework/ui/Clipboard.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Memo.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class ReadOnlyPasteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, 24);
    memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 50, 300, 120);
    ASSERT_TRUE(showActive(*form));
  }
  void TearDown() override { delete form; }

  TTestForm* form;
  TEdit* edit;
  TMemo* memo;
};

TEST_F(ReadOnlyPasteTest, PasteIntoAReadOnlyEditOrMemoChangesNothingAndLeavesItUnmodified) {
  struct Way {
    const char* name;
    std::function<void(TCustomEdit&)> paste;
  };
  const Way ways[] = {
      {"by code", [](TCustomEdit& control) { control.PasteFromClipboard(); }},
      {"Ctrl+V", [](TCustomEdit& control) { QTest::keyClick(control.Window(), Qt::Key_V, Qt::ControlModifier); }},
      {"Shift+Insert",
       [](TCustomEdit& control) { QTest::keyClick(control.Window(), Qt::Key_Insert, Qt::ShiftModifier); }},
  };
  for (TCustomEdit* control : {static_cast<TCustomEdit*>(edit), static_cast<TCustomEdit*>(memo)}) {
    for (const Way& way : ways) {
      SCOPED_TRACE(std::string(control->ClassName()) + " " + way.name);
      control->SetText("kept");
      control->SetReadOnly(true);
      control->SetFocus();
      control->SelectAll();
      int changes = 0;
      control->OnChange = [&](TObject*) { ++changes; };
      Clipboard::SetAsText("pasted");
      way.paste(*control);
      EXPECT_EQ(control->Text(), "kept");
      EXPECT_FALSE(control->Modified());
      EXPECT_EQ(changes, 0);
      // The same paste into the control made writable does go in: the way reaches the control.
      control->SetReadOnly(false);
      control->SelectAll();
      way.paste(*control);
      EXPECT_EQ(control->Text(), "pasted");
      EXPECT_TRUE(control->Modified());
      control->OnChange = nullptr;
    }
  }
}

}  // namespace
}  // namespace qn::ui::testing
