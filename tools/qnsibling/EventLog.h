#pragma once
// What the sibling saw, one JSON object a line, appended to the file QN_SIBLING_LOG names (nothing
// is written when it names none). Each line is written whole, so siblings may share a file.
#include <cstdint>
#include <string>
#include <vector>

namespace qn::sibling {

// {"event":"start","role":...,"pid":...,"args":[...]}: every argument after the program's name.
void logStart(const std::string& role, const std::vector<std::string>& args);
// {"event":"message","role":...,"name":...,"wParam":...,"text":...}
void logMessage(const std::string& role, const std::string& name, std::intptr_t wParam, const std::string& text);

}  // namespace qn::sibling
