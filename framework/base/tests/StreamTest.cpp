#include <gtest/gtest.h>

#include <sys/stat.h>

#include "framework/base/Exception.h"
#include "framework/base/FileStream.h"
#include "framework/base/MemoryStream.h"
#include "framework/base/StringStream.h"
#include "testing/TestDirs.h"

namespace {

TEST(StreamTest, MemoryStreamReadsWritesAndSeeks) {
  MemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  EXPECT_EQ(m.Position(), 5);
  m.Seek(-3, soCurrent);
  char buffer[8] = {};
  EXPECT_EQ(m.Read(buffer, 8), 3);  // only what is there
  EXPECT_STREQ(buffer, "llo");
  m.Seek(7, soBeginning);  // beyond the end: writing fills the gap with zeros
  m.WriteBuffer("!", 1);
  EXPECT_EQ(AnsiString(m.Memory(), m.Size()), AnsiString("hello\0\0!", 8));
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
  m.SetPosition(0);
  EXPECT_THROW(m.ReadBuffer(buffer, 3), EStreamError);
  EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
  EXPECT_EQ(m.Seek(-1, soEnd), 1);
}

TEST(StreamTest, AMemoryStreamLoadedFromItselfKeepsItsBytes) {
  StringStream s("abc");
  s.LoadFromStream(s);
  EXPECT_EQ(s.DataString(), "abc");
  EXPECT_EQ(s.Position(), 0);
}

TEST(StreamTest, StringStreamOverwritesAndExtends) {
  StringStream s("abcdef");
  EXPECT_EQ(s.ReadString(2), "ab");
  s.WriteString("XY");
  EXPECT_EQ(s.DataString(), "abXYef");  // the rest stays
  s.Seek(0, soEnd);
  s.WriteString("gh");
  EXPECT_EQ(s.DataString(), "abXYefgh");
  s.SetPosition(6);
  EXPECT_EQ(s.ReadString(10), "gh");
  EXPECT_EQ(s.ReadString(10), "");
}

TEST(StreamTest, FileStreamAndCopies) {
  const std::string dir = qn::testing::makeScratchDir("streams");
  const std::string path = dir + "/data.bin";
  {
    FileStream file(path, fmCreate);
    StringStream source("0123456789");
    EXPECT_EQ(file.CopyFrom(source, 0), 10);  // 0: all of it, from its start
    source.SetPosition(2);
    EXPECT_EQ(file.CopyFrom(source, 3), 3);
    EXPECT_EQ(file.Size(), 13);
  }
  {
    FileStream file(path, fmOpenReadWrite);
    file.Seek(-3, soEnd);
    char tail[4] = {};
    file.ReadBuffer(tail, 3);
    EXPECT_STREQ(tail, "234");
    file.SetSize(4);
    EXPECT_EQ(file.Position(), 4);
    EXPECT_THROW(file.ReadBuffer(tail, 1), EStreamError);
  }
  MemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(AnsiString(m.Memory(), m.Size()), "0123");
  m.SaveToFile(dir + "/copy.bin");
  struct stat st {};
  ASSERT_EQ(stat((dir + "/copy.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 4);
  {
    FileStream readOnly(path, fmOpenRead);
    EXPECT_THROW(readOnly.WriteBuffer("x", 1), EInOutError);
  }
}

TEST(StreamTest, FilesThatCannotBeOpenedRaiseWithThePath) {
  const std::string dir = qn::testing::makeScratchDir("streams-missing");
  try {
    FileStream file(dir + "/absent.dat", fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot open file \"" + dir + "/absent.dat\". ", 0), 0u) << e.Message();
    EXPECT_TRUE(e.InheritsFrom("EStreamError"));
  }
  EXPECT_THROW(FileStream(dir + "/no/such/folder/x", fmCreate), EFOpenError);
}

}  // namespace
