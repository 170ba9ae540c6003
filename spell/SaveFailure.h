#pragma once
// A spelling file that cannot be written (a read-only program folder) keeps its changes in memory;
// the user hears of it once per object, not at every later attempt.
#include <functional>

#include "framework/base/AnsiString.h"

// Runs save; when it fails, shows "Unable to save the spelling settings to <Path>." unless
// Reported is already set, and sets it. Answers whether save succeeded.
bool SaveOrReport(const AnsiString& Path, bool& Reported, const std::function<void()>& save);
