#pragma once
// How text lies across its box: a field's value in a grid column, a label's caption.
#include "framework/base/PublishedProperties.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const EnumerationType kAlignmentType;
