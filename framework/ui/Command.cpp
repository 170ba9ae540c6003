#include "framework/ui/Command.h"

bool Command::Execute() {
  if (!Enabled) return false;
  bool handled = false;
  if (List && List->OnExecute) List->OnExecute(this, handled);
  if (!handled && Application) handled = Application->ExecuteAction(this);
  if (handled) return true;
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}
