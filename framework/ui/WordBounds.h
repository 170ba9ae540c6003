#pragma once
// Where a word delete stops (Ctrl+Backspace, Ctrl+Delete), for any text that can say which of
// its positions hold blanks.
#include <functional>

namespace qn::ui {

// Whether the character at a position is a blank (space, tab or line break).
using BlankAt = std::function<bool(int position)>;

// The start of the word before position: the blanks before it first, then the word.
int wordStartBefore(const BlankAt& blankAt, int position);
// The end of the word from position, with the blanks after it; size is the text's length.
int wordEndAfter(const BlankAt& blankAt, int size, int position);

}  // namespace qn::ui
