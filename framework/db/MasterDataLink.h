#pragma once
// TMasterDataLink: the link through which a detail dataset follows its master. It resolves
// FieldNames ("A;B") to the master's fields and calls OnMasterChange when the master moves or
// one of those fields changes, OnMasterDisable when the master closes. Before the master moves,
// it makes the detail post or cancel its pending edit.
#include <functional>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/db/DataLink.h"

class TMasterDataLink : public TDataLink {
 public:
  using Notify = std::function<void()>;

  // detail: the dataset that follows (it must outlive the link).
  explicit TMasterDataLink(TDataSet* detail) : detail_(detail) {}

  TDataSet* Detail() const { return detail_; }
  const AnsiString& FieldNames() const { return fieldNames_; }
  void SetFieldNames(const AnsiString& names);
  // The master's fields named by FieldNames, while the link is active.
  const std::vector<TField*>& Fields() const { return fields_; }

  Notify OnMasterChange, OnMasterDisable;

 protected:
  void ActiveChanged() override;
  void CheckBrowseMode() override;
  void LayoutChanged() override { ActiveChanged(); }
  void RecordChanged(TField* field) override;

 private:
  TDataSet* detail_;
  AnsiString fieldNames_;
  std::vector<TField*> fields_;
};
