#include "framework/ui/WindowHandles.h"

#include <map>

#include "framework/ui/Form.h"

namespace {

std::map<qn::os::WindowId, TWinControl*>& handles() {
  static std::map<qn::os::WindowId, TWinControl*> table;
  return table;
}

// The control's own id, given once.
qn::os::WindowId ownHandle(TWinControl* control) {
  for (const auto& [id, owner] : handles())
    if (owner == control && id != 0) return id;
  const qn::os::WindowId id = qn::os::windowRegistry::allocateId();
  handles()[id] = control;
  return id;
}

}  // namespace

qn::os::WindowId TWinControl::Handle() { return ownHandle(this); }

qn::os::WindowId TForm::Handle() {
  if (Docked()) return TWinControl::Handle();
  Window();
  if (registryId_ == 0) return TWinControl::Handle();
  handles()[registryId_] = this;
  return registryId_;
}

TWinControl* FindControlByHandle(qn::os::WindowId Handle) {
  const auto found = handles().find(Handle);
  return found == handles().end() ? nullptr : found->second;
}

void forgetWindowHandles(TWinControl* Control) {
  std::erase_if(handles(), [Control](const auto& entry) { return entry.second == Control; });
}
