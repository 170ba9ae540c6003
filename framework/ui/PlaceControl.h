#pragma once
// A control made in code where a form's designer would have put it: owned by owner, shown on
// parent within the given bounds.
#include "framework/ui/WinControl.h"

template <class T>
T* PlaceControl(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  T* control = new T(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}
