#include "spell/ParserFactory.h"

#include "framework/ui/Memo.h"
#include "framework/ui/RichEdit.h"
#include "spell/BufferParser.h"
#include "spell/CustomRichEditParser.h"
#include "spell/StringParser.h"

namespace {

enum ParserKind { pkBuffer = 0, pkString = 1, pkRichEdit = 2, pkEdit = 3, pkMemo = 4 };

// The kind a control's class asks for; -1 for none.
int kindOfControl(TControl* control) {
  if (dynamic_cast<TCustomRichEdit*>(control)) return pkRichEdit;
  if (dynamic_cast<TMemo*>(control)) return pkMemo;
  if (dynamic_cast<TCustomEdit*>(control)) return pkEdit;
  return -1;
}

}  // namespace

std::unique_ptr<TParser> CreateParserOfKind(int Kind, const AnsiString& WordChars, TParserSource Source, int UndoLimit) {
  if (Kind == pkBuffer) {
    char* const* buffer = std::get_if<char*>(&Source);
    return buffer && *buffer ? std::make_unique<TBufferParser>(WordChars, UndoLimit, *buffer) : nullptr;
  }
  if (Kind == pkString) {
    AnsiString* const* text = std::get_if<AnsiString*>(&Source);
    return text && *text ? std::make_unique<TStringParser>(WordChars, UndoLimit, **text) : nullptr;
  }
  TControl* const* control = std::get_if<TControl*>(&Source);
  auto* edit = control ? dynamic_cast<TCustomEdit*>(*control) : nullptr;
  if (!edit) return nullptr;
  auto* richEdit = dynamic_cast<TCustomRichEdit*>(edit);
  switch (Kind) {
    case pkRichEdit:
      return richEdit ? std::make_unique<TCustomRichEditParser>(WordChars, UndoLimit, richEdit) : nullptr;
    case pkMemo:
      return dynamic_cast<TMemo*>(edit) ? std::make_unique<TCustomMemoParser>(WordChars, UndoLimit, edit) : nullptr;
    case pkEdit:
      return std::make_unique<TCustomEditParser>(WordChars, UndoLimit, edit);
    default:
      return nullptr;
  }
}

std::unique_ptr<TParser> CreateParserForControl(TControl* Control, const AnsiString& WordChars, int UndoLimit) {
  const int kind = kindOfControl(Control);
  return kind < 0 ? nullptr : CreateParserOfKind(kind, WordChars, Control, UndoLimit);
}
