#include "framework/ui/DriveBox.h"

#include <algorithm>
#include <cctype>

#include "framework/base/Exception.h"
#include "platform/os/DriveMap.h"
#include "platform/os/Paths.h"

namespace {

AnsiString driveRoot(char letter) { return AnsiString(1, letter) + ":\\"; }

}  // namespace

DriveBox::DriveBox(TComponent* AOwner) : ComboBox(AOwner) {
  SetStyle(csDropDownList);
  Update();
}

char DriveBox::Drive() const { return ItemIndex() >= 0 ? letters_[ItemIndex()] : 0; }

void DriveBox::SetDrive(char Value) {
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(Value)));
  auto found = std::find(letters_.begin(), letters_.end(), letter);
  if (found == letters_.end()) throw EListError("The drive map has no drive " + AnsiString(1, letter) + ":");
  const int index = static_cast<int>(found - letters_.begin());
  if (index == ItemIndex()) return;
  SetItemIndex(index);
  Change();
}

void DriveBox::SetFolderList(::FolderList* Value) {
  if (folderList_) folderList_->RemoveFreeNotification(this);
  folderList_ = Value;
  if (folderList_) folderList_->FreeNotification(this);
}

void DriveBox::Update() {
  const char kept = Drive();
  std::vector<std::pair<char, std::string>> drives;
  try {
    drives = qn::os::mappedDrives();
  } catch (const qn::os::PathError&) {
    // A damaged map offers no drive; the path service names the fault when a path uses one.
  }
  letters_.clear();
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (const auto& [letter, folder] : drives) {
    letters_.push_back(letter);
    items->Add(AnsiString(1, letter) + ": [" + folder + "]");
  }
  items->EndUpdate();
  auto found = std::find(letters_.begin(), letters_.end(), kept);
  SetItemIndex(found != letters_.end() ? static_cast<int>(found - letters_.begin()) : (letters_.empty() ? -1 : 0));
}

void DriveBox::Change() {
  if (folderList_ && Drive()) folderList_->SetDirectory(driveRoot(Drive()));
  ComboBox::Change();
}

void DriveBox::Notification(TComponent* AComponent, TOperation Operation) {
  ComboBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == folderList_) folderList_ = nullptr;
}
