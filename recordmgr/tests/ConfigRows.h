#pragma once
// A list table that keeps the configuration rows added to it, as "node=value (data type)",
// for tests of what a session fills in. Test code only.
#include <string>
#include <vector>

#include "recordmgr/BaseTable.h"
#include "recordmgr/SessionRecords.h"

namespace sessiontest {

class ConfigRows : public TBaseTable {
 public:
  explicit ConfigRows(const char* path) : TBaseTable(nullptr, 0, 0, nullptr, path, nullptr) {
    CompleteCreation();
  }

  void AppendRecord(void* record) override {
    const auto& row = *static_cast<const ConfigListRecord*>(record);
    texts_.push_back(std::string(row.NodeName) + "=" + row.Value + " (" + std::to_string(row.DataType) + ")");
  }
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  std::vector<std::string> texts_;
};

}  // namespace sessiontest
