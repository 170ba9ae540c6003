#pragma once
// The files of a folder whose names match a mask, in name order without case: "*.qic" lists
// "A.QIC" and "b.qic". Several masks may be given, separated by ';'. A folder or mask that does
// not exist, or a path the path service cannot resolve, gives an empty list, not an error.
// Choosing a file runs OnChange after OnClick.
#include "framework/ui/ListBox.h"

class FileList : public ListBox {
  QN_PUBLISHED_CLASS(FileList, ListBox)
 public:
  explicit FileList(TComponent* AOwner);

  // A program path ("C:\data", "/srv/data"); empty: the current folder.
  const AnsiString& Directory() const { return directory_; }
  void SetDirectory(const AnsiString& Value);
  const AnsiString& Mask() const { return mask_; }
  void SetMask(const AnsiString& Value);
  // The chosen file's path in the folder; empty when none is chosen.
  AnsiString FileName() const;
  // Reads the folder again.
  void Update();

  void Click() override;

  TNotifyEvent OnChange;

 private:
  AnsiString directory_;
  AnsiString mask_ = "*.*";
};
