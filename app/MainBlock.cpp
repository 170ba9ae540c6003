#include "app/MainBlock.h"

#include <exception>
#include <ostream>

#include "app/SingleInstance.h"
#include "framework/base/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/WinControl.h"

namespace {

// The protected block's closing actions.
void finishStartup() {
  if (auto* main = dynamic_cast<TWinControl*>(Application->MainForm())) main->createWindow();
  if (SingleInstanceProgramHMutex) {
    SingleInstanceProgramHMutex->release();
    SingleInstanceProgramHMutex.reset();
  }
}

void reportFailure(const Exception& failure, std::ostream& errors) {
  errors << "qncases: start-up failed: " << failure.Message() << '\n';
  Application->ShowException(failure);
}

}  // namespace

bool StartMainBlock(std::ostream& errors, const std::vector<AnsiString>& formClassNames) {
  try {
    try {
      Application->Initialize();
      Application->SetTitle(" ");
      Application->SetHelpFile("QNW.hlp");
      CreateStartupForms(*Application, formClassNames, errors);
    } catch (...) {
      finishStartup();
      throw;
    }
    finishStartup();
    // What the loop would do first: the main window appears once start-up is over.
    if (auto* main = dynamic_cast<TForm*>(Application->MainForm()); main && !main->Visible()) main->Show();
  } catch (const Exception& failure) {
    reportFailure(failure, errors);
    return false;
  } catch (const std::exception& failure) {
    reportFailure(Exception(failure.what()), errors);
    return false;
  }
  return true;
}

int RunMainBlock(std::ostream& errors) {
  if (!StartMainBlock(errors)) return 1;
  // The loop ends when the main window closes; without one it would never end.
  if (!Application->MainForm()) {
    errors << "qncases: there is no main window to show.\n";
    return 1;
  }
  Application->Run();
  return 0;
}
