#include "editors/RichParagraphDialog.h"

#include <algorithm>
#include <cmath>

#include "datagrid/DateTextHelpers.h"
#include "datagrid/Intl.h"
#include "editors/DBComboBox.h"
#include "editors/DcCustomRichEdit.h"
#include "framework/base/NumberFormat.h"
#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/TextLabel.h"

namespace {

// 22 inches either way.
constexpr int kLongest = 31680;
constexpr int kMultiple = 5;

}  // namespace

TdcRichParagraphDialog::TdcRichParagraphDialog(TComponent* AOwner, TdcCustomRichEdit* Edit)
    : TForm(AOwner), edit_(Edit) {
  const TdcRichEditParagraphDlg* t = dcIntlDefaults->RichEdit()->ParagraphDialog();
  const TMeasurementUnits units = edit_->MeasurementUnits;
  SetCaption(t->ParagraphDlgCaption);
  SetBorderStyle(bsDialog);
  SetClientWidth(330);
  SetClientHeight(250);
  const auto label = [this](TWinControl* parent, const AnsiString& caption, int left, int top) {
    auto* l = PlaceControl<TextLabel>(this, parent, left, top, 80, 16);
    l->SetCaption(caption);
  };
  const auto entry = [this](TWinControl* parent, int left, int top) {
    return PlaceControl<TEdit>(this, parent, left, top, 70, 22);
  };
  label(this, t->AlignmentCaption, 10, 12);
  AlignmentCombo = PlaceControl<TdcDBComboBox>(this, this, 90, 8, 110, 22);
  AlignmentCombo->SetStyle(csDropDownList);
  for (const AnsiString& a : {t->AlignLeft, t->AlignCenter, t->AlignRight}) AlignmentCombo->Items()->Add(a);
  auto* indents = PlaceControl<GroupFrame>(this, this, 8, 38, 150, 106);
  indents->SetText(t->IndentationGroupBoxCaption);
  label(indents, t->LeftEditCaption, 8, 22);
  LeftEdit = entry(indents, 72, 18);
  label(indents, t->RightEditCaption, 8, 50);
  RightEdit = entry(indents, 72, 46);
  label(indents, t->FirstLineEditCaption, 8, 78);
  FirstLineEdit = entry(indents, 72, 74);
  auto* spacing = PlaceControl<GroupFrame>(this, this, 166, 38, 156, 166);
  spacing->SetText(t->SpacingGroupCaption);
  label(spacing, t->BeforeParagraphCaption, 8, 22);
  BeforeParagraphEdit = entry(spacing, 78, 18);
  label(spacing, t->AfterParagraphCaption, 8, 50);
  AfterParagraphEdit = entry(spacing, 78, 46);
  label(spacing, t->WithinParagraphCaption, 8, 78);
  LineSpacingComboBox = PlaceControl<TdcDBComboBox>(this, spacing, 8, 96, 140, 22);
  LineSpacingComboBox->SetStyle(csDropDownList);
  for (const char* rule : {"Single", "1.5 Lines", "Double", "At least", "Exactly", "Multiple"})
    LineSpacingComboBox->Items()->Add(rule);
  label(spacing, t->WithinParagraphAtCaption, 8, 134);
  WithinParagraphEdit = entry(spacing, 78, 130);
  OKBtn = PlaceControl<TButton>(this, this, 166, 215, 75, 25);
  OKBtn->SetCaption(dcIntlDefaults->BtnOKCaption);
  OKBtn->SetDefault(true);
  OKBtn->OnClick = [this](TObject*) { OKClick(); };
  CancelBtn = PlaceControl<TButton>(this, this, 247, 215, 75, 25);
  CancelBtn->SetCaption(dcIntlDefaults->BtnCancelCaption);
  CancelBtn->SetModalResult(mrCancel);
  if (edit_->EditorOptions.Contains(reoShowHints)) {
    const std::pair<TControl*, AnsiString> hinted[] = {{LeftEdit, t->LeftEditHint},
                                                        {RightEdit, t->RightEditHint},
                                                        {FirstLineEdit, t->FirstLineEditHint},
                                                        {AlignmentCombo, t->AlignmentHint}};
    for (const auto& [control, hint] : hinted) {
      control->SetHint(hint);
      control->SetShowHint(true);
    }
  }
  LineSpacingComboBox->OnCloseUp = [this](TObject*, bool select) {
    if (select) LineSpacingChosen(LineSpacingComboBox->ItemIndex());
  };
  WithinParagraphEdit->OnChange = [this](TObject*) {
    if (!settingValue_ && LineSpacingComboBox->ItemIndex() <= 2 && !WithinParagraphEdit->Text().empty())
      LineSpacingComboBox->SetItemIndex(kMultiple);
  };

  int start = 0, right = 0, offset = 0;
  edit_->GetParagraphIndents(start, right, offset);
  LeftEdit->SetText(TwipsText(start + offset, units));
  FirstLineEdit->SetText(TwipsText(-offset, units));
  RightEdit->SetText(TwipsText(right, units));
  const qn::ui::ParagraphAttributes p = edit_->paragraphAttributes();
  if (edit_->version() >= 2) {
    BeforeParagraphEdit->SetText(TwipsText(p.spaceBefore, units));
    AfterParagraphEdit->SetText(TwipsText(p.spaceAfter, units));
    const int rule = std::clamp(p.lineSpacingRule, 0, kMultiple);
    LineSpacingComboBox->SetItemIndex(rule);
    settingValue_ = true;
    WithinParagraphEdit->SetText(rule == kMultiple ? FormatFloat("0.##", p.lineSpacing / 20.0)
                                 : rule >= 3       ? TwipsText(p.lineSpacing, units)
                                                   : AnsiString());
    settingValue_ = false;
  }
  AlignmentCombo->SetItemIndex(p.alignment == qn::ui::ParagraphAlignment::Right    ? 2
                               : p.alignment == qn::ui::ParagraphAlignment::Centre ? 1
                                                                                    : 0);
}

void TdcRichParagraphDialog::LineSpacingChosen(int Rule) {
  LineSpacingComboBox->SetItemIndex(Rule);
  settingValue_ = true;
  if (Rule <= 2) WithinParagraphEdit->SetText("");
  else if (Rule <= 4) WithinParagraphEdit->SetText(TwipsText(240, edit_->MeasurementUnits));
  else WithinParagraphEdit->SetText("1");
  settingValue_ = false;
}

void TdcRichParagraphDialog::OKClick() {
  const TMeasurementUnits units = edit_->MeasurementUnits;
  for (TEdit* field : {LeftEdit, FirstLineEdit, RightEdit, BeforeParagraphEdit, AfterParagraphEdit, WithinParagraphEdit})
    if (!IsLengthText(field->Text(), units, -kLongest, kLongest)) {
      SetActiveControl(field);
      return;
    }
  const int left = UnitsTextToTwips(LeftEdit->Text(), units);
  const int first = UnitsTextToTwips(FirstLineEdit->Text(), units);
  // The first line never starts left of the paragraph's edge.
  const int offset = std::min(-first, left);
  const int start = left - offset;
  const int rule = std::max(0, LineSpacingComboBox->ItemIndex());
  const AnsiString value = WithinParagraphEdit->Text();
  int lineSpacing = 0;
  if (rule == kMultiple) lineSpacing = IsFloatText(value) ? static_cast<int>(std::lround(std::strtod(value.c_str(), nullptr) * 20)) : 20;
  else if (!value.empty()) lineSpacing = UnitsTextToTwips(value, units);
  edit_->SetParagraph(0x01 | 0x04 | 0x08 | 0x10 | 0x40 | 0x80 | 0x100, AlignmentCombo->Text(), rule,
                      UnitsTextToTwips(BeforeParagraphEdit->Text(), units),
                      UnitsTextToTwips(AfterParagraphEdit->Text(), units), lineSpacing, nullptr, 0, start,
                      UnitsTextToTwips(RightEdit->Text(), units), offset, false);
  SetModalResult(mrOk);
}

bool TdcCustomRichEdit::ParagraphDialog() {
  TdcRichParagraphDialog dialog(nullptr, this);
  return dialog.runModal() == mrOk;
}
