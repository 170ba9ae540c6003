// The main window hears the commands of its panels by name. The header's ShowEdits and HideEdits
// fix and release a matter: while one is shown the matter's panels under the header are in use,
// so the header gives up the rows of its description lookup that lie over them, and takes them
// back when the matter is released.
#include "casewindow/CaseF.h"
#include "casewindow/HostedPanels.h"
#include "core/Globals.h"
#include "framework/ui/Application.h"

TCaseF::~TCaseF() {
  if (Application) {
    Application->OnActionExecute = nullptr;
    Application->setMessageHook(nullptr);
  }
}

void TCaseF::ActionExecute(TComponent* Action, bool& Handled) {
  // Left unhandled: the command's own handler runs after this.
  if (!Action || CalendarParameter || headerExtraHeight_ == 0) return;
  TForm* header = FindHostedPanel("ClientCaseLookF1");
  if (!header) return;
  const bool show = Action->Name() == "ShowEdits";
  if (!show && Action->Name() != "HideEdits") return;
  if (show == headerShrunk_) return;
  header->SetHeight(header->Height() + (show ? -headerExtraHeight_ : headerExtraHeight_));
  headerShrunk_ = show;
}
