#include "datagrid/DialogButton.h"

#include <memory>

#include "datagrid/Intl.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"

namespace {

int scaled(int pixels) {
  const int ppi = Screen->PixelsPerInch();
  return (pixels * ppi + 48) / 96;
}

}  // namespace

TButton* CreateDialogButton(TForm* Form, int Kind) {
  // Before the library's units start (or after they stop) the buttons take the default texts.
  std::unique_ptr<TdcIntl> fallback;
  const TdcIntl* texts = dcIntlDefaults;
  if (!texts) {
    fallback = std::make_unique<TdcIntl>(nullptr);
    texts = fallback.get();
  }

  TButton* button = texts->OKCancelBitmapped ? new GlyphButton(Form) : new TButton(Form);
  button->SetVisible(false);
  button->SetParent(Form);
  button->SetBounds(button->Left(), button->Top(), scaled(77), scaled(24));
  if (auto* glyphButton = dynamic_cast<GlyphButton*>(button)) {
    glyphButton->SetMargin(2);
    glyphButton->SetKind(Kind == dbkOK ? gbkOK : Kind == dbkCancel ? gbkCancel : Kind == dbkHelp ? gbkHelp : gbkCustom);
    glyphButton->SetNumGlyphs(2);
    glyphButton->SetSpacing(-1);
    glyphButton->SetHeight(scaled(27));
    TFont* font = glyphButton->Font();
    font->SetColor(clWindowText);
    font->SetHeight(-11);
    font->SetName("MS Sans Serif");
    font->SetStyle(texts->DialogFontStyle);
  }
  switch (Kind) {
    case dbkOK:
      button->SetCaption(texts->BtnOKCaption);
      button->SetModalResult(mrOk);
      break;
    case dbkCancel:
      button->SetCaption(texts->BtnCancelCaption);
      button->SetModalResult(mrCancel);
      button->SetCancel(true);
      break;
    case dbkHelp: button->SetCaption("Help"); break;
  }
  return button;
}
