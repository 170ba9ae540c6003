#pragma once
// Whole-file reads and writes for tests that prepare or inspect files byte for byte.
#include <string>

namespace qn::testing {

// The file's bytes; empty when it cannot be read.
std::string readFileText(const std::string& path);
// Replaces the file's bytes (creating it and its folders).
void writeFileText(const std::string& path, const std::string& text);

}  // namespace qn::testing
