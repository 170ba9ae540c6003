#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <functional>
#include <QWidget>

#include "framework/ui/TextLabel.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class TextLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    label = new TextLabel(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 65, 13);
  }
  void TearDown() override { delete form; }
  QRgb pixelAt(int x, int y) { return form->Window()->grab().toImage().pixel(x, y); }

  TTestForm* form;
  TextLabel* label;
};

TEST_F(TextLabelTest, AutoSizeFitsTheCaptionAndFollowsItsChanges) {
  label->SetCaption("Short");
  const int shortWidth = label->Width();
  label->SetCaption("A much longer caption");
  EXPECT_GT(label->Width(), shortWidth);
  EXPECT_GT(label->Height(), 0);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 40, 30);
  label->SetCaption("Short");
  EXPECT_EQ(label->Width(), 40);
}

TEST_F(TextLabelTest, WrappingAtWordsKeepsTheWidthAndGrowsTheHeight) {
  label->SetCaption("one two three four five six");
  const int oneLine = label->Height();
  label->SetWidth(40);
  label->SetWordWrap(true);
  EXPECT_EQ(label->Width(), 40);
  EXPECT_GT(label->Height(), oneLine);
}

TEST_F(TextLabelTest, TheAcceleratorIsTheLetterAfterASingleAmpersand) {
  struct Row {
    const char* caption;
    bool showAccel;
    char accelerator;
  };
  for (const Row& row : {Row{"&Name", true, 'N'}, Row{"Fi&le no.", true, 'L'}, Row{"A && B", true, 0},
                         Row{"Tom && &Jerry", true, 'J'}, Row{"&Name", false, 0}, Row{"Name", true, 0}}) {
    SCOPED_TRACE(row.caption);
    label->SetShowAccelChar(row.showAccel);
    label->SetCaption(row.caption);
    EXPECT_EQ(label->AcceleratorChar(), row.accelerator);
  }
}

TEST_F(TextLabelTest, PaintsItsColourUnlessTransparent) {
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 60, 20);
  label->SetColor(clRed);
  label->SetCaption("");
  form->Show();
  EXPECT_EQ(pixelAt(50, 25), qRgb(255, 0, 0));
  label->SetTransparent(true);
  EXPECT_EQ(pixelAt(50, 25), pixelAt(150, 150)) << "the form shows through";
}

TEST_F(TextLabelTest, AFreedFocusControlIsForgotten) {
  auto* target = new TTestEdit(form, form);
  label->SetFocusControl(target);
  EXPECT_EQ(label->FocusControl(), target);
  delete target;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(TextLabelTest, OnlyAShownEnabledLabelOverAFocusableControlTakesItsAccelerator) {
  auto* first = new TTestEdit(form, form, "First");
  auto* named = new TTestEdit(form, form, "Named");
  named->SetTop(40);
  // A label inside a panel counts as well as one on the form.
  auto* panel = new TTestPanel(form, form, "Panel");
  panel->SetBounds(0, 100, 200, 60);
  label->SetParent(panel);
  label->SetCaption("&Named");
  label->SetFocusControl(named);
  form->Show();
  form->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));

  struct Row {
    const char* what;
    std::function<void()> arrange;
    bool moves;
  };
  const std::vector<Row> rows{
      {"hidden label", [&] { label->Hide(); }, false},
      {"disabled label", [&] { label->SetEnabled(false); }, false},
      {"disabled control", [&] { named->SetEnabled(false); }, false},
      {"no accelerator marks", [&] { label->SetShowAccelChar(false); }, false},
      {"another letter", [&] { label->SetCaption("Na&med"); }, false},
      {"shown and enabled", [] {}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    label->Show();
    label->SetEnabled(true);
    label->SetShowAccelChar(true);
    label->SetCaption("&Named");
    named->SetEnabled(true);
    first->SetFocus();
    row.arrange();
    QTest::keyClick(first->lineEdit(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(named->Focused(), row.moves);
    EXPECT_EQ(first->Focused(), !row.moves);
  }
}

}  // namespace
}  // namespace qn::ui::testing
