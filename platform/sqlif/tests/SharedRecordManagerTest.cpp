// The interface reads its dictionary files through the record manager the driver's process has
// loaded, as a client of its own: its logins and logouts never end the driver's client.
#include <dlfcn.h>

#include <array>
#include <cstring>

#include "platform/sqlif/tests/SqlFixture.h"

namespace qn::sqlif::testing {
namespace {

using Call = int16_t (*)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t);

class SharedRecordManagerTest : public SqlFixture {
 protected:
  void SetUp() override {
    SqlFixture::SetUp();
    void* library = dlopen((programFolder() + "/libwbtrv32.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    call = reinterpret_cast<Call>(dlsym(library, "BTRCALL"));
    auto init = reinterpret_cast<uint16_t (*)(const char*)>(dlsym(library, "WBTRVINIT"));
    ASSERT_TRUE(call && init);
    init("");
  }
  // The user name of the record a read delivers, or "#status".
  std::string read(uint16_t operation) {
    std::array<char, 62> record{};
    std::array<char, 256> key{};
    uint16_t length = record.size();
    const int16_t s = call(operation, block.data(), record.data(), &length, key.data(), 255, 0);
    if (s != 0) return "#" + std::to_string(s);
    std::string name(record.data(), 30);
    return name.erase(name.find_last_not_of(' ') + 1);
  }
  Call call = nullptr;
  std::array<uint8_t, 128> block{};
};

TEST_F(SharedRecordManagerTest, DriversCursorSurvivesLoginsAndLogouts) {
  std::array<char, 256> path{};
  std::strcpy(path.data(), (folder + "/USER.DDF").c_str());
  char owner[] = "..KQ....";
  uint16_t ownerLength = sizeof owner;
  ASSERT_EQ(call(0, block.data(), owner, &ownerLength, path.data(), 255, 0), 0);
  EXPECT_EQ(read(12), "ADMIN");  // first

  ASSERT_EQ(loginTo(folder), 0);
  EXPECT_EQ(runStatement("EXEC BIGCLIENTS"), 0);
  ASSERT_EQ(api.logout(), 0);
  EXPECT_EQ(loginTo(folder, "ADMIN", "wrong"), 205);

  EXPECT_EQ(read(6), "clerk");  // next, from where the driver's cursor stood
  EXPECT_EQ(read(6), "#9");
  EXPECT_EQ(read(12), "ADMIN");
  uint16_t none = 0;
  EXPECT_EQ(call(1, block.data(), nullptr, &none, nullptr, 255, 0), 0);
}

}  // namespace
}  // namespace qn::sqlif::testing
