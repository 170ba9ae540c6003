#pragma once
// Filter expressions over a dataset's fields: the parser's view of the fields (their logical
// types and the native form of a constant), and the evaluator's view of the record readable in
// the dataset's current state (the filter state while a candidate record is tested).
#include <optional>

#include "framework/db/FilterEvaluator.h"
#include "framework/db/FilterParser.h"

class TDataSet;
class TField;

// nullopt for fields a filter cannot compare (blobs).
std::optional<filterexpr::FieldInfo> FilterFieldInfo(const TField& field);

// The field resolver of the parser for dataSet's fields.
filterexpr::FieldResolver FilterFieldsOf(const TDataSet& dataSet);

class DataSetFilterRecord : public filterexpr::FilterRecord {
 public:
  explicit DataSetFilterRecord(const TDataSet& dataSet) : dataSet_(dataSet) {}
  std::optional<filterexpr::TypedValue> FieldValue(const AnsiString& name) override;

 private:
  const TDataSet& dataSet_;
};
