#pragma once
// Small helpers shared by the dataset tests: a memory dataset of numbered people, an event
// recorder, and a link that logs what it is told.
#include <memory>
#include <string>
#include <vector>

#include "framework/db/DataLink.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"

namespace dbtest {

// A closed dataset with ID (integer), NAME (string 20) and AMOUNT (float); call Fill to add rows
// ID 1..count named "N1".."Ncount" with AMOUNT = 10 × ID, then it is open on the first record.
inline void DefinePeople(MemoryDataSet& ds) {
  ds.FieldDefs().Add("ID", ftInteger, 0, true);
  ds.FieldDefs().Add("NAME", ftString, 20);
  ds.FieldDefs().Add("AMOUNT", ftFloat);
}

inline std::unique_ptr<MemoryDataSet> People() {
  auto ds = std::make_unique<MemoryDataSet>(nullptr);
  DefinePeople(*ds);
  return ds;
}

inline void Fill(TDataSet& ds, int count) {
  if (!ds.Active()) ds.Open();
  for (int i = 1; i <= count; ++i) {
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(i);
    ds.FieldByName("NAME")->SetAsString("N" + std::to_string(i));
    ds.FieldByName("AMOUNT")->SetAsFloat(10.0 * i);
    ds.Post();
  }
  ds.First();
}

inline int CurrentId(const TDataSet& ds) {
  return ds.FieldByName("ID")->AsInteger();
}

// Records every before/after/new-record event of a dataset by name, in order.
struct EventLog {
  std::vector<std::string> events;

  void Attach(TDataSet& ds) {
    auto rec = [this](const char* name) {
      return [this, name](TDataSet*) { events.push_back(name); };
    };
    ds.BeforeOpen = rec("BeforeOpen");
    ds.AfterOpen = rec("AfterOpen");
    ds.BeforeClose = rec("BeforeClose");
    ds.AfterClose = rec("AfterClose");
    ds.BeforeScroll = rec("BeforeScroll");
    ds.AfterScroll = rec("AfterScroll");
    ds.BeforeEdit = rec("BeforeEdit");
    ds.AfterEdit = rec("AfterEdit");
    ds.BeforePost = rec("BeforePost");
    ds.AfterPost = rec("AfterPost");
    ds.BeforeCancel = rec("BeforeCancel");
    ds.AfterCancel = rec("AfterCancel");
    ds.BeforeInsert = rec("BeforeInsert");
    ds.AfterInsert = rec("AfterInsert");
    ds.OnNewRecord = rec("OnNewRecord");
    ds.BeforeDelete = rec("BeforeDelete");
    ds.AfterDelete = rec("AfterDelete");
  }
};

// A link that keeps a log of its notifications ("scrolled 3", "changed", "active 1" ...).
class LoggingLink : public TDataLink {
 public:
  std::vector<std::string> log;
  std::vector<int> scrolls;

 protected:
  void ActiveChanged() override { log.push_back("active " + std::to_string(Active())); }
  void DataSetChanged() override { log.push_back("changed"); }
  void DataSetScrolled(int distance) override {
    scrolls.push_back(distance);
    log.push_back("scrolled " + std::to_string(distance));
  }
  void LayoutChanged() override { log.push_back("layout"); }
  void EditingChanged() override { log.push_back("editing " + std::to_string(Editing())); }
  void RecordChanged(TField* field) override {
    log.push_back(field ? "record " + field->FieldName() : "record");
  }
  void UpdateData() override { log.push_back("update"); }
  void CheckBrowseMode() override { log.push_back("check"); }
};

}  // namespace dbtest
