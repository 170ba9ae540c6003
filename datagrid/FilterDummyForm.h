#pragma once
// TdcDummyForm: a form that is never shown and owns the filter dialog's record test, so the test
// can be a dataset's filter event. It keeps what the test reuses for every record: the parameter
// that reads a field's value as text, and the stream and hidden rich edit that turn a rich-text
// memo into plain text.
#include "framework/db/Param.h"
#include "framework/ui/Form.h"

class MemoryStream;
class TDataSet;
class TField;
class TRichEdit;
class TdcFilterDialog;
struct TdcFieldInfo;

class TdcDummyForm : public TForm {
 public:
  TdcDummyForm(TComponent* AOwner, TdcFilterDialog& Dialog);
  ~TdcDummyForm() override;

  void SetDataSet(TDataSet* DataSet) { dataSet_ = DataSet; }
  TDataSet* DataSet() const { return dataSet_; }

  // The record test: a record is accepted while every criterion matches, in order; the first
  // that fails ends the test. A criterion on a field the dataset no longer has (by name or by
  // label) rejects the record, NonMatching or not.
  void FilterRecord(TDataSet* DataSet, bool& Accept);
  // Whether the current record meets the criterion (before NonMatching is applied). A criterion
  // whose field the dataset no longer has, by name or by label, does not match.
  bool MatchFilterCriterion(TdcFieldInfo& Criterion);

 private:
  TField* FieldOf(TdcFieldInfo& Criterion);
  // The field's value as text: dates, times and date-times in the short forms, null as empty.
  AnsiString FieldText(TField* Field);
  bool MatchRange(TField* Field, const TdcFieldInfo& Criterion);
  bool MatchMemo(TField* Field, const TdcFieldInfo& Criterion);

  TdcFilterDialog& dialog_;
  TDataSet* dataSet_ = nullptr;
  TParam param_;
  MemoryStream* stream_ = nullptr;  // made on first use
  TRichEdit* richEdit_ = nullptr;   // made on first use, owned by the form
};
