#pragma once
// A scratch folder and a small record file most tests start from: 32-byte records, key 0 an
// auto-increment number at 1..4 (unique), key 1 an 8-byte name at 5..12 (duplicates, modifiable).
#include <gtest/gtest.h>

#include <string>

#include "platform/recmgr/tests/RecordManagerApi.h"

namespace qn::recmgr::testing {

inline constexpr uint16_t smallRecordLength = 32;

class RecmgrFixture : public ::testing::Test {
 public:
  // A record of the small layout with `name` (auto-increment 0).
  static std::string smallRecord(const std::string& name, uint32_t number = 0);
  static std::string nameKey(const std::string& name);  // the 8-byte key value
  static std::string nameOf(const std::string& record);

 protected:
  void SetUp() override;

  // A file of the small layout, `names` inserted in that order; returns its path.
  std::string makeSmallFile(const std::string& fileName, const std::vector<std::string>& names);
  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  std::string dir_;
};

std::string fileBytes(const std::string& path);

}  // namespace qn::recmgr::testing
