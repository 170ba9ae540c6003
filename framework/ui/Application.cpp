#include "framework/ui/Application.h"

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/Exception.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/Form.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/HelpService.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MessageBoxService.h"
#include "framework/ui/Screen.h"
#include "platform/os/ExecutablePath.h"

TApplication* Application = nullptr;

namespace {

UnitRegistration unit(
    "framework/ui/Application", {},
    [] {
      Application = new TApplication(nullptr);
      SetProcessMessagesHook([] { Application->ProcessMessages(); });
      SetExceptionHook([](TObject* Sender) { Application->HandleException(Sender); });
    },
    [] {
      SetProcessMessagesHook({});
      SetExceptionHook({});
      // Still reachable while what it owns goes.
      delete Application;
      Application = nullptr;
    });

// Keeps the application window's minimised state in the window registry, where another program
// starting up reads it to decide between restoring this one and bringing it to the front.
class WindowStateWatcher : public QObject {
 public:
  WindowStateWatcher(qn::os::MessageBus& bus, qn::os::WindowId handle, QObject* parent)
      : QObject(parent), bus_(bus), handle_(handle) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && widget->isWindow()) {
        try {
          bus_.setMinimized(handle_, widget->isMinimized());
        } catch (const std::exception&) {
          // Only a hint for the next start-up, which then brings us to the front instead.
        }
      }
    }
    return false;
  }

 private:
  qn::os::MessageBus& bus_;
  qn::os::WindowId handle_;
};

void answerWindowRequest(qn::os::WindowRequest request) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;  // no windows to show
  const auto windows = QApplication::topLevelWidgets();
  // A restored program comes to the front as well.
  if (request == qn::os::WindowRequest::Restore) {
    for (QWidget* w : windows)
      if (w->isMinimized()) w->showNormal();
  }
  QWidget* front = QApplication::activeWindow();
  for (QWidget* w : windows)
    if (!front && w->isVisible() && w->windowType() != Qt::Popup) front = w;
  if (front) {
    front->raise();
    front->activateWindow();
  }
}

// The box buttons of a MessageBox flag value, in the order the box shows them.
std::vector<TMsgDlgBtn> buttonsOf(int flags) {
  switch (flags & 0xF) {
    case MB_OKCANCEL: return {mbOK, mbCancel};
    case MB_ABORTRETRYIGNORE: return {mbAbort, mbRetry, mbIgnore};
    case MB_YESNOCANCEL: return {mbYes, mbNo, mbCancel};
    case MB_YESNO: return {mbYes, mbNo};
    case MB_RETRYCANCEL: return {mbRetry, mbCancel};
    default: return {mbOK};
  }
}

TMsgDlgType kindOf(int flags) {
  switch (flags & 0xF0) {
    case MB_ICONERROR: return mtError;
    case MB_ICONQUESTION: return mtConfirmation;
    case MB_ICONWARNING: return mtWarning;
    case MB_ICONINFORMATION: return mtInformation;
    default: return mtCustom;
  }
}

}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
  // The forms go while the bus they are registered on is still there.
  DestroyComponents();
  delete busNotifier_.data();
  delete windowStateWatcher_.data();
}

void TApplication::Initialize() {
  if (!bus_) {
    bus_ = std::make_unique<qn::os::MessageBus>();
    handle_ = bus_->registerWindow("TApplication", title_, 0, {nullptr, answerWindowRequest});
  }
  HookIntoEventLoop();
}

void TApplication::HookIntoEventLoop() {
  if (busNotifier_ || !QCoreApplication::instance()) return;
  busNotifier_ = new QSocketNotifier(bus_->fd(), QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(busNotifier_, &QSocketNotifier::activated, [this] { DispatchBusMessages(); });
  windowStateWatcher_ = new WindowStateWatcher(*bus_, handle_, QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(windowStateWatcher_);
}

void TApplication::SetMainForm(TComponent* Value) {
  if (mainForm_ == Value) return;
  if (mainForm_) RemoveFreeNotification(mainForm_);
  mainForm_ = Value;
  if (mainForm_) FreeNotification(mainForm_);
}

void TApplication::formCreated(TComponent* form) {
  form->AfterConstruction();
  if (!mainForm_ && form->InheritsFrom("TForm")) SetMainForm(form);
}

TComponent* TApplication::CreateFormByClassName(const AnsiString& ClassName) {
  TComponent* form = ConstructComponentByClassName(ClassName, this);
  StoreFormVariable(ClassName, form);
  try {
    formCreated(form);
  } catch (...) {
    StoreFormVariable(ClassName, nullptr);
    delete form;
    throw;
  }
  return form;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  // Cleared first: the forms told next must not find a main form that is going.
  if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
  TComponent::Notification(AComponent, Operation);
}

qn::os::MessageBus& TApplication::Bus() {
  Initialize();
  return *bus_;
}

void TApplication::SetTitle(const AnsiString& title) {
  title_ = title;
  if (bus_) bus_->setCaption(handle_, title_);
}

AnsiString TApplication::DisplayTitle() const {
  return title_.empty() ? std::filesystem::path(ExeName()).stem().string() : title_;
}

AnsiString TApplication::ExeName() const { return qn::os::executablePath(); }

void TApplication::Terminate() {
  terminated_ = true;
  qn::ui::wakeLoops();
}

void TApplication::Run() {
  if (terminated_ || !QCoreApplication::instance()) return;
  if (bus_) HookIntoEventLoop();
  if (auto* main = dynamic_cast<TForm*>(mainForm_); main && !main->Visible()) main->Show();
  qn::ui::runLoop([] { return false; });
}

void TApplication::ProcessMessages() {
  if (bus_) HookIntoEventLoop();
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
  if (bus_ && !busNotifier_) DispatchBusMessages();
  fireDueTimers();
}

bool TApplication::DoIdle() {
  if (!idleHandler_) return true;
  TIdleEvent handler = idleHandler_;
  bool done = true;
  try {
    handler(this, done);
  } catch (...) {
    HandleException(this);
    return true;
  }
  return done;
}

bool TApplication::runUntilIdle() {
  const unsigned long rests = qn::ui::idleRestsSoFar();
  int checks = 0;
  constexpr int kMostChecks = 10000;
  qn::ui::runLoop([&] { return qn::ui::idleRestsSoFar() != rests || ++checks > kMostChecks; });
  return qn::ui::idleRestsSoFar() != rests;
}

void TApplication::activationChanged(bool active) {
  const TNotifyEvent& handler = active ? OnActivate : OnDeactivate;
  if (!handler) return;
  try {
    handler(this);
  } catch (...) {
    HandleException(this);
  }
}

bool TApplication::ExecuteAction(TComponent* Action) {
  bool handled = false;
  if (OnActionExecute) OnActionExecute(Action, handled);
  return handled;
}

void TApplication::BringToFront() {
  TForm* front = Screen->activeForm();
  if (!front) front = dynamic_cast<TForm*>(mainForm_);
  if (front) front->BringToFront();
}

void TApplication::SetHint(const AnsiString& Value) {
  if (Value == hint_) return;
  hint_ = Value;
  try {
    if (hintChanged) hintChanged(this);
  } catch (...) {
    HandleException(this);
  }
  // A listener may remove itself, or another, while told.
  for (auto listeners = hintListeners_; const auto& [listener, handler] : listeners) {
    auto stillListening = [&](const auto& entry) { return entry.first == listener; };
    if (std::none_of(hintListeners_.begin(), hintListeners_.end(), stillListening)) continue;
    try {
      qn::ui::callHandler(handler, this);
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::addHintListener(TObject* Listener, TNotifyEvent Handler) {
  removeHintListener(Listener);
  hintListeners_.emplace_back(Listener, std::move(Handler));
}

void TApplication::removeHintListener(TObject* Listener) {
  std::erase_if(hintListeners_, [Listener](const auto& entry) { return entry.first == Listener; });
}

void TApplication::showHelpContext(int Context) { qn::ui::showHelp({helpFile_, Context}); }

void TApplication::DispatchBusMessages() {
  try {
    bus_->dispatchPending();
  } catch (...) {
    HandleException(this);
  }
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const Exception& e) {
    // By class name: EAbort's whole kind is silent, wherever it is declared.
    if (e.InheritsFrom("EAbort")) return;
    if (OnException) OnException(Sender, e);
    else ShowException(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    if (OnException) OnException(Sender, wrapped);
    else ShowException(wrapped);
  } catch (...) {
    ShowError("An unexpected error occurred.");
  }
}

void TApplication::ShowException(const Exception& E) { ShowError(E.Message()); }

void TApplication::ShowError(const AnsiString& message) {
  MessageBoxRequest request;
  request.text = message;
  request.caption = DisplayTitle();
  request.kind = mtError;
  request.buttons = {mbOK};
  qn::ui::showMessageBox(request);
}

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, int Flags) {
  MessageBoxRequest request;
  request.text = Text;
  request.caption = Caption;
  request.kind = kindOf(Flags);
  std::vector<TMsgDlgBtn> buttons = buttonsOf(Flags);
  for (TMsgDlgBtn b : buttons) request.buttons << b;
  size_t defaultIndex = static_cast<size_t>((Flags & 0xF00) >> 8);
  if (defaultIndex < buttons.size()) request.defaultButton = buttons[defaultIndex];
  return qn::ui::showMessageBox(request);
}
