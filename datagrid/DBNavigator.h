#pragma once
// TdcDBNavigator: a data-aware panel of command buttons bound to a dataset through a data source.
// It keeps its buttons enabled from the dataset's state, lays them out in rows (or columns) that
// wrap, sizes itself to its buttons or its buttons to itself, keeps the bookmarks its buttons
// save, and asks before a delete when its options say so. A navigator made in code gets the
// default buttons when it is first painted.
#include <memory>
#include <vector>

#include "datagrid/NavBookmark.h"
#include "datagrid/NavButton.h"
#include "datagrid/NavButtons.h"
#include "datagrid/NavRepeatInterval.h"
#include "framework/ui/Panel.h"

class ImageStrip;
class TDataSet;
class TDataSource;
class TdcNavDataLink;

class TdcDBNavigator : public TPanel {
  QN_PUBLISHED_CLASS(TdcDBNavigator, TPanel)
 public:
  explicit TdcDBNavigator(TComponent* AOwner);
  ~TdcDBNavigator() override;

  TdcNavButtons* Buttons() const { return buttons_.get(); }
  TDataSource* DataSource() const;
  virtual void SetDataSource(TDataSource* Value);
  TdcNavAutoSizeStyle AutosizeStyle() const { return autosizeStyle_; }
  virtual void SetAutosizeStyle(TdcNavAutoSizeStyle Value);
  TdcNavLayout Layout() const { return layout_; }
  virtual void SetLayout(TdcNavLayout Value);
  bool Flat() const { return flat_; }
  virtual void SetFlat(bool Value);
  // Not owned; used by buttons given an ImageIndex of their own.
  ImageStrip* ImageList() const { return imageList_; }
  virtual void SetImageList(ImageStrip* Value);
  int MoveBy() const { return moveBy_; }
  virtual void SetMoveBy(int Value);
  TdcNavOptions Options() const { return options_; }
  virtual void SetOptions(TdcNavOptions Value) { options_ = Value; }
  virtual bool GetShowHint() const { return ShowHint(); }
  virtual void SetShowHint(bool Value);
  TdcNavRepeatInterval* RepeatInterval() const { return repeatInterval_.get(); }
  // The standard styles that have a button, shown or not.
  virtual TdcNavButtonStyles GetVisibleButtons() const;
  virtual void SetVisibleButtons(TdcNavButtonStyles Value);

  // How many bevels the navigator shows (0 to 2): its buttons lie this far inside it. It stands
  // in for the panel's border width here.
  virtual int BorderWidth() const;
  // The widths of the buttons that are not hidden, added up.
  virtual int TotalButtonWidth() const;
  // The data source's dataset. Required: EInvalidOperation when there is none.
  virtual TDataSet* GetDataSet(bool Required) const;
  virtual void AutoSizeNavigator();
  // Takes the dataset's own data source (its "DataSource" property) when it has one, or none
  // when Force is set.
  virtual void SetDataSet(TDataSet* DataSet, bool Force);

  // Told by the data link.
  virtual void DataChanged();
  virtual void EditingChanged();
  virtual void ActiveChanged();
  // Refuses any child that is not a navigator button.
  virtual void InsertRemoveButton(TControl* Control, bool Inserting);

  // Whether the link is active and editing, for the buttons' states.
  const TdcNavDataLink& dataLink() const { return *dataLink_; }

  // The saved bookmarks, one store shared by every button, searched from the newest.
  TBookmark SaveBookmark(TDataSet* DataSet);
  TBookmark FindBookmark(TDataSet* DataSet) const;
  void DropBookmarks(TDataSet* DataSet);

 protected:
  void Paint() override;
  void AcceptChild(TControl* Control) override;
  void EnabledChanged() override;
  void BoundsChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void WindowCreated() override;

 private:
  friend class TdcNavButtons;
  bool creatingDefaults_ = false;  // painting stays out while the default buttons are made
  int laidOutWidth_ = 0;  // the size the buttons were last laid out for
  int laidOutHeight_ = 0;

  const std::unique_ptr<TdcNavButtons> buttons_;
  const std::unique_ptr<TdcNavDataLink> dataLink_;
  const std::unique_ptr<TdcNavRepeatInterval> repeatInterval_;
  std::vector<std::unique_ptr<TdcNavBookmark>> bookmarks_;
  TdcNavAutoSizeStyle autosizeStyle_ = asSizeNavigator;
  TdcNavLayout layout_ = nlHorizontal;
  bool flat_ = true;
  ImageStrip* imageList_ = nullptr;
  int moveBy_ = 10;
  TdcNavOptions options_{noConfirmDelete};
};
