#pragma once
// The drives of the drive map in a drop-down list, one line each: the letter, a colon and the
// folder it stands for ("C: [/home/office]"). Choosing a drive, by the user or by code, runs
// OnChange and takes a linked FolderList to the drive's root. A damaged drive map lists no
// drives; a letter the map lacks raises EListError and keeps the drive.
#include <vector>

#include "framework/ui/ComboBox.h"
#include "framework/ui/FolderList.h"

class DriveBox : public ComboBox {
  QN_CLASS(DriveBox, ComboBox)
 public:
  explicit DriveBox(TComponent* AOwner);

  // The chosen drive's letter (upper case); 0 while the map has none.
  char Drive() const;
  void SetDrive(char Value);
  ::FolderList* FolderList() const { return folderList_; }
  void SetFolderList(::FolderList* Value);
  // Reads the drive map again, keeping the drive when it is still there.
  void Update();

 protected:
  void Change() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<char> letters_;  // beside Items: each line's letter
  ::FolderList* folderList_ = nullptr;
};
