#include "framework/ui/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>
#include <cmath>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/Exception.h"
#include "framework/ui/ActiveForm.h"
#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/Focus.h"
#include "framework/ui/PostedCall.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "platform/os/Process.h"

const EnumerationType kPositionType{"TPosition",
                                    {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                     "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
const EnumerationType kFormBorderStyleType{"TFormBorderStyle",
                                           {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const EnumerationType kBorderIconType{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const EnumerationType kFormStyleType{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
const EnumerationType kWindowStateType{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};

namespace {

// The native window of a form: activation, the window system's close and state changes and its
// client size reach the form.
class FormWindow : public ControlWidget<QWidget> {
 public:
  FormWindow(TForm* form, QWidget* parent) : ControlWidget<QWidget>(form, parent) {}

 protected:
  bool event(QEvent* event) override {
    const bool result = ControlWidget<QWidget>::event(event);
    TForm* form = this->form();
    if (form && isWindow() && !form->Docked()) {
      if (event->type() == QEvent::WindowActivate) qn::ui::guarded(form, [form] { qn::ui::formWindowActivated(form); });
      if (event->type() == QEvent::WindowDeactivate) qn::ui::guarded(form, [form] { qn::ui::formWindowDeactivated(form); });
    }
    return result;
  }
  void closeEvent(QCloseEvent* event) override {
    // The form decides, and hides or frees itself.
    event->ignore();
    if (TForm* form = this->form()) qn::ui::guarded(form, [form] { form->windowCloseRequested(); });
  }
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    TForm* form = this->form();
    if (!form || event->type() != QEvent::WindowStateChange || !isWindow()) return;
    const TWindowState state = isMinimized() ? wsMinimized : isMaximized() ? wsMaximized : wsNormal;
    qn::ui::guarded(form, [form, state] { form->windowStateChangedBySystem(state); });
  }
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    TForm* form = this->form();
    if (!form) return;
    const QSize size = event->size();
    qn::ui::guardedDeferred([form, size] {
      form->clientWasResized(size.width(), size.height() - form->OriginInWindow().Y);
    });
  }

 private:
  // Also asked while the form is being destroyed (then it is no TForm any more).
  TForm* form() const { return dynamic_cast<TForm*>(control()); }
};

TWindowState stateOfShowCommand(int show) {
  switch (show) {
    case qn::os::SW_SHOWMINIMIZED:
    case qn::os::SW_MINIMIZE:
    case qn::os::SW_SHOWMINNOACTIVE: return wsMinimized;
    case qn::os::SW_SHOWMAXIMIZED: return wsMaximized;
    default: return wsNormal;
  }
}

Qt::WindowStates qtStateOf(TWindowState state) {
  switch (state) {
    case wsMinimized: return Qt::WindowMinimized;
    case wsMaximized: return Qt::WindowMaximized;
    default: return Qt::WindowNoState;
  }
}

}  // namespace

void TForm::PublishProperties(PropertyPublisher<TForm>& publish) {
  publish.String("Caption", &TForm::Caption, &TForm::SetCaption);
  publish.Enumeration("Position", kPositionType, &TForm::Position, &TForm::SetPosition);
  publish.Enumeration("BorderStyle", kFormBorderStyleType, &TForm::publishedBorderStyle, &TForm::setPublishedBorderStyle);
  publish.Set("BorderIcons", kBorderIconType, &TForm::BorderIcons, &TForm::SetBorderIcons);
  publish.Enumeration("FormStyle", kFormStyleType, &TForm::FormStyle, &TForm::SetFormStyle);
  publish.Enumeration("WindowState", kWindowStateType, &TForm::WindowState, &TForm::SetWindowState);
  publish.Boolean("AutoSize", &TForm::AutoSize, &TForm::SetAutoSize);
  publish.Boolean("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview);
  publish.Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  publish.Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  publish.Integer("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch);
  publish.Event("OnCreate", &TForm::OnCreate, &TForm::OnCreate);
  publish.Event("OnShow", &TForm::OnShow, &TForm::OnShow);
  publish.Event("OnHide", &TForm::OnHide, &TForm::OnHide);
  publish.Event("OnClose", &TForm::OnClose, &TForm::OnClose);
  publish.Event("OnCloseQuery", &TForm::OnCloseQuery, &TForm::OnCloseQuery);
  publish.Event("OnDestroy", &TForm::OnDestroy, &TForm::OnDestroy);
  publish.Event("OnActivate", &TForm::OnActivate, &TForm::OnActivate);
  publish.Event("OnDeactivate", &TForm::OnDeactivate, &TForm::OnDeactivate);
  publish.Event("OnResize", &TForm::OnResize, &TForm::OnResize);
  publish.Event("OnMouseWheel", &TForm::OnMouseWheel, &TForm::OnMouseWheel);
}

TForm::TForm(TComponent* AOwner) : FormBase(AOwner), pixelsPerInch_(Screen->PixelsPerInch()) {
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() = default;

void TForm::AfterConstruction() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    if (!ExceptionHookInstalled()) throw;
    HandleApplicationException(this);
  }
}

void TForm::BeforeDestruction() {
  qn::ui::formGoing(this);
  // While the form is whole: its controls are still there for the handler.
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      HandleApplicationException(this);
    }
  }
  unregisterWindow();
  FormBase::BeforeDestruction();
}

void TForm::SetCaption(const AnsiString& Value) {
  caption_ = Value;
  if (hasWindow() && !Docked()) Window()->setWindowTitle(QString::fromStdString(qn::ansiToUtf8(caption_)));
  if (registryId_) registryBus_->setCaption(registryId_, caption_);
}

// ---- Window style -------------------------------------------------------------------------

void TForm::CreateParams(TCreateParams& Params) {
  Params.WinClassName = ClassName();
  Params.Style = Docked() ? WS_CHILD : WS_POPUP;
  Params.ExStyle = 0;
  switch (formBorderStyle_) {
    case bsNone: break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION; break;
    case bsDialog: Params.Style |= WS_CAPTION; break;
    default: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
  }
  if (formBorderStyle_ == bsToolWindow || formBorderStyle_ == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
  if ((Params.Style & WS_CAPTION) == WS_CAPTION && borderIcons_.Contains(biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    if (formBorderStyle_ != bsDialog && formBorderStyle_ != bsToolWindow && formBorderStyle_ != bsSizeToolWin) {
      if (borderIcons_.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
      if (borderIcons_.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (borderIcons_.Contains(biHelp)) Params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
}

TRect TForm::frameExtents() const {
  if (Docked()) return {};
  TCreateParams params;
  const_cast<TForm*>(this)->CreateParams(params);
  const ScreenFacts facts = Screen->metrics();
  const int caption = (params.Style & WS_CAPTION) == WS_CAPTION ? facts.captionHeight : 0;
  int frame = 0;
  if (params.Style & WS_THICKFRAME) frame = facts.sizingFrameHeight;
  else if (params.Style & WS_DLGFRAME) frame = facts.dialogFrameHeight;
  else if (params.Style & WS_BORDER) frame = facts.borderHeight;
  return Rect(frame, frame + caption + menuBarHeight(), frame, frame);
}

int TForm::menuBarHeight() const { return menuBar_ && !Docked() ? Screen->metrics().menuHeight : 0; }

TPoint TForm::OriginInWindow() const { return {0, menuBarHeight()}; }

// The bar lives in the window: a window destroyed takes it along (its caller keeps a guarded
// pointer), and the form has no bar until it is given one again.
void TForm::setMenuBar(QWidget* bar) {
  if (bar == menuBar_) return;
  const TRect outer = BoundsRect();
  if (menuBar_) {
    menuBar_->hide();
    menuBar_->setParent(nullptr);
  }
  menuBar_ = bar;
  placeMenuBar();
  // The outer size stays; the client area changes by the bar.
  SetBounds(outer.Left, outer.Top, outer.Width(), outer.Height());
  applyWindowGeometry();
  clientOriginChanged();
  AlignControls();
}

void TForm::placeMenuBar() {
  if (!menuBar_ || !hasWindow() || Docked()) return;
  QWidget* window = Window();
  if (menuBar_->parentWidget() != window) menuBar_->setParent(window);
  menuBar_->setGeometry(0, 0, ClientWidth(), menuBarHeight());
  menuBar_->show();
}

void TForm::applyWindowFlags(QWidget* widget) {
  TCreateParams params;
  CreateParams(params);
  Qt::WindowFlags flags = (params.ExStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
  if (!(params.Style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER))) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint;
    if ((params.Style & WS_CAPTION) == WS_CAPTION) flags |= Qt::WindowTitleHint;
    if (params.Style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (params.Style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (params.Style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    if (params.ExStyle & WS_EX_CONTEXTHELP) flags |= Qt::WindowContextHelpButtonHint;
  }
  if (params.ExStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  widget->setWindowFlags(flags);
  widget->setWindowState(qtStateOf(windowState_));
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == formBorderStyle_) return;
  const TRect client = ClientRect();
  formBorderStyle_ = Value;
  // The client area keeps its size; the frames around it change.
  const TRect frame = frameExtents();
  SetBounds(Left(), Top(), client.Width() + frame.Left + frame.Right, client.Height() + frame.Top + frame.Bottom);
  remakeWindow();
}

void TForm::SetBorderIcons(TBorderIcons Value) {
  if (Value == borderIcons_) return;
  borderIcons_ = Value;
  remakeWindow();
}

void TForm::SetFormStyle(TFormStyle Value) {
  if (Value == formStyle_) return;
  const bool onTopChanged = (Value == fsStayOnTop) != (formStyle_ == fsStayOnTop);
  formStyle_ = Value;
  if (onTopChanged) remakeWindow();
}

void TForm::remakeWindow() {
  if (!hasWindow() || Docked()) return;
  QWidget* widget = Window();
  const bool visible = widget->isVisible();
  // A remake whose activation has not arrived yet still counts as active.
  const bool wasActive = remaking_ || widget->isActiveWindow();
  remaking_ = true;
  // Qt makes the native window again when the flags change; the window is hidden meanwhile.
  applyWindowFlags(widget);
  applyWindowGeometry();
  if (visible) {
    widget->show();
    if (wasActive) BringToFront();
  }
  // The activation the new native window gets is not a change of the form's: it stays marked
  // until that activation arrives.
  remaking_ = visible && wasActive;
  qn::ui::showFocus(this);
}

// ---- Size and place -----------------------------------------------------------------------

TRect TForm::ClientRect() const {
  const TRect frame = frameExtents();
  return Rect(0, 0, std::max(0, Width() - frame.Left - frame.Right), std::max(0, Height() - frame.Top - frame.Bottom));
}

void TForm::SetClientWidth(int Value) {
  const TRect frame = frameExtents();
  SetWidth(Value + frame.Left + frame.Right);
}

void TForm::SetClientHeight(int Value) {
  const TRect frame = frameExtents();
  SetHeight(Value + frame.Top + frame.Bottom);
}

void TForm::applyWindowGeometry() {
  if (!hasWindow()) return;
  QWidget* widget = Window();
  applyingGeometry_ = true;
  if (Docked()) {
    // Inside the parent's client area, which a menu bar may push down.
    const TPoint origin = Parent()->OriginInWindow();
    widget->setGeometry(origin.X + Left(), origin.Y + Top(), Width(), Height());
  } else {
    widget->resize(ClientWidth(), ClientHeight() + menuBarHeight());
    placeMenuBar();
    // The window's frame, as the window manager draws it, starts here.
    widget->move(Left(), Top());
  }
  applyingGeometry_ = false;
}

void TForm::PaintWindow(QPainter& painter) {
  painter.fillRect(0, 0, ClientWidth(), ClientHeight(), qn::ui::qtColor(Color()));
}

void TForm::BoundsChanged() {
  applyWindowGeometry();
  AlignControls();
  if (OnResize) OnResize(this);
}

void TForm::clientWasResized(int AWidth, int AHeight) {
  if (applyingGeometry_) return;
  const TRect frame = frameExtents();
  const int width = AWidth + frame.Left + frame.Right;
  const int height = AHeight + frame.Top + frame.Bottom;
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

void TForm::SetAutoSize(bool Value) {
  autoSize_ = Value;
  if (!autoSize_) return;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    right = std::max(right, c->Left() + c->Width());
    bottom = std::max(bottom, c->Top() + c->Height());
  }
  if (right > 0 && bottom > 0) {
    SetClientWidth(right);
    SetClientHeight(bottom);
  }
}

void TForm::scaleByRatio(int M, int D) { scaleClientArea(M, D, FontScaling::Scale); }

void TForm::scaleFromDesign(int DesignPixelsPerInch) {
  if (scaledFromDesign_) return;
  scaledFromDesign_ = true;
  scaleClientArea(PixelsPerInch(), DesignPixelsPerInch, FontScaling::Keep);
}

void TForm::scaleClientArea(int M, int D, FontScaling Fonts) {
  if (M == D || D == 0) return;
  const TRect frame = frameExtents();
  const int width = scaledByRatio(ClientWidth(), M, D) + frame.Left + frame.Right;
  const int height = scaledByRatio(ClientHeight(), M, D) + frame.Top + frame.Bottom;
  scaleChildren(M, D, width, height, Fonts);
  if (Fonts == FontScaling::Scale) Font()->SetHeight(scaledByRatio(Font()->Height(), M, D));
  SetBounds(Left(), Top(), width, height);
}

void TForm::placeForFirstShow() {
  shownBefore_ = true;
  if (Application && Application->MainForm() == this) {
    const qn::os::StartupPlacement placement = qn::os::startupPlacement();
    if (placement.showWindow) windowState_ = stateOfShowCommand(*placement.showWindow);
    if (placement.x || placement.y) {
      SetBounds(placement.x.value_or(Left()), placement.y.value_or(Top()), Width(), Height());
      return;
    }
  }
  TRect area = Rect(0, 0, Screen->width(), Screen->height());
  if (position_ == poDesktopCenter) area = Screen->workArea();
  if (position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
    auto* main = Application ? dynamic_cast<TForm*>(position_ == poOwnerFormCenter ? Owner() : Application->MainForm()) : nullptr;
    if (main && main != this) area = main->BoundsRect();
  } else if (position_ != poScreenCenter && position_ != poDesktopCenter) {
    return;
  }
  SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

// ---- Window -------------------------------------------------------------------------------

QWidget* TForm::MakeWidget(QWidget* parentWidget) {
  auto* widget = new FormWindow(this, parentWidget);
  if (!parentWidget) {
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    applyWindowFlags(widget);
    widget->setWindowTitle(QString::fromStdString(qn::ansiToUtf8(caption_)));
  }
  return widget;
}

void TForm::WindowCreated() {
  FormBase::WindowCreated();
  applyWindowGeometry();
  if (!Docked()) registerWindow();
}

void TForm::WindowDestroying() {
  unregisterWindow();
  FormBase::WindowDestroying();
}

void TForm::registerWindow() {
  if (registryId_ || !Application) return;
  qn::os::WindowHandlers handlers;
  handlers.onMessage = [this](const qn::os::WindowMessage& message) { WindowMessageReceived(message); };
  handlers.onRequest = [this](qn::os::WindowRequest request) { answerWindowRequest(request); };
  registryBus_ = &Application->Bus();
  registryId_ = registryBus_->registerWindow(ClassName(), caption_, Application->Handle(), std::move(handlers),
                                             Application->MainForm() == this);
  if (windowState_ == wsMinimized) registryBus_->setMinimized(registryId_, true);
}

void TForm::unregisterWindow() {
  if (!registryId_) return;
  registryBus_->unregisterWindow(std::exchange(registryId_, 0));
}

void TForm::answerWindowRequest(qn::os::WindowRequest) {
  // Either request: a minimised form is restored, and the form comes to the front.
  if (windowState_ == wsMinimized) SetWindowState(wsNormal);
  if (!Visible()) Show();
  BringToFront();
}

void TForm::BringToFront() {
  if (!hasWindow()) return;
  // Docked: above the other children of its parent, where they overlap.
  if (Docked()) {
    Window()->raise();
    return;
  }
  QWidget* widget = Window();
  widget->raise();
  widget->activateWindow();
  // Widgets learn of activation only from a change of the focus window. A native window that
  // kept the focus while hidden (nothing else took it when a modal run ended), or a remade one
  // that inherited it, changes nothing: without this the form would never count as active again
  // and no focus move would reach its controls.
  if (QGuiApplication::focusWindow() == widget->windowHandle() && QApplication::activeWindow() != widget)
    QApplication::setActiveWindow(widget);
}

void TForm::SetWindowState(TWindowState Value) {
  if (Value == windowState_) return;
  windowState_ = Value;
  if (hasWindow() && !Docked()) Window()->setWindowState(qtStateOf(Value));
  if (registryId_) registryBus_->setMinimized(registryId_, Value == wsMinimized);
}

void TForm::windowStateChangedBySystem(TWindowState State) {
  windowState_ = State;
  if (registryId_) registryBus_->setMinimized(registryId_, State == wsMinimized);
}

void TForm::VisibleChanged() {
  std::exception_ptr failure;
  if (Visible()) {
    if (!Docked()) {
      if (!shownBefore_) placeForFirstShow();
      createWindow();
      Window()->setWindowState(qtStateOf(windowState_));
    }
    try {
      DoShow();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  const bool hidingActive = !Visible() && !Docked() && hasWindow() && Window()->isActiveWindow();
  FormBase::VisibleChanged();
  if (Visible() && !Docked() && hasWindow() && windowState_ != wsMinimized) BringToFront();
  // The window system may leave no window active: the form active before this one takes over.
  if (hidingActive) qn::ui::activatePreviousForm(this);
  if (!Visible()) DoHide();
  if (failure) std::rethrow_exception(failure);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoActivate() {
  if (remaking_ && !Docked()) {
    remaking_ = false;
    return;
  }
  if (OnActivate) OnActivate(this);
}

void TForm::DoDeactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TForm::SetParent(TWinControl* Value) {
  if (Value == Parent()) return;
  if (hasWindow()) destroyWindow();
  FormBase::SetParent(Value);
  if (Visible() && !Docked()) {
    createWindow();
    BringToFront();
  }
}

void TForm::SetFocus() {
  if (!Docked()) {
    BringToFront();
    if (ActiveControl() && ActiveControl()->CanFocus()) ActiveControl()->SetFocus();
    return;
  }
  TWinControl* target = ActiveControl() && ActiveControl()->CanFocus() ? ActiveControl() : FindNextControl(nullptr, true, true);
  if (target) target->SetFocus();
}

bool TForm::DialogKey(WORD Key, TShiftState Shift) {
  return qn::ui::pressDialogButton(this, Key) || FormBase::DialogKey(Key, Shift);
}

bool TForm::MouseWheelHandled(int WheelDelta, TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}

// ---- Closing and modal runs ---------------------------------------------------------------

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TForm::windowCloseRequested() {
  if (modal_) SetModalResult(mrCancel);
  else Close();
}

void TForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = formStyle_ == fsMDIChild ? (borderIcons_.Contains(biMinimize) ? caMinimize : caNone) : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  finishClose(action);
}

void TForm::finishClose(TCloseAction action) {
  switch (action) {
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Hide(); Release(); break;
    case caNone: break;
    default: Hide(); break;
  }
}

void TForm::Release() {
  if (releasing_) return;
  releasing_ = true;
  // A posted call, not deleteLater: a nested loop's next dispatch frees the form too.
  qn::ui::postCall(this, [this] { delete this; });
}

void TForm::SetModalResult(TModalResult Value) {
  modalResult_ = Value;
  if (modal_ && Value != mrNone) qn::ui::wakeLoops();
}

TModalResult TForm::runModal() {
  if (modal_) throw EInvalidOperation("'" + Name() + "' already runs modally.");
  if (Visible()) throw EInvalidOperation("Cannot make a visible window modal");
  ControlRef self(this);
  modal_ = true;
  modalResult_ = mrNone;
  Window()->setWindowModality(Qt::ApplicationModal);
  try {
    Show();
  } catch (...) {
    modal_ = false;
    Hide();
    Window()->setWindowModality(Qt::NonModal);
    throw;
  }
  TModalResult result = mrNone;
  for (;;) {
    qn::ui::runLoop([&] { return !self || modalResult_ != mrNone; });
    if (!self) return mrNone;
    if (Application && Application->Terminated()) {
      modalResult_ = mrNone;
      break;
    }
    TCloseAction action = caNone;
    qn::ui::guarded(this, [&] {
      if (CloseQuery()) {
        action = caHide;
        DoClose(action);
      }
    });
    if (!self) return mrNone;
    if (action != caNone) {
      result = modalResult_;
      modal_ = false;
      finishClose(action == caMinimize ? caHide : action);
      if (hasWindow()) Window()->setWindowModality(Qt::NonModal);
      return result;
    }
    modalResult_ = mrNone;
  }
  modal_ = false;
  Hide();
  Window()->setWindowModality(Qt::NonModal);
  return result;
}
