#include "framework/ui/OwnerDraw.h"

#include <QPainter>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/WinControl.h"

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

TOwnerDrawState ownerDrawStateOf(const QStyleOptionViewItem& option) {
  TOwnerDrawState state;
  if (option.state & QStyle::State_Selected) state.Include(odSelected);
  if (option.state & QStyle::State_HasFocus) state.Include(odFocused);
  if (!(option.state & QStyle::State_Enabled)) state.Include(odDisabled);
  return state;
}

}  // namespace qn::ui
