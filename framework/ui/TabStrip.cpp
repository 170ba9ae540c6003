#include "framework/ui/TabStrip.h"

#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QWheelEvent>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/ItemLists.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// Qt draws the tabs; the control alone changes the current one, so a refusal is possible.
class TabStripWidget : public ControlWidget<QTabBar> {
 public:
  using ControlWidget::ControlWidget;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    auto* strip = dynamic_cast<TabStrip*>(control());
    const int index = tabAt(event->position().toPoint());
    if (strip && event->button() == Qt::LeftButton && index >= 0)
      qn::ui::guarded(strip, [strip, index] { strip->tabChosenByUser(index); });
  }
  void mouseReleaseEvent(QMouseEvent*) override {}
  void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

}  // namespace

void TabStrip::PublishProperties(PropertyPublisher<TabStrip>& publish) {
  publish.StringList("Tabs", &TabStrip::Tabs, &TabStrip::SetTabs);
  publish.Integer("TabIndex", &TabStrip::TabIndex, &TabStrip::SetTabIndex);
  publish.Event("OnChanging", &TabStrip::OnChanging, &TabStrip::OnChanging);
  publish.Event("OnChange", &TabStrip::OnChange, &TabStrip::OnChange);
}

TabStrip::TabStrip(TComponent* AOwner) : TWinControl(AOwner), tabs_(std::make_unique<StringList>()) {
  SetTabStop(true);
  SetBounds(Left(), Top(), 289, 24);
  tabs_->OnChange = [this](TObject* sender) { tabsChanged(sender); };
}

TabStrip::~TabStrip() { tabs_->OnChange = nullptr; }

void TabStrip::SetTabIndex(int Value) {
  qn::ui::checkItemIndex(Value, tabs_->Count());
  tabIndex_ = Value;
  if (auto* bar = static_cast<QTabBar*>(widgetIfAny())) {
    const QSignalBlocker quiet(bar);
    bar->setCurrentIndex(tabIndex_);
  }
}

void TabStrip::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key != VK_LEFT && Key != VK_RIGHT) return;
  const int next = tabIndex_ + (Key == VK_LEFT ? -1 : 1);
  Key = 0;
  if (next >= 0 && next < tabs_->Count()) tabChosenByUser(next);
}

void TabStrip::tabChosenByUser(int Index) {
  if (Index == tabIndex_ || Index < 0 || Index >= tabs_->Count()) return;
  ControlRef self(this);
  if (!CanChange() || !self) return;
  SetTabIndex(Index);
  Change();
}

bool TabStrip::CanChange() {
  bool allow = true;
  qn::ui::callHandler(OnChanging, this, allow);
  return allow;
}

void TabStrip::Change() { qn::ui::callHandler(OnChange, this); }

QWidget* TabStrip::MakeWidget(QWidget* parentWidget) {
  auto* bar = new TabStripWidget(this, parentWidget);
  bar->setDrawBase(true);
  bar->setExpanding(false);
  return bar;
}

void TabStrip::WindowCreated() {
  TWinControl::WindowCreated();
  showTabs();
}

void TabStrip::tabsChanged(TObject*) {
  if (tabIndex_ >= tabs_->Count()) tabIndex_ = tabs_->Count() - 1;
  if (tabIndex_ < 0 && tabs_->Count() > 0) tabIndex_ = 0;
  showTabs();
}

void TabStrip::showTabs() {
  auto* bar = static_cast<QTabBar*>(widgetIfAny());
  if (!bar) return;
  const QSignalBlocker quiet(bar);
  while (bar->count() > 0) bar->removeTab(bar->count() - 1);
  for (int i = 0; i < tabs_->Count(); ++i) bar->addTab(QString::fromStdString(qn::ansiToUtf8(tabs_->Get(i))));
  bar->setCurrentIndex(tabIndex_);
}
