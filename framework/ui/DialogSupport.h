#pragma once
// What every Qt dialog of the framework's services needs: the program's text on the screen and
// back, and the window a dialog belongs to.
#include <QString>

#include "framework/base/AnsiString.h"

class QWidget;

namespace qn::ui {

QString screenText(const AnsiString& text);
AnsiString typedText(const QString& text);

// The window a new dialog is placed over: the active one. Throws std::logic_error naming what
// was to be shown when the process has no windows (no QApplication).
QWidget* dialogOwner(const char* what);

}  // namespace qn::ui
