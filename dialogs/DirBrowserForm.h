#pragma once
// TDirBrowserForm: a folder and file browser. Under its own caption it restores the suite's
// validation files into the folder Label2 names, copied from another folder or unzipped from a
// ZIP file; under the captions of the suite's export programs it only takes a folder. Result is
// 1 when it did what it was asked, else 0. Made once by the main block.
#include "framework/ui/DriveBox.h"
#include "framework/ui/FileList.h"
#include "framework/ui/FolderList.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/TextLabel.h"

class TDirBrowserForm : public TForm {
  QN_CLASS(TDirBrowserForm, TForm)
 public:
  explicit TDirBrowserForm(TComponent* AOwner);

  DriveBox* DriveComboBox1;
  FolderList* DirectoryListBox1;
  FileList* FileListBox1;
  TextLabel* Label1;  // the ZIP file chosen
  TextLabel* Label2;  // the validation folder, set by the caller
  GlyphButton* BitBtn1;
  GlyphButton* UnzipBitBtn;
  GlyphButton* CancelBitBtn;
  int Result = 0;

  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void UnzipBitBtnClick(TObject* Sender);
  void DriveComboBox1Change(TObject* Sender);
  void FileListBox1Enter(TObject* Sender);
  void FileListBox1Exit(TObject* Sender);

 private:
  void copyRestore(const AnsiString& folder);
  void showFileList(bool shown);
  // The refusal of a validation folder holding transactions; true when it was refused.
  bool refusedForTransactions();

  bool exportMode_ = false;
  bool unzip_ = false;
  char drive_ = 0;
  bool restoringDrive_ = false;
};

extern TDirBrowserForm* DirBrowserForm;
