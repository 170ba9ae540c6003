#include "framework/ui/OwnerDraw.h"

#include <QPainter>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/CodePageFont.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/WinControl.h"

ItemPainter::ItemPainter() = default;
ItemPainter::~ItemPainter() = default;

void ItemPainter::drawItemOn(QPainter& painter, const TRect& rect, TOwnerDrawState state, const TFont& font,
                             TColor background, const std::function<void()>& draw) {
  Canvas canvas(&painter, Screen->PixelsPerInch());
  canvas.SetFont(const_cast<TFont*>(&font));
  const bool selected = state.Contains(odSelected);
  canvas.Brush.Color = selected ? clHighlight : background;
  if (selected) canvas.Font()->SetColor(clHighlightText);
  drawingCanvas_ = &canvas;
  qn::ui::guardedDeferred(draw);
  drawingCanvas_ = nullptr;
  if (state.Contains(odFocused)) canvas.DrawFocusRect(rect);
}

Canvas& ItemPainter::itemCanvas(const TFont& font) {
  if (drawingCanvas_) return *drawingCanvas_;
  if (!measureCanvas_) {
    measureImage_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    measureCanvas_ = std::make_unique<Canvas>(measureImage_.get());
  }
  measureCanvas_->SetFont(const_cast<TFont*>(&font));
  return *measureCanvas_;
}

namespace qn::ui {

OwnerDrawDelegate::OwnerDrawDelegate(QWidget* controlWidget, QObject* parent)
    : QStyledItemDelegate(parent), controlWidget_(controlWidget) {}

ItemPainter* OwnerDrawDelegate::painter() const {
  WidgetOfControl* link = linkOfWidget(controlWidget_);
  return link ? dynamic_cast<ItemPainter*>(link->control()) : nullptr;
}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (ItemPainter* owner = this->painter()) {
    const QRect r = option.rect;
    painter->save();
    const bool painted = owner->paintItem(*painter, index.row(), {r.left(), r.top(), r.right() + 1, r.bottom() + 1},
                                          ownerDrawStateOf(option));
    painter->restore();
    if (painted) return;
  }
  QStyledItemDelegate::paint(painter, option, index);
}

QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QSize viewSize = QStyledItemDelegate::sizeHint(option, index);
  ItemPainter* owner = painter();
  return owner ? owner->itemSize(index.row(), viewSize) : viewSize;
}

int fontLineHeight(const TFont& font) { return CodePageFont::of(font, Screen->PixelsPerInch())->metrics().height(); }

TOwnerDrawState ownerDrawStateOf(const QStyleOptionViewItem& option) {
  TOwnerDrawState state;
  if (option.state & QStyle::State_Selected) state.Include(odSelected);
  if (option.state & QStyle::State_HasFocus) state.Include(odFocused);
  if (!(option.state & QStyle::State_Enabled)) state.Include(odDisabled);
  return state;
}

}  // namespace qn::ui
