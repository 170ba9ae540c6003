#include "core/DockedForms.h"

#include "core/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/Messages.h"
#include "framework/ui/MouseCapture.h"

TPoint MouseActivatePoint;

namespace {

constexpr DWORD KeptStyleBit = 0x10000;

}  // namespace

void StripFormFrame(TCreateParams& Params) {
  Params.Style &= ~(WS_DLGFRAME | WS_BORDER | WS_THICKFRAME);
  Params.Style &= KeptStyleBit;
}

void NotifyMainFormMouseActivate() {
  MouseActivatePoint = GetCursorPos();
  if (!MouseActivateControl) return;
  TWinControl* under = qn::ui::windowedControlAt(MouseActivatePoint);
  if (!under || under->Name().empty() || under == MouseActivateControl) return;
  if (auto* main = dynamic_cast<TControl*>(Application->MainForm()))
    PostMessage(main, MainFormMouseActivateMessage, 0, 0);
}
