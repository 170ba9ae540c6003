#pragma once
// The folders around one folder: the folders from the root down to it, then its subfolders (in
// name order without case, hidden ones left out), each drawn indented by its depth. Opening an
// item (a double click, or Enter) makes it the folder; a change of the folder runs OnChange and
// takes a linked FileList along. A folder that does not exist (or that the path service cannot
// reach) gives an empty list, not an error.
#include <vector>

#include "framework/ui/FileList.h"

class FolderList : public ListBox {
  QN_PUBLISHED_CLASS(FolderList, ListBox)
 public:
  explicit FolderList(TComponent* AOwner);

  // A program path ("C:\data", "/srv/data"); set empty, the current folder.
  const AnsiString& Directory() const { return directory_; }
  void SetDirectory(const AnsiString& Value);
  // The file list whose folder follows this list's; nullptr for none.
  ::FileList* FileList() const { return fileList_; }
  void SetFileList(::FileList* Value);
  // The whole path of item Index; EListError outside the items.
  AnsiString FolderAt(int Index) const;
  // Makes the current item the folder.
  void OpenCurrent();
  // Reads the folder again.
  void Update();

  TWantedKeys WantedKeys() const override { return {wkArrows, wkReturn}; }
  void KeyDown(WORD& Key, TShiftState Shift) override;

  TNotifyEvent OnChange;

 protected:
  void DblClick() override;
  void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  AnsiString directory_;
  ::FileList* fileList_ = nullptr;
  std::vector<AnsiString> paths_;  // beside Items: each item's whole path
  std::vector<int> depths_;        // and how deep it lies
};
