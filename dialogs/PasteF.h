#pragma once
// TPasteF ("Paste Operation Choices"): which parts of the address on the clipboard a paste takes;
// the parts left unticked are pasted blank. Made once by the main block.
#include <array>

#include "dialogs/AddressClipboard.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/TextLabel.h"

class TPasteF : public TForm {
  QN_CLASS(TPasteF, TForm)
 public:
  explicit TPasteF(TComponent* AOwner);

  // Shows each part of the clipboard's address beside its box.
  void ShowClipboard(const ClipboardAddress& Address);
  // The address a paste writes: the ticked parts of Address, the others blank.
  ClipboardAddress Chosen(const ClipboardAddress& Address) const;
  // Set by OK; cleared each time the form is shown.
  bool PasteChosen = false;

  TextLabel* ExplanationLabel;
  std::array<CheckBox*, ClipboardAddress::PartCount> CheckBoxes;  // CheckBox1 .. CheckBox8
  // LabelFirstNameLine, LabelAdditionalName, LabelAddressLine1, LabelAddressLine2, LabelCity,
  // LabelState, LabelPhone1, LabelPhone2.
  std::array<TextLabel*, ClipboardAddress::PartCount> Labels;
  GlyphButton* BitBtnSave;
  GlyphButton* CloseBitBtn;
  GlyphButton* HelpBitBtn;

  void FormShow(TObject* Sender);
  void BitBtnSaveClick(TObject* Sender);
  void HelpBitBtnClick(TObject* Sender);
};

extern TPasteF* PasteF;
