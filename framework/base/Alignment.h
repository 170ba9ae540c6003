#pragma once
// How text lies across its box: a field's value in a grid column, a label's caption.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
