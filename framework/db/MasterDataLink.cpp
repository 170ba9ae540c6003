#include "framework/db/MasterDataLink.h"

#include <algorithm>

#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/db/IndexDefs.h"

void TMasterDataLink::SetFieldNames(const AnsiString& names) {
  if (names == fieldNames_) return;
  fieldNames_ = names;
  ActiveChanged();
}

void TMasterDataLink::ActiveChanged() {
  fields_.clear();
  if (Active()) {
    for (const AnsiString& name : SplitFieldNames(fieldNames_))
      fields_.push_back(DataSet()->FieldByName(name));
  }
  if (!detail_->Active()) return;
  if (Active() && !fields_.empty()) {
    if (OnMasterChange) OnMasterChange();
  } else if (OnMasterDisable) {
    OnMasterDisable();
  }
}

void TMasterDataLink::CheckBrowseMode() {
  if (detail_->Active()) detail_->CheckBrowseMode();
}

void TMasterDataLink::RecordChanged(TField* field) {
  if (DataSource()->State() == dsSetKey || !detail_->Active() || fields_.empty()) return;
  if (field && std::find(fields_.begin(), fields_.end(), field) == fields_.end()) return;
  if (OnMasterChange) OnMasterChange();
}
