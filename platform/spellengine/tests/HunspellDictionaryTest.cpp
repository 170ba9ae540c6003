#include <gtest/gtest.h>

#include <hunspell.hxx>

#include <algorithm>
#include <filesystem>

#include "platform/spellengine/HunspellDictionary.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {
using qn::spellengine::HunspellDictionary;

// A small dictionary in the form en_US has: its TRY line holds "." and "-", its WORDCHARS the
// digits and the typographic apostrophe.
void writeFixture(const std::string& dir, const std::string& name, const std::string& encoding, const std::string& tryLine,
                  const std::string& wordChars, const std::string& words) {
  qn::testing::writeFileText(dir + "/" + name + ".aff", "SET " + encoding + "\nTRY " + tryLine + "\nWORDCHARS " +
                                                            wordChars + "\nSFX S Y 1\nSFX S 0 s .\n");
  qn::testing::writeFileText(dir + "/" + name + ".dic", words);
}

class HunspellFixtureTest : public ::testing::Test {
 protected:
  std::string dir = qn::testing::makeScratchDir("hunspell");
  void SetUp() override {
    writeFixture(dir, "fixture", "UTF-8", "esianrtolcdugmfphbyvkw-'.zqjxSNRTLCGDMFPHBEAUYOIVKW\xC3\xA9\xC5\x82",
                 "0123456789\xE2\x80\x99",
                 "9\nspelling/S\ncaf\xC3\xA9\nSmith's\ndon't\nwater\ndamage\ntset\nspell\nna\xC3\xAFve\n");
  }
};

TEST_F(HunspellFixtureTest, KnowsWordsInWindows1252) {
  auto dictionary = HunspellDictionary::load(dir + "/fixture.aff");
  ASSERT_NE(dictionary, nullptr);
  for (const char* word : {"spelling", "spellings", "caf\xE9", "Smith's", "don't", "water", "damage", "tset"})
    EXPECT_TRUE(dictionary->knows(word)) << word;
  for (const char* word : {"speling", "cafe", "Smith", "dont", ""}) EXPECT_FALSE(dictionary->knows(word)) << word;
  EXPECT_EQ(dictionary->title(), "Hunspell fixture");
  EXPECT_EQ(dictionary->encoding(), "UTF-8");
}

TEST_F(HunspellFixtureTest, LettersAreTheWordCharactersTheCodePageHolds) {
  auto dictionary = HunspellDictionary::load(dir + "/fixture.aff");
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(dictionary->letters(), "esianrtolcdugmfphbyvkw'zqjxSNRTLCGDMFPHBEAUYOIVKW\xE9" "0123456789\x92")
      << "no '.', no '-', no character outside the code page";
}

TEST_F(HunspellFixtureTest, SuggestionsComeBackInWindows1252) {
  auto dictionary = HunspellDictionary::load(dir + "/fixture.aff");
  ASSERT_NE(dictionary, nullptr);
  const std::vector<std::string> suggestions = dictionary->suggest("speling");
  EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "spelling"), suggestions.end());
  const std::vector<std::string> accented = dictionary->suggest("cafe");
  EXPECT_NE(std::find(accented.begin(), accented.end(), "caf\xE9"), accented.end());
}

TEST_F(HunspellFixtureTest, ADictionaryInAnotherEncodingIsConvertedThroughIconv) {
  writeFixture(dir, "latin", "ISO8859-1", "esianrtolcdugmfph\xE9", "0123456789", "2\ncaf\xE9\nr\xE9sum\xE9\n");
  auto dictionary = HunspellDictionary::load(dir + "/latin.aff");
  ASSERT_NE(dictionary, nullptr);
  EXPECT_TRUE(dictionary->knows("caf\xE9"));
  EXPECT_TRUE(dictionary->knows("r\xE9sum\xE9"));
  EXPECT_FALSE(dictionary->knows("cafe"));
  EXPECT_EQ(dictionary->letters(), "esianrtolcdugmfph\xE9" "0123456789'");
  const std::vector<std::string> suggestions = dictionary->suggest("resume");
  EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "r\xE9sum\xE9"), suggestions.end());
}

TEST_F(HunspellFixtureTest, EachFileIsLoadedOnceInARun) {
  const int before = HunspellDictionary::loadCount();
  auto first = HunspellDictionary::load(dir + "/fixture.aff");
  auto second = HunspellDictionary::load(dir + "/../" + std::filesystem::path(dir).filename().string() + "/fixture.aff");
  EXPECT_EQ(first, second);
  EXPECT_EQ(HunspellDictionary::loadCount(), before + 1);
  first.reset();
  second.reset();
  EXPECT_NE(HunspellDictionary::load(dir + "/fixture.aff"), nullptr);
  EXPECT_EQ(HunspellDictionary::loadCount(), before + 1) << "kept after its users let go";
}

TEST_F(HunspellFixtureTest, AMissingAffOrDicLoadsNothing) {
  EXPECT_EQ(HunspellDictionary::load(dir + "/missing.aff"), nullptr);
  qn::testing::writeFileText(dir + "/lonely.aff", "SET UTF-8\n");
  EXPECT_EQ(HunspellDictionary::load(dir + "/lonely.aff"), nullptr);
}

TEST(HunspellTitleTest, TheTitleNamesTheFile) {
  EXPECT_EQ(HunspellDictionary::titleOf("/usr/share/hunspell/en_US.aff"), "Hunspell en_US");
  EXPECT_EQ(HunspellDictionary::titleOf("C:\\dict\\de_DE.aff"), "Hunspell de_DE");
}

}  // namespace
