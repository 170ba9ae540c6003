#pragma once
// Which scroll bars a control shows.
#include "framework/base/PublishedProperties.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const EnumerationType kScrollStyleType;
