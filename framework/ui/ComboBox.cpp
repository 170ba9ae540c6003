#include "framework/ui/ComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QWheelEvent>
#include <algorithm>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/ItemLists.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"

const EnumerationType kComboBoxStyleType{
    "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};

namespace {

QString toQt(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }

// Qt opens and closes the list and draws the box; the control decides what is picked. The wheel
// picks nothing (it scrolls the form's views in the other system, never a closed combo).
class ComboBoxWidget : public ReplaceablePaintWidget<QComboBox> {
 public:
  using ReplaceablePaintWidget::ReplaceablePaintWidget;

  void showPopup() override {
    ControlRef self(combo());
    if (auto* c = combo()) qn::ui::guarded(c, [c] { c->listOpening(); });
    if (self) QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (auto* c = combo()) qn::ui::guarded(c, [c] { c->listClosed(); });
  }

 protected:
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }
  void paintEvent(QPaintEvent* event) override {
    ComboBox* c = combo();
    if (!c || !c->OwnerDrawn()) {
      ReplaceablePaintWidget::paintEvent(event);
      return;
    }
    if (qn::ui::detail::paintedByHandler(this, *this)) return;
    // The closed box of an owner-drawn combo shows the chosen item as the control draws it.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (c->ItemIndex() < 0) return;
    const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    TOwnerDrawState state{odComboBoxEdit};
    if (hasFocus()) state.Include(odSelected).Include(odFocused);
    c->paintItem(painter, c->ItemIndex(), {r.left(), r.top(), r.right() + 1, r.bottom() + 1}, state);
  }

 private:
  ComboBox* combo() const { return dynamic_cast<ComboBox*>(control()); }
};

}  // namespace

void ComboBox::PublishProperties(PropertyPublisher<ComboBox>& publish) {
  publish.StringList("Items", &ComboBox::Items, &ComboBox::SetItems);
  publish.Integer("ItemIndex", &ComboBox::ItemIndex, &ComboBox::SetItemIndex);
  publish.String("Text", &ComboBox::Text, &ComboBox::SetText);
  publish.Boolean("Sorted", &ComboBox::Sorted, &ComboBox::SetSorted);
  publish.Enumeration("Style", kComboBoxStyleType, &ComboBox::Style, &ComboBox::SetStyle);
  publish.Integer("MaxLength", &ComboBox::MaxLength, &ComboBox::SetMaxLength);
  publish.Integer("DropDownCount", &ComboBox::DropDownCount, &ComboBox::SetDropDownCount);
  publish.Integer("ItemHeight", &ComboBox::ItemHeight, &ComboBox::SetItemHeight);
  publish.Event("OnChange", &ComboBox::OnChange, &ComboBox::OnChange);
  publish.Event("OnDropDown", &ComboBox::OnDropDown, &ComboBox::OnDropDown);
  publish.Event("OnCloseUp", &ComboBox::OnCloseUp, &ComboBox::OnCloseUp);
  publish.Event("OnDrawItem", &ComboBox::OnDrawItem, &ComboBox::OnDrawItem);
  publish.Event("OnMeasureItem", &ComboBox::OnMeasureItem, &ComboBox::OnMeasureItem);
}

ComboBox::ComboBox(TComponent* AOwner) : TWinControl(AOwner), items_(std::make_unique<StringList>()) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(Left(), Top(), 145, 21);
  items_->OnChanging = [this](TObject* sender) { itemsChanging(sender); };
  items_->OnChange = [this](TObject* sender) { itemsChanged(sender); };
}

ComboBox::~ComboBox() {
  items_->OnChanging = nullptr;
  items_->OnChange = nullptr;
}

QComboBox* ComboBox::comboWidget() const { return static_cast<QComboBox*>(widgetIfAny()); }

void ComboBox::Clear() {
  items_->Clear();
  SetTextValue("");
}

void ComboBox::SetItemIndex(int Value) {
  qn::ui::checkItemIndex(Value, items_->Count());
  itemIndex_ = Value;
  text_ = Value >= 0 ? items_->Get(Value) : AnsiString();
  showIndex();
}

void ComboBox::SetStyle(TComboBoxStyle Value) {
  style_ = Value;
  if (!TextEditable() && itemIndex_ < 0) text_.clear();
  applyStyle();
}

void ComboBox::SetMaxLength(int Value) { maxLength_ = std::max(0, Value); }

void ComboBox::SetDropDownCount(int Value) {
  dropDownCount_ = std::max(1, Value);
  if (QComboBox* box = comboWidget()) box->setMaxVisibleItems(dropDownCount_);
}

bool ComboBox::DroppedDown() const { return dropped_; }

void ComboBox::SetDroppedDown(bool Value) {
  if (Value == dropped_ || style_ == csSimple) return;
  QComboBox* box = static_cast<QComboBox*>(Window());
  if (Value) box->showPopup();
  else box->hidePopup();
}

int ComboBox::ItemHeight() const { return itemHeight_ > 0 ? itemHeight_ : qn::ui::fontLineHeight(*Font()); }

void ComboBox::SetItemHeight(int Value) {
  if (Value > 0) itemHeight_ = Value;
}

void ComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  const bool altArrow = Shift.Contains(ssAlt) && (Key == VK_DOWN || Key == VK_UP);
  if (Key == VK_F4 || altArrow) {
    Key = 0;
    SetDroppedDown(!dropped_);
    return;
  }
  if ((Key != VK_UP && Key != VK_DOWN) || dropped_) return;
  const int next = Key == VK_UP ? itemIndex_ - 1 : itemIndex_ + 1;
  Key = 0;
  if (next >= 0 && next < items_->Count()) pickByUser(next);
}

void ComboBox::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (static_cast<unsigned char>(Key) < ' ') return;
  if (TextEditable()) {
    // The line edit's own limit would cut a longer text set by code: the limit is kept here.
    QComboBox* box = comboWidget();
    QLineEdit* edit = box ? box->lineEdit() : nullptr;
    if (edit && maxLength_ > 0 && edit->text().size() - edit->selectedText().size() >= maxLength_) Key = 0;
    return;
  }
  const int found = qn::ui::findItemWithPrefix(*items_, AnsiString(1, Key), itemIndex_ + 1);
  Key = 0;
  if (found >= 0 && found != itemIndex_) pickByUser(found);
}

void ComboBox::pickByUser(int Index) {
  itemIndex_ = Index;
  text_ = items_->Get(Index);
  showIndex();
  Click();
  Change();
}

void ComboBox::listOpening() {
  DropDown();
  dropped_ = true;
  if (QComboBox* box = comboWidget()) box->setMaxVisibleItems(dropDownCount_);
}

void ComboBox::listClosed() {
  if (!dropped_) return;
  dropped_ = false;
  CloseUp();
}

void ComboBox::pickedFromList(int Index) {
  if (Index < 0 || Index >= items_->Count()) return;
  pickByUser(Index);
}

void ComboBox::typedTextChanged() {
  QComboBox* box = comboWidget();
  if (!box) return;
  text_ = qn::utf8ToAnsi(box->currentText().toStdString());
  itemIndex_ = items_->IndexOf(text_);
  Change();
}

void ComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TControlState state = ControlState();
  state.Exclude(csClicked);
  SetControlState(state);
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void ComboBox::Change() { qn::ui::callHandler(OnChange, this); }
void ComboBox::DropDown() { qn::ui::callHandler(OnDropDown, this); }
void ComboBox::CloseUp() { qn::ui::callHandler(OnCloseUp, this); }

void ComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    qn::ui::callHandler(OnDrawItem, this, Index, Rect, State);
    return;
  }
  Canvas& c = canvas();
  c.fillRect(Rect);
  c.drawTextClipped(Rect, Rect.Left + 2, Rect.Top, items_->Get(Index));
}

void ComboBox::MeasureItem(int Index, int& Height) { qn::ui::callHandler(OnMeasureItem, this, Index, Height); }

bool ComboBox::paintItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state) {
  if (!OwnerDrawn() || index < 0 || index >= items_->Count()) return false;
  drawItemOn(painter, rect, state, *Font(), Color(), [&] { DrawItem(index, rect, state); });
  return true;
}

QSize ComboBox::itemSize(int index, QSize viewSize) {
  if (!OwnerDrawn()) return viewSize;
  int height = ItemHeight();
  if (style_ == csOwnerDrawVariable && index >= 0 && index < items_->Count())
    qn::ui::guardedDeferred([&] { MeasureItem(index, height); });
  return {viewSize.width(), std::max(1, height)};
}

AnsiString ComboBox::GetText() const { return text_; }

void ComboBox::SetTextValue(const AnsiString& Value) {
  itemIndex_ = items_->IndexOf(Value);
  text_ = TextEditable() || itemIndex_ >= 0 ? Value : AnsiString();
  showIndex();
  TextChanged();
}

QWidget* ComboBox::MakeWidget(QWidget* parentWidget) {
  auto* box = new ComboBoxWidget(this, parentWidget);
  box->setItemDelegate(new qn::ui::OwnerDrawDelegate(box, box));
  QObject::connect(box, qOverload<int>(&QComboBox::activated), box, [this](int index) {
    qn::ui::guarded(this, [this, index] { pickedFromList(index); });
  });
  return box;
}

void ComboBox::WindowCreated() {
  TWinControl::WindowCreated();
  applyStyle();
}

void ComboBox::WindowDestroying() {
  dropped_ = false;
  TWinControl::WindowDestroying();
}

void ComboBox::FontChanged() {
  TWinControl::FontChanged();
  if (QComboBox* box = comboWidget()) box->view()->doItemsLayout();
}

void ComboBox::itemsChanging(TObject*) {
  chosenBefore_ = itemIndex_ >= 0 ? qn::ui::identityOf(*items_, itemIndex_) : qn::ui::ItemIdentity{};
}

void ComboBox::itemsChanged(TObject*) {
  if (itemIndex_ >= 0) itemIndex_ = qn::ui::findItemAgain(*items_, chosenBefore_, itemIndex_);
  if (!TextEditable()) text_ = itemIndex_ >= 0 ? items_->Get(itemIndex_) : AnsiString();
  showItems();
}

void ComboBox::applyStyle() {
  QComboBox* box = comboWidget();
  if (!box) return;
  {
    const QSignalBlocker quiet(box);
    box->setEditable(TextEditable());
    // A simple combo has no list to open: its button goes.
    box->setStyleSheet(style_ == csSimple ? "QComboBox::drop-down { width: 0px; border: none; }" : QString());
  }
  if (QLineEdit* edit = box->lineEdit()) {
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    QObject::disconnect(edit, &QLineEdit::textEdited, box, nullptr);
    QObject::connect(edit, &QLineEdit::textEdited, box, [this] { qn::ui::guarded(this, [this] { typedTextChanged(); }); });
  }
  box->setMaxVisibleItems(dropDownCount_);
  showItems();
}

void ComboBox::showItems() {
  QComboBox* box = comboWidget();
  if (!box) return;
  {
    const QSignalBlocker quiet(box);
    box->clear();
    for (int i = 0; i < items_->Count(); ++i) box->addItem(toQt(items_->Get(i)));
  }
  showIndex();
}

void ComboBox::showIndex() {
  QComboBox* box = comboWidget();
  if (!box) return;
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(itemIndex_);
  if (QLineEdit* edit = box->lineEdit()) edit->setText(toQt(text_));
  box->update();
}
