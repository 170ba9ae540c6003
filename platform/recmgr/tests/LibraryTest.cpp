// The shared library shows the program its four entry points and nothing of its insides.
#include <gtest/gtest.h>

#include "platform/recmgr/tests/RecordManagerApi.h"

namespace qn::recmgr::testing {
namespace {

TEST(Library, ExportsOnlyTheEntryPoints) {
  const RecordManagerApi& api = RecordManagerApi::instance();
  for (const char* name : {"BTRCALL", "BTRCALLID", "WBTRVINIT", "WBTRVSTOP"}) EXPECT_NE(api.symbol(name), nullptr) << name;
  for (const char* name : {"_ZN2qn6recmgr6Engine8instanceEv", "_ZN2qn2os11resolvePathESt17basic_string_viewIcSt11char_traitsIcEE"})
    EXPECT_EQ(api.symbol(name), nullptr) << name;
}

}  // namespace
}  // namespace qn::recmgr::testing
