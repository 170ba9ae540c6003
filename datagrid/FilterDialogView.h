#pragma once
// TdcFilterDialogView: the filter dialog's summary ("Show Search Summary"), a read-only table of a
// working copy of criteria: field, search type and value, one row a criterion.
#include <array>
#include <vector>

#include "datagrid/FilterCriteria.h"
#include "framework/ui/Button.h"
#include "framework/ui/Form.h"
#include "framework/ui/TextGrid.h"

class TdcFieldOperators;

// The three texts of a criterion's summary row.
std::array<AnsiString, 3> FilterSummaryRow(const TdcFieldInfo& Criterion, const TdcFieldOperators& Operators);

class TdcFilterDialogView : public TForm {
 public:
  TdcFilterDialogView(TComponent* AOwner, const std::vector<TdcFieldInfo>& Criteria, const TdcFieldOperators& Operators);

  TextGrid* StringGrid1;
  TButton* OKButton;
  TButton* CancelButton;
};
