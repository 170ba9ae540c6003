// Searching a table: text and callback filters kept by the cursor, FindFirst and its kin, Locate
// and Lookup on the active index and past it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/db/Field.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

constexpr const char* kCasesTable = "YCase.qf;RES:YCASE";

struct Matter {
  std::string client;
  std::string suffix;
  std::string status;
  std::string budget;  // a packed decimal with two places in the file
};

class TableSearchTest : public datasettest::ClientsDatasetTest {
 protected:
  void SetUp() override {
    ClientsDatasetTest::SetUp();
    std::string text;
    for (const Matter& m : matters_)
      text += "Client Code = " + m.client + "\nCase Suffix = " + m.suffix + "\nLeftJustCaseSuffix = " + m.suffix +
              "\nCase Status 1 = " + m.status + "\nFee Budget $ = " + m.budget + "\n\n";
    seed({"ADAMS"}, {}, text);
  }
  bindingtest::TestTableDataset* openCases(const char* index = "4") { return openClients(index, kCasesTable); }
  static std::string matter(TDataSet& cases) {
    return cases.FieldByName("Client Code")->AsString() + "/" + cases.FieldByName("Case Suffix")->AsString();
  }
  static std::vector<std::string> all(TDataSet& cases) {
    std::vector<std::string> seen;
    for (cases.First(); !cases.Eof(); cases.Next()) seen.push_back(matter(cases));
    return seen;
  }
  // What a plain loop over every record keeps.
  static std::vector<std::string> kept(TDataSet& cases, const std::function<bool(TDataSet&)>& test) {
    std::vector<std::string> seen;
    for (cases.First(); !cases.Eof(); cases.Next())
      if (test(cases)) seen.push_back(matter(cases));
    return seen;
  }
  static std::string errorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no error";
  }

  const std::vector<Matter> matters_ = {{"ADAMS", "1", "A", "50.00"},
                                        {"ADAMS", "2", "X", "150.50"},
                                        {"BRIGHT", "1", "", "100.00"},
                                        {"BRIGHT", "22", "X", "99.99"},
                                        {"CLARK", "7", "C", "1250.00"}};
};

TEST_F(TableSearchTest, ATextFilterKeepsWhatAPlainLoopKeeps) {
  bindingtest::TestTableDataset* cases = openCases();
  const std::vector<std::string> expected =
      kept(*cases, [](TDataSet& d) { return d.FieldByName("Case Status 1")->AsString() != "X"; });
  ASSERT_EQ(expected.size(), 3u);
  cases->SetFilter("[Case Status 1] <> 'X'");
  cases->SetFiltered(true);
  EXPECT_EQ(all(*cases), expected);
  cases->SetFiltered(false);
  EXPECT_EQ(all(*cases).size(), matters_.size());
}

// The program's amounts are packed decimals of a few bytes; a filter compares their values.
TEST_F(TableSearchTest, AFilterOnAnAmountComparesTheAmounts) {
  struct Case {
    const char* text;
    std::function<bool(double)> keep;
  };
  const Case cases[] = {
      {"[Fee Budget $] > 100", [](double budget) { return budget > 100; }},
      {"[Fee Budget $] <= 99.99", [](double budget) { return budget <= 99.99; }},
      {"[Fee Budget $] = 150.5", [](double budget) { return budget == 150.5; }},
  };
  bindingtest::TestTableDataset* table = openCases();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::vector<std::string> expected =
        kept(*table, [&](TDataSet& d) { return c.keep(d.FieldByName("Fee Budget $")->AsFloat()); });
    ASSERT_FALSE(expected.empty());
    table->SetFilter(c.text);
    table->SetFiltered(true);
    EXPECT_EQ(all(*table), expected);
    table->SetFiltered(false);
  }
}

TEST_F(TableSearchTest, ACallbackFilterSeesTheRecordUnderTest) {
  bindingtest::TestTableDataset* cases = openCases();
  cases->SetOnFilterRecord([](TDataSet* d, bool& accept) {
    accept = d->FieldByName("Client Code")->AsString() == "BRIGHT";
  });
  cases->SetFiltered(true);
  EXPECT_EQ(all(*cases), (std::vector<std::string>{"BRIGHT/1", "BRIGHT/22"}));
}

TEST_F(TableSearchTest, FindNextHonoursTheFilterTextWhileNotFiltered) {
  bindingtest::TestTableDataset* cases = openCases();
  cases->SetFilter("[Case Status 1] = 'X'");
  ASSERT_FALSE(cases->Filtered());
  ASSERT_TRUE(cases->FindFirst());
  EXPECT_EQ(matter(*cases), "ADAMS/2");
  ASSERT_TRUE(cases->FindNext());
  EXPECT_EQ(matter(*cases), "BRIGHT/22");
  EXPECT_FALSE(cases->FindNext());
  EXPECT_EQ(matter(*cases), "BRIGHT/22");
  ASSERT_TRUE(cases->FindPrior());
  EXPECT_EQ(matter(*cases), "ADAMS/2");
  // The filter was only borrowed: every record is still there.
  EXPECT_EQ(all(*cases).size(), matters_.size());
}

TEST_F(TableSearchTest, AFilterNamingNoFieldRaisesTheParsersError) {
  bindingtest::TestTableDataset* cases = openCases();
  const std::string message = errorOf([&] { cases->SetFilter("[Nowhere] = 'X'"); });
  EXPECT_NE(message.find("Nowhere"), std::string::npos) << message;
  EXPECT_EQ(cases->Filter(), "");
}

TEST_F(TableSearchTest, LocateComparesAPartialStringKeyByItsTypedLength) {
  bindingtest::TestTableDataset* cases = openCases();
  ASSERT_TRUE(cases->Locate("Client Code;LeftJustCaseSuffix", {Variant("BRIGHT"), Variant("2")}, loPartialKey));
  EXPECT_EQ(matter(*cases), "BRIGHT/22");
  EXPECT_FALSE(cases->Locate("Client Code;LeftJustCaseSuffix", {Variant("BRIGHT"), Variant("2")}, 0));
  EXPECT_EQ(matter(*cases), "BRIGHT/22");
  ASSERT_TRUE(cases->Locate("Client Code", {Variant("CLARK")}, 0));
  EXPECT_EQ(matter(*cases), "CLARK/7");
}

TEST_F(TableSearchTest, LocateOnFieldsNoIndexServesFallsBackToAFilter) {
  bindingtest::TestTableDataset* cases = openCases();
  ASSERT_TRUE(cases->Locate("Case Status 1", {Variant("C")}, 0));
  EXPECT_EQ(matter(*cases), "CLARK/7");
  EXPECT_FALSE(cases->Locate("Case Status 1", {Variant("Q")}, 0));
  EXPECT_EQ(matter(*cases), "CLARK/7");
  EXPECT_EQ(cases->Lookup("Case Status 1", {Variant("A")}, "Client Code").AsString(), "ADAMS");
  EXPECT_TRUE(cases->Lookup("Case Status 1", {Variant("Q")}, "Client Code").IsNull());
  EXPECT_EQ(matter(*cases), "CLARK/7");
  // The lookup filter is gone again.
  EXPECT_EQ(all(*cases).size(), matters_.size());
}

}  // namespace
