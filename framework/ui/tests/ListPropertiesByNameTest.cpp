#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/FileList.h"
#include "framework/ui/PageStack.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TabStrip.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// Code that cannot name a control's class reaches its items and index by name.
TEST(ListPropertiesByNameTest, ItemsAndTheIndexAreReadAndWrittenByName) {
  qtApplication();
  TTestForm form;
  std::vector<TComponent*> lists{new ListBox(&form), new ComboBox(&form), new FileList(&form)};
  for (TComponent* list : lists) {
    SCOPED_TRACE(list->ClassName());
    std::optional<TStrings*> items = ReadStringListProperty(list, "Items");
    ASSERT_TRUE(items && *items);
    StringList lines;
    lines.Add("one");
    lines.Add("two");
    ASSERT_TRUE(WriteStringListProperty(list, "Items", &lines));
    EXPECT_EQ((*items)->CommaText(), "one,two") << "written as a copy into the control's own list";
    ASSERT_TRUE(WriteIntegerProperty(list, "ItemIndex", 1));
    EXPECT_EQ(ReadIntegerProperty(list, "ItemIndex"), 1);
    EXPECT_THROW(WriteIntegerProperty(list, "ItemIndex", 2), EListError);
    EXPECT_EQ(ReadIntegerProperty(list, "ItemIndex"), 1);
    EXPECT_FALSE(ReadStringProperty(list, "DataField")) << "absent, not an error";
  }
}

TEST(ListPropertiesByNameTest, TabsPagesAndBarsAnswerByName) {
  qtApplication();
  TTestForm form;
  auto* strip = new TabStrip(&form);
  strip->Tabs()->Add("Task");
  strip->Tabs()->Add("Expense");
  ASSERT_TRUE(WriteIntegerProperty(strip, "TabIndex", 1));
  EXPECT_EQ(strip->TabIndex(), 1);

  auto* stack = new PageStack(&form);
  stack->AddPage("General");
  stack->AddPage("Spelling");
  ASSERT_TRUE(WriteStringProperty(stack, "ActivePage", "SPELLING"));
  EXPECT_EQ(ReadIntegerProperty(stack, "PageIndex"), 1);

  auto* bar = new StatusBar(&form);
  ASSERT_TRUE(WriteBooleanProperty(bar, "SimplePanel", true));
  ASSERT_TRUE(WriteStringProperty(bar, "SimpleText", "Ready"));
  EXPECT_EQ(bar->SimpleText(), "Ready");
  EXPECT_TRUE(bar->SimplePanel());
}

}  // namespace
}  // namespace qn::ui::testing
