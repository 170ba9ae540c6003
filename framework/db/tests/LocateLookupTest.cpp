// Locate and Lookup over one or several fields, and lookup fields resolved through their
// lookup dataset.
#include <gtest/gtest.h>

#include "framework/db/DataSource.h"
#include "framework/db/StringField.h"
#include "framework/db/NumericFields.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

struct LocateCase {
  const char* fields;
  VariantArray values;
  TLocateOptions options;
  int id;  // 0: not found
};

void PrintTo(const LocateCase& c, std::ostream* os) { *os << c.fields << " " << c.options; }

class LocateVariants : public ::testing::TestWithParam<LocateCase> {};

TEST_P(LocateVariants, FindTheFirstMatchingRecord) {
  auto ds = People();
  Fill(*ds, 5);
  ds->Last();
  ds->Edit();
  ds->FieldByName("NAME")->SetAsString("Smithers");
  ds->Post();
  ds->First();
  ds->Next();
  ds->Edit();
  ds->FieldByName("NAME")->SetAsString("smith");
  ds->Post();
  ds->First();  // names: N1 smith N3 N4 Smithers

  const LocateCase& c = GetParam();
  EventLog log;
  log.Attach(*ds);
  bool found = ds->Locate(c.fields, c.values, c.options);
  EXPECT_EQ(found, c.id != 0);
  EXPECT_EQ(CurrentId(*ds), c.id ? c.id : 1);
  std::vector<std::string> events{"BeforeScroll"};
  if (found) events.push_back("AfterScroll");
  EXPECT_EQ(log.events, events);
}

const LocateCase kLocateCases[] = {
    {"ID", {3}, 0, 3},
    {"ID", {"4"}, 0, 4},
    {"ID", {9}, 0, 0},
    {"NAME", {"smith"}, 0, 2},
    {"NAME", {"SMITH"}, 0, 0},
    {"NAME", {"SMITH"}, loCaseInsensitive, 2},
    {"NAME", {"Smith"}, loPartialKey, 5},
    {"NAME", {"SMI"}, loPartialKey | loCaseInsensitive, 2},
    {"ID;NAME", {5, "Smithers"}, 0, 5},
    {"ID;NAME", {5, "Smith"}, 0, 0},
    {"ID;NAME", {5, "Smith"}, loPartialKey, 5},
    {"AMOUNT", {30.0}, 0, 3},
    {"NAME", {Variant()}, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Table, LocateVariants, ::testing::ValuesIn(kLocateCases));

TEST(Lookup, AnswersWithoutMoving) {
  auto ds = People();
  Fill(*ds, 5);
  ds->Next();
  EXPECT_EQ(ds->Lookup("ID", {4}, "NAME").AsString(), "N4");
  EXPECT_DOUBLE_EQ(ds->Lookup("NAME", {"N5"}, "AMOUNT").AsFloat(), 50);
  EXPECT_TRUE(ds->Lookup("ID", {42}, "NAME").IsNull());
  EXPECT_EQ(CurrentId(*ds), 2);
  EXPECT_THROW(ds->Lookup("NOPE", {1}, "NAME"), EDatabaseError);
}

// Matters whose CLIENT_NAME is looked up in a clients dataset by CLIENT.
class LookupFields : public ::testing::Test {
 protected:
  void SetUp() override {
    clients.FieldDefs().Add("CODE", ftString, 7);
    clients.FieldDefs().Add("NAME", ftString, 30);
    clients.Open();
    for (auto [code, name] : {std::pair{"ADA", "Adams & Co"}, {"JON", "Jones Ltd"}}) {
      clients.Append();
      clients.FieldByName("CODE")->SetAsString(code);
      clients.FieldByName("NAME")->SetAsString(name);
      clients.Post();
    }

    for (const char* name : {"MATTER", "CLIENT"}) {
      auto* f = new TStringField(&matters);
      f->SetFieldName(name);
      f->SetDataSet(&matters);
    }
    clientName = new TStringField(&matters);
    clientName->SetFieldName("CLIENT_NAME");
    clientName->SetSize(30);
    clientName->SetFieldKind(fkLookup);
    clientName->SetKeyFields("CLIENT");
    clientName->SetLookupDataSet(&clients);
    clientName->SetLookupKeyFields("CODE");
    clientName->SetLookupResultField("NAME");
    clientName->SetDataSet(&matters);
    matters.FieldDefs().Add("MATTER", ftString, 20);
    matters.FieldDefs().Add("CLIENT", ftString, 7);
    matters.Open();
    for (auto [matter, client] : {std::pair{"M1", "JON"}, {"M2", "ADA"}, {"M3", "ZZZ"}}) {
      matters.Append();
      matters.FieldByName("MATTER")->SetAsString(matter);
      matters.FieldByName("CLIENT")->SetAsString(client);
      matters.Post();
    }
    matters.First();
  }

  MemoryDataSet clients{nullptr};
  MemoryDataSet matters{nullptr};
  TStringField* clientName = nullptr;
};

TEST_F(LookupFields, FollowTheirLookupDataset) {
  EXPECT_EQ(clientName->AsString(), "Jones Ltd");
  matters.Next();
  EXPECT_EQ(clientName->AsString(), "Adams & Co");
  matters.Next();
  EXPECT_TRUE(clientName->IsNull());  // no such client

  // Editing the key looks the name up again.
  matters.First();
  matters.Edit();
  matters.FieldByName("CLIENT")->SetAsString("ADA");
  EXPECT_EQ(clientName->AsString(), "Adams & Co");
  matters.Cancel();
  EXPECT_EQ(clientName->AsString(), "Jones Ltd");

  // A changed client name shows once the matters are read again.
  clients.First();
  clients.Next();
  clients.Edit();
  clients.FieldByName("NAME")->SetAsString("Jones & Sons");
  clients.Post();
  matters.Refresh();
  EXPECT_EQ(clientName->AsString(), "Jones & Sons");
  // The lookup dataset did not move.
  EXPECT_EQ(clients.FieldByName("CODE")->AsString(), "JON");
}

TEST_F(LookupFields, AClosedLookupDatasetLeavesThemEmpty) {
  clients.Close();
  matters.Refresh();
  EXPECT_TRUE(clientName->IsNull());
}

TEST(LookupFieldLifetime, AFreedLookupDatasetIsForgotten) {
  auto* clients = new MemoryDataSet(nullptr);
  clients->FieldDefs().Add("CODE", ftString, 7);
  clients->FieldDefs().Add("NAME", ftString, 30);
  clients->Open();
  clients->AppendRecord({"ADA", "Adams & Co"});

  MemoryDataSet matters(nullptr);
  auto* client = new TStringField(&matters);
  client->SetFieldName("CLIENT");
  client->SetDataSet(&matters);
  auto* clientName = new TStringField(&matters);
  clientName->SetFieldName("CLIENT_NAME");
  clientName->SetFieldKind(fkLookup);
  clientName->SetKeyFields("CLIENT");
  clientName->SetLookupDataSet(clients);
  clientName->SetLookupKeyFields("CODE");
  clientName->SetLookupResultField("NAME");
  clientName->SetDataSet(&matters);
  matters.FieldDefs().Add("CLIENT", ftString, 20);
  matters.Open();
  matters.AppendRecord({"ADA"});
  ASSERT_EQ(clientName->AsString(), "Adams & Co");

  delete clients;
  EXPECT_EQ(clientName->LookupDataSet(), nullptr);
  matters.Refresh();
  EXPECT_TRUE(clientName->IsNull());
}

TEST(LookupFieldLifetime, ALookupIntoItsOwnDatasetEnds) {
  // Employees and their supervisors in one table.
  MemoryDataSet staff(nullptr);
  for (const char* name : {"ID", "BOSS"}) {
    auto* f = new TIntegerField(&staff);
    f->SetFieldName(name);
    f->SetDataSet(&staff);
  }
  auto* name = new TStringField(&staff);
  name->SetFieldName("NAME");
  name->SetDataSet(&staff);
  auto* bossName = new TStringField(&staff);
  bossName->SetFieldName("BOSS_NAME");
  bossName->SetFieldKind(fkLookup);
  bossName->SetKeyFields("BOSS");
  bossName->SetLookupDataSet(&staff);
  bossName->SetLookupKeyFields("ID");
  bossName->SetLookupResultField("NAME");
  bossName->SetDataSet(&staff);
  staff.FieldDefs().Add("ID", ftInteger);
  staff.FieldDefs().Add("BOSS", ftInteger);
  staff.FieldDefs().Add("NAME", ftString, 20);
  staff.Open();
  staff.AppendRecord({1, 1, "Ann"});
  staff.AppendRecord({2, 1, "Bob"});
  staff.AppendRecord({3, 2, "Cy"});
  EXPECT_EQ(bossName->AsString(), "Bob");
  staff.First();
  EXPECT_EQ(bossName->AsString(), "Ann");
}

}  // namespace
