#include "datagrid/DialogButton.h"

#include <gtest/gtest.h>

#include <QTest>

#include "datagrid/Intl.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

// Each test changes the library's switches and the screen's resolution; both come back after it.
class DialogButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    savedPixelsPerInch = Screen->PixelsPerInch();
    form.SetBounds(100, 100, 300, 200);
  }
  void TearDown() override {
    Screen->SetPixelsPerInch(savedPixelsPerInch);
    TdcIntl defaults(nullptr);
    defaults.SetConnected(true);
  }

  int savedPixelsPerInch = 96;
  TForm form{nullptr};
};

TEST_F(DialogButtonTest, SizeAndClassFollowTheSwitchAndTheScreenResolution) {
  struct Row {
    bool bitmapped;
    int pixelsPerInch;
    int width, height;
  };
  for (const Row& row : {Row{false, 96, 77, 24}, Row{true, 96, 77, 27}, Row{false, 120, 96, 30}, Row{true, 120, 96, 34}}) {
    dcIntlDefaults->OKCancelBitmapped = row.bitmapped;
    Screen->SetPixelsPerInch(row.pixelsPerInch);
    for (int kind : {dbkOK, dbkCancel, dbkHelp}) {
      SCOPED_TRACE(std::to_string(row.pixelsPerInch) + (row.bitmapped ? " bitmapped " : " plain ") + std::to_string(kind));
      TButton* button = CreateDialogButton(&form, kind);
      EXPECT_EQ(dynamic_cast<GlyphButton*>(button) != nullptr, row.bitmapped);
      EXPECT_EQ(button->Width(), row.width);
      EXPECT_EQ(button->Height(), row.height);
      EXPECT_FALSE(button->Visible());
      EXPECT_EQ(button->Owner(), &form);
      EXPECT_EQ(button->Parent(), &form);
      delete button;
    }
  }
}

TEST_F(DialogButtonTest, EachKindTakesItsCaptionResultAndRole) {
  struct Row {
    int kind;
    const char* caption;
    TModalResult result;
    bool cancel;
    GlyphButtonKind glyph;
  };
  dcIntlDefaults->BtnOKCaption = "&Accept";
  dcIntlDefaults->BtnCancelCaption = "Drop";
  for (bool bitmapped : {false, true}) {
    dcIntlDefaults->OKCancelBitmapped = bitmapped;
    for (const Row& row : {Row{dbkOK, "&Accept", mrOk, false, gbkOK}, Row{dbkCancel, "Drop", mrCancel, true, gbkCancel},
                           Row{dbkHelp, "Help", mrNone, false, gbkHelp}}) {
      SCOPED_TRACE(row.caption);
      TButton* button = CreateDialogButton(&form, row.kind);
      EXPECT_EQ(button->Caption(), row.caption);
      EXPECT_EQ(button->ModalResult(), row.result);
      EXPECT_EQ(button->Cancel(), row.cancel);
      EXPECT_FALSE(button->Default());
      if (auto* glyph = dynamic_cast<GlyphButton*>(button)) {
        EXPECT_EQ(glyph->Kind(), row.glyph);
      }
      delete button;
    }
  }
}

TEST_F(DialogButtonTest, AGlyphButtonTakesTheDialogLayoutAndFont) {
  dcIntlDefaults->DialogFontStyle = TFontStyles{fsBold};
  auto* button = dynamic_cast<GlyphButton*>(CreateDialogButton(&form, dbkOK));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Margin(), 2);
  EXPECT_EQ(button->Spacing(), -1);
  EXPECT_EQ(button->NumGlyphs(), 2);
  EXPECT_FALSE(button->Glyph()->Empty());
  EXPECT_EQ(button->Font()->Height(), -11);
  EXPECT_EQ(button->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(button->Font()->Color(), clWindowText);
  EXPECT_EQ(button->Font()->Style(), TFontStyles{fsBold});
}

TEST_F(DialogButtonTest, EscapeEndsTheDialogThroughItsCancelButton) {
  TButton* ok = CreateDialogButton(&form, dbkOK);
  TButton* cancel = CreateDialogButton(&form, dbkCancel);
  cancel->SetLeft(100);
  int cancelClicks = 0;
  cancel->OnClick = [&cancelClicks](TObject*) { ++cancelClicks; };
  ok->Show();
  cancel->Show();
  qn::ui::postCall([this, ok] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    ok->SetFocus();
    qn::ui::postKeyStroke(VK_ESCAPE);
  });
  EXPECT_EQ(form.runModal(), mrCancel);
  EXPECT_EQ(cancelClicks, 1);
}

}  // namespace
