#include <gtest/gtest.h>

#include <thread>

#include "ChildProgram.h"
#include "platform/os/NamedMutex.h"
#include "testing/TestDirs.h"

namespace {

using namespace qn::os;
using namespace qn::os::testing;

const char* const mutexName = "SingleInstanceProgramHMutex";

TEST(NamedMutexTest, WaitTimesOutWhileAnotherProcessOwnsIt) {
  std::string record = qn::testing::makeScratchDir("mutex") + "/record";
  auto holder = startChild({"mutex-hold", mutexName, record});
  ASSERT_TRUE(holder);
  ASSERT_TRUE(waitForLine(record, "owned"));

  NamedMutex mutex(mutexName);
  EXPECT_EQ(mutex.wait(200), WaitResult::TimedOut);
  EXPECT_FALSE(mutex.release()) << "a timed-out wait owns nothing";

  // The holder dies owning it: the kernel frees it, and the next owner hears it was abandoned.
  killChild(*holder);
  EXPECT_EQ(mutex.wait(10000), WaitResult::Abandoned);
  EXPECT_TRUE(mutex.release());
}

TEST(NamedMutexTest, AbandonedMutexCountsAsOwnedOnce) {
  auto child = startChild({"mutex-abandon", mutexName});
  ASSERT_TRUE(child);
  ASSERT_EQ(waitForExit(*child), 0u);

  NamedMutex mutex(mutexName);
  EXPECT_EQ(mutex.wait(10000), WaitResult::Abandoned);
  EXPECT_TRUE(mutex.release());
  // Released properly this time: the next owner, here or elsewhere, owns it plainly.
  auto next = startChild({"mutex-try", mutexName, "10000"});
  ASSERT_TRUE(next);
  EXPECT_EQ(waitForExit(*next), 0u);
  EXPECT_EQ(mutex.wait(10000), WaitResult::Acquired);
}

TEST(NamedMutexTest, OtherProcessTimesOutUntilReleased) {
  NamedMutex mutex(mutexName);
  ASSERT_EQ(mutex.wait(0), WaitResult::Acquired);

  auto blocked = startChild({"mutex-try", mutexName, "200"});
  ASSERT_TRUE(blocked);
  EXPECT_EQ(waitForExit(*blocked), 2u) << "the child should have timed out";

  ASSERT_TRUE(mutex.release());
  auto free = startChild({"mutex-try", mutexName, "10000"});
  ASSERT_TRUE(free);
  EXPECT_EQ(waitForExit(*free), 0u) << "the child should have owned it";
}

TEST(NamedMutexTest, NamesAreSeparateMutexes) {
  NamedMutex first("First\\Name");
  ASSERT_EQ(first.wait(0), WaitResult::Acquired);
  auto other = startChild({"mutex-try", "Second/Name", "10000"});
  ASSERT_TRUE(other);
  EXPECT_EQ(waitForExit(*other), 0u);
  auto same = startChild({"mutex-try", "First\\Name", "100"});
  ASSERT_TRUE(same);
  EXPECT_EQ(waitForExit(*same), 2u);
}

TEST(NamedMutexTest, OwnershipNestsForTheOwningThreadOnly) {
  NamedMutex mutex(mutexName);
  NamedMutex secondHandle(mutexName);
  ASSERT_EQ(mutex.wait(0), WaitResult::Acquired);
  EXPECT_EQ(secondHandle.wait(0), WaitResult::Acquired) << "the owning thread owns it again";

  WaitResult otherThread = WaitResult::Failed;
  bool releasedByOther = true;
  std::thread([&] {
    NamedMutex handle(mutexName);
    otherThread = handle.wait(100);
    releasedByOther = handle.release();
  }).join();
  EXPECT_EQ(otherThread, WaitResult::TimedOut);
  EXPECT_FALSE(releasedByOther);

  EXPECT_TRUE(secondHandle.release());
  EXPECT_TRUE(mutex.release());
  EXPECT_FALSE(mutex.release()) << "released as often as it was owned";

  std::thread([&] {
    NamedMutex handle(mutexName);
    otherThread = handle.wait(1000);
  }).join();
  EXPECT_EQ(otherThread, WaitResult::Acquired);
}

TEST(NamedMutexTest, ClosingTheHandleReleasesWhatItOwns) {
  {
    NamedMutex mutex(mutexName);
    ASSERT_EQ(mutex.wait(0), WaitResult::Acquired);
  }
  auto child = startChild({"mutex-try", mutexName, "10000"});
  ASSERT_TRUE(child);
  EXPECT_EQ(waitForExit(*child), 0u) << "owned plainly, not abandoned";
}

}  // namespace
