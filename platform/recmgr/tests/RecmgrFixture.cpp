#include "platform/recmgr/tests/RecmgrFixture.h"

#include <fstream>
#include <sstream>

#include "testing/TestDirs.h"

namespace qn::recmgr::testing {

void RecmgrFixture::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = qn::testing::makeScratchDir(std::string(info->test_suite_name()) + "-" + info->name());
  const uint16_t started = RecordManagerApi::instance().init("");
  ASSERT_TRUE(started == 0 || started == 1016) << started;
}

std::string RecmgrFixture::makeSmallFile(const std::string& fileName, const std::vector<std::string>& names) {
  const std::string p = path(fileName);
  const auto spec = createSpec(smallRecordLength, {{{1, 4, 15}}, {{5, 8, 0, 0x01 | 0x02}}});
  EXPECT_EQ(createFile(p, spec), 0);
  OpenFile f;
  EXPECT_EQ(f.open(p), 0);
  for (const std::string& n : names) {
    std::string r = smallRecord(n);
    EXPECT_EQ(f.insert(r), 0) << n;
  }
  return p;
}

std::string RecmgrFixture::smallRecord(const std::string& name, uint32_t number) {
  std::string r(smallRecordLength, '\0');
  putU32(r, 0, number);
  r.replace(4, name.size(), name);
  for (size_t i = 12; i < r.size(); ++i) r[i] = static_cast<char>('a' + i % 26);
  return r;
}

std::string RecmgrFixture::nameKey(const std::string& name) {
  std::string k(8, '\0');
  k.replace(0, name.size(), name);
  return k;
}

std::string RecmgrFixture::nameOf(const std::string& record) {
  std::string n = record.substr(4, 8);
  return n.substr(0, n.find('\0'));
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace qn::recmgr::testing
