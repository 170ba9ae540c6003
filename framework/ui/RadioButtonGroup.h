#pragma once
// A framed set of options, one radio button per line of Items, of which ItemIndex is checked
// (-1: none). The buttons stand in Columns columns, filled column by column: with five items in
// two columns the first three make the first column. Checking one, by the user or by code, runs
// OnClick once.
#include <memory>
#include <vector>

#include "framework/base/StringList.h"
#include "framework/ui/GroupFrame.h"

class RadioButton;

class RadioButtonGroup : public GroupFrame {
  QN_PUBLISHED_CLASS(RadioButtonGroup, GroupFrame)
 public:
  explicit RadioButtonGroup(TComponent* AOwner);
  ~RadioButtonGroup() override;

  // Changing the lines makes the buttons again; ItemIndex stays when the line still exists.
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int ItemIndex() const { return itemIndex_; }
  // Below -1 or past the last line raises EListError "List index out of bounds (n)" and keeps
  // the index.
  void SetItemIndex(int Value);
  int Columns() const { return columns_; }
  // Kept between 1 and 16.
  void SetColumns(int Value);

  // The button of line Index.
  RadioButton* Buttons(int Index) const { return buttons_.at(static_cast<std::size_t>(Index)); }
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }

 protected:
  void AlignControls() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void itemsChanged(TObject*);
  void buttonClicked(TObject* Sender);
  void checkButtons();

  std::unique_ptr<StringList> items_;
  std::vector<RadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool checking_ = false;  // the group itself is checking a button
};
