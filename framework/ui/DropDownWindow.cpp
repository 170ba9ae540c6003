#include "framework/ui/DropDownWindow.h"

#include <QApplication>
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

}  // namespace

DropDownWindow::DropDownWindow(TWinControl* owner, QWidget* content) : owner_(owner) {
  FormBase* form = GetParentForm(owner);
  QWidget* formWindow = form && form->hasWindow() ? form->Window()->window() : nullptr;
  // A parent makes Qt give the window its transient parent: placed relative to the form.
  window_ = new QWidget(formWindow, Qt::ToolTip | Qt::FramelessWindowHint);
  window_->setAttribute(Qt::WA_ShowWithoutActivating);
  auto* layout = new QVBoxLayout(window_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(content);
  keepFromFocus(window_);
  QObject::connect(qApp, &QApplication::focusChanged, window_,
                   [this](QWidget* old, QWidget* now) { focusChanged(old, now); });
}

DropDownWindow::~DropDownWindow() {
  close();
  delete window_.data();
}

TWinControl* DropDownWindow::owner() const { return static_cast<TWinControl*>(owner_.get()); }

void DropDownWindow::open(int width, int height) {
  TWinControl* control = owner();
  if (!window_ || !control) return;
  if (openDropDown() && openDropDown() != this) openDropDown()->close();
  const TRect work = Screen->workArea();
  const TPoint top = control->ClientToScreen({0, 0});
  const int below = top.Y + control->Height();
  above_ = below + height > work.Bottom && top.Y - height >= work.Top;
  const int y = above_ ? top.Y - height : below;
  const int x = std::max(work.Left, std::min(top.X, work.Right - width));
  placed_ = Rect(x, y, x + width, y + height);
  keepFromFocus(window_);
  window_->setGeometry(x, y, width, height);
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
