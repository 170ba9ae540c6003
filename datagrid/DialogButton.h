#pragma once
// The factory of the library's OK, Cancel and Help dialog buttons, styled by dcIntlDefaults.
#include "framework/ui/Button.h"

class TForm;

// Kinds of CreateDialogButton.
constexpr int dbkOK = 1;
constexpr int dbkCancel = 2;
constexpr int dbkHelp = 3;

// A button owned and parented by Form, hidden (the caller places and shows it), 77 x 24 pixels at
// 96 pixels per inch and scaled with the screen's. With OKCancelBitmapped it is a glyph button
// 27 pixels high with the kind's picture and the dialog font. OK takes BtnOKCaption and mrOk;
// Cancel takes BtnCancelCaption and mrCancel and is the form's cancel button; Help is captioned
// "Help".
TButton* CreateDialogButton(TForm* Form, int Kind);
