// Filters on a record-manager table's cursor: filter texts against a plain loop over the same
// records, removing, a filter no record passes, record callbacks and an inactive table.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "datagrid/CursorFilters.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using clientstable::Client;
using qn::ui::testing::ScriptedMessageBoxes;

const std::vector<Client> kClients = {
    {"ADAMS", "Adams", "Paris"}, {"BRIGHT", "Bright", "Rome"},  {"CLARK", "Clark", "Paris"},
    {"DUNN", "Dunn", "Oslo"},    {"EVANS", "Evans", "Paris"},   {"MOORE", "Moore", "Rome"},
    {"NOLAN", "Nolan", "Paris"}, {"PRICE", "Price", "Madrid"}};

std::vector<std::string> CodesWhere(const std::function<bool(const Client&)>& keep) {
  std::vector<std::string> codes;
  for (const Client& c : kClients)
    if (keep(c)) codes.push_back(c.code);
  return codes;
}

class CursorFiltersTest : public clientstable::ClientsTableTest {
 protected:
  TFilterListItem* handle = nullptr;
};

struct FilterCase {
  const char* text;
  std::function<bool(const Client&)> keep;
};

TEST_F(CursorFiltersTest, TheRecordsKeptAreThoseAPlainLoopSelects) {
  const FilterCase cases[] = {
      {"City = Paris", [](const Client& c) { return c.city == "Paris"; }},
      {"City <> Paris", [](const Client& c) { return c.city != "Paris"; }},
      {"City = \"Paris\" OR City = \"Rome\"", [](const Client& c) { return c.city == "Paris" || c.city == "Rome"; }},
      // Unquoted, the constant runs on over the rest of the text: no city is called that.
      {"City = Paris OR City = Rome", [](const Client&) { return false; }},
      {"City = \"Paris\" AND Client Last Name > \"M\"",
       [](const Client& c) { return c.city == "Paris" && c.lastName > "M"; }},
      {"(City = Rome) OR (Client Last Name <= \"Clark\")",
       [](const Client& c) { return c.city == "Rome" || c.lastName <= "Clark"; }},
      {"City >= Oslo", [](const Client& c) { return c.city >= "Oslo"; }},
  };
  TTable& clients = openClients(kClients);
  for (const FilterCase& filter : cases) {
    SCOPED_TRACE(filter.text);
    ASSERT_TRUE(ApplyFilterExpression(filter.text, &clients, handle, false));
    EXPECT_NE(handle, nullptr);
    EXPECT_EQ(codes(), CodesWhere(filter.keep));
  }
}

TEST_F(CursorFiltersTest, AnEmptyTextRemovesTheFilter) {
  TTable& clients = openClients(kClients);
  ASSERT_TRUE(ApplyFilterExpression("City = Oslo", &clients, handle, false));
  EXPECT_EQ(codes(), std::vector<std::string>{"DUNN"});
  ASSERT_TRUE(ApplyFilterExpression("", &clients, handle, false));
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(codes(), CodesWhere([](const Client&) { return true; }));
}

TEST_F(CursorFiltersTest, AFilterWithArithmeticKeepsNoRecord) {
  TTable& clients = openClients(kClients);
  ASSERT_TRUE(ApplyFilterExpression("City * (2) = Paris", &clients, handle, false));
  EXPECT_NE(handle, nullptr);
  EXPECT_TRUE(codes().empty());
}

TEST_F(CursorFiltersTest, ATextThatDoesNotParseLeavesTheInstalledFilterInPlace) {
  TTable& clients = openClients(kClients);
  ASSERT_TRUE(ApplyFilterExpression("City = Rome", &clients, handle, false));
  TFilterListItem* installed = handle;
  EXPECT_FALSE(ApplyFilterExpression("City =", &clients, handle, false));
  EXPECT_EQ(handle, installed);
  EXPECT_EQ(codes(), (std::vector<std::string>{"BRIGHT", "MOORE"}));
  DropFilter(&clients, handle);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(codes().size(), kClients.size());
}

// Keeps clients whose code starts with a letter after 'L'; the record is the cursor's raw record.
int16_t LateInTheAlphabet(uintptr_t clientData, void* record, int32_t) {
  auto* table = reinterpret_cast<TTable*>(clientData);
  const int codeOffset = table->Descriptor(table->FieldByName(clientstable::kCode)->FieldNo())->Offset;
  return static_cast<const char*>(record)[codeOffset] > 'L';
}

TEST_F(CursorFiltersTest, ACallbackFilterDecidesUntilItIsDropped) {
  TTable& clients = openClients(kClients);
  ASSERT_TRUE(ApplyFilterExpression("City = Paris", &clients, handle, false));
  ASSERT_TRUE(InstallCallbackFilter(&LateInTheAlphabet, &clients, handle));
  ASSERT_NE(handle, nullptr);
  // The callback replaced the text filter: Rome and Madrid are back.
  EXPECT_EQ(codes(), CodesWhere([](const Client& c) { return c.code[0] > 'L'; }));
  DropFilter(&clients, handle);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(codes().size(), kClients.size());
}

TEST_F(CursorFiltersTest, AnInactiveTableWithoutForceInstallsNothing) {
  TTable& clients = openClients(kClients);
  clients.Close();
  EXPECT_TRUE(ApplyFilterExpression("City = Oslo", &clients, handle, false));
  EXPECT_EQ(handle, nullptr);
  clients.Open();
  EXPECT_EQ(codes().size(), kClients.size());
}

TEST_F(CursorFiltersTest, WithoutACursorNeitherFilterIsInstalled) {
  TTable& clients = openClients(kClients);
  clients.Close();
  // A closed table has no fields to compile the text against.
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "City\rField not found in Table. ");
  EXPECT_FALSE(ApplyFilterExpression("City = Oslo", &clients, handle, true));
  EXPECT_EQ(handle, nullptr);
  EXPECT_FALSE(InstallCallbackFilter(&LateInTheAlphabet, &clients, handle));
  EXPECT_EQ(handle, nullptr);
}

}  // namespace
