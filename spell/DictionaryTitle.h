#pragma once
// The title a main dictionary shows in the configuration, read without loading the dictionary.
#include "framework/base/AnsiString.h"

// Empty when the file cannot be read.
AnsiString DictionaryTitle(const AnsiString& Path);
