#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "framework/base/Exception.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/Screen.h"
#include "framework/ui/WidgetApplication.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override { qtApplication(); }
};

TEST_F(ControlTest, ControlsAreMadeSetAndFreedWithoutAnyWindow) {
  auto* form = new TTestForm;
  auto* panel = new TTestPanel(form, form, "Panel1");
  auto* edit = new TTestEdit(form, panel, "Edit1");
  edit->SetText("Smith");
  edit->SetBounds(5, 6, 70, 21);
  edit->SetEnabled(false);
  EXPECT_FALSE(form->hasWindow());
  EXPECT_FALSE(edit->hasWindow());
  EXPECT_EQ(edit->Text(), "Smith");
  EXPECT_EQ(panel->ControlCount(), 1);
  delete form;
}

TEST_F(ControlTest, TheWindowTakesWhatTheControlKept) {
  TTestForm form;
  auto* panel = new TTestPanel(&form, &form, "Panel1");
  auto* edit = new TTestEdit(&form, panel, "Edit1");
  edit->SetText("Jones");
  edit->SetBounds(5, 6, 70, 21);
  edit->SetEnabled(false);
  form.createWindow();
  ASSERT_TRUE(edit->hasWindow());
  QLineEdit* line = edit->lineEdit();
  EXPECT_EQ(line->text(), "Jones");
  EXPECT_EQ(line->geometry(), QRect(5, 6, 70, 21));
  EXPECT_FALSE(line->isEnabled());
  EXPECT_EQ(line->objectName(), "Edit1");
  EXPECT_EQ(line->parentWidget(), panel->Window());
  EXPECT_TRUE(line->hasMouseTracking());
  EXPECT_EQ(line->contextMenuPolicy(), Qt::PreventContextMenu);
  EXPECT_FALSE(line->acceptDrops());
}

TEST_F(ControlTest, PropertiesAreReadAndWrittenByName) {
  TTestForm form;
  TTestEdit edit(&form, &form, "Edit1");
  EXPECT_TRUE(WriteIntegerProperty(&edit, "Left", 12));
  EXPECT_TRUE(WriteIntegerProperty(&edit, "TabOrder", 0));
  EXPECT_TRUE(WriteStringProperty(&edit, "Hint", "Client code"));
  EXPECT_TRUE(WriteEnumerationProperty(&edit, "Align", alTop));
  EXPECT_EQ(ReadIntegerProperty(&edit, "Left"), 0) << "aligned to the top";
  EXPECT_EQ(ReadIntegerProperty(&edit, "Width"), 400);
  EXPECT_TRUE(WriteBooleanProperty(&edit, "Visible", false));
  EXPECT_EQ(ReadBooleanProperty(&edit, "Visible"), false);
  EXPECT_EQ(ReadStringProperty(&edit, "Hint"), "Client code");
  EXPECT_EQ(ReadObjectProperty(&edit, "Font"), edit.Font());
  EXPECT_TRUE(ReadEventProperty<TNotifyEvent>(&edit, "OnEnter").has_value());
  EXPECT_FALSE(ReadObjectProperty(&edit, "DataSource").has_value()) << "absent, without an exception";
}

TEST_F(ControlTest, ChildrenAreFoundByNameAndByClass) {
  TTestForm form;
  auto* panel = new TTestPanel(&form, &form, "Panel1");
  auto* edit = new TTestEdit(&form, panel, "CodeEdit");
  auto* combo = new TTestCombo(&form, panel);
  EXPECT_EQ(form.FindChildControl("codeedit"), edit);
  EXPECT_EQ(form.FindChildControlOfClass("TTestCombo"), combo);
  EXPECT_EQ(form.FindChildControlOfClass("TWinControl"), panel) << "through the ancestry";
  EXPECT_EQ(form.FindChildControl("Missing"), nullptr);
}

TEST_F(ControlTest, ChildListsKeepCreationOrderAndTabOrder) {
  TTestForm form;
  auto* first = new TTestEdit(&form, &form, "First");
  auto* second = new TTestEdit(&form, &form, "Second");
  auto* third = new TTestEdit(&form, &form, "Third");
  third->SetTabOrder(0);
  EXPECT_EQ(form.Controls(0), first);
  EXPECT_EQ(form.Controls(2), third);
  EXPECT_EQ(form.TabOrderList(), (std::vector<TWinControl*>{third, first, second}));
  EXPECT_EQ(first->TabOrder(), 1);
  EXPECT_THROW(form.Controls(3), EListError);
}

TEST_F(ControlTest, AControlCannotContainItself) {
  TTestForm form;
  auto* panel = new TTestPanel(&form, &form);
  auto* inner = new TTestPanel(&form, panel);
  EXPECT_THROW(panel->SetParent(inner), EInvalidOperation);
  EXPECT_EQ(panel->Parent(), &form);
}

TEST_F(ControlTest, ParentFontAndColorAreFollowedUntilTheChildSetsItsOwn) {
  TTestForm form;
  auto* follower = new TTestEdit(&form, &form, "Follower");
  auto* own = new TTestEdit(&form, &form, "Own");
  own->Font()->SetName("Courier New");
  own->SetParentColor(true);
  follower->SetParentColor(true);
  EXPECT_FALSE(own->ParentFont());
  form.Font()->SetSize(12);
  form.Font()->SetStyle({fsBold});
  form.SetColor(clWindow);
  EXPECT_EQ(follower->Font()->Size(), 12);
  EXPECT_TRUE(follower->Font()->Style().Contains(fsBold));
  EXPECT_TRUE(follower->ParentFont());
  EXPECT_EQ(own->Font()->Size(), 8);
  EXPECT_EQ(own->Font()->Name(), "Courier New");
  EXPECT_EQ(follower->Color(), clWindow);
  own->SetColor(clRed);
  form.SetColor(clBtnFace);
  EXPECT_EQ(own->Color(), clRed);
  EXPECT_EQ(follower->Color(), clBtnFace);
}

TEST_F(ControlTest, FontSizeAndHeightFollowTheDotsPerInch) {
  EXPECT_EQ(Screen->PixelsPerInch(), 96) << "offscreen";
  Screen->SetPixelsPerInch(120);
  EXPECT_EQ(Screen->PixelsPerInch(), 120);
  TFont font;
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -13);
  font.SetHeight(-20);
  EXPECT_EQ(font.Size(), 12);
  Screen->SetPixelsPerInch(96);
  TFont at96;
  at96.SetSize(8);
  EXPECT_EQ(at96.Height(), -11);
}

TEST_F(ControlTest, ClientToScreenAndBackGivesThePoint) {
  TTestForm form;
  auto* panel = new TTestPanel(&form, &form);
  panel->SetBounds(10, 20, 150, 80);
  auto* edit = new TTestEdit(&form, panel, "Edit1");
  edit->SetBounds(7, 9, 60, 20);
  auto* graphic = new TTestGraphic(&form, panel);
  for (bool withWindow : {false, true}) {
    if (withWindow) {
      form.Show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));
    }
    const TPoint screen = edit->ClientToScreen({3, 4});
    EXPECT_EQ(edit->ScreenToClient(screen), (TPoint{3, 4}));
    EXPECT_EQ(panel->ScreenToClient(screen), (TPoint{10, 13}));
    EXPECT_EQ(graphic->ScreenToClient(panel->ClientToScreen({151, 152})), (TPoint{1, 2}));
  }
}

TEST_F(ControlTest, AlignedAndAnchoredChildrenFollowTheirContainer) {
  TTestForm form;
  auto* top = new TTestPanel(&form, &form);
  top->SetHeight(30);
  top->SetAlign(alTop);
  auto* rest = new TTestPanel(&form, &form);
  rest->SetAlign(alClient);
  auto* button = new TTestEdit(&form, rest);
  button->SetBounds(300, 200, 80, 20);
  button->SetAnchors({akRight, akBottom});
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
  EXPECT_EQ(rest->BoundsRect(), Rect(0, 30, 400, 300));
  form.SetBounds(100, 100, 500, 350);
  EXPECT_EQ(rest->BoundsRect(), Rect(0, 30, 500, 350));
  EXPECT_EQ(button->BoundsRect(), Rect(400, 250, 480, 270));
}

TEST_F(ControlTest, ConstraintsBoundTheSize) {
  TTestForm form;
  TTestEdit edit(&form, &form);
  edit.Constraints()->SetMinWidth(50);
  edit.Constraints()->SetMaxHeight(25);
  edit.SetBounds(0, 0, 10, 40);
  EXPECT_EQ(edit.Width(), 50);
  EXPECT_EQ(edit.Height(), 25);
}

TEST_F(ControlTest, TheApplicationIsTheFrameworksOwn) {
  EXPECT_NO_THROW(widgetApplication());
  EXPECT_NE(dynamic_cast<WidgetApplication*>(QCoreApplication::instance()), nullptr);
}

}  // namespace
}  // namespace qn::ui::testing

namespace qn::ui::testing {
namespace {

TEST_F(ControlTest, ShowingAFormMakesItsWindowsAndHidingKeepsThem) {
  TTestForm form;
  auto* edit = new TTestEdit(&form, &form, "Edit1");
  auto* hidden = new TTestEdit(&form, &form, "Edit2");
  hidden->Hide();
  form.Show();
  ASSERT_TRUE(form.hasWindow());
  EXPECT_TRUE(form.Window()->isVisible());
  EXPECT_TRUE(edit->Window()->isVisible());
  EXPECT_FALSE(hidden->Window()->isVisible());
  form.Hide();
  EXPECT_TRUE(form.hasWindow());
  EXPECT_FALSE(form.Window()->isVisible());
}

}  // namespace
}  // namespace qn::ui::testing
