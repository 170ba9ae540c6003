#pragma once
// The steps the library's datasets add at their points of the framework's dataset protocol, once
// for every framework dataset they stand on: the calculated-field step fills lookup fields, the
// before-post step checks picture masks, the cursor gets the record filter, and a record filter
// keeps the dataset from claiming sequenced records.
#include "datagrid/DcDataSetExtension.h"

template <class Base>
class DcExtendedSteps : public Base, public DcExtendedDataSet {
 public:
  explicit DcExtendedSteps(TComponent* owner) : Base(owner), extension_(*this) {}
  // While the steps below are still the dataset's.
  ~DcExtendedSteps() override { this->CloseForDestruction(); }

  DcDataSetExtension& Extension() override { return extension_; }

  bool IsSequenced() const override { return !extension_.OnFilter() && Base::IsSequenced(); }
  void DataEvent(TDataEvent event, intptr_t info) override {
    Base::DataEvent(event, info);
    extension_.RestoreArrowCursor();
  }

 protected:
  void PrepareCursor() override {
    Base::PrepareCursor();
    extension_.CursorPrepared();
  }
  void DestroyHandle() override {
    Base::DestroyHandle();
    extension_.CursorClosed();
  }
  void InternalClose() override {
    extension_.FreeLookupTables();
    Base::InternalClose();
  }
  void CalculateFields(char* buffer) override {
    extension_.CalculateLookupFields();
    Base::CalculateFields(buffer);
  }
  void DoBeforePost() override {
    Base::DoBeforePost();
    extension_.ValidateBeforePost();
  }
  TGetResult GetRecord(char* buffer, TGetMode mode, bool doCheck) override {
    const TGetResult result = Base::GetRecord(buffer, mode, doCheck);
    extension_.RestoreArrowCursor();
    return result;
  }

  DcDataSetExtension extension_;
};
