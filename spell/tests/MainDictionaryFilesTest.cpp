#include <gtest/gtest.h>

#include "platform/spellengine/HunspellDictionary.h"
#include "platform/spellengine/SystemDictionaries.h"
#include "spell/DctWriter.h"
#include "spell/Dictionary.h"
#include "spell/DictionaryTitle.h"
#include "spell/StringParser.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {

std::vector<AnsiString> lines(const TStrings& list) {
  std::vector<AnsiString> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

class PointerFileTest : public ::testing::Test {
 protected:
  std::string dir = qn::testing::makeScratchDir("pointer");
  std::string pointer = dir + "/ssceam.tlx";
  void SetUp() override { WriteDctFile(dir + "/legal.dct", "Legal", "abcdefghijklmnopqrstuvwxyz", {{"tort", "writ"}}); }
  bool opens(const std::string& text) {
    qn::testing::writeFileText(pointer, text);
    TDictionary dictionary(pointer);
    return dictionary.Open();
  }
};

TEST_F(PointerFileTest, APointerOpensTheDictionaryItNames) {
  for (const std::string& text : {dir + "/legal.dct", dir + "/legal.dct\n", dir + "/legal.dct\r\n",
                                  std::string("legal.dct\n")}) {
    qn::testing::writeFileText(pointer, text);
    TDictionary dictionary(pointer);
    ASSERT_TRUE(dictionary.Open()) << text;
    EXPECT_EQ(dictionary.Title(), "Legal");
    EXPECT_EQ(DictionaryTitle(pointer), "Legal");
    EXPECT_TRUE(dictionary.IsKnownWord("writ"));
    EXPECT_FALSE(dictionary.IsKnownWord("wit"));
  }
}

TEST_F(PointerFileTest, AnEmptyPointerNamesNoDictionary) {
  qn::testing::writeFileText(pointer, "");
  TDictionary dictionary(pointer);
  ASSERT_TRUE(dictionary.Open());
  EXPECT_FALSE(dictionary.IsKnownWord("writ"));
  EXPECT_EQ(dictionary.Letters(), "");
  EXPECT_EQ(dictionary.Title(), "");
}

TEST_F(PointerFileTest, APointerThatNamesNothingUsableFailsToOpen) {
  EXPECT_FALSE(TDictionary(dir + "/missing.tlx").Open());
  EXPECT_FALSE(opens(dir + "/missing.dct\n"));
  EXPECT_FALSE(opens(dir + "/missing/en_US.aff\n")) << "a pointer naming a missing .aff";
  EXPECT_FALSE(opens(dir + "/legal.dct\n" + dir + "/legal.dct\n")) << "two lines";
  EXPECT_FALSE(opens(dir + "/legal.dct\n\n")) << "a second, empty line";
  qn::testing::writeFileText(dir + "/words.txt", "writ\n");
  EXPECT_FALSE(opens(dir + "/words.txt")) << "neither .aff nor .dct";
  EXPECT_FALSE(opens(pointer)) << "a pointer to a pointer";
}

// A Hunspell dictionary of the tests' own, in UTF-8, named through a pointer.
TEST(HunspellMainDictionaryTest, WordsAndSuggestionsCrossInWindows1252) {
  const std::string dir = qn::testing::makeScratchDir("hunspell-main");
  qn::testing::writeFileText(dir + "/tiny.aff", "SET UTF-8\nTRY esianrtolcdugmfphbyvkw-'.\nWORDCHARS 0123456789\n");
  qn::testing::writeFileText(dir + "/tiny.dic", "5\ncaf\xC3\xA9\nwater\ndamage\nspelling\nspell\n");
  qn::testing::writeFileText(dir + "/main.clx", "tiny.aff\n");
  TDictionary dictionary(dir + "/main.clx");
  ASSERT_TRUE(dictionary.Open());
  EXPECT_EQ(dictionary.Title(), "Hunspell tiny");
  EXPECT_TRUE(dictionary.IsKnownWord("caf\xE9"));
  EXPECT_FALSE(dictionary.IsKnownWord("cafe"));
  EXPECT_EQ(dictionary.Letters(), "esianrtolcdugmfphbyvkw'0123456789");

  StringList suggestions;
  suggestions.SetSorted(true);
  dictionary.GetSuggestions("waterdamage", suggestions);
  EXPECT_GE(suggestions.IndexOf("water damage"), 0) << "a pair of known words";
  dictionary.GetSuggestions("cafe", suggestions);
  EXPECT_GE(suggestions.IndexOf("caf\xE9"), 0);
  // Hunspell takes a hyphenated pair of known words as known.
  EXPECT_EQ(lines(suggestions), (std::vector<AnsiString>{"caf\xE9", "water damage", "water-damage"}))
      << "sorted, each once";

  dictionary.SetMaxSuggestions(0);
  StringList one;
  dictionary.GetSuggestions("speling", one);
  EXPECT_EQ(one.Count(), 1) << "stops above the maximum";
}

// The system's en_US, as the program folder's ssceam.tlx names it.
class SystemEnglishTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::optional<std::string> aff = qn::spellengine::systemDictionary("en_US");
    ASSERT_TRUE(aff) << "hunspell-en-us is not installed";
    pointer = qn::testing::makeScratchDir("en-us") + "/ssceam.tlx";
    qn::testing::writeFileText(pointer, *aff + "\n");
  }
  std::string pointer;
};

TEST_F(SystemEnglishTest, KnowsEnglishAndSuggests) {
  TDictionary dictionary(pointer);
  ASSERT_TRUE(dictionary.Open());
  EXPECT_EQ(dictionary.Title(), "Hunspell en_US");
  EXPECT_EQ(DictionaryTitle(pointer), "Hunspell en_US");
  for (const char* word : {"spelling", "Smith's", "don't", "water", "damage", "tests"})
    EXPECT_TRUE(dictionary.IsKnownWord(word)) << word;
  for (const char* word : {"speling", "tset", "Smiths's"}) EXPECT_FALSE(dictionary.IsKnownWord(word)) << word;
  for (char c : {'\'', '0', '9', 'a', 'Z'}) EXPECT_NE(dictionary.Letters().find(c), AnsiString::npos) << c;
  for (char c : {'.', '-', ' '}) EXPECT_EQ(dictionary.Letters().find(c), AnsiString::npos) << c;

  StringList suggestions;
  suggestions.SetSorted(true);
  dictionary.GetSuggestions("speling", suggestions);
  EXPECT_GE(suggestions.IndexOf("spelling"), 0) << ::testing::PrintToString(lines(suggestions));
  for (const AnsiString& suggestion : lines(suggestions)) EXPECT_NE(suggestion, "speling");

  dictionary.SetMaxSuggestions(1);
  StringList few;
  dictionary.GetSuggestions("speling", few);
  EXPECT_LE(few.Count(), 2);
}

TEST_F(SystemEnglishTest, ItsLettersSplitSentencesAndHyphenatedPairsButKeepApostrophes) {
  TDictionary dictionary(pointer);
  ASSERT_TRUE(dictionary.Open());
  AnsiString text = "A tset. The water-damage of Smith's house, don't 2nd";
  TStringParser parser(dictionary.Letters(), 20, text);
  std::vector<AnsiString> words;
  for (AnsiString word; parser.NextWord(word);) words.push_back(word);
  EXPECT_EQ(words,
            (std::vector<AnsiString>{"A", "tset", "The", "water", "damage", "of", "Smith's", "house", "don't", "2nd"}));
  for (const AnsiString& word : words) EXPECT_EQ(dictionary.IsKnownWord(word), word != "tset") << word;
}

TEST_F(SystemEnglishTest, ASecondOpenInTheRunDoesNotLoadAgain) {
  TDictionary first(pointer);
  ASSERT_TRUE(first.Open());
  const int loads = qn::spellengine::HunspellDictionary::loadCount();
  first.Close();
  EXPECT_FALSE(first.IsKnownWord("spelling"));
  ASSERT_TRUE(first.Open());
  TDictionary second(pointer);
  ASSERT_TRUE(second.Open());
  EXPECT_TRUE(second.IsKnownWord("spelling"));
  EXPECT_EQ(qn::spellengine::HunspellDictionary::loadCount(), loads);
}

}  // namespace
