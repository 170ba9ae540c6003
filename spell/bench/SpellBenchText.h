#pragma once
// What the spelling benchmarks share: the system's en_US dictionary and a long English text of
// words it knows.
#include <string>
#include <vector>

#include "framework/base/AnsiString.h"

// Empty when en_US is not installed.
const std::string& BenchAffPath();
// Windows-1252 words, each known to en_US, drawn as a text's words are.
const std::vector<AnsiString>& BenchProseWords();
// The check benchmark's scratch folder goes at the end of the run.
void RemoveCheckBenchFolder();
