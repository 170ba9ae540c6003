#include "framework/ui/ListBox.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "framework/base/ListIndex.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/ItemLists.h"
#include "framework/ui/SafeDispatch.h"

const EnumerationType kListBoxStyleType{"TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};

namespace {

QString toQt(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }

// The view selects and scrolls as Qt does; after each mouse button and key event the control
// reads back what the user changed. A click's OnClick comes from the framework's mouse route (on
// the release, one per click); a key that changed the selection runs it here. Typed characters
// search through the control, not through Qt.
class ListBoxWidget : public ControlWidget<QListWidget> {
 public:
  using ControlWidget::ControlWidget;
  void keyboardSearch(const QString&) override {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    thenReadBack(false, [&] { QListWidget::mousePressEvent(event); });
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    thenReadBack(false, [&] { QListWidget::mouseReleaseEvent(event); });
  }
  void keyPressEvent(QKeyEvent* event) override { thenReadBack(true, [&] { QListWidget::keyPressEvent(event); }); }
  // The view paints its items on its viewport; the control paints nothing of its own.
  void paintEvent(QPaintEvent* event) override { QListWidget::paintEvent(event); }

 private:
  template <class Handle>
  void thenReadBack(bool click, Handle handle) {
    handle();
    if (auto* box = dynamic_cast<ListBox*>(control()))
      qn::ui::guarded(box, [box, click] { box->viewChangedByUser(click); });
  }
};

}  // namespace

void ListBox::PublishProperties(PropertyPublisher<ListBox>& publish) {
  publish.StringList("Items", &ListBox::Items, &ListBox::SetItems);
  publish.Integer("ItemIndex", &ListBox::ItemIndex, &ListBox::SetItemIndex);
  publish.Boolean("Sorted", &ListBox::Sorted, &ListBox::SetSorted);
  publish.Boolean("MultiSelect", &ListBox::MultiSelect, &ListBox::SetMultiSelect);
  publish.Boolean("ExtendedSelect", &ListBox::ExtendedSelect, &ListBox::SetExtendedSelect);
  publish.Integer("TopIndex", &ListBox::TopIndex, &ListBox::SetTopIndex);
  publish.Enumeration("Style", kListBoxStyleType, &ListBox::Style, &ListBox::SetStyle);
  publish.Integer("ItemHeight", &ListBox::ItemHeight, &ListBox::SetItemHeight);
  publish.Integer("HorizontalExtent", &ListBox::HorizontalExtent, &ListBox::SetHorizontalExtent);
  publish.Event("OnDrawItem", &ListBox::OnDrawItem, &ListBox::OnDrawItem);
  publish.Event("OnMeasureItem", &ListBox::OnMeasureItem, &ListBox::OnMeasureItem);
}

ListBox::ListBox(TComponent* AOwner) : TWinControl(AOwner), items_(std::make_unique<StringList>()) {
  SetTabStop(true);
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  SetBounds(Left(), Top(), 121, 97);
  items_->OnChanging = [this](TObject* sender) { itemsChanging(sender); };
  items_->OnChange = [this](TObject* sender) { itemsChanged(sender); };
}

ListBox::~ListBox() {
  items_->OnChanging = nullptr;
  items_->OnChange = nullptr;
}

QListWidget* ListBox::listWidget() const { return static_cast<QListWidget*>(widgetIfAny()); }

void ListBox::SetItemIndex(int Value) {
  qn::ui::checkItemIndex(Value, items_->Count());
  itemIndex_ = Value;
  if (!multiSelect_) selectOnly(Value);
  showSelection();
}

void ListBox::SetMultiSelect(bool Value) {
  multiSelect_ = Value;
  applySelectionMode();
}

void ListBox::SetExtendedSelect(bool Value) {
  extendedSelect_ = Value;
  applySelectionMode();
}

bool ListBox::Selected(int Index) const {
  CheckListIndex(Index, items_->Count());
  return multiSelect_ ? selected_[Index] : Index == itemIndex_;
}

void ListBox::SetSelected(int Index, bool Value) {
  CheckListIndex(Index, items_->Count());
  if (multiSelect_) {
    selected_[Index] = Value;
  } else {
    if (Value) itemIndex_ = Index;
    else if (Index == itemIndex_) itemIndex_ = -1;
    selectOnly(itemIndex_);
  }
  showSelection();
}

int ListBox::SelCount() const {
  if (!multiSelect_) return itemIndex_ >= 0 ? 1 : 0;
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

int ListBox::TopIndex() const {
  if (QListWidget* view = listWidget()) topIndex_ = view->verticalScrollBar()->value();
  return topIndex_;
}

void ListBox::SetTopIndex(int Value) {
  topIndex_ = std::clamp(Value, 0, std::max(0, items_->Count() - 1));
  QListWidget* view = listWidget();
  if (view && topIndex_ < view->count()) view->scrollToItem(view->item(topIndex_), QAbstractItemView::PositionAtTop);
}

void ListBox::SetStyle(TListBoxStyle Value) {
  style_ = Value;
  if (QListWidget* view = listWidget()) view->doItemsLayout();
}

int ListBox::ItemHeight() const {
  return itemHeight_ > 0 ? itemHeight_ : qn::ui::fontLineHeight(*Font());
}

void ListBox::SetItemHeight(int Value) {
  if (Value <= 0) return;
  itemHeight_ = Value;
  if (QListWidget* view = listWidget()) view->doItemsLayout();
}

void ListBox::SetHorizontalExtent(int Value) {
  horizontalExtent_ = std::max(0, Value);
  applyScrolling();
}

int ListBox::ItemAtPos(TPoint Pos, bool Existing) const {
  const int count = items_->Count();
  int row = -1;
  if (QListWidget* view = listWidget()) {
    const QPoint inView = view->viewport()->mapFrom(view, QPoint(Pos.X, Pos.Y));
    if (!view->viewport()->rect().contains(inView)) return -1;
    row = view->indexAt(inView).row();
    if (row < 0 && !Existing) row = count;
  } else {
    row = topIndex_ + Pos.Y / std::max(1, ItemHeight());
    if (row >= count) row = Existing ? -1 : count;
  }
  return row;
}

int ListBox::FindItemWithPrefix(const AnsiString& Prefix, int Start) const {
  return qn::ui::findItemWithPrefix(*items_, Prefix, Start);
}

Canvas& ListBox::canvas() { return itemCanvas(*Font()); }

void ListBox::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  const auto c = static_cast<unsigned char>(Key);
  if (c < ' ' || (c == ' ' && multiSelect_)) return;
  const int found = FindItemWithPrefix(AnsiString(1, Key), itemIndex_ + 1);
  Key = 0;
  if (found < 0 || found == itemIndex_) return;
  pickByUser(found);
}

void ListBox::pickByUser(int Index) {
  itemIndex_ = Index;
  if (!multiSelect_ || extendedSelect_) selectOnly(Index);
  showSelection();
  if (QListWidget* view = listWidget()) view->scrollToItem(view->item(Index));
  Click();
}

bool ListBox::paintItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state) {
  if (style_ == lbStandard || index < 0 || index >= items_->Count()) return false;
  drawItemOn(painter, rect, state, *Font(), Color(), [&] { DrawItem(index, rect, state); });
  return true;
}

QSize ListBox::itemSize(int index, QSize viewSize) {
  int height = ItemHeight();
  if (style_ == lbOwnerDrawVariable && index >= 0 && index < items_->Count())
    qn::ui::guardedDeferred([&] { MeasureItem(index, height); });
  const int width = horizontalExtent_ > 0 ? horizontalExtent_ : std::min(viewSize.width(), ClientWidth());
  return {width, std::max(1, height)};
}

void ListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    qn::ui::callHandler(OnDrawItem, this, Index, Rect, State);
    return;
  }
  drawItemText(Index, Rect, 0);
}

void ListBox::drawItemText(int Index, const TRect& Rect, int Indent) {
  Canvas& c = canvas();
  c.fillRect(Rect);
  c.drawTextClipped(Rect, Rect.Left + 2 + Indent, Rect.Top, items_->Get(Index));
}

void ListBox::MeasureItem(int Index, int& Height) { qn::ui::callHandler(OnMeasureItem, this, Index, Height); }

QWidget* ListBox::MakeWidget(QWidget* parentWidget) {
  auto* view = new ListBoxWidget(this, parentWidget);
  view->setUniformItemSizes(false);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setItemDelegate(new qn::ui::OwnerDrawDelegate(view, view));
  return view;
}

void ListBox::WindowCreated() {
  TWinControl::WindowCreated();
  applySelectionMode();
  applyScrolling();
  showItems();
  SetTopIndex(topIndex_);
}

void ListBox::WindowDestroying() {
  TopIndex();
  TWinControl::WindowDestroying();
}

void ListBox::FontChanged() {
  TWinControl::FontChanged();
  if (QListWidget* view = listWidget()) view->doItemsLayout();
}

void ListBox::itemsChanging(TObject*) {
  currentBefore_ = itemIndex_ >= 0 ? qn::ui::identityOf(*items_, itemIndex_) : qn::ui::ItemIdentity{};
  selectedBefore_.clear();
  for (int i = 0; i < static_cast<int>(selected_.size()); ++i)
    if (selected_[i]) selectedBefore_.emplace_back(i, qn::ui::identityOf(*items_, i));
}

void ListBox::itemsChanged(TObject*) {
  const int count = items_->Count();
  if (itemIndex_ >= 0) itemIndex_ = qn::ui::findItemAgain(*items_, currentBefore_, itemIndex_);
  selected_.assign(count, false);
  for (const auto& [index, item] : selectedBefore_)
    if (int now = qn::ui::findItemAgain(*items_, item, index); now >= 0) selected_[now] = true;
  selectedBefore_.clear();
  topIndex_ = std::min(topIndex_, std::max(0, count - 1));
  showItems();
}

void ListBox::showItems() {
  QListWidget* view = listWidget();
  if (!view) return;
  {
    const QSignalBlocker quiet(view);
    view->clear();
    for (int i = 0; i < items_->Count(); ++i) view->addItem(toQt(items_->Get(i)));
  }
  showSelection();
}

void ListBox::showSelection() {
  QListWidget* view = listWidget();
  if (!view) return;
  const QSignalBlocker quiet(view);
  const QSignalBlocker quietSelection(view->selectionModel());
  view->clearSelection();
  for (int i = 0; i < view->count(); ++i)
    if (multiSelect_ ? selected_[i] : i == itemIndex_) view->item(i)->setSelected(true);
  view->setCurrentRow(itemIndex_, QItemSelectionModel::NoUpdate);
  view->viewport()->update();
}

void ListBox::selectOnly(int Index) {
  std::fill(selected_.begin(), selected_.end(), false);
  if (Index >= 0) selected_[Index] = true;
}

void ListBox::applySelectionMode() {
  if (!multiSelect_) selectOnly(itemIndex_);
  QListWidget* view = listWidget();
  if (!view) return;
  view->setSelectionMode(!multiSelect_     ? QAbstractItemView::SingleSelection
                         : extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                           : QAbstractItemView::MultiSelection);
  showSelection();
}

void ListBox::applyScrolling() {
  QListWidget* view = listWidget();
  if (!view) return;
  view->setHorizontalScrollBarPolicy(horizontalExtent_ > 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  view->doItemsLayout();
}

void ListBox::viewChangedByUser(bool TellClick) {
  QListWidget* view = listWidget();
  if (!view) return;
  const int current = view->currentRow();
  std::vector<bool> selected(items_->Count(), false);
  for (int i = 0; i < view->count() && i < items_->Count(); ++i) selected[i] = view->item(i)->isSelected();
  const int newIndex = multiSelect_ ? current : (view->selectedItems().isEmpty() ? itemIndex_ : current);
  if (newIndex == itemIndex_ && (!multiSelect_ || selected == selected_)) return;
  itemIndex_ = newIndex;
  if (multiSelect_) selected_ = selected;
  else selectOnly(newIndex);
  if (TellClick) Click();
}
