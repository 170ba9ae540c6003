#pragma once
// The application object: the program's title and executable, its message processing and
// termination, the handler every exception that reaches the event loop ends in (silent for
// EAbort), and the platform's message box. Initialize() puts the program on the desktop's
// message bus: its application window is registered (the owner of its main window, captioned
// with the title) and bus messages are dispatched in Qt's event loop; asked to restore or come to
// the front, the program's windows do so.
// It is also the owner of the long-lived forms and data modules, created in order, and holds the
// main form (none until set: the first form CreateForm creates, or SetMainForm). What it owns is
// deleted when the program's units stop.
#include <QPointer>
#include <functional>
#include <memory>

#include "framework/base/Component.h"
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

  TApplication();
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

  // Asks the message loop to end; Run() returns at once when asked before it starts.
  void Terminate();
  bool Terminated() const { return terminated_; }
  void Run();
  // Handles what waits in the event loop (bus messages included), then returns.
  void ProcessMessages();

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

  AnsiString title_;
  AnsiString helpFile_;
  bool terminated_ = false;
  bool running_ = false;  // inside Run()
  std::unique_ptr<qn::os::MessageBus> bus_;
  qn::os::WindowId handle_ = 0;
  // Children of the Qt application, so they never outlive it.
  QPointer<QSocketNotifier> busNotifier_;
  QPointer<QObject> windowStateWatcher_;
  TComponent* mainForm_ = nullptr;
};

extern TApplication* const Application;
