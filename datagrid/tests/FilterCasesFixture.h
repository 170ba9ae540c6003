#pragma once
// The application's table (TdcTbTable) over a cases file made by qnseed, as its case grid opens
// it, holding a dozen matters of client C whose last-name and fee-budget fields the filter tests
// search. Test code only.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datagrid/DcTbTable.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace filtercases {

inline constexpr const char* kCasesTable = "YCase.qf;RES:YCASE";
inline constexpr const char* kLast = "First 10 Client Last";
inline constexpr const char* kBudget = "Fee Budget $";

struct Matter {
  const char* last;
  const char* budget;
};

// In key order: the suffixes run A, B, C ...; the auto-increment numbers 1, 2, 3 ...
inline const std::vector<Matter> kMatters{
    {"SMITH", "10.50"}, {"Smithers", "99.99"},   {"JONES", "0"}, {"jonesy", "100"}, {"Brown", "100.01"}, {"", "5"},
    {"Mzzzzzzzzz", "7"}, {"N", "8"}, {"abab", "9"}, {"Xavier", "10"}, {"MAX", "11"}, {"Nullis", "12"}};

using Names = std::vector<std::string>;

class CasesTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    std::string seed;
    char suffix = 'A';
    for (const Matter& m : kMatters)
      seed += std::string("Client Code = C\nCase Suffix = ") + suffix++ + "\n" + kLast + " = " + m.last + "\n" + kBudget +
              " = " + m.budget + "\n\n";
    data = datasettest::seedClients("filter-cases", {"C"}, {}, seed);
    table = std::make_unique<TdcTbTable>(nullptr);
    table->SetDatabaseName(data);
    table->SetTableName(kCasesTable);
    table->SetIndexName("1");
    table->Open();
  }

  // The last names of the records the table shows, from the first on.
  Names shown() {
    Names names;
    for (table->First(); !table->Eof(); table->Next()) names.push_back(table->FieldByName(kLast)->AsString());
    return names;
  }

  std::string data;
  std::unique_ptr<TdcTbTable> table;
};

}  // namespace filtercases
