// The editor form as it shows: what it takes from its caller, which bars and commands the
// options leave, its texts, its layout, the colour menu's drawing and what closing gives back.
#include <algorithm>

#include "datagrid/Intl.h"
#include "editors/DBComboBox.h"
#include "editors/DcCustomRichEdit.h"
#include "editors/RichEditForm.h"
#include "editors/RulerPanel.h"
#include "framework/ui/Application.h"
#include "framework/ui/BevelLine.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/FontConversion.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"

void TdcRichEditForm::setEditor(TdcCustomRichEdit* Caller, TdcCustomRichEdit* Editor, TdcRulerPanel* Ruler) {
  caller_ = Caller;
  editor_ = Editor;
  ruler_ = Ruler;
  editor_->OnSelectionChange = [this](TObject*) {
    if (editor_->Visible()) RefreshToolbarState();
  };
}

void TdcRichEditForm::DoShow() {
  // 1. The colour menu draws its colours; Automatic is the control's own.
  AutomaticColour->SetTag(static_cast<int>(editor_->Font()->Color()));
  for (int i = 0; i < PopupMenu1->Items()->Count(); ++i) {
    TMenuItem* entry = PopupMenu1->Items()->Items(i);
    entry->OnMeasure = [this, entry](TObject*, Canvas& c, int& w, int& h) { measureColourItem(entry, c, w, h); };
    entry->OnDraw = [this, entry](TObject*, Canvas& c, TRect r, bool selected) { drawColourItem(entry, c, r, selected); };
    entry->OnClick = [this, entry](TObject*) {
      const TColor colour = static_cast<TColor>(entry->Tag());
      if (entry == AutomaticColour && colour == clWindowText) {
        editor_->Edit();
        editor_->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.automaticColor = true; });
      } else {
        SetColour(colour);
      }
    };
  }
  // 2. The hint goes to the status bar while the form shows.
  savedHintHandler_ = Application->hintChanged;
  Application->hintChanged = [this](TObject*) {
    // The long part of "title | description" without the blank after the bar.
    const AnsiString& hint = Application->currentHint();
    StatusBar1->Panels()->Items(0)->SetText(hint.substr(std::min(hint.size(), hint.find_first_not_of(' '))));
  };
  // 3. The caller's content, keeping the caller's Modified.
  {
    const bool callerModified = caller_->Modified();
    caller_->CopyRichTextTo(editor_);
    caller_->SetModified(callerModified);
  }
  Screen->SetCursor(crDefault);
  // 4. The fonts: the printer draws with the screen's fonts here, so both lists are one.
  FontNameCombo->Items()->Clear();
  for (const AnsiString& family : qn::ui::installedFontFamilies()) FontNameCombo->Items()->Add(family);
  // 5.
  RefreshLockPanels();
  RefreshToolbarState();
  editor_->SetModified(false);
  applyOptions();
  borrowUserButtons();
  // 8. Raised buttons need a little more room.
  if (!editor_->EditorOptions.Contains(reoFlatButtons)) {
    Toolbar->SetHeight(Toolbar->Height() + 4);
    FormatBar->SetHeight(FormatBar->Height() + 2);
    for (TPanel* bar : {Toolbar, FormatBar})
      for (int i = 0; i < bar->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(bar->Controls(i))) b->SetFlat(false);
  }
  // 9.
  if (PixelsPerInch() != 96) {
    scaleByRatio(PixelsPerInch(), 96);
    for (int i = 0; i < StatusBar1->Panels()->Count(); ++i) {
      StatusPanel* panel = StatusBar1->Panels()->Items(i);
      panel->SetWidth(panel->Width() * PixelsPerInch() / 96);
    }
  }
  applyTexts();
  // 11.
  caller_->DoInitDialog(this);
  shown_ = true;
  LayoutForm();
  TForm::DoShow();
}

void TdcRichEditForm::applyOptions() {
  TRichEditorOptions& options = editor_->EditorOptions;
  const bool readOnly = editor_->GetReadOnly();
  if (readOnly) {
    for (TRichEditorOption o : {reoShowLoad, reoShowSaveAs, reoShowSaveExit, reoShowFormatBar, reoShowToolBar,
                                reoShowStatusBar, reoShowRuler})
      options.Exclude(o);
  }
  Format1->Visible = View1->Visible = !readOnly;
  NewButton->SetVisible(!readOnly);
  const auto has = [&options](TRichEditorOption o) { return options.Contains(o); };
  Load1->Visible = has(reoShowLoad);
  LoadButton1->SetVisible(Load1->Visible);
  SaveAs1->Visible = has(reoShowSaveAs);
  SaveAsButton->SetVisible(SaveAs1->Visible);
  Print1->Visible = has(reoShowPrint);
  PrintButton->SetVisible(Print1->Visible);
  PageSetup1->Visible = has(reoShowPageSetup);
  SaveExit1->Visible = has(reoShowSaveExit);
  FileSeparator1->Visible = Load1->Visible || SaveExit1->Visible;
  FileSeparator2->Visible = Print1->Visible || PageSetup1->Visible;
  StatusBar1->SetVisible(has(reoShowStatusBar));
  FormatBar->SetVisible(has(reoShowFormatBar));
  FormatBarBevel->SetVisible(FormatBar->Visible());
  Toolbar->SetVisible(has(reoShowToolBar));
  ToolBarBevel->SetVisible(Toolbar->Visible());
  ruler_->SetVisible(has(reoShowRuler));
  RulerBevel->SetVisible(ruler_->Visible());
  StatusBar2->SetChecked(StatusBar1->Visible());
  FormatBar1->SetChecked(FormatBar->Visible());
  Toolbar1->SetChecked(Toolbar->Visible());
  Ruler1->SetChecked(ruler_->Visible());
  // The bar shows the top entries left visible.
  qn::ui::showMainMenu(this, MainMenu1);
}

void TdcRichEditForm::borrowUserButtons() {
  TSpeedButton* buttons[2] = {caller_->UserSpeedButton1, caller_->UserSpeedButton2};
  int left = UndoButton->Left() + UndoButton->Width() + 32;
  bool any = false;
  for (int i = 0; i < 2; ++i) {
    TSpeedButton* b = buttons[i];
    if (!b) continue;
    any = true;
    userButtonParents_[i] = b->Parent();
    b->SetParent(Toolbar);
    b->SetVisible(true);
    b->SetFlat(editor_->EditorOptions.Contains(reoFlatButtons));
    b->SetBounds(left, UndoButton->Top(), b->Width(), UndoButton->Height());
    left += b->Width();
  }
  UserButtonBevel->SetVisible(any);
}

void TdcRichEditForm::returnUserButtons() {
  TSpeedButton* buttons[2] = {caller_->UserSpeedButton1, caller_->UserSpeedButton2};
  for (int i = 0; i < 2; ++i) {
    if (!buttons[i] || !userButtonParents_[i]) continue;
    buttons[i]->SetVisible(false);
    buttons[i]->SetParent(userButtonParents_[i]);
    userButtonParents_[i] = nullptr;
  }
}

void TdcRichEditForm::applyTexts() {
  const TdcDBRichEditIntl* t = dcIntlDefaults->RichEdit();
  const bool hints = editor_->EditorOptions.Contains(reoShowHints);
  const std::pair<TControl*, AnsiString> controls[] = {
      {FontNameCombo, t->FontNameComboHint}, {FontSizeCombo, t->FontSizeComboHint}, {NewButton, t->NewButtonHint},
      {LoadButton1, t->LoadButtonHint},      {SaveAsButton, t->SaveAsButtonHint},   {PrintButton, t->PrintButtonHint},
      {FindButton, t->FindButtonHint},       {CutButton, t->CutButtonHint},         {CopyButton, t->CopyButtonHint},
      {UndoButton, t->UndoButtonHint},       {PasteButton, t->PasteButtonHint},     {BoldButton, t->BoldButtonHint},
      {UnderlineButton, t->UnderlineButtonHint}, {ItalicButton, t->ItalicButtonHint}, {LeftButton, t->LeftButtonHint},
      {CenterButton, t->CenterButtonHint},   {RightButton, t->RightButtonHint},     {BulletButton, t->BulletButtonHint}};
  for (const auto& [control, hint] : controls) {
    control->SetHint(hints ? hint : AnsiString());
    control->SetShowHint(hints);
  }
  if (!hints) Application->hintChanged = nullptr;
  const TdcRichEditMenuLabels* m = t->MenuLabels();
  const std::pair<TMenuItem*, AnsiString> captions[] = {
      {File1, m->FileCaption},         {Load1, m->LoadCaption},
      {SaveAs1, m->SaveAsCaption},     {SaveExit1, m->SaveExitCaption + "\tCtrl+S"},
      {Print1, m->PrintCaption + "\tCtrl+P"}, {PageSetup1, m->PageSetupCaption},
      {Exit1, m->ExitCaption},         {Edit1, m->EditCaption},
      {Undo1, m->UndoCaption + "\tCtrl+Z"}, {Cut1, m->CutCaption + "\tCtrl+X"},
      {Copy1, m->CopyCaption + "\tCtrl+C"}, {Paste1, m->PasteCaption + "\tCtrl+V"},
      {Clear1, m->ClearCaption},       {SelectAll1, m->SelectallCaption + "\tCtrl+A"},
      {Find1, m->FindCaption + "\tCtrl+F"}, {FindNext1, m->FindNextCaption + "\tF3"},
      {Replace1, m->ReplaceCaption + "\tCtrl+H"}, {InsertObject1, m->InsertObjectCaption},
      {View1, m->ViewCaption},         {Toolbar1, m->ToolbarCaption},
      {FormatBar1, m->FormatBarCaption}, {StatusBar2, m->ViewStatusBarCaption},
      {Options1, m->OptionsCaption},   {Format1, m->FormatCaption},
      {Font1, m->FontCaption},         {BulletStyle1, m->BulletStyleCaption},
      {Paragraph1, m->ParagraphCaption}, {Tabs1, m->TabsCaption},
      {Help1, m->HelpCaption}};
  for (const auto& [entry, caption] : captions) entry->SetCaption(caption);
  Redo1->SetCaption("&Redo\tCtrl+Y");
}

// ---- layout ----

void TdcRichEditForm::BoundsChanged() {
  TForm::BoundsChanged();
  if (shown_ && !resizing_) LayoutForm();
}

void TdcRichEditForm::LayoutForm() {
  if (!editor_ || resizing_) return;
  resizing_ = true;
  const int width = ClientWidth();
  try {
    const bool printerWidth = editor_->EditWidth() == rewPrinterSize;
    if (!printerWidth) ruler_->SetWidth(width - 8);
    StatusBar1->Panels()->Items(0)->SetWidth(width - 90 * PixelsPerInch() / 96);
    int top = 0;
    if (Toolbar->Visible()) {
      Toolbar->SetBounds(0, top, width, Toolbar->Height());
      ToolBarBevel->SetBounds(0, top + Toolbar->Height(), width, 2);
      top += Toolbar->Height() + 2;
    }
    if (FormatBar->Visible()) {
      FormatBar->SetBounds(0, top, width, FormatBar->Height());
      FormatBarBevel->SetBounds(0, top + FormatBar->Height(), width, 2);
      top += FormatBar->Height() + 2;
    }
    if (ruler_->Visible()) {
      RulerBevel->SetBounds(0, top, width, 2);
      ruler_->SetTop(top + 2);
      top += ruler_->Height() + 2;
    }
    const int statusHeight = StatusBar1->Visible() ? StatusBar1->Height() : 0;
    const int height = std::max(0, ClientHeight() - statusHeight - top);
    const int listWidth = EditorList->Visible() ? width / 3 : 0;
    editor_->SetBounds(editor_->Left(), top, width - 8 - listWidth, height);
    if (listWidth > 0) EditorList->SetBounds(width - listWidth, top, listWidth, height);
    ruler_->PlaceIconsFromParagraph();
    StatusBar1->SetBounds(0, ClientHeight() - statusHeight, editor_->Width(), statusHeight);
  } catch (const Exception&) {
    editor_->UpdateFormattingRect();
    resizing_ = false;
    ShowMessage("Error in resize");
    return;
  }
  editor_->UpdateFormattingRect();
  resizing_ = false;
  editor_->Invalidate();
}

// ---- the colour menu ----

void TdcRichEditForm::measureColourItem(TMenuItem* Item, Canvas& ACanvas, int& Width, int& Height) {
  Height = ACanvas.textHeight(Item->Caption()) + 2;
  Width = ACanvas.textWidth(Item->Caption()) + 45;
}

void TdcRichEditForm::drawColourItem(TMenuItem* Item, Canvas& ACanvas, TRect Rect, bool Selected) {
  ACanvas.Brush.Style = BrushStyle::solid;
  ACanvas.Brush.Color = Selected ? clHighlight : clBtnFace;
  ACanvas.fillRect(Rect);
  const TRect swatch = ::Rect(Rect.Left + 3, Rect.Top + 2, Rect.Left + 43, Rect.Bottom - 2);
  ACanvas.Brush.Color = static_cast<TColor>(Item->Tag());
  ACanvas.fillRect(swatch);
  ACanvas.Brush.Color = clBlack;
  ACanvas.frameRect(swatch);
  ACanvas.Brush.Style = BrushStyle::clear;
  ACanvas.Font()->SetColor(Selected ? clHighlightText : clWindowText);
  const int textTop = Rect.Top + (Rect.Height() - ACanvas.textHeight(Item->Caption())) / 2;
  ACanvas.drawText(swatch.Right + 3, textTop, Item->Caption());
}

// ---- closing ----

void TdcRichEditForm::DoClose(TCloseAction& Action) {
  TForm::DoClose(Action);
  if (!shown_) return;
  shown_ = false;
  Application->hintChanged = savedHintHandler_;
  returnUserButtons();
}
