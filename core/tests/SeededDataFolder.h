#pragma once
// Record-file tests on real files: a data folder made by qnseed from a small fixture with the
// standard files (clients ADAMS, BRIGHT, CLARK and DAVIS in YClient.qf, three fees in Fee.qf,
// the others empty), and the record-file layer reset after each test.
#include <gtest/gtest.h>

#include <string>

#include "framework/base/AnsiString.h"

namespace qn::core::testing {

class SeededDataFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The file's path as the program writes it: the data folder, a backslash, the name.
  AnsiString path(const AnsiString& name) const { return AnsiString(dataDir) + "\\" + name; }
  // The file's Linux path, for the second workstation.
  std::string linuxPath(const std::string& name) const { return dataDir + "/" + name; }

  std::string dataDir;
};

}  // namespace qn::core::testing
