#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>

#include "spell/DctWriter.h"
#include "spell/Dictionary.h"
#include "spell/DictionaryTitle.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {

std::vector<AnsiString> lines(const TStrings& list) {
  std::vector<AnsiString> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

void putU32At(std::string& bytes, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
}

// Where the first trie's parts lie in a file's bytes.
struct TrieLayout {
  std::size_t nodesAt;
  std::uint32_t nodeCount;
  std::uint32_t listSize;
};
TrieLayout firstTrie(const std::string& bytes) {
  const std::size_t at = 280 + static_cast<unsigned char>(bytes[279]);
  return {at + 8, u32At(bytes, at), u32At(bytes, at + 4)};
}

// Two tries and three: words spread over them, and nodes of every child kind.
const std::vector<std::vector<AnsiString>> kTries = {
    {"a", "cat", "car", "ka", "kb", "kc", "kd", "ke", "kf", "kg", "ma", "mb"},
    {"dog", "do", "na", "nb", "nc", "pa", "pb", "pc", "pd"},
    {"ra", "rb", "rc", "rd", "re", "sa", "sb", "sc", "sd", "se", "sf", "zebra"},
};

class TrieDictionaryTest : public ::testing::TestWithParam<int> {
 protected:
  std::string dir = qn::testing::makeScratchDir("trie");
  std::string path = dir + "/english.dct";
  std::vector<std::vector<AnsiString>> tries() const {
    if (GetParam() == 3) return kTries;
    std::vector<std::vector<AnsiString>> two = {kTries[0], kTries[1]};
    two[1].insert(two[1].end(), kTries[2].begin(), kTries[2].end());
    return two;
  }
};

TEST_P(TrieDictionaryTest, KnowsExactlyItsWords) {
  WriteDctFile(path, "English (US)", "abcdefghijklmnopqrstuvwxyz", tries());
  TDictionary dictionary(path);
  EXPECT_FALSE(dictionary.IsKnownWord("cat")) << "not open yet";
  ASSERT_TRUE(dictionary.Open());
  EXPECT_TRUE(dictionary.Open()) << "a second open answers at once";
  EXPECT_EQ(dictionary.Title(), "English (US)");
  EXPECT_EQ(DictionaryTitle(path), "English (US)");
  EXPECT_EQ(dictionary.Letters(), "abcdefghijklmnopqrstuvwxyz");
  for (const auto& words : kTries)
    for (const AnsiString& word : words) EXPECT_TRUE(dictionary.IsKnownWord(word)) << word;
  for (const char* word : {"", "d", "k", "ca", "cats", "Cat", "kh", "kgx", "xylophone", "zebr", "dogs"})
    EXPECT_FALSE(dictionary.IsKnownWord(word)) << word;
  EXPECT_FALSE(dictionary.IsKnownWord(AnsiString(256, 'a')));
  dictionary.Close();
  EXPECT_FALSE(dictionary.IsKnownWord("cat"));
}

TEST_P(TrieDictionaryTest, TheFixtureHoldsEveryChildKind) {
  const std::string bytes = DctFileBytes("t", "abc", tries());
  std::set<unsigned> kinds;
  std::size_t at = 280 + 3;
  for (int t = 0; t < GetParam(); ++t) {
    const std::uint32_t count = u32At(bytes, at), listSize = u32At(bytes, at + 4);
    for (std::uint32_t i = 0; i < count; ++i) kinds.insert((u32At(bytes, at + 8 + 4 * i) >> 20) & 7);
    at += 8 + 4 * count + listSize;
    at += 1 + 5 * static_cast<unsigned char>(bytes[at]);
  }
  EXPECT_EQ(at, bytes.size());
  EXPECT_EQ(kinds, (std::set<unsigned>{0, 1, 2, 3, 4, 5, 6, 7}));
}

INSTANTIATE_TEST_SUITE_P(Tries, TrieDictionaryTest, ::testing::Values(2, 3));

// "ofrms" and what each method makes of it; each method finds its words and no other's.
const std::vector<AnsiString> kSuggestionWords = {"Ofrms", "forms", "ofms", "ofirms", "ofrmss", "sofrms", "ofims",
                                                  "ofrmt", "afrms", "rfoms", "orm",  "frm",    "of",     "rms"};

TEST(TrieSuggestionsTest, EachMethodGivesItsOwnSortedList) {
  const std::string path = qn::testing::makeScratchDir("trie-suggestions") + "/words.dct";
  WriteDctFile(path, "Suggestions", "defimnorst", {kSuggestionWords, {"of"}});
  TDictionary dictionary(path);
  ASSERT_TRUE(dictionary.Open());
  const std::vector<std::pair<unsigned char, std::vector<AnsiString>>> methods = {
      {0x01, {"Ofrms"}},          {0x02, {"forms"}},          {0x04, {"ofms"}},
      {0x08, {"ofirms", "ofrmss"}}, {0x10, {"ofims", "ofrmt"}}, {0x20, {"rfoms"}},
      {0x40, {"frm", "orm", "rms"}}, {0x80, {"of rms"}},
  };
  for (const auto& [bit, expected] : methods) {
    dictionary.SetSuggestionMethods(bit);
    StringList list;
    list.SetSorted(true);
    list.SetCaseSensitive(true);
    dictionary.GetSuggestions("ofrms", list);
    EXPECT_EQ(lines(list), expected) << "method " << int(bit);
  }
}

TEST(TrieSuggestionsTest, WithAllMethodsTheListStopsOnePastTheMaximum) {
  const std::string path = qn::testing::makeScratchDir("trie-maximum") + "/words.dct";
  WriteDctFile(path, "Suggestions", "defimnorst", {kSuggestionWords});
  TDictionary dictionary(path);
  ASSERT_TRUE(dictionary.Open());
  EXPECT_EQ(dictionary.MaxSuggestions(), 30);
  EXPECT_EQ(dictionary.SuggestionMethods(), 255);
  StringList all;
  dictionary.GetSuggestions("ofrms", all);
  EXPECT_EQ(all.Count(), 12);

  dictionary.SetMaxSuggestions(4);
  StringList list;
  list.SetSorted(true);
  list.SetCaseSensitive(true);
  dictionary.GetSuggestions("ofrms", list);
  const std::vector<AnsiString> got = lines(list);
  EXPECT_EQ(std::set<AnsiString>(got.begin(), got.end()),
            (std::set<AnsiString>{"Ofrms", "forms", "ofms", "ofirms", "ofrmss"}))
      << "the methods in order, up to the maximum + 1";
  dictionary.GetSuggestions("ofrms", list);
  EXPECT_EQ(list.Count(), 5) << "a full list takes nothing more";
}

class DamagedTrieTest : public ::testing::Test {
 protected:
  std::string path = qn::testing::makeScratchDir("trie-damage") + "/damaged.dct";
  std::string good = DctFileBytes("Damaged", "abcdefghijklmnopqrstuvwxyz", kTries);
  bool opens(const std::string& bytes) {
    qn::testing::writeFileText(path, bytes);
    TDictionary dictionary(path);
    return dictionary.Open();
  }
  // The first node of the first trie whose child kind is kind.
  std::size_t nodeOfKind(unsigned kind) {
    const TrieLayout trie = firstTrie(good);
    for (std::uint32_t i = 0; i < trie.nodeCount; ++i)
      if (((u32At(good, trie.nodesAt + 4 * i) >> 20) & 7) == kind) return trie.nodesAt + 4 * i;
    ADD_FAILURE() << "no node of kind " << kind;
    return trie.nodesAt;
  }
};

TEST_F(DamagedTrieTest, EveryTruncationFailsToOpen) {
  ASSERT_TRUE(opens(good));
  for (std::size_t size = 0; size < good.size(); ++size) EXPECT_FALSE(opens(good.substr(0, size))) << size;
  EXPECT_FALSE(TDictionary(path + ".missing").Open());
}

TEST_F(DamagedTrieTest, IndexesAndOffsetsOutsideTheTrieFailToOpen) {
  const TrieLayout trie = firstTrie(good);
  auto withValue = [&](std::size_t nodeAt, std::uint32_t value) {
    std::string bytes = good;
    putU32At(bytes, nodeAt, (u32At(bytes, nodeAt) & ~0xFFFFFu) | value);
    return bytes;
  };
  EXPECT_FALSE(opens(withValue(nodeOfKind(1), trie.nodeCount))) << "a child past the node count";
  EXPECT_TRUE(opens(withValue(nodeOfKind(1), trie.nodeCount - 1))) << "the last node is a node";
  EXPECT_FALSE(opens(withValue(nodeOfKind(2), trie.listSize))) << "a list past the list area";
  EXPECT_FALSE(opens(withValue(nodeOfKind(2), trie.listSize - 3))) << "a list running past the list area";
  EXPECT_FALSE(opens(withValue(nodeOfKind(7), trie.listSize))) << "a counted list past the list area";

  std::string bytes = good;
  const std::size_t listAt = trie.nodesAt + 4 * trie.nodeCount;
  const std::uint32_t kind2 = u32At(good, nodeOfKind(2)) & 0xFFFFF;
  bytes[listAt + kind2] = static_cast<char>(0xFF);
  bytes[listAt + kind2 + 1] = static_cast<char>(0xFF);
  EXPECT_FALSE(opens(bytes)) << "a listed index past the node count";

  bytes = good;
  const std::size_t rootsAt = listAt + trie.listSize;
  const unsigned firstCount = static_cast<unsigned char>(bytes[rootsAt]);
  putU32At(bytes, rootsAt + 1 + firstCount, trie.nodeCount);
  EXPECT_FALSE(opens(bytes)) << "a root past the node count";

  bytes = good.substr(0, 400);
  bytes[279] = static_cast<char>(255);
  EXPECT_FALSE(opens(bytes)) << "more letters than the file holds";
}

TEST_F(DamagedTrieTest, RandomDamageNeverReadsOutsideTheFile) {
  std::mt19937 random(61);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int opened = 0, tried = 0;
  while (std::chrono::steady_clock::now() < until) {
    std::string bytes = good;
    const int damage = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < damage; ++i)
      bytes[280 + random() % (bytes.size() - 280)] = static_cast<char>(random());
    if (random() % 8 == 0) bytes.resize(random() % bytes.size());
    qn::testing::writeFileText(path, bytes);
    TDictionary dictionary(path);
    ++tried;
    if (!dictionary.Open()) continue;
    ++opened;
    for (const auto& words : kTries)
      for (const AnsiString& word : words) dictionary.IsKnownWord(word + "s");
    StringList list;
    dictionary.GetSuggestions("cta", list);
  }
  EXPECT_GT(tried, 100);
  EXPECT_LT(opened, tried);
}

}  // namespace
