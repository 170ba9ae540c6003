#pragma once
// A process locale whose decimal separator is a comma, as a Qt program takes from a German
// system at start: conversions that must keep their own notation are tried under it.
#include <gtest/gtest.h>

#include <string>

namespace qn::testing {

// Compiles such a locale into a scratch folder once and makes it the C library's locale; false
// (with the reason in `why`) where the machine cannot build one.
bool useCommaDecimalLocale(std::string& why);
// Back to the "C" locale every test starts from.
void useClassicLocale();

// Tests run under the comma locale (skipped where none can be built) and leave it afterwards.
class CommaDecimalLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!useCommaDecimalLocale(why)) GTEST_SKIP() << why;
  }
  void TearDown() override { useClassicLocale(); }
};

}  // namespace qn::testing
