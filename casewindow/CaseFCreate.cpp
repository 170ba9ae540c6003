// The main window's create handler and the application hooks it installs. It runs before the data
// modules and the panel forms exist, so it touches none of them.
#include "casewindow/CaseF.h"
#include "casewindow/StartupArguments.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "framework/ui/Application.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SpeedButton.h"
#include "platform/os/Process.h"
#include "platform/os/RegisteredMessages.h"

void TCaseF::FormCreate(TObject* Sender) {
  const qn::os::StartupPlacement placement = qn::os::startupPlacement();
  if (placement.showWindow &&
      (*placement.showWindow == qn::os::SW_HIDE || *placement.showWindow == qn::os::SW_MINIMIZE))
    SetWindowState(wsNormal);

  unsigned* const numbers[] = {&QN_Msg_JustCalledFromClient,     &QN_Msg_JustCalledFromCase,
                               &QN_Msg_JustCalledFromAccountStatus, &QN_Msg_AddToHistoryList,
                               &QN_Msg_HistChangeCase,           &QN_Message_Status,
                               &QN_Message_AddNarrCode_Complete, &QN_Message_AddDept_Complete,
                               &QN_Message_AddCaseType_Complete, &QN_Message_AddStmtMsg_Complete};
  const char* const names[] = {"QN_Msg_JustCalledFromClient",     "QN_Msg_JustCalledFromCase",
                               "QN_Msg_JustCalledFromAccountStatus", "QN_Msg_AddToHistoryList",
                               "QN_Msg_HistChangeCase",           "QN_Message_Status",
                               "QN_Message_AddNarrCode_Complete", "QN_Message_AddDept_Complete",
                               "QN_Message_AddCaseType_Complete", "QN_Message_AddStmtMsg_Complete"};
  for (int i = 0; i < 10; ++i) *numbers[i] = qn::os::registerWindowMessage(names[i]);

  PanelInitStep = 0;
  SpeedButton1->SetVisible(false);
  SpeedButton4->SetVisible(false);
  AttyUndoButton->Font()->SetColor(clBlue);
  SetColor(clScrollBar);
  firstEntryFocus_ = true;

  Application->OnActionExecute = [this](TComponent* A, bool& H) { ActionExecute(A, H); };
  Application->setMessageHook([this](TMsg& Msg, bool& Handled) { AppMessage(Msg, Handled); });
  Application->OnActivate = [this](TObject* S) { AppActivate(S); };
  Application->OnDeactivate = [this](TObject* S) { AppDeactivate(S); };
  Screen->activeControlChanged = [this](TObject* S) { ActiveControlChange(S); };
  Application->setIdleHandler([this](TObject* S, bool& Done) { AppIdle(S, Done); });
  HorzScrollBar()->SetVisible(false);
  VertScrollBar()->SetVisible(false);

  CalendarParameter = CalendarStartArgument();
  CaseDescLookupOn = !CalendarParameter && ReadSetting("CaseDescLookup", false) == "Y";
}

void TCaseF::AppActivate(TObject* Sender) {
  if (focusBeforeDeactivation_ && focusBeforeDeactivation_->Showing() && focusBeforeDeactivation_->Enabled())
    focusBeforeDeactivation_->SetFocus();
  focusBeforeDeactivation_ = nullptr;
  MouseActivateControl = Screen->ActiveControl();
  if (MouseActivateControl) MouseActivateControl->FreeNotification(this);
}

void TCaseF::AppDeactivate(TObject* Sender) {
  focusBeforeDeactivation_ = Screen->ActiveControl();
  if (focusBeforeDeactivation_) focusBeforeDeactivation_->FreeNotification(this);
  MouseActivateControl = nullptr;
}

void TCaseF::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) {
    if (AComponent == focusBeforeDeactivation_) focusBeforeDeactivation_ = nullptr;
    if (AComponent == MouseActivateControl) MouseActivateControl = nullptr;
    if (AComponent == LastLookupControl) LastLookupControl = nullptr;
  }
  TForm::Notification(AComponent, Operation);
}

void TCaseF::ActiveControlChange(TObject* Sender) {
  if (auto* edit = dynamic_cast<TCustomEdit*>(Screen->ActiveControl())) edit->SelectAll();
}
