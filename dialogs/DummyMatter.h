#pragma once
// The dummy matter the fee-split and reallocation dialogs work on, set by whoever opens them.
#include "framework/base/AnsiString.h"

// The client code and the case suffix (blank for the reallocation of every dummy of the client).
extern AnsiString DummyClient;
extern AnsiString DummySuffix;
