// The main window hears the commands of its panels by name. The header's ShowEdits fixes a matter:
// the matter's panels under the header come into use, so the header gives up the rows of its
// description lookup that lie over them, every panel is painted with the matter, the pickers show
// the names of its codes, and the record state says it is being viewed. HideEdits releases it.
// With the Host value "DebugTrace" set (and not -1) each stage of ShowEdits is told in a message,
// for finding which one a slow or failing matter stops in.
#include <initializer_list>

#include "casewindow/CaseF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/HostedPanels.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "dialogs/CodeLookF.h"
#include "dialogs/EmpLookF.h"
#include "framework/db/DataSource.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/MenuItem.h"

namespace {

// The panels painted at each stage, in order.
const std::initializer_list<const char*> kHeaderPanels = {"ClientCaseLookF1", "CaseDescriptionF"};
const std::initializer_list<const char*> kAttorneyPanels = {"RA1F", "RA2F", "RA3F"};
const std::initializer_list<const char*> kCaseTypePanels = {"DepartmentF", "CaType1F", "CaType2F", "CaType3F"};
const std::initializer_list<const char*> kOtherPanels = {"StMsgF", "BillingBoxF", "CaseMiscF", "FCSalesTaxF"};
// The code pickers whose code-change handler shows the name of the matter's code.
const std::initializer_list<const char*> kCodePanels = {"DepartmentF", "CaType1F", "CaType2F", "CaType3F", "StMsgF"};

void repaintPanels(std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (TForm* panel = FindHostedPanel(name)) panel->Repaint();
}

// Set while it lives, cleared however the run it marks ends.
class RunFlag {
 public:
  explicit RunFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunFlag() { flag_ = false; }
  RunFlag(const RunFlag&) = delete;
  RunFlag& operator=(const RunFlag&) = delete;

 private:
  bool& flag_;
};

// Missing or -1: no progress messages.
bool traceOn() {
  const AnsiString trace = ReadSetting("DebugTrace", false);
  return !trace.empty() && trace != "-1";
}

}  // namespace

TCaseF::~TCaseF() {
  if (Application) {
    Application->OnActionExecute = nullptr;
    Application->setMessageHook(nullptr);
  }
  if (DM)
    if (TDataSource* cases = DM->SourceOf(DM->Case1_)) cases->OnStateChange = nullptr;
}

void TCaseF::ActionExecute(TComponent* Action, bool& Handled) {
  // Left unhandled: the command's own handler runs after this.
  if (!Action) return;
  if (Action->Name() == "ShowEdits") showEdits();
  if (Action->Name() == "HideEdits" && !CalendarParameter) {
    fitHeaderToMatter(false);
    ShowRecordState(false);
  }
}

void TCaseF::fitHeaderToMatter(bool Shown) {
  TForm* header = FindHostedPanel("ClientCaseLookF1");
  if (!header || headerExtraHeight_ == 0 || Shown == headerShrunk_) return;
  header->SetHeight(header->Height() + (Shown ? -headerExtraHeight_ : headerExtraHeight_));
  headerShrunk_ = Shown;
}

void TCaseF::showEdits() {
  auto* header = dynamic_cast<TClientCaseLookF1*>(FindHostedPanel("ClientCaseLookF1"));
  if (!header || !header->CaseShown()) return;
  if (!CalendarParameter) fitHeaderToMatter(true);
  // The command's own handler says so too, after this hook: the pickers below act only on a
  // matter whose edits are shown.
  HeaderEditsShown = true;
  const bool trace = traceOn();
  auto progress = [trace](const char* text) {
    if (trace) ShowMessage(text);
  };

  // RA3F, StMsgF and CaType3F stay absent until they are made on first need.
  progress("RA3, Case Type 3, Statement message created.");
  repaintPanels(kHeaderPanels);
  progress("Client and Case updated.");
  repaintPanels(kAttorneyPanels);
  progress("RA updated.");
  repaintPanels(kCaseTypePanels);
  progress("Case type updated.");
  repaintPanels(kOtherPanels);
  progress("rest updated.");

  header->CaseSuffix->SetTabStop(true);
  header->AlternateID->SetTabStop(true);
  ShowRecordState(true);
  progress("Edits set.");

  {
    RunFlag running(CodeChangesRunning);
    for (const char* name : kAttorneyPanels)
      if (auto* attorney = dynamic_cast<TEmpLookF*>(FindHostedPanel(name))) attorney->CCACodeChange(attorney->CCACode);
    progress("RA code change executed.");
    for (const char* name : kCodePanels)
      if (auto* codes = dynamic_cast<TCodeLookF*>(FindHostedPanel(name))) codes->TableCodeChange(codes->TableCode);
  }
  progress("Statement message updated.");
  NarrativeCodes1->Enabled = true;
}
