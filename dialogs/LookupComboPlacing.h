// The lookup combos of the header and the pickers are all made one way: a named, tagged combo on
// its form over a lookup table, showing the columns its lines give.
#pragma once

#include <initializer_list>

class TDataSet;
class TForm;
class TdcDBLookupCombo;

// Each column line is "field<TAB>width<TAB>title<TAB>flag", as the combo's Selected list takes it.
TdcDBLookupCombo* PlaceLookupCombo(TForm* form, const char* name, int tag, int left, int top, int width, int height,
                                   TDataSet* table, const char* lookupField,
                                   std::initializer_list<const char*> columns);
