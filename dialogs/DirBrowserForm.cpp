#include "dialogs/DirBrowserForm.h"

#include <exception>

#include "dialogs/PrintFolders.h"
#include "dialogs/ValidationFiles.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/IntegerText.h"
#include "framework/base/TextCase.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "platform/os/Files.h"
#include "platform/os/Process.h"

TDirBrowserForm* DirBrowserForm = nullptr;

namespace {

const AnsiString kOwnCaption = "Please select directory containing validation files";
const AnsiString kFolderCaption = "Please select the DIRECTORY containing the validation files...";
const AnsiString kContact = "Please contact Vantor, Inc. for assistance.";

bool isExportCaption(const AnsiString& caption) {
  const AnsiString start = caption.substr(0, 26);
  return start == "Select a directory to rece" || start == "Select the folder to which" ||
         start == "Select the folder that con";
}

void tell(const AnsiString& text, TMsgDlgType kind) { MessageDlg(text, kind, {mbOK}, 0); }

}  // namespace

TDirBrowserForm::TDirBrowserForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("DirBrowserForm");
  SetCaption(kOwnCaption);
  SetBorderStyle(bsDialog);
  SetClientWidth(420);
  SetClientHeight(330);
  DriveComboBox1 = PlaceControl<DriveBox>(this, this, 8, 8, 404, 21);
  DirectoryListBox1 = PlaceControl<FolderList>(this, this, 8, 36, 404, 220);
  FileListBox1 = PlaceControl<FileList>(this, this, 8, 36, 404, 220);
  FileListBox1->SetMask("*.zip");
  FileListBox1->SetVisible(false);
  DriveComboBox1->SetFolderList(DirectoryListBox1);
  DirectoryListBox1->SetFileList(FileListBox1);
  Label1 = PlaceControl<TextLabel>(this, this, 8, 262, 404, 13);
  Label2 = PlaceControl<TextLabel>(this, this, 8, 278, 404, 13);
  BitBtn1 = PlaceControl<GlyphButton>(this, this, 124, 298, 90, 27);
  BitBtn1->SetKind(gbkOK);
  BitBtn1->SetModalResult(mrNone);
  BitBtn1->SetDefault(true);
  UnzipBitBtn = PlaceControl<GlyphButton>(this, this, 124, 298, 90, 27);
  UnzipBitBtn->SetKind(gbkOK);
  UnzipBitBtn->SetModalResult(mrNone);
  UnzipBitBtn->SetVisible(false);
  CancelBitBtn = PlaceControl<GlyphButton>(this, this, 222, 298, 90, 27);
  CancelBitBtn->SetKind(gbkCancel);
  CancelBitBtn->SetCancel(true);

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
  BitBtn1->OnClick = [this](TObject* Sender) { BitBtn1Click(Sender); };
  UnzipBitBtn->OnClick = [this](TObject* Sender) { UnzipBitBtnClick(Sender); };
  DriveComboBox1->OnChange = [this](TObject* Sender) { DriveComboBox1Change(Sender); };
  FileListBox1->OnEnter = [this](TObject* Sender) { FileListBox1Enter(Sender); };
  FileListBox1->OnExit = [this](TObject* Sender) { FileListBox1Exit(Sender); };
}

void TDirBrowserForm::FormShow(TObject*) {
  Result = 0;
  exportMode_ = isExportCaption(Caption());
  unzip_ = false;
  drive_ = DriveComboBox1->Drive();
  showFileList(false);
  Label1->SetCaption("");
  if (exportMode_) return;
  unzip_ = MessageDlg("Will the validation files need to be unzipped?", mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}

void TDirBrowserForm::FormActivate(TObject*) {
  try {
    if (FileListBox1->Visible()) FileListBox1->SetFocus();
    else DirectoryListBox1->SetFocus();
  } catch (const std::exception&) {
    tell("Unable to focus on FileListBox or DirectoryListBox.", mtError);
  }
}

void TDirBrowserForm::showFileList(bool shown) {
  FileListBox1->SetVisible(shown);
  DirectoryListBox1->SetVisible(!shown);
  UnzipBitBtn->SetVisible(shown);
  BitBtn1->SetVisible(!shown);
  UnzipBitBtn->SetDefault(shown);
  BitBtn1->SetDefault(!shown);
}

void TDirBrowserForm::BitBtn1Click(TObject*) {
  if (exportMode_) {
    Result = 1;
    SetModalResult(mrOk);
    return;
  }
  if (unzip_) {
    SetCaption(kFolderCaption + " Now select the ZIP FILE containing the validation files");
    showFileList(true);
    return;
  }
  copyRestore(DirectoryListBox1->Directory());
}

bool TDirBrowserForm::refusedForTransactions() {
  if (!HoldsTransactionFiles(Label2->Caption())) return false;
  tell("Your Quillon Remote For Windows validation directory contains\r\none or more transaction files.  It is NOT SAFE "
       "to proceed with\r\nrestoring validation files from another location." + kContact,
       mtError);
  return true;
}

void TDirBrowserForm::copyRestore(const AnsiString& folder) {
  if (!HoldsAllValidationFiles(folder)) {
    if (MessageDlg("The directory you have selected: " + folder +
                       "\r\nis missing one or more of the Quillon files needed for validation.\r\nDo you want to "
                       "select a different directory?",
                   mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
      SetModalResult(mrCancel);
    return;
  }
  if (refusedForTransactions()) return;
  const AnsiString target = Label2->Caption();
  bool copied;
  {
    const HourglassCursor busy;
    SetCaption("Copying files.  Please wait.");
    copied = CopyValidationFiles(folder, target);
    SetCaption(kFolderCaption);
  }
  if (!copied) {
    tell("Unable to copy one or more validation files to " + target +
             "\r\nPlease call Vantor, Inc. if further assistance is needed.",
         mtError);
    return;
  }
  Result = 1;
  SetModalResult(mrOk);
}

void TDirBrowserForm::UnzipBitBtnClick(TObject*) {
  const AnsiString zip = FileListBox1->FileName();
  if (UpperCase(zip).find(".ZIP") == AnsiString::npos) {
    tell(zip + " is not a valid ZIP file", mtError);
    return;
  }
  if (!qn::os::fileExists(UnzipProgramFile())) {
    tell("PKUNZIP.EXE is missing from your program directory.\r\nValidation files cannot be restored without it.",
         mtError);
    return;
  }
  if (refusedForTransactions()) return;
  if (MessageDlg("Please make sure no other users are currently accessing the validation files.", mtWarning,
                 mbOKCancel, 0) != mrOk)
    return;
  const std::uint32_t code = RunUnzip(zip, Label2->Caption());
  if (code != 0) {
    tell("Unable to restore validation files at this time.\r\nPKUNZIP Error #" + IntToStr(static_cast<int>(code)) +
             "." + kContact,
         mtError);
    return;
  }
  tell("Quillon Remote For Windows validation\r\nfiles have been successfully restored.", mtInformation);
  Result = 1;
  SetModalResult(mrOk);
}

void TDirBrowserForm::DriveComboBox1Change(TObject*) {
  if (restoringDrive_) return;
  const char drive = DriveComboBox1->Drive();
  if (drive != 0 && !DriveReady(drive)) {
    tell("The Drive you selected cannot be accessed at this time.\r\nPlease correct this condition or select another "
         "drive.",
         mtError);
    restoringDrive_ = true;
    DriveComboBox1->SetDrive(drive_);
    restoringDrive_ = false;
    return;
  }
  drive_ = drive;
}

void TDirBrowserForm::FileListBox1Enter(TObject*) { showFileList(true); }

void TDirBrowserForm::FileListBox1Exit(TObject*) { Label1->SetCaption(FileListBox1->FileName()); }

namespace {
UnitRegistration unit("dialogs/DirBrowserForm", {"framework/ui/Application"}, [] {
  RegisterClass<TDirBrowserForm>();
  RegisterFormVariable(DirBrowserForm);
});
}  // namespace
