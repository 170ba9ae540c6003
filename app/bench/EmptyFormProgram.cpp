// The start-up benchmark's baseline: the framework's smallest program that shows one form, started
// and ended the way the benchmark starts and ends the real program.
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/Form.h"
#include "framework/ui/WidgetApplication.h"

int main(int argc, char** argv) {
  qn::ui::prepareDesktopPlatform();
  qn::ui::WidgetApplication qtApplication(argc, argv);
  RunningUnits units;
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  Application->Run();
  return 0;
}
