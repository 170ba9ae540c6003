#include "dialogs/PasteF.h"

#include "core/MessageBoxes.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/PlaceControl.h"

TPasteF* PasteF = nullptr;

namespace {

constexpr std::array<const char*, ClipboardAddress::PartCount> kLabelNames = {
    "LabelFirstNameLine", "LabelAdditionalName", "LabelAddressLine1", "LabelAddressLine2",
    "LabelCity",          "LabelState",          "LabelPhone1",       "LabelPhone2"};

const AnsiString kHelpText =
    "If you are pasting over an existing address and wish to preserve\rsome of the current information, or you just "
    "want to paste portions of the\raddress currently on the clipboard, uncheck the box of any item you do not\rwant "
    "pasted.\r\rFor example, if you wish to change address information for a client, but\rnot the client's name, then "
    "uncheck \"First Name Line\" and the existing name\rwill not be overwritten.\r\rPlease contact Vantor, Inc. for "
    "additional clarification.";

}  // namespace

TPasteF::TPasteF(TComponent* AOwner) : TForm(AOwner) {
  SetName("PasteF");
  SetCaption("Paste Operation Choices");
  SetBorderStyle(bsDialog);
  SetClientWidth(470);
  SetClientHeight(290);
  ExplanationLabel = PlaceControl<TextLabel>(this, this, 8, 8, 454, 42);
  ExplanationLabel->SetWordWrap(true);
  ExplanationLabel->SetCaption(
      " By default, all portions of the address on the Quillon Clipboard are pasted to the new location.  Change "
      "this behavior by unchecking one or more of the boxes below.");
  for (int i = 0; i < ClipboardAddress::PartCount; ++i) {
    const int top = 58 + i * 24;
    CheckBoxes[i] = PlaceControl<CheckBox>(this, this, 12, top, 20, 17);
    CheckBoxes[i]->SetName("CheckBox" + std::to_string(i + 1));
    Labels[i] = PlaceControl<TextLabel>(this, this, 36, top + 2, 426, 13);
    Labels[i]->SetName(kLabelNames[i]);
    Labels[i]->SetFocusControl(CheckBoxes[i]);
  }
  BitBtnSave = PlaceControl<GlyphButton>(this, this, 96, 254, 90, 27);
  BitBtnSave->SetKind(gbkOK);
  BitBtnSave->SetModalResult(mrNone);
  BitBtnSave->SetDefault(true);
  CloseBitBtn = PlaceControl<GlyphButton>(this, this, 190, 254, 90, 27);
  CloseBitBtn->SetKind(gbkCancel);
  CloseBitBtn->SetCancel(true);
  HelpBitBtn = PlaceControl<GlyphButton>(this, this, 284, 254, 90, 27);
  HelpBitBtn->SetCaption("&Help");
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  BitBtnSave->OnClick = [this](TObject* Sender) { BitBtnSaveClick(Sender); };
  HelpBitBtn->OnClick = [this](TObject* Sender) { HelpBitBtnClick(Sender); };
}

void TPasteF::ShowClipboard(const ClipboardAddress& Address) {
  for (int i = 0; i < ClipboardAddress::PartCount; ++i) {
    // A label takes "&" for its accelerator: doubled, the text shows as it is.
    Labels[i]->SetCaption(StringReplace(TrimRight(Address.Parts[i]), "&", "&&", rfReplaceAll));
    CheckBoxes[i]->SetChecked(true);
  }
}

ClipboardAddress TPasteF::Chosen(const ClipboardAddress& Address) const {
  std::array<AnsiString, ClipboardAddress::PartCount> texts;
  for (int i = 0; i < ClipboardAddress::PartCount; ++i)
    if (CheckBoxes[i]->Checked()) texts[i] = Address.Parts[i];
  return ClipboardAddress::of(texts);
}

void TPasteF::FormShow(TObject*) { PasteChosen = false; }

void TPasteF::BitBtnSaveClick(TObject*) {
  PasteChosen = true;
  SetModalResult(mrOk);
}

void TPasteF::HelpBitBtnClick(TObject*) { ShowInformationBox(kHelpText); }

namespace {
UnitRegistration unit("dialogs/PasteF", {"framework/ui/Application"}, [] {
  RegisterClass<TPasteF>();
  RegisterFormVariable(PasteF);
});
}  // namespace
