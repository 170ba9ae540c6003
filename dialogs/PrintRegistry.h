#pragma once
// The registry values the printing choices remember: the Host key's values and the data paths
// of Host\H_Data. No key is created; each failure is told in a message.
#include "framework/base/AnsiString.h"

class TStrings;

// Empty after a message when the value cannot be read.
AnsiString RegReadHostValue(const AnsiString& Name);
bool RegWriteHostValue(const AnsiString& Name, const AnsiString& Value);
AnsiString RegReadDataPathValue(const AnsiString& Name);
// The value names of Host\H_Data into List (cleared first); false after a message.
bool RegListDataPathValues(TStrings* List);
