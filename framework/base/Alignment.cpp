#include "framework/base/Alignment.h"

const EnumerationType kAlignmentType{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
