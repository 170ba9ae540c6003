#include <gtest/gtest.h>

#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/StringList.h"
#include "framework/base/StringStream.h"
#include "testing/TestDirs.h"

namespace {

std::vector<AnsiString> lines(const TStrings& list) {
  std::vector<AnsiString> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

using Lines = std::vector<AnsiString>;

TEST(StringListTest, SortedListsIgnoreCaseUnlessCaseSensitive) {
  StringList list;
  list.SetDuplicates(dupAccept);
  for (const char* s : {"delta", "Bravo", "alpha", "Charlie", "bravo", "ALPHA", "\xC9" "cho", "echo"}) list.Add(s);
  list.SetSorted(true);
  // Equal without case: the order they were added in. An accent is no case: echo before Écho.
  EXPECT_EQ(lines(list), (Lines{"alpha", "ALPHA", "Bravo", "bravo", "Charlie", "delta", "echo", "\xC9" "cho"}));
  list.SetCaseSensitive(true);
  EXPECT_EQ(lines(list), (Lines{"alpha", "ALPHA", "bravo", "Bravo", "Charlie", "delta", "echo", "\xC9" "cho"}));
  EXPECT_EQ(list.Add("Alpha"), 1);  // between "alpha" and "ALPHA"
}

TEST(StringListTest, DuplicatesInASortedList) {
  StringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add("smith"), 0);
  EXPECT_EQ(list.Add("jones"), 0);
  EXPECT_EQ(list.Add("SMITH"), 1);  // dupIgnore: the present line's index, nothing added
  EXPECT_EQ(lines(list), (Lines{"jones", "smith"}));

  list.SetDuplicates(dupAccept);
  EXPECT_EQ(list.Add("Smith"), 2);  // after its equals
  EXPECT_EQ(lines(list), (Lines{"jones", "smith", "Smith"}));

  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("SMITH"), EListError);

  list.SetCaseSensitive(true);
  EXPECT_EQ(list.Add("SMITH"), 3);  // a different line now
  EXPECT_EQ(lines(list), (Lines{"jones", "smith", "Smith", "SMITH"}));
}

TEST(StringListTest, FindAndIndexOf) {
  StringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  for (const char* s : {"b", "d", "d", "f"}) list.Add(s);
  int index = -1;
  EXPECT_TRUE(list.Find("D", index));
  EXPECT_EQ(index, 1);  // the first occurrence
  EXPECT_FALSE(list.Find("e", index));
  EXPECT_EQ(index, 3);  // where it would go
  EXPECT_FALSE(list.Find("z", index));
  EXPECT_EQ(index, 4);
  EXPECT_EQ(list.IndexOf("F"), 3);
  EXPECT_EQ(list.IndexOf("x"), -1);

  StringList unsorted;
  unsorted.Add("Zed");
  unsorted.Add("abc");
  EXPECT_EQ(unsorted.IndexOf("ABC"), 1);
  unsorted.SetCaseSensitive(true);
  EXPECT_EQ(unsorted.IndexOf("ABC"), -1);
}

TEST(StringListTest, SortedListsRefuseToBePlacedInto) {
  StringList list;
  list.Add("b");
  list.SetSorted(true);
  EXPECT_THROW(list.Insert(0, "a"), EListError);
  EXPECT_THROW(list.SetStrings(0, "a"), EListError);
  EXPECT_THROW(list.CustomSort([](StringList&, int, int) { return 0; }), EListError);
}

TEST(StringListTest, IndexesOutsideTheListRaise) {
  StringList list;
  list.Add("a");
  try {
    list.Strings(1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Objects(5), EListError);
  EXPECT_THROW(list.Insert(3, "x"), EListError);
  list.Insert(1, "end");  // at Count: appends
  EXPECT_EQ(lines(list), (Lines{"a", "end"}));
}

TEST(StringListTest, ObjectsTravelWithTheirLines) {
  TObject one, two;
  StringList list;
  list.AddObject("two", &two);
  list.AddObject("one", &one);
  list.SetSorted(true);
  EXPECT_EQ(list.Objects(0), &one);
  EXPECT_EQ(list.IndexOfObject(&two), 1);
  StringList copy;
  copy.Add("old");
  copy.Assign(list);
  EXPECT_EQ(lines(copy), (Lines{"one", "two"}));
  EXPECT_EQ(copy.Objects(1), &two);
  copy.AddStrings(list);
  EXPECT_EQ(copy.Count(), 4);
  EXPECT_EQ(copy.Objects(3), &two);
  EXPECT_FALSE(copy.Equals(list));
  copy.Assign(list);
  EXPECT_TRUE(copy.Equals(list));
}

TEST(StringListTest, NameValueLines) {
  StringList params;
  params.SetText("PATH=c:\\data\r\nUSER NAME=smith\r\nnovalue\r\nEMPTY=\r\n");
  EXPECT_EQ(params.Values("path"), "c:\\data");
  EXPECT_EQ(params.Values("User Name"), "smith");
  EXPECT_EQ(params.Values("novalue"), "");
  EXPECT_EQ(params.Names(2), "");
  EXPECT_EQ(params.Names(1), "USER NAME");
  EXPECT_EQ(params.ValueFromIndex(0), "c:\\data");
  EXPECT_EQ(params.IndexOfName("empty"), 3);
  params.SetValues("path", "d:\\other=x");
  EXPECT_EQ(params[0], "path=d:\\other=x");
  EXPECT_EQ(params.Values("PATH"), "d:\\other=x");
  params.SetValues("NEW", "1");
  EXPECT_EQ(params[4], "NEW=1");
  params.SetValues("USER NAME", "");
  EXPECT_EQ(params.IndexOfName("USER NAME"), -1);
  EXPECT_EQ(params.Count(), 4);
}

TEST(StringListTest, CommaAndDelimitedText) {
  struct Case {
    AnsiString text;
    Lines lines;
    AnsiString written;  // what the lines write back
  } cases[] = {
      {"a,b,c", {"a", "b", "c"}, "a,b,c"},
      {"\"Smith, John\",Jones", {"Smith, John", "Jones"}, "\"Smith, John\",Jones"},
      {"one two", {"one", "two"}, "one,two"},  // blanks split outside quotes
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {"a,,b", {"a", "", "b"}, "a,,b"},
      {"a,", {"a", ""}, "a,"},
      {" a , b ", {"a", "b"}, "a,b"},
      {"", {}, ""},
      {"\"\"", {""}, "\"\""},
  };
  for (const Case& c : cases) {
    StringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(lines(list), c.lines) << c.text;
    EXPECT_EQ(list.CommaText(), c.written) << c.text;
  }
  StringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("x;'a;b';'it''s'");
  EXPECT_EQ(lines(list), (Lines{"x", "a;b", "it's"}));
  EXPECT_EQ(list.DelimitedText(), "x;'a;b';'it''s'");
  EXPECT_EQ(list.CommaText(), "x,a;b,it's");
  EXPECT_EQ(list.Delimiter(), ';');  // CommaText leaves the list's own delimiter alone
}

TEST(StringListTest, TextUsesCrLf) {
  struct Case {
    AnsiString text;
    Lines lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}}, {"", {}}, {"\r\n", {""}},
  };
  for (const Case& c : cases) {
    StringList list;
    list.SetText(c.text);
    EXPECT_EQ(lines(list), c.lines) << c.text;
  }
  StringList list;
  list.SetText("x\ny");
  EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(StringListTest, FilesAndStreams) {
  const std::string path = qn::testing::makeScratchDir("stringlist") + "/list.txt";
  StringList list;
  list.SetText("caf\xE9\r\nsecond");
  list.SaveToFile(path);
  StringList back;
  back.LoadFromFile(path);
  EXPECT_EQ(lines(back), (Lines{"caf\xE9", "second"}));
  EXPECT_THROW(back.LoadFromFile(path + ".missing"), EFOpenError);

  StringStream stream("skip\r\nrest1\r\nrest2");
  stream.SetPosition(6);
  back.LoadFromStream(stream);
  EXPECT_EQ(lines(back), (Lines{"rest1", "rest2"}));
  StringStream out;
  back.SaveToStream(out);
  EXPECT_EQ(out.DataString(), "rest1\r\nrest2\r\n");

  stream.SetPosition(40);  // beyond the end: nothing is left to read
  back.LoadFromStream(stream);
  EXPECT_EQ(back.Count(), 0);
}

TEST(StringListTest, ChangeEventsAndUpdateBrackets) {
  StringList list;
  std::vector<AnsiString> events;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back("changing " + std::to_string(list.Count()));
  };
  list.OnChange = [&](TObject*) { events.push_back("change " + std::to_string(list.Count())); };
  list.Add("a");
  EXPECT_EQ(events, (Lines{"changing 0", "change 1"}));
  events.clear();

  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.EndUpdate();
  EXPECT_TRUE(events.size() == 1) << "only the opening of the outer bracket so far";
  list.EndUpdate();
  EXPECT_EQ(events, (Lines{"changing 1", "change 3"}));
  events.clear();

  list.SetCommaText("x,y");  // one bracket around the whole replacement
  EXPECT_EQ(events, (Lines{"changing 3", "change 2"}));
  events.clear();
  list.EndUpdate();  // an unmatched end changes nothing
  EXPECT_TRUE(events.empty());
}

TEST(StringListTest, CustomSortMoveAndExchange) {
  StringList list;
  list.SetCommaText("ccc,a,bb");
  list.CustomSort([](StringList& l, int a, int b) {
    return static_cast<int>(l[a].size()) - static_cast<int>(l[b].size());
  });
  EXPECT_EQ(lines(list), (Lines{"a", "bb", "ccc"}));
  list.Move(0, 2);
  EXPECT_EQ(lines(list), (Lines{"bb", "ccc", "a"}));
  list.Exchange(0, 2);
  EXPECT_EQ(lines(list), (Lines{"a", "ccc", "bb"}));
}

TEST(StringListTest, AMoveThatCannotBeMadeLosesNoLine) {
  StringList list;
  list.SetCommaText("a,b,c");
  EXPECT_THROW(list.Move(0, 3), EListError);
  EXPECT_THROW(list.Move(1, -1), EListError);
  EXPECT_THROW(list.Move(3, 0), EListError);
  EXPECT_EQ(lines(list), (Lines{"a", "b", "c"}));

  list.SetSorted(true);
  EXPECT_THROW(list.Move(0, 2), EListError);
  EXPECT_EQ(lines(list), (Lines{"a", "b", "c"}));
}

TEST(StringListTest, AListAddedToItselfDoublesOnce) {
  StringList list;
  list.SetCommaText("a,b");
  list.AddStrings(list);  // once never ended, its own new lines ever more to copy
  EXPECT_EQ(lines(list), (Lines{"a", "b", "a", "b"}));

  StringList sorted;
  sorted.SetDuplicates(dupAccept);
  sorted.SetSorted(true);
  sorted.SetCommaText("b,a");
  sorted.AddStrings(sorted);  // its own lines move while they are copied
  EXPECT_EQ(lines(sorted), (Lines{"a", "a", "b", "b"}));
}

}  // namespace
