#pragma once
// TDataLink: how a control follows a dataset through a data source. The link looks at a window
// of BufferCount records inside the dataset's buffers; ActiveRecord is the current record's row
// in that window. Every dataset event arrives as one of the virtual notifications below; a
// scroll reports how many rows the link's window moved (positive: towards the end).
#include <cstdint>

#include "framework/db/DbTypes.h"

class TDataSet;
class TDataSource;
class TField;

class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return dataSource_; }
  void SetDataSource(TDataSource* source);
  // A fixed link refuses a new data source (a control bound by its owner).
  bool DataSourceFixed() const { return dataSourceFixed_; }
  void SetDataSourceFixed(bool value) { dataSourceFixed_ = value; }
  TDataSet* DataSet() const;
  bool Active() const { return active_; }
  bool Editing() const { return editing_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  int BufferCount() const { return bufferCount_; }
  void SetBufferCount(int value);
  int ActiveRecord() const;
  // Makes row index of the window the dataset's active record (a grid paints row by row so).
  void SetActiveRecord(int index);
  // Rows of the window that hold records.
  int RecordCount() const;
  bool Bof() const;
  bool Eof() const;
  int MoveBy(int distance);

  // Asks the data source to put the dataset into edit state; true when the link is editing.
  virtual bool Edit();
  // Lets the control write its pending value (UpdateData) without hearing its own change.
  void UpdateRecord();

 protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int distance) { DataSetChanged(); }
  // The field a failing check names asks its control to take the focus; a control that does
  // sets *field to nullptr so no other control tries.
  virtual void FocusControl(TField** field) {}
  virtual void EditingChanged() {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* field) {}
  virtual void UpdateData() {}

 private:
  friend class TDataSource;
  friend class TDataSet;
  void DataEvent(TDataEvent event, intptr_t info);
  // Lets go of a data source that is being freed, even when the link is fixed.
  void SourceFreed();
  void UpdateState();
  void UpdateEditing();
  // Moves the window so the active record lies inside it and no rows stay empty at its end
  // while records lie before it.
  void UpdateRange();

  TDataSource* dataSource_ = nullptr;
  int firstRecord_ = 0;  // the dataset buffer of the window's first row
  int bufferCount_ = 1;
  bool active_ = false;
  bool editing_ = false;
  bool readOnly_ = false;
  bool updating_ = false;
  bool dataSourceFixed_ = false;
};
