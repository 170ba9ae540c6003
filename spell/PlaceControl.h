#pragma once
// How the spell checker's dialogs make their controls in code: owned by the dialog, named (the
// checker and the tests find them by name), on their parent, at their place in pixels.
#include "framework/ui/WinControl.h"

template <class T>
T* placeControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                int height) {
  auto* control = new T(owner);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}
