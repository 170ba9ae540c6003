// The other program of the framework's two-process tests. Started by a test with a role:
//   restore <class> <caption>  finds that window in the registry, asks it to restore itself and
//                              ends: 0 when asked, 2 when the window was not found, 3 when the
//                              request could not be sent;
//   main <caption>             shows its main form as started (position and show state) and runs
//                              until a registered message "QN_Test_Quit" reaches it; ends 0 when
//                              the form was placed and shown as the start-up placement said
//                              (the placement must be given), 4 otherwise.
#include <cstring>
#include <iostream>
#include <optional>

#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/Form.h"
#include "framework/ui/WidgetApplication.h"
#include "platform/os/MessageBus.h"
#include "platform/os/Process.h"
#include "platform/os/WindowRegistry.h"

namespace {

class TPeerMainForm : public TForm {
  QN_CLASS(TPeerMainForm, TForm)
 public:
  using TForm::TForm;
  void WindowMessageReceived(const qn::os::WindowMessage& Message) override {
    if (Message.name == "QN_Test_Quit") Application->Terminate();
  }
};

int restore(const char* className, const char* caption) {
  auto window = qn::os::windowRegistry::find(className, caption);
  if (!window) return 2;
  qn::os::MessageBus bus;
  return bus.request(window->id, qn::os::WindowRequest::Restore) ? 0 : 3;
}

int runMain(const char* caption) {
  Application->Initialize();
  TPeerMainForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption(caption);
  form->SetBounds(300, 300, 200, 150);
  Application->Run();
  const qn::os::StartupPlacement placement = qn::os::startupPlacement();
  const bool placed = placement.x && placement.y && form->Left() == *placement.x && form->Top() == *placement.y;
  const bool minimised = form->WindowState() == wsMinimized;
  const bool wanted = placement.showWindow == qn::os::SW_SHOWMINIMIZED;
  if (!placed || minimised != wanted) {
    std::cerr << "placed at " << form->Left() << ", " << form->Top() << (minimised ? ", minimised" : "") << '\n';
    return 4;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qn::ui::prepareDesktopPlatform();
  qn::ui::WidgetApplication app(argc, argv);
  std::optional<RunningUnits> units;
  units.emplace();
  if (argc == 4 && std::strcmp(argv[1], "restore") == 0) return restore(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "main") == 0) return runMain(argv[2]);
  std::cerr << "usage: framework-ui-peer restore <class> <caption> | main <caption>\n";
  return 1;
}
