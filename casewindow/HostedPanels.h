#pragma once
// The panel forms the main window hosts are created by the main block, owned by the application,
// after the main window. The main window reaches each by its form's component name; a panel that
// was not created is absent and the main window skips it. The controls of a panel the main window
// sets up are reached the same way, by the panel's and the control's component names.
#include "framework/base/AnsiString.h"
#include "framework/ui/Form.h"

// The application's form of that component name; nullptr when there is none.
TForm* FindHostedPanel(const AnsiString& Name);

// The component Name of the hosted panel Panel as a T; nullptr when the panel, the component or
// that kind of component is missing.
template <class T>
T* FindHostedControl(const AnsiString& Panel, const AnsiString& Name) {
  TForm* panel = FindHostedPanel(Panel);
  return panel ? dynamic_cast<T*>(panel->FindComponent(Name)) : nullptr;
}
