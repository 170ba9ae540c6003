// The main window's idle handler: the warning flash, the staged opening of the code panels, one
// panel per idle cycle, so the window is usable before every code table is read, and the command
// line's matter, applied once the header's suffix has the focus.
#include <limits>

#include "casewindow/CaseF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/HostedPanels.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/LookupComboHelpers.h"
#include "core/StagedPanel.h"
#include "framework/base/Tick.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/VirtualKeys.h"
#include "platform/os/ProgramArguments.h"

namespace {

constexpr int kLastStage = 8;
// The code panels in the order the idle cycles open them.
constexpr const char* kStagedPanels[kLastStage] = {"RA1F",        "RA2F", "CaType1F", "CaType2F",
                                                   "DepartmentF", "RA3F", "StMsgF",   "CaType3F"};
constexpr std::uint32_t kFlashMilliseconds = 500;

}  // namespace

void TCaseF::AppIdle(TObject* Sender, bool& Done) {
  if (CodeTablesOpenFailed) return;
  if (WarningFlash) flashWarningColours();
  openNextStagedPanel();
  applyPendingCaseArguments();
}

void TCaseF::applyPendingCaseArguments() {
  TClientCaseLookF1* header = ClientCaseLookF1;
  if (!PendingCaseArgs || !DM || !DM->Case1_ || !header || Screen->ActiveControl() != header->CaseSuffix) return;
  PendingCaseArgs = false;
  header->AlternateID->SetText(qn::os::programArgument(5));
  header->CaseSuffix->SetText(qn::os::programArgument(4));
  WORD key = VK_LEFT;
  LookupComboKeyPress(header->CaseSuffix, key);
}

void TCaseF::flashWarningColours() {
  // The wait lets the message loop show each colour; near the tick count's wrap it is left out.
  if (GetTickCount() <= std::numeric_limits<std::uint32_t>::max() - kFlashMilliseconds) Sleep(kFlashMilliseconds);
  flashRed_ = !flashRed_;
  PanelTopLine->SetColor(flashRed_ ? clRed : clBlue);
  PanelBottomLine->SetColor(flashRed_ ? clBlue : clRed);
  PanelButtons->SetColor(flashRed_ ? clBlue : clRed);
}

void TCaseF::openNextStagedPanel() {
  while (PanelInitStep >= 0 && PanelInitStep < kLastStage) {
    const int stage = PanelInitStep;
    auto* panel = dynamic_cast<StagedPanel*>(FindHostedPanel(kStagedPanels[stage]));
    if (!panel) {
      PanelInitStep = stage == 4 && CalendarParameter ? kLastStage : stage + 1;
      continue;
    }
    panel->OpenStagedPanel();
    if (stage == 0) StatusBar1->Repaint();
    if (stage == 4 && CalendarParameter) PanelInitStep = kLastStage;
    return;
  }
}
