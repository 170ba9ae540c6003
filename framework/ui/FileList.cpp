#include "framework/ui/FileList.h"

#include "framework/ui/FolderPaths.h"
#include "framework/ui/HandlerCall.h"
#include "platform/os/DirectoryListing.h"
#include "platform/os/Paths.h"

void FileList::PublishProperties(PropertyPublisher<FileList>& publish) {
  publish.String("Directory", &FileList::Directory, &FileList::SetDirectory);
  publish.String("Mask", &FileList::Mask, &FileList::SetMask);
  publish.String("FileName", &FileList::FileName);
  publish.Event("OnChange", &FileList::OnChange, &FileList::OnChange);
}

FileList::FileList(TComponent* AOwner) : ListBox(AOwner) { SetSorted(true); }

void FileList::SetDirectory(const AnsiString& Value) {
  directory_ = Value;
  Update();
}

void FileList::SetMask(const AnsiString& Value) {
  mask_ = Value;
  Update();
}

AnsiString FileList::FileName() const {
  return ItemIndex() < 0 ? AnsiString() : qn::ui::joinFolderAndName(directory_, Items()->Get(ItemIndex()));
}

void FileList::Update() {
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  size_t begin = 0;
  while (begin <= mask_.size()) {
    size_t end = mask_.find(';', begin);
    if (end == AnsiString::npos) end = mask_.size();
    const AnsiString mask = mask_.substr(begin, end - begin);
    try {
      if (!mask.empty())
        for (const qn::os::DirectoryEntry& entry : qn::os::listDirectory(qn::ui::joinFolderAndName(directory_, mask)))
          if (!entry.isDirectory) items->Add(entry.name);
    } catch (const qn::os::PathError&) {
      // A folder the path service cannot reach has no files to list.
    }
    begin = end + 1;
  }
  items->EndUpdate();
  SetItemIndex(-1);
}

void FileList::Click() {
  ListBox::Click();
  qn::ui::callHandler(OnChange, this);
}
