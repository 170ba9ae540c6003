#pragma once
// The panel forms the main window hosts are created by the main block, owned by the application,
// after the main window. The main window reaches each by its form's component name; a panel that
// was not created is absent and the main window skips it.
#include "framework/base/AnsiString.h"

class TForm;

// The application's form of that component name; nullptr when there is none.
TForm* FindHostedPanel(const AnsiString& Name);
