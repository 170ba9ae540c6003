// The program as the start-up guard tests run it: the real run (desktop check, units, guard, main
// block, signals) with a stand-in main window of the program's class and mode caption, so that
// the guard's search and activation are exercised between real processes.
#include <QCoreApplication>

#include "app/ProgramRun.h"
#include "app/SingleInstance.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/Form.h"

namespace {

class TCaseF : public TForm {
  QN_CLASS(TCaseF, TForm)
 public:
  explicit TCaseF(TComponent* AOwner) : TForm(AOwner) {
    const QStringList arguments = QCoreApplication::arguments();
    SetCaption(MainWindowCaptionFor(arguments.size() > 1 ? arguments[1].toStdString() : ""));
  }
};

}  // namespace

int main(int argc, char** argv) {
  RegisterClass<TCaseF>();
  return RunProgram(argc, argv);
}
