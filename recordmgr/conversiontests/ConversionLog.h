#pragma once
// The calls the test conversion library has seen, read through its own exports from the copy the
// converters loaded, and failures to inject into it.
#include <string>
#include <vector>

namespace conversiontest {

std::vector<std::string> calledNames();
void clearCalls();
// The next call of the entry point exported as name answers 1.
void failNext(const std::string& name);

}  // namespace conversiontest
