#include "framework/ui/FolderList.h"

#include <algorithm>

#include "framework/base/ListIndex.h"
#include "framework/base/TextCompare.h"
#include "framework/ui/FolderPaths.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/ItemLists.h"
#include "framework/ui/VirtualKeys.h"
#include "platform/os/DirectoryListing.h"
#include "platform/os/Files.h"
#include "platform/os/Paths.h"

namespace {

// Each level of depth moves an item's text this far right.
constexpr int kIndentPerLevel = 8;

// A folder the path service cannot reach does not exist for the list.
bool folderExists(const AnsiString& folder) {
  try {
    return qn::os::directoryExists(folder);
  } catch (const qn::os::PathError&) {
    return false;
  }
}

}  // namespace

void FolderList::PublishProperties(PropertyPublisher<FolderList>& publish) {
  publish.String("Directory", &FolderList::Directory, &FolderList::SetDirectory);
  publish.Event("OnChange", &FolderList::OnChange, &FolderList::OnChange);
}

FolderList::FolderList(TComponent* AOwner) : ListBox(AOwner) { SetStyle(lbOwnerDrawFixed); }

void FolderList::SetDirectory(const AnsiString& Value) {
  const AnsiString folder = Value.empty() ? AnsiString(qn::os::currentDirectory()) : Value;
  const std::vector<qn::ui::FolderStep> steps = qn::ui::foldersDownTo(folder);
  directory_ = steps.empty() ? folder : steps.back().path;
  Update();
  if (fileList_) fileList_->SetDirectory(directory_);
  qn::ui::callHandler(OnChange, this);
}

void FolderList::SetFileList(::FileList* Value) {
  if (fileList_) fileList_->RemoveFreeNotification(this);
  fileList_ = Value;
  if (!fileList_) return;
  fileList_->FreeNotification(this);
  fileList_->SetDirectory(directory_);
}

AnsiString FolderList::FolderAt(int Index) const {
  CheckListIndex(Index, static_cast<int>(paths_.size()));
  return paths_[Index];
}

void FolderList::OpenCurrent() {
  if (ItemIndex() >= 0 && FolderAt(ItemIndex()) != directory_) SetDirectory(FolderAt(ItemIndex()));
}

void FolderList::Update() {
  paths_.clear();
  depths_.clear();
  std::vector<AnsiString> names;
  int current = -1;
  if (folderExists(directory_)) {
    for (const qn::ui::FolderStep& step : qn::ui::foldersDownTo(directory_)) {
      paths_.push_back(step.path);
      depths_.push_back(++current);
      names.push_back(step.name);
    }
    std::vector<AnsiString> children;
    for (const qn::os::DirectoryEntry& entry : qn::os::listDirectory(qn::ui::joinFolderAndName(directory_, "*")))
      if (entry.isDirectory && entry.name[0] != '.') children.push_back(entry.name);
    std::stable_sort(children.begin(), children.end(),
                     [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
    for (const AnsiString& child : children) {
      paths_.push_back(qn::ui::joinFolderAndName(directory_, child));
      depths_.push_back(current + 1);
      names.push_back(child);
    }
  }
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (const AnsiString& name : names) items->Add(name);
  items->EndUpdate();
  SetItemIndex(current);
}

void FolderList::KeyDown(WORD& Key, TShiftState Shift) {
  ListBox::KeyDown(Key, Shift);
  if (Key != VK_RETURN) return;
  Key = 0;
  OpenCurrent();
}

void FolderList::DblClick() {
  ListBox::DblClick();
  OpenCurrent();
}

void FolderList::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem) return ListBox::DrawItem(Index, Rect, State);
  const int depth = Index < static_cast<int>(depths_.size()) ? depths_[Index] : 0;
  drawItemText(Index, Rect, depth * kIndentPerLevel);
}

void FolderList::Notification(TComponent* AComponent, TOperation Operation) {
  ListBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == fileList_) fileList_ = nullptr;
}
