#include "framework/ui/RichTextPages.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "framework/ui/Screen.h"

namespace qn::ui {

namespace {
double layoutPixels(int twips) { return twips * Screen->PixelsPerInch() / 1440.0; }
}  // namespace

RichTextPages::RichTextPages(const QTextDocument& document, const TRect& pageTwips)
    : layout_(document.clone()), pageTwips_(pageTwips), pageHeight_(layoutPixels(pageTwips.Height())) {
  layout_->setDocumentMargin(0);
  layout_->setTextWidth(layoutPixels(pageTwips.Width()));
  layout_->documentLayout();  // lays the text out now
}

int RichTextPages::length() const { return layout_->characterCount() - 1; }

double RichTextPages::lineTop(int position) const {
  QTextBlock block = layout_->findBlock(position);
  if (!block.isValid()) return layout_->size().height();
  QRectF box = layout_->documentLayout()->blockBoundingRect(block);
  QTextLine line = block.layout()->lineForTextPosition(position - block.position());
  return box.top() + (line.isValid() ? line.y() : 0);
}

int RichTextPages::pageEnd(int from) const {
  if (from >= length()) return length();
  const double top = lineTop(from);
  const double bottom = top + pageHeight_;
  bool first = true;
  for (QTextBlock block = layout_->findBlock(from); block.isValid(); block = block.next()) {
    QRectF box = layout_->documentLayout()->blockBoundingRect(block);
    QTextLayout* lines = block.layout();
    for (int i = 0; i < lines->lineCount(); ++i) {
      QTextLine line = lines->lineAt(i);
      int start = block.position() + line.textStart();
      if (start + line.textLength() <= from && line.textLength() > 0) continue;
      if (box.top() + line.y() < top) continue;
      if (box.top() + line.y() + line.height() > bottom && !first) return std::max(start, from + 1);
      first = false;
    }
  }
  return length();
}

int RichTextPages::render(QPainter& painter, int dotsPerInchX, int dotsPerInchY, int from) const {
  int end = pageEnd(from);
  double top = lineTop(from);
  double shownHeight = (end >= length() ? layout_->size().height() : lineTop(end)) - top;
  painter.save();
  painter.translate(pageTwips_.Left * dotsPerInchX / 1440.0, pageTwips_.Top * dotsPerInchY / 1440.0);
  painter.scale(static_cast<double>(dotsPerInchX) / Screen->PixelsPerInch(), static_cast<double>(dotsPerInchY) / Screen->PixelsPerInch());
  painter.translate(0, -top);
  QRectF shown(0, top, layout_->textWidth(), shownHeight);
  painter.setClipRect(shown);
  // Qt draws every line that touches the clip; the lines just above and below the page touch it
  // with an edge, so the clip that chooses lines keeps clear of both edges.
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = shown.adjusted(0, 0.5, 0, -0.5);
  layout_->documentLayout()->draw(&painter, context);
  painter.restore();
  return end;
}

}  // namespace qn::ui
