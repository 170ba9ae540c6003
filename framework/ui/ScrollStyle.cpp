#include "framework/ui/ScrollStyle.h"

const EnumerationType kScrollStyleType{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
