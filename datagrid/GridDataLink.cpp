#include "datagrid/GridDataLink.h"

#include <algorithm>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/Intl.h"
#include "framework/base/Exception.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"

TField* TdcGridDataLink::Fields(int Index) const {
  if (!Active() || Index < 0 || Index >= FieldCount()) return nullptr;
  TFields& fields = DataSet()->Fields();
  const int at = fieldMap_[Index];
  return at < fields.Count() ? fields[at] : nullptr;
}

void TdcGridDataLink::AddMapping(const AnsiString& FieldName) {
  if (FieldCount() >= kMaxMappedFields)
    throw EInvalidGridOperation("Grid requested to display more than 256 columns");
  TField* field = DataSet() ? DataSet()->FindField(FieldName) : nullptr;
  if (!field) return;
  if (fieldMap_.capacity() == fieldMap_.size())
    fieldMap_.reserve(std::min<std::size_t>(std::max<std::size_t>(8, fieldMap_.size() * 2), kMaxMappedFields));
  fieldMap_.push_back(field->Index());
}

void TdcGridDataLink::ClearMapping() { fieldMap_.clear(); }

void TdcGridDataLink::ActiveChanged() { grid_->LinkActive(Active()); }

void TdcGridDataLink::DataSetChanged() {
  grid_->UpdateLayout();
  modified_ = false;
}

void TdcGridDataLink::DataSetScrolled(int distance) { grid_->Scroll(distance); }

void TdcGridDataLink::LayoutChanged() { grid_->LayoutColumns(); }

void TdcGridDataLink::EditingChanged() { grid_->editingChanged(); }

void TdcGridDataLink::RecordChanged(TField* field) {
  if (!field || !inUpdateData_) {
    grid_->recordChanged(field);
    modified_ = false;
  }
  if (field && Active() && (DataSet()->State() == dsEdit || DataSet()->State() == dsInsert)) grid_->DoFieldChanged(field);
}

void TdcGridDataLink::UpdateData() {
  inUpdateData_ = true;
  try {
    grid_->takeEditorText();
    if (modified_) grid_->writeEditText();
    modified_ = false;
  } catch (...) {
    inUpdateData_ = false;
    throw;
  }
  inUpdateData_ = false;
}

void TdcGridDataLink::Reset() {
  if (modified_) {
    RecordChanged(nullptr);
    return;
  }
  TDataSet* ds = DataSet();
  if (!ds) return;
  if ((ds->State() == dsEdit || ds->State() == dsInsert) && ds->Modified()) {
    const AnsiString& question = dcIntlDefaults->UserMessages()->dcDBGridDiscardChanges;
    if (MessageDlg(question, mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) == mrYes) ds->Cancel();
    return;
  }
  ds->Cancel();
}
