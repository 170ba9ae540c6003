#include <gtest/gtest.h>

#include "framework/base/StringList.h"
#include "spell/EnhancedINI.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {

TEST(EnhancedINITest, ListsUseTheCountAndNumberedKeysAndSkipEmptyEntries) {
  const std::string path = qn::testing::makeScratchDir("enhanced-ini") + "/VORLEX.CFG";
  qn::testing::writeFileText(path,
                             "[vorlex]\n"
                             "ID=1\n"
                             "U_DCT_ListCount=3\n"
                             "U_DCT_0=Tdefault.udt\n"
                             "U_DCT_1=\n"
                             "u_dct_2=Ffirm.udt\n"
                             "U_DCT_3=beyond the count\n"
                             "U_MU_DCT_ListCount=1\n"
                             "U_MU_DCT_0=Tenglish.dct\n");
  TEnhancedINI ini(path);
  StringList list;
  list.Add("replaced");
  ini.ReadList("VORLEX", "U_DCT", list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], "Tdefault.udt");
  EXPECT_EQ(list[1], "Ffirm.udt");
  EXPECT_TRUE(ini.SectionExists("vorlex"));
  EXPECT_FALSE(ini.SectionExists("other"));

  StringList written;
  written.Add("Tlegal.udt");
  ini.WriteList("vorlex", "U_DCT", written);
  EXPECT_EQ(qn::testing::readFileText(path),
            "[vorlex]\n"
            "ID=1\n"
            "U_MU_DCT_ListCount=1\n"
            "U_MU_DCT_0=Tenglish.dct\n"
            "U_DCT_ListCount=1\n"
            "U_DCT_0=Tlegal.udt\n")
      << "the old list's keys go, another list with a longer base stays";
  ini.ReadList("vorlex", "Missing", list);
  EXPECT_EQ(list.Count(), 0);
}

// A damaged count names more entries than a section can hold: the list is the entries there are.
TEST(EnhancedINITest, ACountPastTheEntriesReadsTheEntriesThereAreInNumberOrder) {
  const std::string path = qn::testing::makeScratchDir("enhanced-ini") + "/VORLEX.CFG";
  qn::testing::writeFileText(path,
                             "[vorlex]\n"
                             "U_DCT_ListCount=2147483647\n"
                             "U_DCT_7=Tseventh.udt\n"
                             "U_DCT_01=Fnot an entry.udt\n"
                             "U_DCT_-1=Fnot an entry either.udt\n"
                             "U_DCT_0=Tdefault.udt\n"
                             "U_DCT_7=Fsecond seventh.udt\n"
                             "U_DCT_ListCount=1\n");
  StringList list;
  TEnhancedINI(path).ReadList("vorlex", "U_DCT", list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], "Tdefault.udt");
  EXPECT_EQ(list[1], "Tseventh.udt") << "the first of two entries of one number";
}

}  // namespace
