#pragma once
// How the spell checker's dialogs make their controls in code: named as well (the checker and the
// tests find them by name).
#include "framework/ui/PlaceControl.h"

template <class T>
T* placeControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                int height) {
  T* control = PlaceControl<T>(owner, parent, left, top, width, height);
  control->SetName(name);
  return control;
}
