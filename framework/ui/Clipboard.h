#pragma once
// The program's clipboard: text read and written, what it holds, cleared. It lies over the
// desktop's clipboard (inside the process under the offscreen platform).
#include "framework/base/AnsiString.h"

namespace Clipboard {

// The text in the code page; a character the code page lacks reads as '?'.
AnsiString AsText();
// Whether every character of the text has a byte in the code page, so AsText is the text itself.
bool TextFitsAnsi();
void SetAsText(const AnsiString& Value);
bool HasText();
bool HasImage();
void Clear();

}  // namespace Clipboard
