#include "core/LayoutFields.h"
#include "framework/db/Field.h"

#include "framework/base/FormatText.h"
#include "framework/db/DataSet.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/FieldFactory.h"
#include "framework/db/StringField.h"

void DeclareLayoutFields(TDataSet* table, const std::vector<AnsiString>& names, std::function<void()> whenMade) {
  TDataSetNotifyEvent previous = table->BeforeOpen;
  table->BeforeOpen = [table, names, previous, whenMade](TDataSet* dataSet) {
    if (previous) previous(dataSet);
    if (names.empty() || table->FindField(names.front())) return;
    table->InitFieldDefs();
    for (const AnsiString& name : names)
      if (table->FieldDefs().IndexOf(name) < 0) DatabaseError(Format(dbtext::kFieldNotFound, {name}), table);
    for (const AnsiString& name : names) {
      TField* field = CreateFieldOfType(table->FieldDefs().Find(name), table->Owner());
      field->SetDataSet(table);
    }
    if (whenMade) whenMade();
  };
}

TStringField* AddCalculatedText(TDataSet* table, const AnsiString& name, int size) {
  auto* field = new TStringField(table->Owner());
  field->SetFieldName(name);
  field->SetSize(size);
  field->SetFieldKind(fkCalculated);
  field->SetDataSet(table);
  return field;
}
