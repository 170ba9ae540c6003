#include "framework/ui/WinControl.h"

#include <QPainter>
#include <QWidget>
#include <QApplication>
#include <algorithm>
#include <cctype>

#include "framework/base/Exception.h"
#include "framework/base/ListIndex.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Focus.h"
#include "framework/ui/FontConversion.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/WidgetApplication.h"
#include "framework/ui/WindowHandles.h"

const EnumerationType kBorderStyleType{"TBorderStyle", {"bsNone", "bsSingle"}};

void TWinControl::PublishProperties(PropertyPublisher<TWinControl>& publish) {
  publish.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
  publish.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  publish.Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D);
  publish.Enumeration("BorderStyle", kBorderStyleType, &TWinControl::BorderStyle, &TWinControl::SetBorderStyle);
  publish.Event("OnEnter", &TWinControl::OnEnter, &TWinControl::OnEnter);
  publish.Event("OnExit", &TWinControl::OnExit, &TWinControl::OnExit);
  publish.Event("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::OnKeyDown);
  publish.Event("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::OnKeyPress);
  publish.Event("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::OnKeyUp);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  forgetWindowHandles(this);
  // A control that is a plain variable ends here without BeforeDestruction.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  if (hasWindow()) releaseWidget();
}

void TWinControl::BeforeDestruction() {
  // The focus leaves first, while the controls it may go to are all still there.
  FormBase* form = GetParentForm(this);
  if (form && form != this && form->ActiveControl() && ContainsControl(form->ActiveControl()))
    qn::ui::focusedControlUnusable(this);
  try {
    destroyWindow();
  } catch (...) {
    qn::ui::handleCurrentExceptionLater();
  }
  // Children go with their container, whoever owns them.
  while (!controls_.empty()) delete controls_.back();
  TControl::BeforeDestruction();
}

TControl* TWinControl::Controls(int Index) const {
  CheckListIndex(Index, ControlCount());
  return controls_[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

namespace {

template <class Match>
TControl* findDescendant(const TWinControl& container, Match match) {
  for (int i = 0; i < container.ControlCount(); ++i)
    if (match(container.Controls(i))) return container.Controls(i);
  for (int i = 0; i < container.ControlCount(); ++i)
    if (auto* inner = dynamic_cast<TWinControl*>(container.Controls(i)))
      if (TControl* found = findDescendant(*inner, match)) return found;
  return nullptr;
}

bool sameText(const AnsiString& a, const AnsiString& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

}  // namespace

TControl* TWinControl::FindChildControl(const AnsiString& ControlName) const {
  if (ControlName.empty()) return nullptr;
  return findDescendant(*this, [&](TControl* c) { return sameText(c->Name(), ControlName); });
}

TControl* TWinControl::FindChildControlOfClass(const AnsiString& ClassName) const {
  return findDescendant(*this, [&](TControl* c) { return c->InheritsFrom(ClassName); });
}

void TWinControl::SetTabStop(bool Value) {
  if (Value == tabStop_) return;
  tabStop_ = Value;
  applyFocusPolicy();
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  list.erase(std::find(list.begin(), list.end(), this));
  size_t at = Value < 0 ? list.size() : std::min(static_cast<size_t>(Value), list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

void TWinControl::SetCtl3D(bool Value) {
  if (Value == ctl3D_) return;
  ctl3D_ = Value;
  BorderChanged();
}

void TWinControl::SetBorderStyle(TBorderStyle Value) {
  if (Value == borderStyle_) return;
  borderStyle_ = Value;
  BorderChanged();
}

void TWinControl::insertControl(TControl* control) {
  controls_.push_back(control);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed) tabList_.push_back(windowed);
  control->parent_ = this;
  control->ParentFontChanged();
  control->ParentColorChanged();
  if (windowed) {
    if (hasWindow()) windowed->createWindow();
  } else {
    control->Invalidate();
  }
  AlignControls();
}

void TWinControl::removeControl(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed) {
    FormBase* form = GetParentForm(this);
    if (form && form->ActiveControl() && windowed->ContainsControl(form->ActiveControl()) &&
        !windowed->ComponentState().Contains(csDestroying))
      qn::ui::focusedControlUnusable(windowed);
    windowed->destroyWindow();
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), windowed), tabList_.end());
  } else {
    control->Invalidate();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  if (GetCaptureControl() == control) SetCaptureControl(nullptr);
  AlignControls();
}

void TWinControl::MoveChild(TControl* Child, int Position) {
  const auto found = std::find(controls_.begin(), controls_.end(), Child);
  if (found == controls_.end()) return;
  controls_.erase(found);
  const auto place = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(0, Position)), 0, controls_.size());
  controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(place), Child);
  Child->Invalidate();
}

QWidget* TWinControl::Window() {
  createWindow();
  return widget_.data();
}

void TWinControl::makeOwnWidget() {
  qn::ui::widgetApplication();  // refuses a Qt application that cannot route our input
  QWidget* parentWidget = Parent() ? Parent()->ParentWidgetForChildren() : host_.data();
  SetControlState(TControlState::FromMask(ControlState().Mask()).Include(csCreating));
  QWidget* widget = MakeWidget(parentWidget);
  widget_ = widget;
  link_ = qn::ui::linkOfWidget(widget);
  widget->setObjectName(QString::fromStdString(Name()));
  applyGeometry();
  widget->setEnabled(Enabled());
  qn::ui::applyFontToWidget(widget, *Font());
  if (Cursor() != crDefault) widget->setCursor(cursorShapeOf(Cursor()));
  applyFocusPolicy();
  WindowCreated();
  SetControlState(TControlState::FromMask(ControlState().Mask()).Exclude(csCreating));
}

void TWinControl::createWindow() {
  if (hasWindow()) return;
  if (Parent() && !Parent()->hasWindow()) {
    Parent()->createWindow();  // makes this one too
    if (hasWindow()) return;
  }
  makeOwnWidget();
  for (TControl* child : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->createWindow();
  applyVisibility();
}

void TWinControl::destroyWindow() {
  if (!hasWindow()) {
    widget_ = nullptr;
    link_ = nullptr;
    return;
  }
  WindowDestroying();
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (auto* windowed = dynamic_cast<TWinControl*>(*it)) windowed->destroyWindow();
  releaseWidget();
}

void TWinControl::recreateWindow() {
  if (!hasWindow()) return;
  QWidget* old = widget_.data();
  WidgetOfControl* oldLink = link_;
  QWidget* qtFocus = QApplication::focusWidget();
  // A child window keeps the focus it had; moving it to the new window takes Qt's focus away.
  QPointer<QWidget> keptFocus = qtFocus;
  const bool hadFocus = qtFocus && (qtFocus == old || old->isAncestorOf(qtFocus)) && qn::ui::controlOfWidget(qtFocus) == this;
  const bool focusedHere = qn::ui::focusedControl() == this;
  SetControlState(TControlState::FromMask(ControlState().Mask()).Include(csRecreating));
  WindowDestroying();
  // The old widget stays until the new one holds the children's windows.
  widget_ = nullptr;
  link_ = nullptr;
  makeOwnWidget();
  for (TControl* child : controls_) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->hasWindow()) continue;
    windowed->widget_->setParent(ParentWidgetForChildren());
    windowed->applyGeometry();
    windowed->applyVisibility();
  }
  applyVisibility();
  if (oldLink) oldLink->detach();
  if (qn::ui::widgetIsInDispatch(old)) {
    old->hide();
    old->setParent(nullptr);
    old->deleteLater();
  } else {
    delete old;
  }
  SetControlState(TControlState::FromMask(ControlState().Mask()).Exclude(csRecreating));
  // Showing the focus again is no move: no exit or enter handling.
  if (focusedHere || hadFocus) widget_->setFocus(Qt::OtherFocusReason);
  else if (keptFocus && widget_->isAncestorOf(keptFocus)) keptFocus->setFocus(Qt::OtherFocusReason);
}

void TWinControl::releaseWidget() {
  QWidget* widget = widget_.data();
  if (link_) link_->detach();
  widget_ = nullptr;
  link_ = nullptr;
  if (!widget) return;
  if (qn::ui::widgetIsInDispatch(widget)) {
    // Inside one of its own handlers (a click that frees its form): it goes once that returns.
    widget->hide();
    widget->setParent(nullptr);
    widget->deleteLater();
  } else {
    delete widget;
  }
}

bool TWinControl::ownsWidget(const QWidget* widget) const { return hasWindow() && qn::ui::controlOfWidget(widget) == this; }

QWidget* TWinControl::MakeWidget(QWidget* parentWidget) { return new ControlWidget<QWidget>(this, parentWidget); }

void TWinControl::WindowCreated() {}
void TWinControl::WindowDestroying() {}

void TWinControl::applyGeometry() {
  if (!hasWindow()) return;
  const TPoint origin = Parent() ? Parent()->OriginInWindow() : TPoint{0, 0};
  widget_->setGeometry(origin.X + Left(), origin.Y + Top(), Width(), Height());
}

void TWinControl::clientOriginChanged() {
  for (TControl* child : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->applyGeometry();
  if (hasWindow()) widget_->update();
}

void TWinControl::applyVisibility() {
  if (!hasWindow()) return;
  widget_->setVisible(Visible());
}

void TWinControl::applyFocusPolicy() {
  if (!hasWindow()) return;
  Qt::FocusPolicy policy = widget_->focusPolicy();
  if (!FocusOnPress() && !TabStop()) policy = Qt::NoFocus;
  else if (policy == Qt::NoFocus || policy > Qt::StrongFocus) policy = Qt::StrongFocus;
  widget_->setFocusPolicy(policy);
}

void TWinControl::windowWasResized(int AWidth, int AHeight) {
  if (AWidth == Width() && AHeight == Height()) return;
  bounds_ = Bounds(Left(), Top(), AWidth, AHeight);
  AlignControls();
}

bool TWinControl::CanFocus() const {
  if (ComponentState().Contains(csDestroying)) return false;
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled() || c->ComponentState().Contains(csDestroying)) return false;
  return true;
}

bool TWinControl::Focused() const { return qn::ui::focusedControl() == this; }

void TWinControl::SetFocus() {
  if (!CanFocus())
    throw EInvalidOperation("Cannot focus '" + (Name().empty() ? ClassName() : Name()) + "': it is hidden or disabled.");
  qn::ui::moveFocus(this);
}

void TWinControl::WndProc(TMessage& Message) {
  if (Message.Msg != WM_KEYDOWN) {
    TControl::WndProc(Message);
    return;
  }
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  qn::ui::sendKey(this, static_cast<WORD>(Message.WParam), shift);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  qn::ui::callHandler(OnKeyDown, this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  qn::ui::callHandler(OnKeyPress, this, Key);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  qn::ui::callHandler(OnKeyUp, this, Key, Shift);
}

void TWinControl::DoEnter() {
  qn::ui::callHandler(OnEnter, this);
}

void TWinControl::DoExit() {
  qn::ui::callHandler(OnExit, this);
}

namespace {

void collectTabOrder(const TWinControl& container, std::vector<TWinControl*>& list) {
  for (TWinControl* child : container.TabOrderList()) {
    list.push_back(child);
    collectTabOrder(*child, list);
  }
}

}  // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop) const {
  std::vector<TWinControl*> list;
  collectTabOrder(*this, list);
  if (list.empty()) return nullptr;
  const auto n = static_cast<std::ptrdiff_t>(list.size());
  auto found = std::find(list.begin(), list.end(), CurControl);
  std::ptrdiff_t start = found == list.end() ? (GoForward ? n - 1 : 0) : found - list.begin();
  for (std::ptrdiff_t step = 1; step <= n; ++step) {
    std::ptrdiff_t i = GoForward ? (start + step) % n : (start - step + n) % n;
    TWinControl* candidate = list[static_cast<size_t>(i)];
    if (candidate == CurControl) continue;
    if (CurControl && CurControl->ContainsControl(candidate) && CurControl->ComponentState().Contains(csDestroying)) continue;
    if (!candidate->CanFocus()) continue;
    if (CheckTabStop && !candidate->TabStop()) continue;
    return candidate;
  }
  return nullptr;
}

void TWinControl::SetName(const AnsiString& NewName) {
  TControl::SetName(NewName);
  if (hasWindow()) widget_->setObjectName(QString::fromStdString(Name()));
}

TRect TWinControl::ClientRect() const { return Rect(0, 0, Width(), Height()); }

void TWinControl::Invalidate() {
  if (hasWindow()) widget_->update();
}

void TWinControl::Repaint() {
  if (hasWindow()) widget_->repaint();
}

void TWinControl::SetRedraw(bool Value) {
  // Switching updates on again schedules the one repaint itself.
  if (hasWindow()) widget_->setUpdatesEnabled(Value);
}

TControl* TWinControl::WindowlessControlAt(TPoint Point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    if (!c->BoundsRect().Contains(Point)) continue;
    if (c->HitTest({Point.X - c->Left(), Point.Y - c->Top()})) return c;
  }
  return nullptr;
}

void TWinControl::PaintWindowlessChildren(QPainter& painter) {
  for (TControl* c : controls_) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    painter.save();
    painter.translate(c->Left(), c->Top());
    painter.setClipRect(0, 0, c->Width(), c->Height());
    c->PaintControl(painter);
    painter.restore();
  }
}

void TWinControl::FontChanged() {
  if (hasWindow()) qn::ui::applyFontToWidget(widget_, *Font());
  TControl::FontChanged();
  for (TControl* child : std::vector<TControl*>(controls_)) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* child : std::vector<TControl*>(controls_)) child->ParentColorChanged();
}

void TWinControl::EnabledChanged() {
  if (hasWindow()) widget_->setEnabled(Enabled());
  if (!Enabled()) {
    FormBase* form = GetParentForm(this);
    if (form && form != this && form->ActiveControl() && ContainsControl(form->ActiveControl()))
      qn::ui::focusedControlUnusable(this);
  }
  TControl::EnabledChanged();
}

void TWinControl::VisibleChanged() {
  if (!Visible()) {
    FormBase* form = GetParentForm(this);
    if (form && form != this && form->ActiveControl() && ContainsControl(form->ActiveControl()))
      qn::ui::focusedControlUnusable(this);
  }
  // Shown inside a window, or as a window of its own: now it needs one.
  if (Visible() && (!Parent() || Parent()->hasWindow())) createWindow();
  applyVisibility();
  if (Parent()) Parent()->AlignControls();
}

void TWinControl::BoundsChanged() {
  applyGeometry();
  AlignControls();
}

void TWinControl::scaleChildren(int M, int D, int NewWidth, int NewHeight, FontScaling Fonts) {
  for (TControl* child : std::vector<TControl*>(controls_)) child->scaleInParent(M, D, Fonts);
  laidOutWidth_ = NewWidth;
  laidOutHeight_ = NewHeight;
}

void TWinControl::scaleInParent(int M, int D, FontScaling Fonts) {
  scaleChildren(M, D, scaledByRatio(Width(), M, D), scaledByRatio(Height(), M, D), Fonts);
  TControl::scaleInParent(M, D, Fonts);
}

void TWinControl::AlignControls() {
  TRect client = ClientRect();
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != kind || !c->Visible()) continue;
      switch (kind) {
        case alTop:
          c->SetBounds(client.Left, client.Top, client.Width(), c->Height());
          client.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(client.Left, client.Bottom - c->Height(), client.Width(), c->Height());
          client.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(client.Left, client.Top, c->Width(), client.Height());
          client.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(client.Right - c->Width(), client.Top, c->Width(), client.Height());
          client.Right -= c->Width();
          break;
        default:
          c->SetBounds(client.Left, client.Top, client.Width(), client.Height());
          break;
      }
    }
  }
  // Anchored children keep their distance to the sides they are anchored to.
  const int dw = Width() - laidOutWidth_;
  const int dh = Height() - laidOutHeight_;
  if (laidOutWidth_ > 0 || laidOutHeight_ > 0) {
    for (TControl* c : controls_) {
      if (c->Align() != alNone || (dw == 0 && dh == 0)) continue;
      TAnchors a = c->Anchors();
      int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
      if (a.Contains(akRight)) (a.Contains(akLeft) ? width : left) += dw;
      if (a.Contains(akBottom)) (a.Contains(akTop) ? height : top) += dh;
      c->SetBounds(left, top, width, height);
    }
  }
  laidOutWidth_ = Width();
  laidOutHeight_ = Height();
}
