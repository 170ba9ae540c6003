#pragma once
// TDataSource: the connector between one dataset and the data links of controls. It passes the
// dataset's events to its links (nothing while disabled, when its links count as inactive) and
// offers them as its own events. Freeing it first detaches every link, which then reads inactive.
#include <functional>
#include <vector>

#include "framework/base/Component.h"
#include "framework/db/DbTypes.h"

class TDataSet;
class TDataLink;
class TField;

using TDataSourceNotifyEvent = std::function<void(TComponent* sender)>;
using TDataChangeEvent = std::function<void(TComponent* sender, TField* field)>;

class TDataSource : public TComponent {
  QN_PUBLISHED_CLASS(TDataSource, TComponent)
 public:
  explicit TDataSource(TComponent* owner = nullptr);
  ~TDataSource() override;
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TDataSet* DataSet() const { return dataSet_; }
  // Raises "Circular datalinks are not allowed" when dataSet is already a master of this one.
  void SetDataSet(TDataSet* dataSet);
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool value) { autoEdit_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // The dataset's state as the links see it: inactive while disabled or without a dataset.
  TDataSetState State() const { return state_; }
  // Puts a browsing dataset into edit state when AutoEdit allows it.
  void Edit();
  // Whether dataSet follows this source, directly or through a chain of masters.
  bool IsLinkedTo(TDataSet* dataSet) const;

  TDataSourceNotifyEvent OnStateChange, OnUpdateData;
  TDataChangeEvent OnDataChange;

 private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent event, intptr_t info);
  void UpdateState();
  void AddDataLink(TDataLink* link);
  void RemoveDataLink(TDataLink* link);

  TDataSet* dataSet_ = nullptr;
  std::vector<TDataLink*> dataLinks_;
  TDataSetState state_ = dsInactive;
  bool autoEdit_ = true;
  bool enabled_ = true;
};
