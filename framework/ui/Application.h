#pragma once
// The application object: the owner of the long-lived forms and data modules, created in order,
// and the main form (none until set: the first form CreateForm creates, or SetMainForm); the
// program's title and executable, its message processing and termination, the handler every
// exception that reaches the event loop ends in (silent for EAbort), and the platform's message
// box. It installs itself as the process-messages and exception hooks of the layers below. Initialize() puts the program on the desktop's
// message bus: its application window is registered (the owner of its main window, captioned
// with the title) and bus messages are dispatched in Qt's event loop; asked to restore or come to
// the front, the program's windows do so.
#include <QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/MessageDialogTypes.h"
#include "platform/os/MessageBus.h"

class QSocketNotifier;

// Flags of TApplication::MessageBox: one button set, one icon, one default button, added up.
constexpr int MB_OK = 0x0;
constexpr int MB_OKCANCEL = 0x1;
constexpr int MB_ABORTRETRYIGNORE = 0x2;
constexpr int MB_YESNOCANCEL = 0x3;
constexpr int MB_YESNO = 0x4;
constexpr int MB_RETRYCANCEL = 0x5;
constexpr int MB_ICONERROR = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONWARNING = 0x30;
constexpr int MB_ICONINFORMATION = 0x40;
constexpr int MB_DEFBUTTON1 = 0x000;
constexpr int MB_DEFBUTTON2 = 0x100;
constexpr int MB_DEFBUTTON3 = 0x200;

// Its answers are the modal results: IDOK = mrOk ... IDNO = mrNo.
constexpr int IDOK = mrOk;
constexpr int IDCANCEL = mrCancel;
constexpr int IDABORT = mrAbort;
constexpr int IDRETRY = mrRetry;
constexpr int IDIGNORE = mrIgnore;
constexpr int IDYES = mrYes;
constexpr int IDNO = mrNo;

class Exception;

class TApplication : public TComponent {
  QN_CLASS(TApplication, TComponent)
 public:
  using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;
  using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
  using TActionEvent = std::function<void(TComponent* Action, bool& Handled)>;

  explicit TApplication(TComponent* AOwner = nullptr);
  ~TApplication() override;

  // Creates a T owned by the application, stores it in Reference, then completes its creation
  // (AfterConstruction: its create event). The first form created this way (a class named TForm or
  // a descendant) becomes the main form. When the completion raises, the new T is deleted,
  // Reference is cleared and the exception comes through.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    try {
      formCreated(Reference);
    } catch (...) {
      delete Reference;
      Reference = nullptr;
      throw;
    }
  }

  // The same for a class registered by name (framework/base/ClassRegistry.h), for code that
  // cannot name the class, storing it in the form variable registered for the class
  // (framework/base/FormVariables.h) before its creation completes; EComponentError when no class
  // of that name is registered.
  TComponent* CreateFormByClassName(const AnsiString& ClassName);

  TComponent* MainForm() const { return mainForm_; }
  void SetMainForm(TComponent* Value);

  // Joins the desktop's message bus. Its messages are dispatched in Qt's event loop once the Qt
  // application exists (created before or after this call).
  void Initialize();
  // The desktop's message bus as this program's end of it; Initialize() opens it.
  qn::os::MessageBus& Bus();
  // The application window's id on the desktop (0 before Initialize()).
  qn::os::WindowId Handle() const { return handle_; }

  const AnsiString& Title() const { return title_; }
  void SetTitle(const AnsiString& title);
  // The title a box shows as its caption: the title, or the executable's name when it is empty.
  AnsiString DisplayTitle() const;
  const AnsiString& HelpFile() const { return helpFile_; }
  void SetHelpFile(const AnsiString& helpFile) { helpFile_ = helpFile; }
  // The executable's full path.
  AnsiString ExeName() const;

  // Asks every running loop of the framework to end (Run, modal runs, the capture loop); Run()
  // returns at once when asked before it starts.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Shows the main form and runs the framework's loop until the application terminates (closing
  // the main form terminates it).
  void Run();
  // Handles what waits in the event loop (bus messages and due timers included), then returns;
  // no idle handling.
  void ProcessMessages();

  // The idle handler (see EventLoop.h): Done = false asks for another call without a new event.
  void setIdleHandler(TIdleEvent handler) { idleHandler_ = std::move(handler); }
  // Runs the idle handler once; answers its Done (true when there is none). What it raises goes
  // to HandleException and counts as done.
  bool DoIdle();
  // For tests: runs the framework's loop until the queue is empty and the idle handler answered
  // done; false when that did not happen within a bounded number of rounds.
  bool runUntilIdle();

  // The message hook: step 1 of the key route, and left-button releases before any control.
  void setMessageHook(TMessageEvent hook) { qn::ui::setApplicationMessageHook(std::move(hook)); }

  // The program's windows as a whole gained or lost activation.
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  // Called by the framework when the activation of the program's windows changes.
  void activationChanged(bool active);
  // The command-execution hook: an action about to run is offered here first; Handled keeps it
  // from running. Answers Handled.
  TActionEvent OnActionExecute;
  bool ExecuteAction(TComponent* Action);
  // Brings the program's front window (the active form, else the main form) to the front.
  void BringToFront();

  // The hint of the control under the mouse (the long part of a "short|long" hint).
  const AnsiString& currentHint() const { return hint_; }
  void SetHint(const AnsiString& Value);
  // Told whenever the current hint changes.
  TNotifyEvent hintChanged;
  // Controls that show the current hint themselves (a status bar) are told after hintChanged,
  // until they remove themselves.
  void addHintListener(TObject* Listener, TNotifyEvent Handler);
  void removeHintListener(TObject* Listener);

  // Opens the help file at the topic (through the help service).
  void showHelpContext(int Context);

  // Call from a catch block: the exception being handled goes to OnException when set, else it
  // is shown in an error box. EAbort and its descendants pass silently.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  TExceptionEvent OnException;

  int MessageBox(const AnsiString& Text, const AnsiString& Caption, int Flags);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void formCreated(TComponent* form);
  void HookIntoEventLoop();
  void DispatchBusMessages();
  void ShowError(const AnsiString& message);

  TComponent* mainForm_ = nullptr;
  AnsiString title_;
  AnsiString helpFile_;
  bool terminated_ = false;
  TIdleEvent idleHandler_;
  AnsiString hint_;
  std::vector<std::pair<TObject*, TNotifyEvent>> hintListeners_;
  std::unique_ptr<qn::os::MessageBus> bus_;
  qn::os::WindowId handle_ = 0;
  // Children of the Qt application, so they never outlive it.
  QPointer<QSocketNotifier> busNotifier_;
  QPointer<QObject> windowStateWatcher_;
};

// The one instance: exists while the program's units run (created when this unit starts, freed,
// with everything it owns, when it stops).
extern TApplication* Application;
