#include "framework/ui/Control.h"

#include <QWidget>

#include "framework/base/Exception.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/PostedCall.h"
#include "framework/ui/WinControl.h"

const EnumerationType kAlignType{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
const EnumerationType kAnchorKindType{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};

void TControl::PublishProperties(PropertyPublisher<TControl>& publish) {
  publish.Integer("Left", &TControl::Left, &TControl::SetLeft);
  publish.Integer("Top", &TControl::Top, &TControl::SetTop);
  publish.Integer("Width", &TControl::Width, &TControl::SetWidth);
  publish.Integer("Height", &TControl::Height, &TControl::SetHeight);
  publish.Enumeration("Align", kAlignType, &TControl::Align, &TControl::SetAlign);
  publish.Set("Anchors", kAnchorKindType, &TControl::Anchors, &TControl::SetAnchors);
  publish.Object("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  publish.Boolean("Visible", &TControl::Visible, &TControl::SetVisible);
  publish.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled);
  publish.Integer("Color", &TControl::Color, &TControl::SetColor);
  publish.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  publish.Object("Font", &TControl::Font, &TControl::SetFont);
  publish.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
  publish.String("Hint", &TControl::Hint, &TControl::SetHint);
  publish.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  publish.Integer("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext);
  publish.Object("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  publish.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor);
  publish.Event("OnClick", &TControl::OnClick, &TControl::OnClick);
  publish.Event("OnDblClick", &TControl::OnDblClick, &TControl::OnDblClick);
  publish.Event("OnMouseDown", &TControl::OnMouseDown, &TControl::OnMouseDown);
  publish.Event("OnMouseUp", &TControl::OnMouseUp, &TControl::OnMouseUp);
  publish.Event("OnMouseMove", &TControl::OnMouseMove, &TControl::OnMouseMove);
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      bounds_(Bounds(0, 0, 0, 0)),
      constraints_(std::make_unique<TSizeConstraints>()),
      font_(std::make_unique<TFont>()),
      messageTarget_(new qn::ui::PostedCallTarget(this)),
      self_(std::make_shared<TControl*>(this)) {
  font_->OnChange = [this](TObject* sender) { fontOwnChanged(sender); };
  constraints_->OnChange = [this](TObject* sender) { constraintsChanged(sender); };
}

TControl::~TControl() {
  // Normally done by BeforeDestruction; a control that is a plain variable ends here.
  if (self_) *self_ = nullptr;
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (parent_) parent_->removeControl(this);
  qn::ui::PostedCallTarget::dispose(std::exchange(messageTarget_, nullptr));
}

void TControl::BeforeDestruction() {
  *self_ = nullptr;
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  // Posted messages and calls to a freed control are dropped.
  qn::ui::PostedCallTarget::dispose(std::exchange(messageTarget_, nullptr));
  TComponent::BeforeDestruction();
  if (parent_) parent_->removeControl(this);
}

QObject* TControl::MessageTarget() const { return messageTarget_; }

void TControl::SetParent(TWinControl* Value) {
  if (Value == parent_) return;
  for (const TControl* c = Value; c; c = c->parent_)
    if (c == this) throw EInvalidOperation("Control '" + Name() + "' cannot be its own parent or ancestor");
  if (Value) Value->AcceptChild(this);
  if (parent_) parent_->removeControl(this);
  if (Value) Value->insertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = constraints_->ConstrainWidth(AWidth);
  AHeight = constraints_->ConstrainHeight(AHeight);
  TRect next = Bounds(ALeft, ATop, AWidth, AHeight);
  if (next == bounds_) return;
  if (!parent_ || !parent_->hasWindow()) {
    bounds_ = next;
    BoundsChanged();
    return;
  }
  // A windowless control is painted by its parent: both its old and its new place need painting.
  Invalidate();
  bounds_ = next;
  BoundsChanged();
  Invalidate();
}

void TControl::scaleInParent(int M, int D, FontScaling Fonts) {
  SetBounds(scaledByRatio(Left(), M, D), scaledByRatio(Top(), M, D), scaledByRatio(Width(), M, D),
            scaledByRatio(Height(), M, D));
  if (Fonts == FontScaling::Scale && !ParentFont()) Font()->SetHeight(scaledByRatio(Font()->Height(), M, D));
}

TRect TControl::ClientRect() const { return Rect(0, 0, Width(), Height()); }

void TControl::SetAlign(TAlign Value) {
  if (Value == align_) return;
  align_ = Value;
  if (parent_) parent_->AlignControls();
}

void TControl::constraintsChanged(TObject*) { SetBounds(Left(), Top(), Width(), Height()); }

void TControl::SetVisible(bool Value) {
  if (Value == visible_) return;
  visible_ = Value;
  VisibleChanged();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  EnabledChanged();
}

void TControl::SetColor(TColor Value) {
  parentColor_ = false;
  if (Value == color_) return;
  color_ = Value;
  ColorChanged();
}

void TControl::SetParentColor(bool Value) {
  parentColor_ = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_ || parent_->Color() == color_) return;
  color_ = parent_->Color();
  ColorChanged();
}

void TControl::SetParentFont(bool Value) {
  parentFont_ = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  followingParentFont_ = true;
  try {
    font_->Assign(parent_->Font());
  } catch (...) {
    followingParentFont_ = false;
    throw;
  }
  followingParentFont_ = false;
}

void TControl::fontOwnChanged(TObject*) {
  if (!followingParentFont_) parentFont_ = false;
  FontChanged();
}

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::EnabledChanged() { Invalidate(); }
void TControl::BoundsChanged() {}

void TControl::VisibleChanged() {
  if (parent_ && parent_->hasWindow()) {
    TRect r = bounds_;
    QWidget* w = parent_->Window();
    w->update(r.Left, r.Top, r.Width(), r.Height());
  }
}

void TControl::SetTextValue(const AnsiString& Value) {
  if (Value == text_) return;
  text_ = Value;
  TextChanged();
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (Value == popupMenu_) return;
  if (popupMenu_) RemoveFreeNotification(popupMenu_);
  popupMenu_ = Value;
  if (popupMenu_) FreeNotification(popupMenu_);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
  TComponent::Notification(AComponent, Operation);
}

void TControl::SetCursor(TCursor Value) {
  if (Value == cursor_) return;
  cursor_ = Value;
  if (TWinControl* host = WindowedHost(); host && host->hasWindow() && host == this)
    host->Window()->setCursor(cursorShapeOf(Value));
}

TPoint TControl::OriginInWindow() const {
  // Painted on its parent's window, where the parent's client area may not begin at the corner.
  const TPoint client = parent_ ? parent_->OriginInWindow() : TPoint{0, 0};
  return {client.X + Left(), client.Y + Top()};
}

TWinControl* TControl::WindowedHost() const { return parent_; }

TPoint TControl::ClientToScreen(TPoint Point) const {
  TWinControl* host = WindowedHost();
  TPoint origin = OriginInWindow();
  TPoint inHost{Point.X + origin.X, Point.Y + origin.Y};
  if (!host) return inHost;
  if (host->hasWindow()) {
    QPoint global = host->Window()->mapToGlobal(QPoint(inHost.X, inHost.Y));
    return {global.x(), global.y()};
  }
  // No window yet: the places the controls will have.
  if (host == this) {
    if (!parent_) return {Left() + Point.X, Top() + Point.Y};
    return parent_->ClientToScreen({Left() + Point.X, Top() + Point.Y});
  }
  return host->ClientToScreen(inHost);
}

TPoint TControl::ScreenToClient(TPoint Point) const {
  TPoint zero = ClientToScreen({0, 0});
  return {Point.X - zero.X, Point.Y - zero.Y};
}

void TControl::Invalidate() {
  TWinControl* host = WindowedHost();
  if (!host || !host->hasWindow()) return;
  TPoint origin = OriginInWindow();
  host->Window()->update(origin.X, origin.Y, Width(), Height());
}

void TControl::Repaint() {
  TWinControl* host = WindowedHost();
  if (!host || !host->hasWindow()) return;
  TPoint origin = OriginInWindow();
  host->Window()->repaint(origin.X, origin.Y, Width(), Height());
}

std::intptr_t TControl::Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONUP) {
    auto x = static_cast<std::int16_t>(Message.LParam & 0xFFFF);
    auto y = static_cast<std::int16_t>((Message.LParam >> 16) & 0xFFFF);
    MouseUpAt(mbLeft, {}, {x, y});
  }
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (Value) SetCaptureControl(this);
  else if (MouseCapture()) SetCaptureControl(nullptr);
}

void TControl::MouseDownAt(TMouseButton Button, TShiftState Shift, TPoint Point, bool Double) {
  ControlRef self(this);
  // A quick second press on a control that takes no double clicks counts as a press of its own,
  // so a button pressed twice is clicked twice.
  if (!controlStyle_.Contains(csReceivesDoubleClicks)) Double = false;
  if (Button == mbLeft) {
    controlState_.Include(csLButtonDown);
    if (Double) controlState_.Exclude(csClicked);
    else controlState_.Include(csClicked);
    SetMouseCapture(true);
  }
  if (Double) {
    Shift.Include(ssDouble);
    if (Button == mbLeft) {
      DblClick();
      if (!self) return;
    }
  }
  MouseDown(Button, Shift, Point.X, Point.Y);
}

void TControl::MouseUpAt(TMouseButton Button, TShiftState Shift, TPoint Point) {
  ControlRef self(this);
  bool click = false;
  if (Button == mbLeft) {
    click = controlState_.Contains(csClicked) && HitTest(Point);
    controlState_.Exclude(csLButtonDown);
    controlState_.Exclude(csClicked);
    SetMouseCapture(false);
  }
  if (click) {
    Click();
    if (!self) return;
  }
  MouseUp(Button, Shift, Point.X, Point.Y);
}

void TControl::MouseMoveAt(TShiftState Shift, TPoint Point) { MouseMove(Shift, Point.X, Point.Y); }

void TControl::Click() {
  qn::ui::callHandler(OnClick, this);
}

void TControl::DblClick() {
  qn::ui::callHandler(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  qn::ui::callHandler(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  qn::ui::callHandler(OnMouseUp, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  qn::ui::callHandler(OnMouseMove, this, Shift, X, Y);
}
