#pragma once
// What the lookup combo's tests share: a lookup table of clients in memory (code, name, office, region),
// a bound dataset of matters whose "Client Name" looks its text up through LookupFields and
// LookupLinks lines (client code and office pairs), and a combo placed over them. Test code only.
#include <array>

#include "editors/DBLookupCombo.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/ScreenFacts.h"

namespace editorstest {

// A dataset that publishes the lookup lines, as the library's datasets do.
class LinkedMatters : public MemoryDataSet {
  QN_PUBLISHED_CLASS(LinkedMatters, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;
  StringList lookupFields, lookupLinks;
};
inline void LinkedMatters::PublishProperties(PropertyPublisher<LinkedMatters>& publish) {
  publish.StringList("LookupFields", [](LinkedMatters& d) -> TStrings* { return &d.lookupFields; },
                     [](LinkedMatters& d, TStrings* v) { d.lookupFields.Assign(*v); });
  publish.StringList("LookupLinks", [](LinkedMatters& d) -> TStrings* { return &d.lookupLinks; },
                     [](LinkedMatters& d, TStrings* v) { d.lookupLinks.Assign(*v); });
}

class LookupComboTest : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    clients.FieldDefs().Add("Client Code", ftString, 7);
    clients.FieldDefs().Add("Name", ftString, 30);
    clients.FieldDefs().Add("Office", ftString, 2);
    clients.FieldDefs().Add("Region", ftString, 1);
    clients.Open();
    for (const auto& [code, name, office, region] : std::vector<std::array<const char*, 4>>{
             {"ADAMS", "Adams, Walter", "NY", "E"}, {"ABBOT", "Abbot, Anne", "NY", "E"}, {"BRIGHT", "Bright", "LA", "W"},
             {"SMITH", "Smith, John", "NY", "E"}, {"SMITHJ", "Smith, Jane", "LA", "W"}})
      clients.AppendRecord({Variant(AnsiString(code)), Variant(AnsiString(name)), Variant(AnsiString(office)),
                            Variant(AnsiString(region))});
    clients.First();
    matters.FieldDefs().Add("Matter", ftString, 10);
    matters.FieldDefs().Add("Client Code", ftString, 7);
    matters.FieldDefs().Add("Office", ftString, 2);
    matters.Open();
    matters.AppendRecord({Variant(AnsiString("M1")), Variant(AnsiString("ADAMS")), Variant(AnsiString("NY"))});
    matters.AppendRecord({Variant(AnsiString("M2")), Variant(AnsiString("BRIGHT")), Variant(AnsiString("LA"))});
    matters.First();
    matterSource.SetDataSet(&matters);
  }
  void TearDown() override {
    form.reset();
    qn::ui::setScreenFacts(std::nullopt);
    EditorsTest::TearDown();
  }

  // A combo over the clients showing Shown (the key when empty), bound to the matters' Field
  // when one is named.
  TdcDBLookupCombo* combo(const char* shown = "Name", const char* field = nullptr, int top = 10) {
    auto* c = place<TdcDBLookupCombo>(top, 160, 22);
    c->SetLookupTable(&clients);
    c->SetLookupField("Client Code");
    if (*shown) {
      StringList lines;
      lines.Add(AnsiString(shown) + "\t20\tName");
      c->SetSelected(&lines);
    }
    if (field) {
      c->SetDataSource(&matterSource);
      c->SetDataField(field);
    }
    return c;
  }
  AnsiString clientName() { return clients.FieldByName("Name")->AsString(); }
  AnsiString matterText(const char* field) { return matters.FieldByName(field)->AsString(); }
  static TRect placed(TdcDBLookupCombo* c) { return c->DropDownWindowOfGrid()->placedAt(); }

  MemoryDataSet clients;
  MemoryDataSet matters;
  TDataSource matterSource{nullptr};
};

}  // namespace editorstest
