#pragma once
// Items a control draws itself (owner-drawn list and combo items): the state an item is drawn in,
// the handlers that draw and measure it, and the Qt delegate through which a list view hands each
// item to its control.
#include <QStyledItemDelegate>
#include <functional>

#include "framework/base/EnumSet.h"
#include "framework/ui/Geometry.h"

class TWinControl;

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odComboBoxEdit };
using TOwnerDrawState = EnumSet<TOwnerDrawStateFlag>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
// Height comes in as the control's item height; the handler may change it.
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// What a control that draws its items answers its view.
class ItemPainter {
 public:
  // Draws the item in rect (the view's coordinates) when the control draws its items; answers
  // whether it did (otherwise the view draws the item's text).
  virtual bool paintItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state) = 0;
  // The size the item takes in the view, given the size the view would give it.
  virtual QSize itemSize(int index, QSize viewSize) = 0;

 protected:
  ~ItemPainter() = default;
};

namespace qn::ui {

// Asks the control of the view it serves (found through the view's widget link, so a view whose
// control has gone draws plainly).
class OwnerDrawDelegate : public QStyledItemDelegate {
 public:
  // view: the control's own widget (or the popup of its widget).
  OwnerDrawDelegate(QWidget* controlWidget, QObject* parent);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  ItemPainter* painter() const;

  QWidget* controlWidget_;
};

// The state Qt paints an item in, as the framework's handlers know it.
TOwnerDrawState ownerDrawStateOf(const QStyleOptionViewItem& option);

}  // namespace qn::ui
