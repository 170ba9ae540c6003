// The record view form the program makes at start-up by class name.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "datagrid/RecordViewForm.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

TEST(RecordViewForm, MadeByClassNameItIsHiddenEmptyAndShowsNoWindow) {
  qn::ui::testing::qtApplication();
  std::unique_ptr<TComponent> made(CreateComponentByClassName("TdcRecordViewForm", Application));
  auto* form = dynamic_cast<TdcRecordViewForm*>(made.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Owner(), Application);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(form->Dialog, nullptr);
  EXPECT_EQ(form->ScrollBox, nullptr);
  EXPECT_EQ(form->Width(), 342);
  EXPECT_EQ(form->Height(), 362);
  for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible());
}

}  // namespace
