#include "framework/ui/DropDownWindow.h"

#include <QApplication>
#include <QChildEvent>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "framework/ui/Control.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/WinControl.h"

namespace {

DropDownWindow*& openDropDown() {
  static DropDownWindow* open = nullptr;
  return open;
}

void keepFromFocus(QWidget* widget) {
  widget->setFocusPolicy(Qt::NoFocus);
  for (QWidget* child : widget->findChildren<QWidget*>()) child->setFocusPolicy(Qt::NoFocus);
}

QWidget* makeDropDownWindow(TWinControl* owner) {
  FormBase* form = GetParentForm(owner);
  QWidget* formWindow = form && form->hasWindow() ? form->Window()->window() : nullptr;
  // A parent makes Qt give the window its transient parent: placed relative to the form.
  auto* window = new QWidget(formWindow, Qt::ToolTip | Qt::FramelessWindowHint);
  window->setAttribute(Qt::WA_ShowWithoutActivating);
  return window;
}

// Calls back for every event of the widgets it watches.
class EventWatcher : public QObject {
 public:
  EventWatcher(QObject* parent, std::function<void(QObject*, QEvent*)> seen) : QObject(parent), seen_(std::move(seen)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    seen_(watched, event);
    return false;
  }

 private:
  std::function<void(QObject*, QEvent*)> seen_;
};

}  // namespace

DropDownWindow::DropDownWindow(TWinControl* owner, QWidget* content) : owner_(owner) {
  window_ = makeDropDownWindow(owner);
  auto* layout = new QVBoxLayout(window_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(content);
  keepFromFocus(window_);
  QObject::connect(qApp, &QApplication::focusChanged, window_,
                   [this](QWidget* old, QWidget* now) { focusChanged(old, now); });
}

DropDownWindow::DropDownWindow(TWinControl* owner, TWinControl* content) : owner_(owner), content_(content) {
  window_ = makeDropDownWindow(owner);
  content->SetTabStop(false);
  content->SetHostWidget(window_);
  // The window made again comes into the drop-down as a new child: it is watched in its turn.
  watcher_ = new EventWatcher(window_, [this](QObject* watched, QEvent* event) {
    if (watched == window_.data()) {
      if (event->type() == QEvent::ChildAdded) watchContentWidget(static_cast<QChildEvent*>(event)->child());
      return;
    }
    auto* control = static_cast<TWinControl*>(content_.get());
    if (event->type() == QEvent::HideToParent && control && !control->Visible() && isOpen()) close();
  });
  window_->installEventFilter(watcher_);
  if (content->hasWindow()) content->recreateWindow();
  QObject::connect(qApp, &QApplication::focusChanged, window_,
                   [this](QWidget* old, QWidget* now) { focusChanged(old, now); });
}

void DropDownWindow::watchContentWidget(QObject* widget) {
  if (widget->isWidgetType() && widget != watcher_) widget->installEventFilter(watcher_);
}

DropDownWindow::~DropDownWindow() {
  close();
  delete window_.data();
}

TWinControl* DropDownWindow::owner() const { return static_cast<TWinControl*>(owner_.get()); }

void DropDownWindow::open(int width, int height) {
  TWinControl* control = owner();
  if (!control) return;
  place(width, height, control->ClientToScreen({0, 0}).X);
}

void DropDownWindow::open(int width, int height, int Left) {
  if (owner()) place(width, height, Left);
}

void DropDownWindow::place(int width, int height, int left) {
  TWinControl* control = owner();
  if (!window_ || !control) return;
  if (openDropDown() && openDropDown() != this) openDropDown()->close();
  const TRect work = Screen->workArea();
  const TPoint top = control->ClientToScreen({0, 0});
  const int below = top.Y + control->Height();
  above_ = below + height > work.Bottom && top.Y - height >= work.Top;
  const int y = above_ ? top.Y - height : below;
  const int x = std::max(work.Left, std::min(left, work.Right - width));
  placed_ = Rect(x, y, x + width, y + height);
  window_->setGeometry(x, y, width, height);
  if (auto* content = static_cast<TWinControl*>(content_.get())) {
    content->SetBounds(0, 0, width, height);
    content->SetVisible(true);
    content->createWindow();
  }
  keepFromFocus(window_);
  cancelled_ = false;
  openDropDown() = this;
  window_->show();
}

void DropDownWindow::close() {
  if (openDropDown() == this) openDropDown() = nullptr;
  if (window_) window_->hide();
}

bool DropDownWindow::isOpen() const { return openDropDown() == this && window_ && window_->isVisible(); }

bool DropDownWindow::ownerHolds(const QWidget* widget) const {
  TWinControl* control = owner();
  return widget && control && control->hasWindow() &&
         (widget == control->Window() || control->Window()->isAncestorOf(widget));
}

void DropDownWindow::focusChanged(QWidget* old, QWidget* now) {
  if (!isOpen() || cancelled_ || !ownerHolds(old) || ownerHolds(now)) return;
  cancelled_ = true;
  if (OnCancelMode) qn::ui::guarded(owner(), [this] { OnCancelMode(); });
}

void DropDownWindow::pressSeen(QWidget* receiver, TPoint screenPos) {
  DropDownWindow* open = openDropDown();
  if (!open || !open->isOpen() || inOpenDropDown(receiver) || open->ownerHolds(receiver)) return;
  if (open->OnPressOutside) qn::ui::guarded(open->owner(), [open, screenPos] { open->OnPressOutside(screenPos); });
}

bool DropDownWindow::inOpenDropDown(const QWidget* widget) {
  DropDownWindow* open = openDropDown();
  return widget && open && open->window_ && (widget == open->window_ || open->window_->isAncestorOf(widget));
}
