#pragma once
// A clock for lock tests: it runs only while the record-file layer waits (each sleep advances it
// at once), and when it reaches `releaseAt` milliseconds the second workstation runs `release`
// (closing its file, say), as if the other user had let go at that moment.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/base/Clock.h"
#include "platform/recmgr/tests/ServeChild.h"

namespace qn::core::testing {

class ReleasingClock : public qn::ManualClock {
 public:
  static constexpr uint64_t Never = UINT64_MAX;

  ReleasingClock(qn::recmgr::testing::ServeChild& other, uint64_t releaseAt, std::string release = "close 0")
      : other_(other), releaseAt_(releaseAt), release_(std::move(release)) {
    qn::setClock(this);
  }
  ~ReleasingClock() override { qn::setClock(nullptr); }
  ReleasingClock(const ReleasingClock&) = delete;
  ReleasingClock& operator=(const ReleasingClock&) = delete;

  void sleep(uint32_t ms) override {
    advance(ms);
    if (!released_ && milliseconds() >= releaseAt_) {
      released_ = true;
      EXPECT_EQ(other_.status(release_), 0) << release_;
    }
  }

 private:
  qn::recmgr::testing::ServeChild& other_;
  uint64_t releaseAt_;
  std::string release_;
  bool released_ = false;
};

}  // namespace qn::core::testing
