#pragma once
// TttBatchMove: the settings of a copy of records from one dataset into another. It holds them
// only; the binding's engine object does the copying. A source or destination that goes away is
// dropped from it.
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "framework/base/Component.h"
#include "framework/base/StringList.h"

class TDataSet;
class TVirtEng;

enum TBatchMode { batAppend, batUpdate, batAppendUpdate, batDelete, batCopy };

class TttBatchMove : public TComponent {
  QN_CLASS(TttBatchMove, TComponent)
 public:
  explicit TttBatchMove(TComponent* owner) : TComponent(owner) {}

  virtual TVirtEng* Engine() = 0;

  bool AbortOnKeyViol() const { return abortOnKeyViol_; }
  void SetAbortOnKeyViol(bool value) { abortOnKeyViol_ = value; }
  bool AbortOnProblem() const { return abortOnProblem_; }
  void SetAbortOnProblem(bool value) { abortOnProblem_ = value; }
  int32_t CommitCount() const { return commitCount_; }
  void SetCommitCount(int32_t value) { commitCount_ = value; }
  const AnsiString& ChangedTableName() const { return changedTableName_; }
  void SetChangedTableName(const AnsiString& value) { changedTableName_ = value; }
  const AnsiString& KeyViolTableName() const { return keyViolTableName_; }
  void SetKeyViolTableName(const AnsiString& value) { keyViolTableName_ = value; }
  const AnsiString& ProblemTableName() const { return problemTableName_; }
  void SetProblemTableName(const AnsiString& value) { problemTableName_ = value; }
  // Copied in, never shared.
  const StringList& Mappings() const { return mappings_; }
  void SetMappings(const TStrings& value) { mappings_.Assign(value); }
  TBatchMode Mode() const { return mode_; }
  void SetMode(TBatchMode value) { mode_ = value; }
  int32_t RecordCount() const { return recordCount_; }
  void SetRecordCount(int32_t value) { recordCount_ = value; }
  bool Transliterate() const { return transliterate_; }
  void SetTransliterate(bool value) { transliterate_ = value; }
  TDataSet* Source() const { return source_; }
  void SetSource(TDataSet* value);
  TDataSet* Destination() const { return destination_; }
  void SetDestination(TDataSet* value);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool abortOnKeyViol_ = true;
  bool abortOnProblem_ = true;
  int32_t commitCount_ = 0;
  AnsiString changedTableName_;
  AnsiString keyViolTableName_;
  AnsiString problemTableName_;
  StringList mappings_;
  TBatchMode mode_ = batAppend;
  int32_t recordCount_ = 0;
  bool transliterate_ = true;
  TDataSet* source_ = nullptr;
  TDataSet* destination_ = nullptr;
};
