#pragma once
// Making the parser for a source: by kind number (0 buffer, 1 string, 2 rich edit, 3 edit,
// 4 memo), or by the control's class.
#include <memory>
#include <variant>

#include "spell/Parser.h"

class TControl;
class TCustomEdit;

// A buffer, a string, or a control.
using TParserSource = std::variant<char*, AnsiString*, TControl*>;

// nullptr for another kind, or a source the kind cannot read: the rich-edit kind takes a rich
// edit, the memo kind a memo, the edit kind any edit.
std::unique_ptr<TParser> CreateParserOfKind(int Kind, const AnsiString& WordChars, TParserSource Source, int UndoLimit);

// A rich edit gives the rich-edit parser, a memo the memo parser, any other edit the edit parser;
// anything else nullptr.
std::unique_ptr<TParser> CreateParserForControl(TControl* Control, const AnsiString& WordChars, int UndoLimit);
