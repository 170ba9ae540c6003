#pragma once
// Items a control draws itself (owner-drawn list and combo items): the state an item is drawn in,
// the handlers that draw and measure it, and the Qt delegate through which a list view hands each
// item to its control.
#include <QImage>
#include <QStyledItemDelegate>
#include <functional>
#include <memory>

#include "framework/base/EnumSet.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/Geometry.h"

class TWinControl;

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odComboBoxEdit };
using TOwnerDrawState = EnumSet<TOwnerDrawStateFlag>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
// Height comes in as the control's item height; the handler may change it.
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// What a control that draws its items answers its view, and the canvas its handlers draw on.
class ItemPainter {
 public:
  // Draws the item in rect (the view's coordinates) when the control draws its items; answers
  // whether it did (otherwise the view draws the item's text).
  virtual bool paintItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state) = 0;
  // The size the item takes in the view, given the size the view would give it.
  virtual QSize itemSize(int index, QSize viewSize) = 0;

 protected:
  ItemPainter();
  ~ItemPainter();

  // While draw runs: a canvas on the painter in font and the item's colours (the highlight when
  // selected, else background). A focused item gets its focus rectangle afterwards. What draw
  // raises is handed over after the paint.
  void drawItemOn(QPainter& painter, const TRect& rect, TOwnerDrawState state, const TFont& font, TColor background,
                  const std::function<void()>& draw);
  // The canvas of the item being drawn; outside drawing, one that measures in font.
  Canvas& itemCanvas(const TFont& font);

 private:
  Canvas* drawingCanvas_ = nullptr;
  std::unique_ptr<QImage> measureImage_;
  std::unique_ptr<Canvas> measureCanvas_;
};

namespace qn::ui {

// Asks the control of the view it serves (found through the view's widget link, so a view whose
// control has gone draws plainly).
class OwnerDrawDelegate : public QStyledItemDelegate {
 public:
  // controlWidget: the control's own widget, whose view (its own, or its popup list) this serves.
  OwnerDrawDelegate(QWidget* controlWidget, QObject* parent);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  ItemPainter* painter() const;

  QWidget* controlWidget_;
};

// The state Qt paints an item in, as the framework's handlers know it.
TOwnerDrawState ownerDrawStateOf(const QStyleOptionViewItem& option);

// The height of a line of text in the font: an item's height unless the control sets one.
int fontLineHeight(const TFont& font);

}  // namespace qn::ui
