#include "casewindow/HostedPanels.h"

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"

TForm* FindHostedPanel(const AnsiString& Name) {
  if (!Application) return nullptr;
  return dynamic_cast<TForm*>(Application->FindComponent(Name));
}
