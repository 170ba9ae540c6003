#pragma once
// The description panel's expanded view of a text: "+" and a three-character code become the
// code's text from the narrative list, whose entries hold the code in their first three
// characters and its text from the seventh. Comments between "//" marks may be dropped.
#include <vector>

#include "framework/base/AnsiString.h"

// A code not in the list stays as typed. A code's text is capitalised at the start of the text
// and after ".", "!" or "?" (a code's text counts as written text). With DropComments each
// "//...//" becomes one blank.
AnsiString ExpandNarrativeText(const AnsiString& Text, const std::vector<AnsiString>& CodeList, bool DropComments);
