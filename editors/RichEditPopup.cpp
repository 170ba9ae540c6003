// The rich edit's context menu and its font dialog.
#include "datagrid/Intl.h"
#include "editors/DcCustomRichEdit.h"
#include "framework/ui/FontDialog.h"
#include "framework/ui/PopupMenu.h"

namespace {

// -1 stands for a separator.
constexpr int kSeparator = -1;
constexpr int kMenuLayout[] = {rpoPopupEdit,      kSeparator,        rpoPopupCut,       rpoPopupCopy,
                               rpoPopupPaste,     kSeparator,        rpoPopupBold,      rpoPopupItalic,
                               rpoPopupUnderline, kSeparator,        rpoPopupFont,      rpoPopupBullet,
                               rpoPopupParagraph, rpoPopupTabs,      kSeparator,        rpoPopupFind,
                               rpoPopupReplace,   kSeparator,        rpoPopupInsertObject};

AnsiString captionOf(int option, bool readOnly) {
  const TdcRichEditPopupMenuLabels* labels = dcIntlDefaults->RichEdit()->PopupMenuLabels();
  switch (option) {
    case rpoPopupEdit: return readOnly ? labels->ViewCaption : labels->EditCaption;
    case rpoPopupCut: return labels->CutCaption;
    case rpoPopupCopy: return labels->CopyCaption;
    case rpoPopupPaste: return labels->PasteCaption;
    case rpoPopupBold: return labels->BoldCaption;
    case rpoPopupItalic: return labels->ItalicCaption;
    case rpoPopupUnderline: return labels->UnderlineCaption;
    case rpoPopupFont: return labels->FontCaption;
    case rpoPopupBullet: return labels->BulletStyleCaption;
    case rpoPopupParagraph: return labels->ParagraphCaption;
    case rpoPopupTabs: return labels->TabsCaption;
    case rpoPopupFind: return labels->FindCaption;
    case rpoPopupReplace: return labels->ReplaceCaption;
    case rpoPopupInsertObject: return labels->InsertObjectCaption;
    default: return "-";
  }
}

}  // namespace

void TdcCustomRichEdit::buildPopup() {
  popup_ = new TPopupMenu(this);
  for (int option : kMenuLayout) {
    auto* item = new TMenuItem(popup_);
    item->SetCaption(captionOf(option, false));
    popup_->Items()->Add(item);
    popupItems_.emplace_back(option, item);
  }
  auto click = [this](int option, std::function<void()> action) {
    for (auto& [o, item] : popupItems_)
      if (o == option) item->OnClick = [action](TObject*) { action(); };
  };
  click(rpoPopupEdit, [this] { Execute(); });
  click(rpoPopupCut, [this] { CutToClipboard(); });
  click(rpoPopupCopy, [this] { CopyToClipboard(); });
  click(rpoPopupPaste, [this] { PasteFromClipboard(); });
  click(rpoPopupBold, [this] { toggleStyle(&qn::ui::CharacterAttributes::bold); });
  click(rpoPopupItalic, [this] { toggleStyle(&qn::ui::CharacterAttributes::italic); });
  click(rpoPopupUnderline, [this] { toggleStyle(&qn::ui::CharacterAttributes::underline); });
  click(rpoPopupFont, [this] { FontDialog(); });
  click(rpoPopupBullet, [this] { toggleBullet(); });
  click(rpoPopupParagraph, [this] { ParagraphDialog(); });
  click(rpoPopupTabs, [this] { TabsDialog(); });
  click(rpoPopupFind, [this] { FindDialog(); });
  click(rpoPopupReplace, [this] { ReplaceDialog(); });
  click(rpoPopupInsertObject, [this] { InsertObject(); });
  popup_->OnPopup = [this](TObject*) { PreparePopup(); };
  if (!PopupMenu()) SetPopupMenu(popup_);
}

void TdcCustomRichEdit::PreparePopup() {
  const bool readOnly = GetReadOnly();
  TRichPopupOptions options = PopupOptions;
  if (readOnly)
    options = TRichPopupOptions::FromMask(
        options.Mask() & TRichPopupOptions{rpoPopupEdit, rpoPopupCut, rpoPopupCopy, rpoPopupPaste, rpoPopupFind}.Mask());
  // No embedded objects on this platform: the entry never shows.
  options.Exclude(rpoPopupInsertObject);
  const bool selection = SelLength() > 0;
  const qn::ui::CharacterAttributes attributes = selectionAttributes();
  for (auto& [option, item] : popupItems_) {
    item->SetCaption(captionOf(option, readOnly));
    if (option == kSeparator) continue;
    const auto o = static_cast<TRichPopupOption>(option);
    item->Visible = options.Contains(o);
    item->Enabled = o == rpoPopupCut     ? selection && !readOnly
                    : o == rpoPopupCopy  ? selection
                    : o == rpoPopupPaste ? CanPaste() && !readOnly
                                         : true;
    if (o == rpoPopupBold) item->SetChecked(attributes.bold);
    if (o == rpoPopupItalic) item->SetChecked(attributes.italic);
    if (o == rpoPopupUnderline) item->SetChecked(attributes.underline);
    if (o == rpoPopupBullet) item->SetChecked(paragraphAttributes().bullet);
  }
  // A separator shows between two shown entries only, and never beside another.
  bool shownSinceSeparator = false;
  for (size_t i = 0; i < popupItems_.size(); ++i) {
    auto& [option, item] = popupItems_[i];
    if (option != kSeparator) {
      shownSinceSeparator = shownSinceSeparator || item->Visible;
      continue;
    }
    bool shownAfter = false;
    for (size_t j = i + 1; j < popupItems_.size() && !shownAfter; ++j)
      shownAfter = popupItems_[j].first != kSeparator && popupItems_[j].second->Visible;
    item->Visible = shownSinceSeparator && shownAfter;
    if (item->Visible) shownSinceSeparator = false;
  }
}

void TdcCustomRichEdit::toggleStyle(bool qn::ui::CharacterAttributes::*Member) {
  Edit();
  const bool on = !(selectionAttributes().*Member);
  changeSelectionAttributes([&](qn::ui::CharacterAttributes& a) { a.*Member = on; });
}

void TdcCustomRichEdit::toggleBullet() {
  Edit();
  const bool on = !paragraphAttributes().bullet;
  changeParagraphAttributes([&](qn::ui::ParagraphAttributes& p) {
    p.bullet = on;
    if (!on) return;
    // The bullet stays where the first line began; its text and the lines after it start 720
    // twips further right.
    const int start = p.leftIndent + p.firstIndent;
    p.leftIndent = start + 720;
    p.firstIndent = -720;
  });
}

void TdcCustomRichEdit::FontDialog() {
  const qn::ui::CharacterAttributes current = selectionAttributes();
  FontDialogRequest request;
  request.font.name = current.name;
  request.font.size = current.halfPoints / 2;
  if (current.bold) request.font.style.Include(fsBold);
  if (current.italic) request.font.style.Include(fsItalic);
  if (current.underline) request.font.style.Include(fsUnderline);
  if (current.strikeOut) request.font.style.Include(fsStrikeOut);
  request.font.color = current.automaticColor ? clWindowText : current.color;
  request.font.charset = current.charset;
  request.devices = EditWidth() == rewPrinterSize ? FontDialogDevices::screenAndPrinter : FontDialogDevices::screen;
  const std::optional<FontChoice> chosen = qn::ui::showFontDialog(request);
  if (!chosen) return;
  Edit();
  const int charset = Font()->Charset();
  changeSelectionAttributes([&](qn::ui::CharacterAttributes& a) {
    a.name = chosen->name.substr(0, 32);
    a.charset = charset;
    a.automaticColor = chosen->color == clWindowText;
    if (!a.automaticColor) a.color = chosen->color;
    a.bold = chosen->style.Contains(fsBold);
    a.italic = chosen->style.Contains(fsItalic);
    a.underline = chosen->style.Contains(fsUnderline);
    a.strikeOut = chosen->style.Contains(fsStrikeOut);
    // The size goes as twips (twenty to the point), which the content holds as half points.
    const int twips = chosen->size * 20;
    a.halfPoints = twips / 10;
  });
}
