// The full-window editor a rich edit opens: what OK and Cancel give back to a bound control, the
// commands, bars and keys of the form, closing, page set-up and printing.
#include <QTest>
#include <fstream>
#include <QDir>
#include <QTimer>

#include "datagrid/Intl.h"
#include "editors/DBComboBox.h"
#include "editors/RichEditForm.h"
#include "editors/RulerPanel.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/BevelLine.h"
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/HintService.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/Printer.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/testing/FakePrinter.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"

namespace richedittest {
namespace {

using qn::ui::testing::ScriptedDialogs;
using qn::ui::testing::ScriptedMessageBoxes;

class RichEditFormTest : public RichEditTest {
 protected:
  // Opens the editor on edit and runs inside while it shows; unless inside closes the form, it
  // closes with OK (Save and Exit) afterwards.
  bool runEditor(TdcCustomRichEdit* edit, std::function<void(TdcRichEditForm&)> inside) {
    edit->OnCreateDialog = [inside](TObject*, TForm* form) {
      auto* editor = static_cast<TdcRichEditForm*>(form);
      qn::ui::postCall([editor, inside] {
        inside(*editor);
        if (editor->ModalResult() == mrNone && editor->Visible()) editor->SetModalResult(mrOk);
      });
    };
    return edit->Execute();
  }
  static void typeInto(TdcRichEditForm& f, const char* text) {
    f.Editor()->SetFocus();
    QTest::keyClicks(f.Editor()->Window(), text);
  }
};

TEST_F(RichEditFormTest, OkAfterTypingWritesTheFieldFiresCloseOnceAndSetsModified) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  int closes = 0;
  edit->OnCloseDialog = [&](TObject*, TForm*) { ++closes; };
  AnsiString shown;
  EXPECT_TRUE(runEditor(edit, [&](TdcRichEditForm& f) {
    shown = f.Editor()->Text();
    f.Editor()->SetSelStart(f.Editor()->TextLength());
    typeInto(f, " Regards");
    f.SetModalResult(mrOk);
  }));
  EXPECT_EQ(shown, "*Dear client,\r\nthe hearing is set.");
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(edit->Modified());
  const auto read = qn::ui::RtfReader().read(notes());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->plainText(), "*Dear client,\r\nthe hearing is set. Regards");
  EXPECT_TRUE(read->paragraphs[0].runs[0].attributes.bold) << "the formats came back with the text";
}

TEST_F(RichEditFormTest, CancelFiresCloseOnlyAndLeavesTheField) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  const std::string before = notes();
  int closes = 0;
  edit->OnCloseDialog = [&](TObject*, TForm*) { ++closes; };
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, dcIntlDefaults->UserMessages()->RichEditExitWarning, mrNo);
  EXPECT_FALSE(runEditor(edit, [&](TdcRichEditForm& f) {
    typeInto(f, "x");
    f.Close();
  }));
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(notes(), before);
}

TEST_F(RichEditFormTest, TheExitWarningYesClosesWithOkAndCancelKeepsTheFormOpen) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, dcIntlDefaults->UserMessages()->RichEditExitWarning, mrCancel);
  boxes.expect(mtConfirmation, dcIntlDefaults->UserMessages()->RichEditExitWarning, mrYes);
  bool openAfterCancel = false;
  EXPECT_TRUE(runEditor(edit, [&](TdcRichEditForm& f) {
    typeInto(f, "x");
    f.Close();
    // The query runs in the modal loop once the loop sees the result.
    QTimer::singleShot(100, [&] {
      openAfterCancel = f.Visible() && f.ModalResult() == mrNone;
      f.Close();
    });
  }));
  EXPECT_TRUE(openAfterCancel);
  EXPECT_NE(qn::ui::RtfReader().read(notes())->plainText().find('x'), std::string::npos) << "Yes saved the typing";
}

TEST_F(RichEditFormTest, MarginsChangedInPageSetupComeBackOnOk) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  ScriptedDialogs dialogs;
  PageSetupChoice choice;
  choice.margins = {750, 1000, 1000, 500};
  choice.orientation = TPrinterOrientation::poLandscape;
  choice.paperSize = 9;
  dialogs.expectPageSetup(choice);
  EXPECT_TRUE(runEditor(edit, [&](TdcRichEditForm& f) {
    f.PageSetup1->Click();
    f.SetModalResult(mrOk);
  }));
  ASSERT_EQ(dialogs.pageSetupRequests().size(), 1u);
  const PageSetupRequest& asked = dialogs.pageSetupRequests()[0];
  EXPECT_EQ(asked.margins, (PageMargins{1000, 1000, 1000, 1000}));
  EXPECT_EQ(asked.units, MarginUnits::thousandthsOfInch);
  EXPECT_FALSE(asked.paperChoiceEnabled) << "paper only with the printer's width";
  EXPECT_DOUBLE_EQ(edit->PrintMargins()->Left, 0.75);
  EXPECT_DOUBLE_EQ(edit->PrintMargins()->Bottom, 0.5);
  EXPECT_EQ(Printer()->Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_EQ(Printer()->PaperSize(), 9);
  Printer()->ResetSettings();
}

TEST_F(RichEditFormTest, CancelledPageSetupChangesNothing) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  ScriptedDialogs dialogs;
  dialogs.expectPageSetup(std::nullopt);
  EXPECT_TRUE(runEditor(edit, [&](TdcRichEditForm& f) {
    f.PageSetup1->Click();
    f.SetModalResult(mrOk);
  }));
  EXPECT_DOUBLE_EQ(edit->PrintMargins()->Left, 1.0);
}

TEST_F(RichEditFormTest, PrintWithTwoCopiesPrintsTheDocumentTwiceUnderTheJobName) {
  auto* edit = bound("Notes");
  edit->PrintJobName = "Case notes";
  ASSERT_TRUE(show());
  ScriptedDialogs dialogs;
  PrintChoice two;
  two.copies = 2;
  dialogs.expectPrint(two);
  qn::ui::testing::FakePrinter printer;
  runEditor(edit, [&](TdcRichEditForm& f) { f.Print1->Click(); });
  ASSERT_EQ(dialogs.printRequests().size(), 1u);
  EXPECT_TRUE(dialogs.printRequests()[0].collate);
  ASSERT_EQ(printer.documents().size(), 2u);
  for (const auto& document : printer.documents()) {
    EXPECT_EQ(document.settings.title, "Case notes");
    EXPECT_TRUE(document.finished);
  }
}

TEST_F(RichEditFormTest, F2OpensTheEditorOnlyWithPopupEdit) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  int opened = 0;
  edit->OnCreateDialog = [&](TObject*, TForm* form) {
    ++opened;
    qn::ui::postCall([form] { form->SetModalResult(mrCancel); });
  };
  edit->SetFocus();
  key(edit, Qt::Key_F2);
  EXPECT_EQ(opened, 1);
  edit->PopupOptions.Exclude(rpoPopupEdit);
  key(edit, Qt::Key_F2);
  EXPECT_EQ(opened, 1);
}

TEST_F(RichEditFormTest, AReadOnlyCallerShowsNoFileOrFormatCommandsAndEscapeCloses) {
  auto* edit = place();
  edit->SetReadOnly(true);
  edit->EditorOptions.Include(reoShowLoad);
  edit->EditorOptions.Include(reoShowSaveAs);
  ASSERT_TRUE(show());
  bool checked = false;
  EXPECT_FALSE(runEditor(edit, [&](TdcRichEditForm& f) {
    EXPECT_FALSE(f.Load1->Visible);
    EXPECT_FALSE(f.SaveAs1->Visible);
    EXPECT_FALSE(f.SaveExit1->Visible);
    EXPECT_FALSE(f.Format1->Visible);
    EXPECT_FALSE(f.View1->Visible);
    EXPECT_FALSE(f.Toolbar->Visible());
    EXPECT_FALSE(f.FormatBar->Visible());
    EXPECT_FALSE(f.StatusBar1->Visible());
    EXPECT_FALSE(f.Ruler()->Visible());
    EXPECT_FALSE(f.NewButton->Visible());
    checked = true;
    QTest::keyClick(f.Editor()->Window(), Qt::Key_Escape);
    EXPECT_EQ(f.ModalResult(), mrCancel) << "Escape closed it";
  }));
  EXPECT_TRUE(checked);
}

TEST_F(RichEditFormTest, TheOptionsGiveTheVisibleCommandsAndSeparators) {
  struct Case {
    TRichEditorOptions options;
    bool load, saveAs, print, pageSetup, saveExit, separator1, separator2, toolbar, ruler;
  } cases[] = {
      {{reoShowLoad, reoShowPrint, reoShowToolBar}, true, false, true, false, false, true, true, true, false},
      {{reoShowSaveAs, reoShowRuler}, false, true, false, false, false, false, false, false, true},
      {{reoShowSaveExit, reoShowPageSetup}, false, false, false, true, true, true, true, false, false},
      {{}, false, false, false, false, false, false, false, false, false},
  };
  auto* edit = place();
  ASSERT_TRUE(show());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.Mask());
    edit->EditorOptions = c.options;
    runEditor(edit, [&](TdcRichEditForm& f) {
      EXPECT_EQ(f.Load1->Visible, c.load);
      EXPECT_EQ(f.LoadButton1->Visible(), c.load);
      EXPECT_EQ(f.SaveAs1->Visible, c.saveAs);
      EXPECT_EQ(f.Print1->Visible, c.print);
      EXPECT_EQ(f.PrintButton->Visible(), c.print);
      EXPECT_EQ(f.PageSetup1->Visible, c.pageSetup);
      EXPECT_EQ(f.SaveExit1->Visible, c.saveExit);
      EXPECT_EQ(f.FileSeparator1->Visible, c.separator1);
      EXPECT_EQ(f.FileSeparator2->Visible, c.separator2);
      EXPECT_EQ(f.Toolbar->Visible(), c.toolbar);
      EXPECT_EQ(f.Toolbar1->Checked(), c.toolbar);
      EXPECT_EQ(f.Ruler()->Visible(), c.ruler);
      EXPECT_FALSE(f.Insert1->Visible) << "no embedded objects";
    });
  }
}

TEST_F(RichEditFormTest, NewAsksTheClearWarningAndOkClearsAndMarksModified) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, dcIntlDefaults->UserMessages()->RichEditClearWarning, mrCancel);
  boxes.expect(mtConfirmation, dcIntlDefaults->UserMessages()->RichEditClearWarning, mrOk);
  runEditor(edit, [&](TdcRichEditForm& f) {
    f.NewButton->Click();
    EXPECT_FALSE(f.Editor()->Text().empty());
    EXPECT_FALSE(f.Editor()->Modified());
    f.NewButton->Click();
    EXPECT_EQ(f.Editor()->Text(), "");
    EXPECT_TRUE(f.Editor()->Modified());
    f.SetModalResult(mrOk);
  });
}

TEST_F(RichEditFormTest, AFontNameNotInstalledShowsInRed) {
  auto* edit = place();
  ASSERT_TRUE(show());
  runEditor(edit, [&](TdcRichEditForm& f) {
    f.Editor()->SetText("abc");
    f.Editor()->SelectAll();
    f.Editor()->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.name = "No Such Face 123"; });
    f.RefreshToolbarState();
    EXPECT_EQ(f.FontNameCombo->Text(), "No Such Face 123");
    EXPECT_EQ(f.FontNameCombo->Font()->Color(), clRed);
    ASSERT_GT(f.FontNameCombo->Items()->Count(), 0);
    const AnsiString installed = f.FontNameCombo->Items()->Get(0);
    f.Editor()->changeSelectionAttributes([&](qn::ui::CharacterAttributes& a) { a.name = installed; });
    f.RefreshToolbarState();
    EXPECT_EQ(f.FontNameCombo->Font()->Color(), clWindowText);
  });
}

TEST_F(RichEditFormTest, TheColourMenuAppliesRedAndTheAutomaticColour) {
  auto* edit = place();
  edit->Font()->SetColor(clNavy);
  ASSERT_TRUE(show());
  runEditor(edit, [&](TdcRichEditForm& f) {
    f.Editor()->SetText("abc");
    f.Editor()->SelectAll();
    TMenuItem* red = nullptr;
    for (int i = 0; i < f.PopupMenu1->Items()->Count(); ++i)
      if (f.PopupMenu1->Items()->Items(i)->Caption() == "Red") red = f.PopupMenu1->Items()->Items(i);
    ASSERT_NE(red, nullptr);
    EXPECT_TRUE(red->ownerDrawn());
    red->Click();
    EXPECT_EQ(f.Editor()->selectionAttributes().color, 0x0000FF);
    f.AutomaticColour->Click();
    EXPECT_EQ(f.Editor()->selectionAttributes().color, clNavy);
  });
}

TEST_F(RichEditFormTest, TheToolbarFollowsABoldCentredSelectionAndCtrlBTogglesBold) {
  auto* edit = place();
  ASSERT_TRUE(show());
  runEditor(edit, [&](TdcRichEditForm& f) {
    f.Editor()->SetText("plain");
    f.Editor()->SelectAll();
    f.BoldButton->Click();
    f.CenterButton->Click();
    f.Editor()->SetSelStart(2);
    f.Editor()->SetSelLength(1);
    f.RefreshToolbarState();
    EXPECT_TRUE(f.BoldButton->Down());
    EXPECT_TRUE(f.CenterButton->Down());
    EXPECT_FALSE(f.LeftButton->Down());
    EXPECT_TRUE(f.CutButton->Enabled());
    QTest::keyClick(f.Editor()->Window(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(f.Editor()->selectionAttributes().bold);
    EXPECT_FALSE(f.BoldButton->Down());
    QTest::keyClick(f.Editor()->Window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(f.ModalResult(), mrOk) << "Ctrl+S saves and exits";
  });
}

TEST_F(RichEditFormTest, StatusPanelOneShowsAButtonsHintAndTheLockKeysShowAndClear) {
  auto* edit = place();
  bool caps = true, num = true;
  const auto previous = qn::ui::setLockKeyReader([&](qn::ui::LockKey k) { return k == qn::ui::LockKey::CapsLock ? caps : num; });
  ASSERT_TRUE(show());
  runEditor(edit, [&](TdcRichEditForm& f) {
    qn::ui::mouseIsOver(f.CutButton, f.CutButton->ClientToScreen({2, 2}));
    EXPECT_EQ(f.StatusBar1->Panels()->Items(0)->Text(), "Cuts the selection and puts it on the Clipboard");
    EXPECT_EQ(f.StatusBar1->Panels()->Items(1)->Text(), "CAP");
    EXPECT_EQ(f.StatusBar1->Panels()->Items(2)->Text(), "NUM");
    caps = num = false;
    QTest::keyClick(f.Editor()->Window(), Qt::Key_Shift);
    EXPECT_EQ(f.StatusBar1->Panels()->Items(1)->Text(), "");
    EXPECT_EQ(f.StatusBar1->Panels()->Items(2)->Text(), "");
  });
  qn::ui::mouseIsOver(nullptr, {0, 0});
  qn::ui::setLockKeyReader(previous);
}

}  // namespace
}  // namespace richedittest

namespace richedittest {
namespace {

// The editor over a short letter, with its toolbar, format bar and ruler, saved as a picture
// under build/screenshots to look at; the ruler's white band with its marks must be on it.
TEST_F(RichEditFormTest, APictureOfTheEditorShowsItsBarsAndRuler) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  QImage picture;
  QImage ruler;
  runEditor(edit, [&](TdcRichEditForm& f) {
    QApplication::processEvents();
    picture = f.Window()->grab().toImage();
    ruler = f.Ruler()->Window()->grab().toImage();
  });
  ASSERT_FALSE(picture.isNull());
  const std::string folder = Application->ExeName().substr(0, Application->ExeName().rfind('/')) + "/../screenshots";
  QDir().mkpath(QString::fromStdString(folder));
  EXPECT_TRUE(picture.save(QString::fromStdString(folder + "/rich_editor.png")));
  ASSERT_FALSE(ruler.isNull());
  int white = 0, black = 0;
  for (int x = 0; x < ruler.width(); ++x) {
    const QRgb p = ruler.pixel(x, ruler.height() / 2);
    white += p == qRgb(255, 255, 255);
    black += qGray(p) < 80;
  }
  EXPECT_GT(white, ruler.width() / 2) << "the ruler band";
  EXPECT_GT(black, 10) << "its marks and labels";
}

}  // namespace
}  // namespace richedittest

namespace richedittest {
namespace {

class RichEditFormFileTest : public RichEditFormTest {
 protected:
  std::string folder = qn::testing::makeScratchDir("rich-editor-files");
};

TEST_F(RichEditFormFileTest, SaveAsOverAnExistingFileAsksAndNoWritesNothing) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  const std::string path = folder + "/letter.rtf";
  { std::ofstream(path) << "old"; }
  ScriptedDialogs dialogs;
  dialogs.expectSaveFile(FileDialogAnswer{path, 1});
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "OK to overwrite " + path, mrNo);
  runEditor(edit, [&](TdcRichEditForm& f) { f.SaveAs1->Click(); });
  std::ifstream in(path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
  EXPECT_EQ(dialogs.fileRequests()[0].defaultExtension, "rtf");
  EXPECT_FALSE(dialogs.fileRequests()[0].overwritePrompt) << "the editor's own question is the only one";
}

TEST_F(RichEditFormFileTest, ATxtNameGetsTheSameRichTextAndLoadsBackWithItsFormats) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  ScriptedDialogs dialogs;
  dialogs.expectSaveFile(FileDialogAnswer{folder + "/a.rtf", 1});
  dialogs.expectSaveFile(FileDialogAnswer{folder + "/a.txt", 2});
  dialogs.expectOpenFile(FileDialogAnswer{folder + "/a.txt", 2});
  qn::ui::RichTextContent loaded;
  runEditor(edit, [&](TdcRichEditForm& f) {
    f.SaveAs1->Click();
    f.SaveAs1->Click();
    f.Editor()->SetText("");
    f.Load1->Click();
    loaded = f.Editor()->content(0, f.Editor()->TextLength());
    f.SetModalResult(mrCancel);
    f.Editor()->SetModified(false);
  });
  const auto read = [](const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(read(folder + "/a.txt"), read(folder + "/a.rtf"));
  EXPECT_EQ(read(folder + "/a.txt").compare(0, 5, "{\\rtf"), 0);
  EXPECT_EQ(loaded.plainText(), "*Dear client,\r\nthe hearing is set.");
  EXPECT_TRUE(loaded.paragraphs[0].runs[0].attributes.bold);
}

TEST_F(RichEditFormFileTest, APlainWindows1252TextFileLoadsAsPlainText) {
  auto* edit = place();
  ASSERT_TRUE(show());
  const std::string path = folder + "/menu.txt";
  { std::ofstream(path, std::ios::binary) << "caf\xe9 au lait"; }
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile(FileDialogAnswer{path, 2});
  AnsiString text;
  runEditor(edit, [&](TdcRichEditForm& f) {
    f.LoadButton1->Click();
    text = f.Editor()->Text();
  });
  EXPECT_EQ(text, "caf\xe9 au lait");
}

}  // namespace
}  // namespace richedittest

// A control whose sizing fails while told to: the editor's layout must survive it.
class FailingSizeRichEdit : public TdcCustomRichEdit {
  QN_CLASS(FailingSizeRichEdit, TdcCustomRichEdit)
 public:
  using TdcCustomRichEdit::TdcCustomRichEdit;
  static inline bool failing = false;

 protected:
  void BoundsChanged() override {
    TdcCustomRichEdit::BoundsChanged();
    if (failing && Name() == "RichEdit1") throw EInvalidOperation("no room");
  }
};

namespace richedittest {
namespace {

TEST_F(RichEditFormTest, AFailingLayoutShowsErrorInResizeOnce) {
  RegisterClass<FailingSizeRichEdit>();
  auto* edit = place<FailingSizeRichEdit>();
  ASSERT_TRUE(show());
  ScriptedMessageBoxes boxes;
  boxes.expect(mtCustom, "Error in resize");
  // The sizing fails from the form's own layout on.
  edit->OnInitDialog = [](TObject*, TForm*) { FailingSizeRichEdit::failing = true; };
  bool sameClass = false;
  runEditor(edit, [&](TdcRichEditForm& f) {
    FailingSizeRichEdit::failing = false;
    sameClass = dynamic_cast<FailingSizeRichEdit*>(f.Editor()) != nullptr;
  });
  FailingSizeRichEdit::failing = false;
  EXPECT_TRUE(sameClass) << "the editor's control is of the caller's class";
  EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST_F(RichEditFormTest, TheUserButtonsShowOnTheToolbarAndGoBackHidden) {
  auto* edit = place();
  auto* own = new TSpeedButton(form.get());
  own->SetParent(form.get());
  own->SetBounds(5, 5, 23, 22);
  own->SetVisible(false);
  edit->UserSpeedButton1 = own;
  ASSERT_TRUE(show());
  runEditor(edit, [&](TdcRichEditForm& f) {
    EXPECT_EQ(own->Parent(), f.Toolbar);
    EXPECT_TRUE(own->Visible());
    EXPECT_EQ(own->Left(), f.UndoButton->Left() + f.UndoButton->Width() + 32);
    EXPECT_EQ(own->Top(), f.UndoButton->Top());
    EXPECT_TRUE(f.UserButtonBevel->Visible());
  });
  EXPECT_EQ(own->Parent(), form.get());
  EXPECT_FALSE(own->Visible());
}

}  // namespace
}  // namespace richedittest
