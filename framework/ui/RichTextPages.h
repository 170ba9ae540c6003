#pragma once
// Rich text cut into printed pages. The document is laid out once at the screen's resolution for
// the page's width and drawn scaled to the device, so measuring and printing agree on where each
// page ends. Qt's own text drawing puts the text on the device (not our canvas), which keeps
// fonts, colours and paragraph layout exactly as the document has them.
#include <QPainter>
#include <QTextDocument>
#include <memory>

#include "framework/ui/Geometry.h"

namespace qn::ui {

class RichTextPages {
 public:
  // pageTwips: where the text goes on the page, in twips from the page's top-left corner.
  RichTextPages(const QTextDocument& document, const TRect& pageTwips);

  // The first character of the page after the one starting at from (the text's length when the
  // rest fits). A line taller than a page still takes a page of its own.
  int pageEnd(int from) const;
  // Draws the page starting at from onto a device of that resolution per axis; answers pageEnd.
  int render(QPainter& painter, int dotsPerInchX, int dotsPerInchY, int from) const;
  int length() const;

 private:
  // The top of the line holding the character, in layout pixels.
  double lineTop(int position) const;

  std::unique_ptr<QTextDocument> layout_;
  TRect pageTwips_;
  double pageHeight_;  // in layout pixels
};

}  // namespace qn::ui
