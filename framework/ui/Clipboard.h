#pragma once
// The program's clipboard: text read and written, what it holds, cleared. It lies over the
// desktop's clipboard (inside the process under the offscreen platform).
#include "framework/base/AnsiString.h"

namespace Clipboard {

AnsiString AsText();
void SetAsText(const AnsiString& Value);
bool HasText();
bool HasImage();
void Clear();

}  // namespace Clipboard
