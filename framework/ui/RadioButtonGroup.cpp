#include "framework/ui/RadioButtonGroup.h"

#include <algorithm>
#include <string>

#include "framework/base/Exception.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/ItemLists.h"
#include "framework/ui/RadioButton.h"

void RadioButtonGroup::PublishProperties(PropertyPublisher<RadioButtonGroup>& publish) {
  publish.StringList("Items", &RadioButtonGroup::Items, &RadioButtonGroup::SetItems);
  publish.Integer("ItemIndex", &RadioButtonGroup::ItemIndex, &RadioButtonGroup::SetItemIndex);
  publish.Integer("Columns", &RadioButtonGroup::Columns, &RadioButtonGroup::SetColumns);
}

RadioButtonGroup::RadioButtonGroup(TComponent* AOwner) : GroupFrame(AOwner), items_(std::make_unique<StringList>()) {
  items_->OnChange = [this](TObject* sender) { itemsChanged(sender); };
}

RadioButtonGroup::~RadioButtonGroup() { items_->OnChange = nullptr; }

void RadioButtonGroup::SetItemIndex(int Value) {
  qn::ui::checkItemIndex(Value, items_->Count());
  if (Value == itemIndex_) return;
  itemIndex_ = Value;
  checkButtons();
  qn::ui::callHandler(OnClick, this);
}

void RadioButtonGroup::SetColumns(int Value) {
  columns_ = std::clamp(Value, 1, 16);
  AlignControls();
}

void RadioButtonGroup::itemsChanged(TObject*) {
  // Each button leaves the list as it goes (Notification).
  while (!buttons_.empty()) delete buttons_.back();
  for (int i = 0; i < items_->Count(); ++i) {
    auto* button = new RadioButton(this);
    button->SetCaption(items_->Get(i));
    button->SetParent(this);
    button->OnClick = [this](TObject* sender) { buttonClicked(sender); };
    buttons_.push_back(button);
  }
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  checkButtons();
  AlignControls();
}

void RadioButtonGroup::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), AComponent), buttons_.end());
  GroupFrame::Notification(AComponent, Operation);
}

void RadioButtonGroup::buttonClicked(TObject* Sender) {
  if (checking_) return;
  const auto found = std::find(buttons_.begin(), buttons_.end(), Sender);
  if (found != buttons_.end()) SetItemIndex(static_cast<int>(found - buttons_.begin()));
}

void RadioButtonGroup::checkButtons() {
  checking_ = true;
  for (int i = 0; i < ButtonCount(); ++i) {
    Buttons(i)->SetChecked(i == itemIndex_);
    // Tab reaches the group at its checked button (the first when none is).
    Buttons(i)->SetTabStop(i == std::max(itemIndex_, 0));
  }
  checking_ = false;
}

void RadioButtonGroup::AlignControls() {
  GroupFrame::AlignControls();
  if (buttons_.empty()) return;
  const int count = ButtonCount();
  const int perColumn = (count + columns_ - 1) / columns_;
  const TRect client = ClientRect();
  const int inset = 6;
  const int columnWidth = std::max(1, (client.Width() - inset) / columns_);
  const int rowHeight = std::max(1, client.Height() / perColumn);
  for (int i = 0; i < count; ++i) {
    const int column = i / perColumn, row = i % perColumn;
    Buttons(i)->SetBounds(client.Left + inset + column * columnWidth, client.Top + row * rowHeight, columnWidth - 2, rowHeight);
  }
}
