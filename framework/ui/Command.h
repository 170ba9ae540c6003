#pragma once
// Commands: named things the user can do, run from menus, buttons or keys through one path.
// Running one offers it to its list's handler, then to the application's command hook
// (Application->OnActionExecute), and runs its own handler unless one of them handled it.
#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/Application.h"

class CommandList : public TComponent {
  QN_CLASS(CommandList, TComponent)
 public:
  using TComponent::TComponent;
  // Sees each of its commands first; Handled stops the command there.
  TApplication::TActionEvent OnExecute;
};

class Command : public TComponent {
  QN_CLASS(Command, TComponent)
 public:
  using TComponent::TComponent;
  CommandList* List = nullptr;
  AnsiString Caption;
  bool Enabled = true;
  TNotifyEvent OnExecute;

  // Runs the command; false when it is disabled or nothing handled it.
  bool Execute();
};
