#pragma once
// The plain text a rich-edit control shows for some stored rich text: what the filter's record
// test compares against. Text that is not rich text is taken as plain text, as the control's
// loader takes it.
#include <string_view>

#include "framework/base/AnsiString.h"

class TComponent;
class TStream;
class TCustomRichEdit;

namespace qn::ui {

// Windows-1252 text; paragraphs and line breaks end in carriage return and line feed (a lone
// carriage return or line feed of plain text becomes that pair). Needs no control.
AnsiString RichTextToPlainText(std::string_view richText);

}  // namespace qn::ui

// The library's form, over a hidden rich edit: the zero-terminated rich text in Buffer (of Length
// bytes) is loaded through Stream into RichEdit, and the edit's plain text replaces it in Buffer,
// cut to Length - 1 bytes and zero-terminated. A missing stream or edit is made for the call
// (the edit on Owner) and freed after it; given ones are reused, their content replaced.
void RichTextToPlainText(TComponent* Owner, char* Buffer, int Length, TStream* Stream, TCustomRichEdit* RichEdit);
