// What the editor form's commands, bars and keys do to its editing control, and how the toolbar
// follows the selection.
#include <algorithm>
#include <cctype>

#include "datagrid/Intl.h"
#include "editors/DBComboBox.h"
#include "editors/DcCustomRichEdit.h"
#include "editors/PageSetupDialog.h"
#include "editors/RichEditForm.h"
#include "editors/RulerPanel.h"
#include "framework/base/FileStream.h"
#include "framework/ui/Beep.h"
#include "framework/ui/BevelLine.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/FileDialogs.h"
#include "framework/ui/FindReplaceDialog.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/VirtualKeys.h"
#include "platform/os/Files.h"

namespace {

constexpr const char* kFileFilter = "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT";

FileDialogRequest fileRequest() {
  FileDialogRequest request;
  request.filter = kFileFilter;
  request.defaultExtension = "rtf";
  return request;
}

// The largest font size twips hold (16-bit twips, twenty to the point).
constexpr int kLargestFontSize = 1638;

}  // namespace

void TdcRichEditForm::refreshed(const std::function<void()>& command) {
  command();
  RefreshToolbarState();
}

// ---- file commands ----

void TdcRichEditForm::NewDocument() {
  if (MessageDlg(dcIntlDefaults->UserMessages()->RichEditClearWarning, mtConfirmation, {mbOK, mbCancel}, 0) != mrOk)
    return;
  editor_->Lines()->Clear();
  editor_->SetModified(true);
  RefreshToolbarState();
}

void TdcRichEditForm::LoadFile() {
  const std::optional<FileDialogAnswer> answer = qn::ui::showOpenFileDialog(fileRequest());
  if (!answer) return;
  FileStream file(answer->fileName, fmOpenRead);
  editor_->LoadFromStream(file, false, false);
  editor_->SetFocus();
  RefreshToolbarState();
}

void TdcRichEditForm::SaveFileAs() {
  const std::optional<FileDialogAnswer> answer = qn::ui::showSaveFileDialog(fileRequest());
  if (!answer) return;
  if (qn::os::fileExists(answer->fileName) &&
      MessageDlg("OK to overwrite " + answer->fileName, mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
    return;
  // Rich text whatever the name: the text entry of the filter only picks names.
  editor_->Lines()->SaveToFile(answer->fileName);
}

void TdcRichEditForm::PrintDocument() {
  PrintDialogRequest request;
  request.collate = true;
  const std::optional<PrintChoice> choice = qn::ui::showPrintDialog(request);
  if (!choice) return;
  for (int copy = 0; copy < choice->copies; ++copy) editor_->Print(caller_->PrintJobName);
}

void TdcRichEditForm::PageSetup() {
  TdcPageSetupDialog dialog(nullptr, editor_, ruler_);
  dialog.Execute();
}

// ---- format bar ----

void TdcRichEditForm::SetColour(TColor Colour) {
  editor_->Edit();
  editor_->changeSelectionAttributes([Colour](qn::ui::CharacterAttributes& a) {
    a.automaticColor = false;
    a.color = Colour;
  });
}

void TdcRichEditForm::FontNameChosen() {
  const AnsiString name = FontNameCombo->Text().substr(0, 32);
  if (!name.empty() && name != editor_->selectionAttributes().name) {
    editor_->Edit();
    const int charset = editor_->Font()->Charset();
    editor_->changeSelectionAttributes([&](qn::ui::CharacterAttributes& a) {
      a.name = name;
      a.charset = charset;
    });
  }
  editor_->SetFocus();
  RefreshToolbarState();
}

void TdcRichEditForm::FontSizeChosen() {
  const AnsiString text = FontSizeCombo->Text();
  if (text.empty()) return;
  const bool digits = text.size() <= 4 && std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  const int size = digits ? std::stoi(text) : 0;
  if (size < 1 || size > kLargestFontSize) {
    Beep();
    RefreshToolbarState();
    return;
  }
  editor_->Edit();
  editor_->changeSelectionAttributes([size](qn::ui::CharacterAttributes& a) { a.halfPoints = size * 2; });
  editor_->SetFocus();
  RefreshToolbarState();
}

// ---- bars ----

void TdcRichEditForm::ToggleBar(TMenuItem* Item) {
  Item->SetChecked(!Item->Checked());
  const bool on = Item->Checked();
  if (Item == Toolbar1) {
    Toolbar->SetVisible(on);
    ToolBarBevel->SetVisible(on);
  } else if (Item == FormatBar1) {
    FormatBar->SetVisible(on);
    FormatBarBevel->SetVisible(on);
  } else if (Item == StatusBar2) {
    StatusBar1->SetVisible(on);
  } else if (Item == Ruler1) {
    ruler_->SetVisible(on);
    RulerBevel->SetVisible(on);
  }
  LayoutForm();
}

// ---- toolbar state ----

void TdcRichEditForm::RefreshToolbarState() {
  if (!editor_) return;
  const qn::ui::CharacterAttributes a = editor_->selectionAttributes();
  const qn::ui::ParagraphAttributes p = editor_->paragraphAttributes();
  const bool readOnly = editor_->GetReadOnly();
  const bool selection = editor_->SelLength() > 0;
  const TStrings* lines = editor_->Lines();
  const bool hasText = lines->Count() > 1 || (lines->Count() == 1 && !lines->Get(0).empty());
  BoldButton->SetDown(a.bold);
  ItalicButton->SetDown(a.italic);
  UnderlineButton->SetDown(a.underline);
  const bool known = FontNameCombo->Items()->IndexOf(a.name) >= 0;
  FontNameCombo->SetText(a.name);
  FontNameCombo->Font()->SetColor(known ? clWindowText : clRed);
  FontSizeCombo->SetText(std::to_string(a.halfPoints / 2));
  BulletButton->SetDown(p.bullet);
  BulletStyle1->SetChecked(p.bullet);
  LeftButton->SetDown(p.alignment == qn::ui::ParagraphAlignment::Left);
  CenterButton->SetDown(p.alignment == qn::ui::ParagraphAlignment::Centre);
  RightButton->SetDown(p.alignment == qn::ui::ParagraphAlignment::Right);
  const bool canPaste = editor_->CanPaste() && !readOnly;
  Paste1->Enabled = canPaste;
  PasteButton->SetEnabled(canPaste);
  Undo1->Enabled = editor_->CanUndo();
  UndoButton->SetEnabled(Undo1->Enabled);
  Redo1->Enabled = editor_->CanRedo();
  RedoButton->SetEnabled(Redo1->Enabled);
  Cut1->Enabled = Clear1->Enabled = selection && !readOnly;
  CutButton->SetEnabled(Cut1->Enabled);
  Copy1->Enabled = selection;
  CopyButton->SetEnabled(selection);
  SelectAll1->Enabled = Find1->Enabled = hasText;
  FindButton->SetEnabled(hasText);
  FindNext1->Enabled = editor_->FindDialogObject() != nullptr;
  Replace1->Enabled = hasText && !readOnly;
  if (ruler_) ruler_->PlaceIconsFromParagraph();
}

void TdcRichEditForm::RefreshLockPanels() {
  const TdcDBRichEditIntl* texts = dcIntlDefaults->RichEdit();
  StatusBar1->Panels()->Items(1)->SetText(qn::ui::lockKeyOn(qn::ui::LockKey::CapsLock) ? texts->CAPLockCaption : "");
  StatusBar1->Panels()->Items(2)->SetText(qn::ui::lockKeyOn(qn::ui::LockKey::NumLock) ? texts->NUMLockCaption : "");
}

// ---- keys ----

void TdcRichEditForm::KeyDown(WORD& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (!editor_) return;
  if (Key == VK_ESCAPE) {
    Key = 0;
    if (editor_->GetReadOnly() || editor_->EditorOptions.Contains(reoCloseOnEscape)) Close();
    else refreshed([this] { editor_->Undo(); });
    return;
  }
  if (!Shift.Contains(ssCtrl)) return;
  bool qn::ui::CharacterAttributes::*style = nullptr;
  if (Key == 'B') style = &qn::ui::CharacterAttributes::bold;
  if (Key == 'U') style = &qn::ui::CharacterAttributes::underline;
  if (Key == 'I') style = &qn::ui::CharacterAttributes::italic;
  if (!style) return;
  Key = 0;
  refreshed([this, style] { editor_->toggleStyle(style); });
}

void TdcRichEditForm::KeyUp(WORD& Key, TShiftState Shift) {
  TForm::KeyUp(Key, Shift);
  if (!editor_) return;
  // The menu's shortcut undoes at the press when the entry is shown; the release only when it
  // did not, so that one Ctrl+Z never undoes twice.
  if (Key == 'Z' && Shift.Contains(ssCtrl) && !undoneByMenu_) refreshed([this] { editor_->Undo(); });
  undoneByMenu_ = false;
  RefreshLockPanels();
}

// ---- closing ----

bool TdcRichEditForm::CloseQuery() {
  if (ModalResult() == mrOk || !editor_) return TForm::CloseQuery();
  if (!editor_->Modified()) {
    SetModalResult(mrCancel);
    return TForm::CloseQuery();
  }
  const TModalResult answer =
      MessageDlg(dcIntlDefaults->UserMessages()->RichEditExitWarning, mtConfirmation, {mbYes, mbNo, mbCancel}, 0);
  if (answer == mrYes) SetModalResult(mrOk);
  else if (answer == mrNo) SetModalResult(mrCancel);
  else {
    SetModalResult(mrNone);
    return false;
  }
  return TForm::CloseQuery();
}
