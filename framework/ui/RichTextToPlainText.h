#pragma once
// The plain text a rich-edit control shows for some stored rich text, without a control: what the
// filter's record test compares against. Text that is not rich text is taken as plain text, as the
// control's loader takes it.
#include <string_view>

#include "framework/base/AnsiString.h"

namespace qn::ui {

// Windows-1252 text; paragraphs and line breaks end in carriage return and line feed (a lone
// carriage return or line feed of plain text becomes that pair).
AnsiString RichTextToPlainText(std::string_view richText);

}  // namespace qn::ui
