#include "editors/RichTabDialog.h"

#include <algorithm>

#include "datagrid/Intl.h"
#include "editors/DcCustomRichEdit.h"
#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// 22 inches: the widest stop a paragraph takes.
constexpr int kWidestStop = 31680;

}  // namespace

TdcRichTabDialog::TdcRichTabDialog(TComponent* AOwner, TdcCustomRichEdit* Edit) : TForm(AOwner), edit_(Edit) {
  const TdcRichEditTabDlg* t = dcIntlDefaults->RichEdit()->TabDialog();
  const bool hints = Edit->EditorOptions.Contains(reoShowHints);
  SetCaption(t->TabDlgCaption);
  SetBorderStyle(bsDialog);
  SetClientWidth(260);
  SetClientHeight(190);
  SetKeyPreview(true);
  auto* group = PlaceControl<GroupFrame>(this, this, 8, 4, 150, 178);
  group->SetText(t->TabGroupBoxCaption);
  Edit1 = PlaceControl<TEdit>(this, group, 8, 20, 134, 22);
  ListBox1 = PlaceControl<ListBox>(this, group, 8, 46, 134, 124);
  ListBox1->SetMultiSelect(true);
  const auto button = [this](const AnsiString& caption, int top) {
    auto* b = PlaceControl<TButton>(this, this, 170, top, 82, 25);
    b->SetCaption(caption);
    return b;
  };
  OKButton = button(dcIntlDefaults->BtnOKCaption, 10);
  OKButton->SetDefault(true);
  Button3 = button(dcIntlDefaults->BtnCancelCaption, 40);
  Button3->SetModalResult(mrCancel);
  Button1 = button(t->SetTabButtonCaption, 80);
  Button2 = button(t->ClearTabButtonCaption, 110);
  Button4 = button(t->ClearAllButtonCaption, 140);
  const std::pair<TControl*, AnsiString> hinted[] = {{Edit1, t->TabPositionEditHint}, {ListBox1, t->ListBoxHint},
                                                      {Button1, t->SetButtonHint},     {Button2, t->ClearButtonHint},
                                                      {Button4, t->ClearAllButtonHint}};
  for (const auto& [control, hint] : hinted) {
    control->SetHint(hints ? hint : AnsiString());
    control->SetShowHint(hints);
  }
  OKButton->OnClick = [this](TObject*) { OKClick(); };
  Button1->OnClick = [this](TObject*) { SetClick(); };
  Button2->OnClick = [this](TObject*) {
    for (int i = ListBox1->Items()->Count() - 1; i >= 0; --i)
      if (ListBox1->Selected(i)) {
        ListBox1->Items()->Delete(i);
        stops_.erase(stops_.begin() + i);
      }
  };
  Button4->OnClick = [this](TObject*) {
    ListBox1->Clear();
    stops_.clear();
  };
  for (int stop : edit_->paragraphAttributes().tabs) addStop(stop);
}

void TdcRichTabDialog::addStop(int Twips) {
  // In the order of the positions: as text "10''" would sort before "2''".
  const auto at = std::lower_bound(stops_.begin(), stops_.end(), Twips);
  if (at != stops_.end() && *at == Twips) return;
  ListBox1->Items()->Insert(static_cast<int>(at - stops_.begin()), TwipsText(Twips, edit_->MeasurementUnits));
  stops_.insert(at, Twips);
}

bool TdcRichTabDialog::SetClick() {
  const AnsiString entry = Edit1->Text();
  if (entry.empty()) return true;
  if (!IsLengthText(entry, edit_->MeasurementUnits, 0, kWidestStop)) return false;
  // Listed as shown: a position equal to one listed at two decimals is the same stop.
  const AnsiString shown = TwipsText(UnitsTextToTwips(entry, edit_->MeasurementUnits), edit_->MeasurementUnits);
  addStop(UnitsTextToTwips(shown, edit_->MeasurementUnits));
  Edit1->SetText("");
  return true;
}

void TdcRichTabDialog::OKClick() {
  if (!SetClick()) {
    if (Showing()) Edit1->SetFocus();
    return;
  }
  edit_->SetParagraph(0x20, "", 0, 0, 0, 0, stops_.data(), static_cast<int>(stops_.size()), 0, 0, 0, false);
  SetModalResult(mrOk);
}

void TdcRichTabDialog::KeyDown(WORD& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (Key != VK_RETURN || !Edit1->Focused()) return;
  Key = 0;
  if (!Edit1->Text().empty()) SetClick();
  else OKClick();
}

bool TdcCustomRichEdit::TabsDialog() {
  TdcRichTabDialog dialog(nullptr, this);
  return dialog.runModal() == mrOk;
}
