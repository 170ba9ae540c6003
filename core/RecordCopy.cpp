#include "core/RecordCopy.h"

#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

void AppendRecordCopy(TDataSet* from, TDataSet* to) {
  to->Append();
  for (TField* field : to->Fields())
    if (field->DataType() != ftAutoInc && !field->Calculated()) field->SetAsString(from->FieldByName(field->FieldName())->AsString());
  to->Post();
}
