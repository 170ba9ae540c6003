#include "app/ShutdownSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/ModalRuns.h"

namespace {

// The handler may only write to a pipe; the loop reads it and closes the window.
int signalPipe[2] = {-1, -1};

void noteSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  errno = saved;
}

void closeMainWindow() {
  if (auto* main = dynamic_cast<TForm*>(Application->MainForm()); main && main->Visible())
    main->Close();
  else
    Application->Terminate();
}

// A box waiting on the user (a start-up refusal, a question) ends as its Cancel would first; then
// the window closes. Once the program is ending, a box its way out still shows ends the same way.
void endProgram() {
  qn::ui::endModalRuns([] {
    // After the units stop there is no window to close.
    if (!Application) return;
    if (!Application->Terminated()) closeMainWindow();
    if (Application->Terminated()) endProgram();
  });
}

void takeSignals() {
  char buffer[16];
  while (read(signalPipe[0], buffer, sizeof buffer) > 0) {
  }
  endProgram();
}

}  // namespace

void CloseMainWindowOnTerminationSignals() {
  if (signalPipe[0] >= 0) return;
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] { takeSignals(); });
  struct sigaction action {};
  action.sa_handler = noteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}
