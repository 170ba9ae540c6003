#include "datagrid/SelectedLists.h"

#include <optional>

#include "datagrid/ExtensionLines.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/Strings.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

namespace {

class ControlsDisabled {
 public:
  explicit ControlsDisabled(TDataSet* dataSet) : dataSet_(dataSet) { dataSet_->DisableControls(); }
  ~ControlsDisabled() { dataSet_->EnableControls(); }
  ControlsDisabled(const ControlsDisabled&) = delete;
  ControlsDisabled& operator=(const ControlsDisabled&) = delete;

 private:
  TDataSet* dataSet_;
};

}  // namespace

void ApplySelectedToFields(TDataSet* DataSet, const TStrings& Selected) {
  if (!DataSet) return;
  ControlsDisabled disabled(DataSet);
  for (int i = 0; i < DataSet->FieldCount(); ++i) DataSet->Fields()[i]->SetVisible(false);
  for (int i = 0; i < Selected.Count(); ++i) {
    const std::optional<SelectedLine> line = ReadSelectedLine(Selected[i]);
    if (!line) continue;
    TField* field = DataSet->FindField(line->FieldName);
    if (!field) continue;
    field->SetDisplayWidth(line->Width);
    field->SetDisplayLabel(line->Title);
    field->SetIndex(i);
    field->SetVisible(true);
  }
}

void BuildSelectedFromFields(TDataSet* DataSet, TStrings& Selected) {
  Selected.Clear();
  if (!DataSet) return;
  for (int i = 0; i < DataSet->FieldCount(); ++i) {
    const TField* field = DataSet->Fields()[i];
    if (!field->Visible()) continue;
    const SelectedLine line{field->FieldName(), field->DisplayWidth(), field->DisplayLabel(), {}};
    if (const std::optional<AnsiString> text = WriteSelectedLine(line)) Selected.Add(*text);
  }
}

int FindSelectedLine(const TStrings& Selected, const AnsiString& FieldName) {
  for (int i = 0; i < Selected.Count(); ++i)
    if (StrEqualNoCase(SplitLine(Selected[i], '\t').front(), FieldName)) return i;
  return -1;
}

AnsiString FieldNameFromDisplayLabel(TDataSet* DataSet, const AnsiString& Label) {
  if (!DataSet) return AnsiString();
  const AnsiString wanted = StrReplaceCharByChar(Label, '~', ' ');
  for (int i = 0; i < DataSet->FieldCount(); ++i) {
    const TField* field = DataSet->Fields()[i];
    if (StrReplaceCharByChar(field->DisplayLabel(), '~', ' ') == wanted) return field->FieldName();
  }
  return AnsiString();
}

int IndexOfTextNoCase(const TStrings& Strings, const AnsiString& Text) {
  for (int i = 0; i < Strings.Count(); ++i)
    if (StrEqualNoCase(Strings[i], Text)) return i;
  return -1;
}
