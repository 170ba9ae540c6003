#include "datagrid/DBNavigator.h"

#include <algorithm>

#include "datagrid/ExtensionProperties.h"
#include "datagrid/NavDataLink.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/DatabaseError.h"
#include "framework/ui/ImageStrip.h"

void TdcDBNavigator::PublishProperties(PropertyPublisher<TdcDBNavigator>& publish) {
  using Self = TdcDBNavigator;
  publish.Object("Buttons", &Self::Buttons);
  publish.Object("DataSource", &Self::DataSource, &Self::SetDataSource);
  publish.Enumeration("AutosizeStyle", kNavAutoSizeStyleType, &Self::AutosizeStyle, &Self::SetAutosizeStyle);
  publish.Enumeration("Layout", kNavLayoutType, &Self::Layout, &Self::SetLayout);
  publish.Boolean("Flat", &Self::Flat, &Self::SetFlat);
  publish.Object("ImageList", &Self::ImageList, &Self::SetImageList);
  publish.Integer("MoveBy", &Self::MoveBy, &Self::SetMoveBy);
  publish.Set("Options", kNavOptionType, &Self::Options, &Self::SetOptions);
  publish.Boolean("ShowHint", &Self::GetShowHint, &Self::SetShowHint);
  publish.Object("RepeatInterval", &Self::RepeatInterval);
  publish.Set("VisibleButtons", kNavButtonStyleType, &Self::GetVisibleButtons, &Self::SetVisibleButtons);
}

TdcDBNavigator::TdcDBNavigator(TComponent* AOwner)
    : TPanel(AOwner),
      buttons_(std::make_unique<TdcNavButtons>(this)),
      dataLink_(std::make_unique<TdcNavDataLink>(this)),
      repeatInterval_(std::make_unique<TdcNavRepeatInterval>()) {
  SetBevelOuter(bvNone);
  SetCaption("");
  SetWidth(1);
}

TdcDBNavigator::~TdcDBNavigator() {
  while (!bookmarks_.empty()) bookmarks_.pop_back();
}

TDataSource* TdcDBNavigator::DataSource() const { return dataLink_->DataSource(); }

void TdcDBNavigator::SetDataSource(TDataSource* Value) {
  if (Value) Value->FreeNotification(this);
  dataLink_->SetDataSource(Value);
  SetEnabled(Value != nullptr);
  buttons_->UpdateButtonStates(ucRefresh);
}

void TdcDBNavigator::SetAutosizeStyle(TdcNavAutoSizeStyle Value) {
  if (Value == autosizeStyle_) return;
  autosizeStyle_ = Value;
  buttons_->Relayout();
}

void TdcDBNavigator::SetLayout(TdcNavLayout Value) {
  if (Value == layout_) return;
  layout_ = Value;
  buttons_->Relayout();
}

void TdcDBNavigator::SetFlat(bool Value) {
  flat_ = Value;
  for (int i = 0; i < buttons_->Count(); ++i) buttons_->GetButton(i)->SetFlat(Value);
}

void TdcDBNavigator::SetImageList(ImageStrip* Value) {
  imageList_ = Value;
  if (Value) Value->FreeNotification(this);
  for (int i = 0; i < buttons_->Count(); ++i) {
    TdcNavButton* button = buttons_->GetButton(i);
    if (button->GetImageIndex() != -1) button->SetImages(Value);
  }
}

void TdcDBNavigator::SetMoveBy(int Value) {
  if (Value == moveBy_) return;
  moveBy_ = Value;
  for (int i = 0; i < buttons_->Count(); ++i) {
    TdcNavButton* button = buttons_->GetButton(i);
    if (button->Style() == nbsPriorPage || button->Style() == nbsNextPage) button->UpdateHint();
  }
}

void TdcDBNavigator::SetShowHint(bool Value) {
  TPanel::SetShowHint(Value);
  for (int i = 0; i < buttons_->Count(); ++i) buttons_->GetButton(i)->SetShowHint(Value);
}

TdcNavButtonStyles TdcDBNavigator::GetVisibleButtons() const {
  TdcNavButtonStyles styles;
  for (int i = 0; i < buttons_->Count(); ++i) {
    const TdcNavButtonStyle style = buttons_->GetButton(i)->Style();
    if (qn::datagrid::isStandardNavStyle(style)) styles.Include(style);
  }
  return styles;
}

void TdcDBNavigator::SetVisibleButtons(TdcNavButtonStyles Value) {
  if (!ComponentState().Contains(csLoading) && buttons_->Count() == 0) buttons_->AddDefaultButtons();
  for (int style = nbsFirst; style <= nbsRestoreBookmark; ++style) {
    const auto s = static_cast<TdcNavButtonStyle>(style);
    if (Value.Contains(s)) buttons_->ShowStyle(s);
    else buttons_->HideStyle(s);
  }
  buttons_->Relayout();
}

int TdcDBNavigator::BorderWidth() const { return (BevelInner() != bvNone ? 1 : 0) + (BevelOuter() != bvNone ? 1 : 0); }

int TdcDBNavigator::TotalButtonWidth() const {
  int total = 0;
  for (int i = 0; i < buttons_->Count(); ++i) {
    const TdcNavButton* button = buttons_->GetButton(i);
    if (!buttons_->IsHidden(button)) total += button->Width();
  }
  return total;
}

TDataSet* TdcDBNavigator::GetDataSet(bool Required) const {
  TDataSource* source = DataSource();
  if (!source) {
    if (Required) throw EInvalidOperation("Error, DataSource not assigned");
    return nullptr;
  }
  if (!source->DataSet() && Required) throw EInvalidOperation(Format(dbtext::kNoDataSet, {Name()}));
  return source->DataSet();
}

void TdcDBNavigator::AutoSizeNavigator() {
  if (autosizeStyle_ == asNone) return;
  std::vector<TdcNavButton*> shown;
  for (int i = 0; i < buttons_->Count(); ++i)
    if (!buttons_->IsHidden(buttons_->GetButton(i))) shown.push_back(buttons_->GetButton(i));
  if (shown.empty()) return;
  const int border = BorderWidth();
  if (autosizeStyle_ == asSizeNavigator) {
    const TdcNavButton* right = buttons_->RightButton();
    const TdcNavButton* bottom = buttons_->BottomButton();
    SetBounds(Left(), Top(), border + right->Left() + right->Width(), border + bottom->Top() + bottom->Height());
    return;
  }
  const bool horizontal = layout_ == nlHorizontal;
  const int innerWidth = Width() - 2 * border;
  const int innerHeight = Height() - 2 * border;
  // Lines end before each button with LineBreak; an empty line keeps its share of the extent.
  std::vector<std::vector<TdcNavButton*>> lines(1);
  for (TdcNavButton* button : shown) {
    if (button->LineBreak()) lines.emplace_back();
    lines.back().push_back(button);
  }
  const int across = horizontal ? innerHeight : innerWidth;
  const int along = horizontal ? innerWidth : innerHeight;
  const int lineCount = static_cast<int>(lines.size());
  for (int line = 0; line < lineCount; ++line) {
    const std::vector<TdcNavButton*>& members = lines[static_cast<std::size_t>(line)];
    if (members.empty()) continue;
    const int lineExtent = across / lineCount + (line < across % lineCount ? 1 : 0);
    const int n = static_cast<int>(members.size());
    for (int i = 0; i < n; ++i) {
      const int share = along / n + (i < along % n ? 1 : 0);
      TdcNavButton* button = members[static_cast<std::size_t>(i)];
      if (horizontal) button->SetBounds(button->Left(), button->Top(), share, lineExtent);
      else button->SetBounds(button->Left(), button->Top(), lineExtent, share);
    }
  }
}

void TdcDBNavigator::SetDataSet(TDataSet* DataSet, bool Force) {
  auto* source = dynamic_cast<TDataSource*>(GetDataSourceOf(DataSet));
  if (source || Force) SetDataSource(source);
}

void TdcDBNavigator::DataChanged() { buttons_->UpdateButtonStates(ucRecordChanged); }

void TdcDBNavigator::EditingChanged() { buttons_->UpdateButtonStates(ucEditingChanged); }

void TdcDBNavigator::ActiveChanged() {
  TDataSet* dataSet = GetDataSet(false);
  if (dataSet && !dataSet->Active()) DropBookmarks(dataSet);
  buttons_->UpdateButtonStates(ucActiveChanged);
}

void TdcDBNavigator::InsertRemoveButton(TControl* Control, bool Inserting) {
  if (Inserting && !dynamic_cast<TdcNavButton*>(Control))
    throw EInvalidOperation("TdcDBNavigator only accepts controls derived from TdcNavButton");
}

void TdcDBNavigator::AcceptChild(TControl* Control) { InsertRemoveButton(Control, true); }

TBookmark TdcDBNavigator::SaveBookmark(TDataSet* DataSet) {
  TBookmark result = nullptr;
  bool replaced = false;
  for (auto it = bookmarks_.rbegin(); it != bookmarks_.rend(); ++it) {
    TdcNavBookmark& entry = **it;
    if (entry.DataSet() != DataSet) continue;
    entry.Replace(DataSet->GetBookmark());
    replaced = true;
    if (!result && DataSet->BookmarkValid(entry.Bookmark())) result = entry.Bookmark();
  }
  if (replaced) buttons_->UpdateButtonStates(ucRefresh);
  if (result) return result;
  bookmarks_.push_back(std::make_unique<TdcNavBookmark>(DataSet, DataSet->GetBookmark()));
  DataSet->FreeNotification(this);
  buttons_->UpdateButtonStates(ucRefresh);
  return bookmarks_.back()->Bookmark();
}

TBookmark TdcDBNavigator::FindBookmark(TDataSet* DataSet) const {
  for (auto it = bookmarks_.rbegin(); it != bookmarks_.rend(); ++it)
    if ((*it)->DataSet() == DataSet && DataSet->BookmarkValid((*it)->Bookmark())) return (*it)->Bookmark();
  return nullptr;
}

void TdcDBNavigator::DropBookmarks(TDataSet* DataSet) {
  std::erase_if(bookmarks_, [DataSet](const std::unique_ptr<TdcNavBookmark>& entry) { return entry->DataSet() == DataSet; });
}

void TdcDBNavigator::Paint() {
  if (creatingDefaults_) return;
  if (buttons_->Count() == 0 && !ComponentState().Contains(csLoading)) {
    creatingDefaults_ = true;
    try {
      buttons_->AddDefaultButtons();
    } catch (...) {
      creatingDefaults_ = false;
      throw;
    }
    creatingDefaults_ = false;
    if (Width() == 1) SetBounds(Left(), Top(), TotalButtonWidth(), buttons_->GetButton(0)->Height());
    else buttons_->Relayout();
  }
  TPanel::Paint();
}

void TdcDBNavigator::BoundsChanged() {
  TPanel::BoundsChanged();
  // A navigator resized from outside (aligned, or sized to its buttons at first) lays its buttons
  // out again; its own sizing comes back here with the size it already has.
  if (buttons_->updateCount() > 0 || (Width() == laidOutWidth_ && Height() == laidOutHeight_)) return;
  laidOutWidth_ = Width();
  laidOutHeight_ = Height();
  buttons_->Relayout();
}

void TdcDBNavigator::EnabledChanged() {
  TPanel::EnabledChanged();
  for (int i = 0; i < buttons_->Count(); ++i) buttons_->GetButton(i)->SetEnabled(Enabled());
  if (Enabled()) buttons_->UpdateButtonStates(ucRefresh);
}

void TdcDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  TPanel::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == DataSource()) SetDataSource(nullptr);
  if (imageList_ && AComponent == imageList_) SetImageList(nullptr);
  if (auto* dataSet = dynamic_cast<TDataSet*>(AComponent)) DropBookmarks(dataSet);
}

void TdcDBNavigator::Loaded() {
  TPanel::Loaded();
  SetFlat(flat_);
  SetImageList(imageList_);
}

void TdcDBNavigator::WindowCreated() {
  TPanel::WindowCreated();
  if (ComponentState().Contains(csDesigning))
    for (int i = 0; i < buttons_->Count(); ++i) buttons_->GetButton(i)->GenerateName();
  SetDataSource(DataSource());
  buttons_->ArrangeButtons();
  AutoSizeNavigator();
}
