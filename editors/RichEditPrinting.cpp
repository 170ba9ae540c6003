// Printing of the library's rich edit inside its margins, the paper it asks for, the formatting
// rectangle that follows the window or the printed page, and the paragraph helper the dialogs use.
#include <QAbstractScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "datagrid/Intl.h"
#include "editors/DcCustomRichEdit.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/Printer.h"
#include "framework/ui/ScreenFacts.h"

namespace {

bool isKnownPaper(int code) {
  for (int known : {1, 3, 5, 7, 8, 9, 11, 13})
    if (code == known) return true;
  return false;
}

}  // namespace

void TdcCustomRichEdit::SetPaperSize(int Value) {
  paperSize_ = Value;
  if (editWidth_ != rewPrinterSize || !GetParentForm(this)) return;
  if (isKnownPaper(paperSize_)) Printer()->SetPaperSize(paperSize_);
  UpdateFormattingRect();
}

TRect TdcCustomRichEdit::MarginRect() const {
  return MarginRectOnPage(*printMargins_, MeasurementUnits, CurrentPrinterPage());
}

void TdcCustomRichEdit::Print(const AnsiString& Caption) {
  if (editWidth_ == rewPrinterSize && isKnownPaper(paperSize_)) Printer()->SetPaperSize(paperSize_);
  SetPageRect(MarginRect());
  TCustomRichEdit::Print(Caption);
}

void TdcCustomRichEdit::SetParagraph(int Mask, const AnsiString& Alignment, int LineSpacingRule, int SpaceBefore,
                                     int SpaceAfter, int LineSpacing, const int* Tabs, int TabCount, int StartIndent,
                                     int RightIndent, int Offset, bool Bullet) {
  Edit();
  const TdcRichEditParagraphDlg* texts = dcIntlDefaults->RichEdit()->ParagraphDialog();
  // The classic control has no paragraph spacing.
  if (version() < 2) Mask &= ~(0x40 | 0x80 | 0x100);
  changeParagraphAttributes([&](qn::ui::ParagraphAttributes& p) {
    if (Mask & 0x01) {
      p.alignment = Alignment == texts->AlignLeft    ? qn::ui::ParagraphAlignment::Left
                    : Alignment != texts->AlignRight ? qn::ui::ParagraphAlignment::Centre
                                                     : qn::ui::ParagraphAlignment::Right;
    }
    if (Mask & 0x02) p.bullet = Bullet;
    // The first line starts at the start indent; the lines after it Offset further right.
    const int start = Mask & 0x10 ? StartIndent : p.leftIndent + p.firstIndent;
    const int offset = Mask & 0x04 ? Offset : -p.firstIndent;
    p.leftIndent = start + offset;
    p.firstIndent = -offset;
    if (Mask & 0x08) p.rightIndent = RightIndent;
    if (Mask & 0x20) p.tabs.assign(Tabs, Tabs + std::clamp(TabCount, 0, qn::ui::maxTabStops));
    if (Mask & 0x40) p.spaceBefore = SpaceBefore;
    if (Mask & 0x80) p.spaceAfter = SpaceAfter;
    if (Mask & 0x100) {
      p.lineSpacingRule = LineSpacingRule;
      p.lineSpacing = LineSpacing;
    }
  });
}

void TdcCustomRichEdit::GetParagraphIndents(int& StartIndent, int& RightIndent, int& Offset) {
  StartIndent = RightIndent = Offset = 0;
  if (!hasWindow()) return;
  const qn::ui::ParagraphAttributes p = paragraphAttributes();
  StartIndent = p.leftIndent + p.firstIndent;
  RightIndent = p.rightIndent;
  Offset = -p.firstIndent;
}

TRect TdcCustomRichEdit::FormattingRect() {
  int scrollBar = 0;
  if (auto* area = qobject_cast<QAbstractScrollArea*>(Window())) {
    const QScrollBar* bar = area->verticalScrollBar();
    if (bar->isVisible() && bar->maximum() > 0) scrollBar = qn::ui::screenFacts().verticalScrollBarWidth;
  }
  if (editWidth_ == rewPrinterSize)
    return PrinterWidthRect(*printMargins_, MeasurementUnits, CurrentPrinterPage(), kInset, scrollBar);
  return Rect(kInset, 2, Width() - 4 - scrollBar, Height());
}

void TdcCustomRichEdit::UpdateFormattingRect() {
  if (!hasWindow()) return;
  const TRect wanted = FormattingRect();
  if (editWidth_ == rewWindowSize && wanted == sentRect_) return;
  const bool wasLoading = loading_;
  loading_ = true;
  sentRect_ = wanted;
  setEditRect(wanted);
  loading_ = wasLoading;
}
