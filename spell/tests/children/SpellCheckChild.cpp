// The other program of the spell engine's two-process test: checks a text in a rich edit through
// the engine library, as the other instance of a workstation does, cancelling at the first stop.
//   qn-spell-check-child <program folder> <registry key> <text>
// Ends with the number of stops (0 or 1), or 9 when it could not run the check.
#include <dlfcn.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "framework/base/UnitLifecycle.h"
#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/Form.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/WidgetApplication.h"
#include "platform/os/ExecutablePath.h"
#include "platform/spellengine/SpellEngineApi.h"
#include "spell/DialogControl.h"
#include "spell/SpellEngineComponent.h"
#include "spell/VorlexSpell.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <program folder> <registry key> <text>\n", argv[0]);
    return 9;
  }
  qn::ui::prepareDesktopPlatform();
  qn::ui::WidgetApplication app(argc, argv);
  qn::os::ExecutablePathOverride program(std::string(argv[1]) + "/qncases");
  std::optional<RunningUnits> units;
  units.emplace();
  void* library = dlopen((qn::os::runningProgramFolder() + "/libssce5432.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) return 9;
  auto setTree = reinterpret_cast<SSCE_SetRegTreeNameFn>(dlsym(library, "SSCE_SetRegTreeName"));
  auto check = reinterpret_cast<SSCE_CheckCtrlDlgFn>(dlsym(library, "SSCE_CheckCtrlDlg"));
  TVorlexSpell* spell = SpellEngineComponent();
  if (!setTree || !check || !spell) return 9;
  setTree(argv[2]);
  spell->EndShowMessage = emNever;
  spell->BackgroundSuggestions = false;
  int stops = 0;
  spell->OnMisspelledWord = [&](TObject*) {
    ++stops;
    QTimer::singleShot(0, QCoreApplication::instance(), [spell] {
      if (spell->DialogControl()) spell->DialogControl()->DoAction(daCancel);
    });
  };
  TForm form(nullptr);
  auto* rich = new TRichEdit(&form);
  rich->SetParent(&form);
  rich->SetText(argv[3]);
  check(form.Handle(), rich->Handle(), 0);
  std::printf("%d\n", stops);
  return stops;
}
