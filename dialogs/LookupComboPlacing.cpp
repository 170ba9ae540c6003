#include "dialogs/LookupComboPlacing.h"

#include "editors/DBLookupCombo.h"
#include "framework/base/StringList.h"
#include "framework/ui/Form.h"
#include "framework/ui/PlaceControl.h"

TdcDBLookupCombo* PlaceLookupCombo(TForm* form, const char* name, int tag, int left, int top, int width, int height,
                                   TDataSet* table, const char* lookupField,
                                   std::initializer_list<const char*> columns) {
  auto* combo = PlaceControl<TdcDBLookupCombo>(form, form, left, top, width, height);
  combo->SetName(name);
  combo->SetTag(tag);
  combo->SetLookupTable(table);
  combo->SetLookupField(lookupField);
  StringList lines;
  for (const char* column : columns) lines.Add(column);
  combo->SetSelected(&lines);
  return combo;
}
