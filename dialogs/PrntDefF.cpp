#include "dialogs/PrntDefF.h"

#include <algorithm>
#include <optional>

#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "core/PrinterList.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/PdfServerUse.h"
#include "framework/base/Exception.h"
#include "dialogs/PrintChoices.h"
#include "dialogs/PrintFolders.h"
#include "dialogs/PrintRegistry.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/StringList.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/RadioButton.h"
#include "platform/os/Files.h"
#include "platform/os/Paths.h"

TPrntDefF* PrntDefF = nullptr;

namespace {

void setItems(RadioButtonGroup* group, std::initializer_list<const char*> items) {
  StringList lines;
  for (const char* item : items) lines.Add(item);
  group->SetItems(&lines);
}

template <class T>
T* place(TWinControl* parent, TComponent* owner, int left, int top, int width, int height) {
  auto* control = new T(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

TextLabel* label(TWinControl* parent, TComponent* owner, int left, int top, const char* caption) {
  auto* text = place<TextLabel>(parent, owner, left, top, 120, 13);
  text->SetCaption(caption);
  return text;
}

bool askYesNo(const AnsiString& question) {
  return MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}

PrintFileFormat fileFormat(int format) {
  return format == TPrntDefF::fmPdf ? PrintFileFormat::Pdf
         : format == TPrntDefF::fmData ? PrintFileFormat::Data
                                       : PrintFileFormat::Text;
}

}  // namespace

TPrntDefF::TPrntDefF(TComponent* AOwner) : TForm(AOwner), dataPaths_(new StringList) {
  SetName("PrntDefF");
  SetCaption("Printing Choices");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(553);
  SetClientHeight(460);
  SetKeyPreview(true);
  PrintTB = MakePrintTable(this);

  PrintToRadioGroup = place<RadioButtonGroup>(this, this, 8, 8, 130, 90);
  PrintToRadioGroup->SetCaption("Print report to");
  setItems(PrintToRadioGroup, {"Printer", "File", "Screen"});
  PrinterLabel = label(this, this, 150, 8, "Printer");
  PrinterComboBox = place<ComboBox>(this, this, 150, 24, 250, 21);
  PrinterComboBox->SetStyle(csDropDownList);
  DuplexCheckBox = place<CheckBox>(this, this, 410, 26, 120, 17);
  DuplexCheckBox->SetCaption("Duplex");
  OrientationRadioGroup = place<RadioButtonGroup>(this, this, 150, 52, 250, 64);
  OrientationRadioGroup->SetCaption("Orientation");
  BinGroup = place<GroupFrame>(this, this, 150, 120, 380, 80);
  BinGroup->SetCaption("Paper bins");
  FirstBinLabel = label(BinGroup, this, 8, 20, "First page");
  FirstBinComboBox = place<ComboBox>(BinGroup, this, 8, 36, 175, 21);
  FirstBinComboBox->SetStyle(csDropDownList);
  OtherBinLabel = label(BinGroup, this, 195, 20, "Other pages");
  OtherBinComboBox = place<ComboBox>(BinGroup, this, 195, 36, 175, 21);
  OtherBinComboBox->SetStyle(csDropDownList);
  ExistingRadioGroup = place<RadioButtonGroup>(this, this, 150, 52, 380, 148);
  ExistingRadioGroup->SetCaption("Print file already exists - choose one:");
  setItems(ExistingRadioGroup, {"Delete the existing file", "Append to the existing file", "Change print file name",
                                "Print report to a printer", "Display report on Screen", "Exit without printing"});
  ExistingRadioGroup->SetVisible(false);

  FileGroup = place<GroupFrame>(this, this, 8, 206, 530, 208);
  FileGroup->SetCaption("Print to file");
  FormatRadioGroup = place<RadioButtonGroup>(FileGroup, this, 8, 18, 130, 96);
  FormatRadioGroup->SetCaption("Format");
  setItems(FormatRadioGroup, {"Text", "Data", "PDF"});
  EmailCheckBox = place<CheckBox>(FileGroup, this, 8, 122, 130, 17);
  EmailCheckBox->SetCaption("E-mail");
  LabelsCheckBox = place<CheckBox>(FileGroup, this, 8, 142, 130, 17);
  LabelsCheckBox->SetCaption("Column headers");
  FileNameLabel = label(FileGroup, this, 150, 18, "File name");
  FileNameEdit = place<TEdit>(FileGroup, this, 150, 34, 120, 21);
  DriveComboBox = place<DriveBox>(FileGroup, this, 150, 64, 120, 21);
  FolderListBox = place<FolderList>(FileGroup, this, 280, 34, 240, 130);
  DriveComboBox->SetFolderList(FolderListBox);
  PathLabel = place<TextLabel>(FileGroup, this, 8, 186, 512, 13);

  OKBtn = place<TButton>(this, this, 372, 424, 75, 25);
  OKBtn->SetCaption("OK");
  OKBtn->SetDefault(true);
  CancelBtn = place<TButton>(this, this, 460, 424, 75, 25);
  CancelBtn->SetCaption("Cancel");
  CancelBtn->SetCancel(true);

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  // The wheel would turn the lists and boxes under the pointer while the user reads the choices.
  OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
  PrintToRadioGroup->OnClick = [this](TObject* Sender) { PrintToRadioGroupClick(Sender); };
  FormatRadioGroup->OnClick = [this](TObject* Sender) { FormatRadioGroupClick(Sender); };
  OrientationRadioGroup->OnClick = [this](TObject* Sender) { OrientationRadioGroupClick(Sender); };
  PrinterComboBox->OnChange = [this](TObject* Sender) { PrinterComboBoxChange(Sender); };
  EmailCheckBox->OnClick = [this](TObject* Sender) { EmailCheckBoxClick(Sender); };
  LabelsCheckBox->OnClick = [this](TObject* Sender) { LabelsCheckBoxClick(Sender); };
  FileNameEdit->OnKeyPress = [this](TObject* Sender, char& Key) { FileNameEditKeyPress(Sender, Key); };
  FileNameEdit->OnExit = [this](TObject* Sender) { FileNameEditExit(Sender); };
  DriveComboBox->OnChange = [this](TObject* Sender) { DriveComboBoxChange(Sender); };
  FolderListBox->OnChange = [this](TObject* Sender) { FolderListBoxChange(Sender); };
  ExistingRadioGroup->OnClick = [this](TObject* Sender) { ExistingRadioGroupClick(Sender); };
  OKBtn->OnClick = [this](TObject* Sender) { OKBtnClick(Sender); };
  CancelBtn->OnClick = [this](TObject* Sender) { CancelBtnClick(Sender); };
}

TPrntDefF::~TPrntDefF() { delete dataPaths_; }

void TPrntDefF::GetPrinterInfo(int Mode, int ReportNumber) {
  TPrintChoice& pc = PrintChoice;
  SetCaption(ReportNumber == 41 ? AnsiString(UnpostingReport ? "Printing Choices (Unposting)" : "Printing Choices (Posting)")
                                : AnsiString("Printing Choices"));
  pc.Mode = Mode;
  stack_ = Mode == 2;
  terminated_ = false;
  Initialize();
  pc.ReportNumber = ReportNumber;
  FileNameEdit->SetText("");
  pc.ToScreen = 0;
  BuildPrinterList();
  if (!GetPrintTBInfo(PrintTB)) {
    pc.Destination = 0;
    return;
  }
  if (pc.Folder.empty()) pc.Folder = RegReadHostValue("DefPrintToFilePath");
  if (pc.Folder.empty()) pc.Folder = DataFolderDriveRoot();
  DriveComboBox->Update();
  const std::optional<char> drive = DriveHolding(pc.Folder);
  const std::optional<char> dataDrive = DriveHolding(DataDir);
  restoringDrive_ = true;  // the drive box follows the folder: nothing to check
  if (drive) DriveComboBox->SetDrive(*drive);
  else if (dataDrive) DriveComboBox->SetDrive(*dataDrive);
  restoringDrive_ = false;
  drive_ = DriveComboBox->Drive();
  FolderListBox->SetDirectory(qn::os::directoryExists(pc.Folder) ? pc.Folder : DataFolderDriveRoot());
  FolderListBox->SetEnabled(Mode <= 1);
  FileNameEdit->SetEnabled(Mode <= 1);
  showPath();

  ShowAvailPrinters();
  DuplexCheckBox->SetChecked(false);
  DuplexCheckBox->SetVisible(ReportNumber == 2);
  offerFormats();
  if (terminated_) {
    pc.Destination = 0;
    return;
  }
  if (pc.PrintToFile != "N") {
    PrintToRadioGroup->SetItemIndex(ptFile);
    if (Mode > 1) {
      FileNameEdit->SetText("*");
      PathLabel->SetCaption(DoPrintPathFileName(pc.Folder, "*+"));
    } else {
      GetNewPrintFileName();
    }
    setFileEnabled(true);
  } else {
    PrintToRadioGroup->SetItemIndex(ptPrinter);
  }
  runModal();
  PrintTB->Close();
}

void TPrntDefF::Initialize() {
  TPrintChoice& pc = PrintChoice;
  if (pc.Mode != 2) {
    pc.ToScreen = 0;
    pc.Destination = 0;
    pc.PrinterName.clear();
    pc.Folder.clear();
    pc.FileName.clear();
    pc.FullName.clear();
    pc.PrintToFile = "N";
  }
  pc.PdfWanted = false;
  pc.EmailWanted = false;
  pc.LabelsWanted = false;
  FileNameEdit->SetEnabled(false);
  FolderListBox->SetEnabled(false);
  DriveComboBox->SetEnabled(false);
  PrinterComboBox->SetEnabled(false);
  FormatRadioGroup->SetEnabled(false);
  FormatRadioGroup->SetItemIndex(-1);
  for (int i = 0; i < FormatRadioGroup->ButtonCount(); ++i) FormatRadioGroup->Buttons(i)->SetEnabled(true);
  EmailCheckBox->SetChecked(false);
  EmailCheckBox->SetEnabled(false);
  LabelsCheckBox->SetChecked(false);
  LabelsCheckBox->SetEnabled(false);
  showExistingChoices(false);
  for (int i = 0; i < PrintToRadioGroup->ButtonCount(); ++i) PrintToRadioGroup->Buttons(i)->SetEnabled(true);
  pc.Pitch = "10";
  FileNameEdit->SetText("");
  pc.NameHasExtension = false;
}

void TPrntDefF::ShowAvailPrinters() {
  TPrintChoice& pc = PrintChoice;
  const int last = PrinterComboBox->ItemIndex();
  PrinterComboBox->Items()->Clear();
  int chosen = -1;
  for (int i = 0; PrinterNames && i < PrinterNames->Count(); ++i) {
    PrinterComboBox->Items()->Add(PrinterNames->Strings(i));
    if (Trim(PrinterNames->Strings(i)) == Trim(pc.PrinterName)) chosen = i;
  }
  if (chosen < 0 && last < PrinterComboBox->Items()->Count()) chosen = last;
  PrinterComboBox->SetItemIndex(chosen);
  setOrientationItems();
  BinGroup->SetVisible(pc.ReportNumber == 1);
  if (pc.ReportNumber == 1) fillBins();
}

void TPrntDefF::setOrientationItems() {
  const int report = PrintChoice.ReportNumber;
  OrientationRadioGroup->SetHint("");
  if (report == 1) {
    setItems(OrientationRadioGroup, {"10 cpi/6 lpi", "12 cpi/8 lpi"});
    OrientationRadioGroup->SetColumns(2);
    OrientationRadioGroup->SetHint("cpi=characters per inch / lpi=lines per inch");
  } else if (report == 2) {
    setItems(OrientationRadioGroup, {"Condensed portrait", "Condensed landscape", "10 pitch dot matrix"});
    OrientationRadioGroup->SetColumns(1);
  } else {
    setItems(OrientationRadioGroup, {"Portrait", "Landscape"});
    OrientationRadioGroup->SetColumns(2);
  }
  const AnsiString& o = PrintChoice.Orientation;
  const int three = OrientationRadioGroup->ButtonCount() == 3;
  OrientationRadioGroup->SetItemIndex(o == "C" ? 1 : o == "D" && three ? 2 : 0);
}

void TPrntDefF::fillBins() {
  TPrintChoice& pc = PrintChoice;
  FirstBinComboBox->Items()->Clear();
  OtherBinComboBox->Items()->Clear();
  pc.FirstPageBin = -1;
  pc.OtherPagesBin = -1;
  const qn::ui::InstalledPrinters installed = qn::ui::installedPrinters();
  const int index = PrinterComboBox->ItemIndex();
  if (index < 0 || index >= installed.names.size()) return;
  const auto bins = installed.binsOf(installed.names[index]);
  if (!bins) {
    if (!askYesNo("Quillon failed to obtain information from the operationg system about your printer's bins.\r\rThe value "
                  "of NumCaps is -1.\r\rPlease call Vantor, Inc. for assistance.\r\rStatements may not print correctly.  "
                  "Do you wish to continue?")) {
      ShowInformationBox("Program terminated by user.");
      terminated_ = true;
      if (Modal()) SetModalResult(mrCancel);
    }
    return;
  }
  for (const qn::ui::PaperBin& bin : *bins) {
    const AnsiString name = Trim(qn::utf8ToAnsi(bin.name.toStdString()));
    if (name.empty()) continue;
    const AnsiString entry = name + "     [" + std::to_string(bin.number) + "]";
    FirstBinComboBox->Items()->Add(entry);
    OtherBinComboBox->Items()->Add(entry);
  }
  restoreBins();
}

void TPrntDefF::restoreBins() {
  TPrintChoice& pc = PrintChoice;
  const int count = FirstBinComboBox->Items()->Count();
  auto choose = [count](ComboBox* box, int index, int& bin) {
    if (count == 0) return;
    const int chosen = index >= 0 && index < count ? index : 0;
    box->SetItemIndex(chosen);
    const AnsiString entry = box->Items()->Strings(chosen);
    const int open = Pos("[", entry), close = Pos("]", entry);
    bin = open > 0 && close > open ? std::stoi(Copy(entry, open + 1, close - open - 1)) : -1;
  };
  choose(FirstBinComboBox, pc.FirstPageBinIndex, pc.FirstPageBin);
  choose(OtherBinComboBox, pc.OtherPagesBinIndex, pc.OtherPagesBin);
}

void TPrntDefF::offerFormats() {
  TPrintChoice& pc = PrintChoice;
  const int report = pc.ReportNumber;
  auto formatEnabled = [this](int format, bool enabled) { FormatRadioGroup->Buttons(format)->SetEnabled(enabled); };
  if (report == 36 || report > 37) {
    EmailCheckBox->SetChecked(false);
    EmailCheckBox->SetEnabled(false);
    LabelsCheckBox->SetChecked(false);
    LabelsCheckBox->SetEnabled(false);
    formatEnabled(fmData, false);
    formatEnabled(fmPdf, false);
  } else if (report <= 30 || report == 37) {
    formatEnabled(fmData, false);
    LabelsCheckBox->SetChecked(false);
    LabelsCheckBox->SetEnabled(false);
    if (report == 1) {
      formatEnabled(fmPdf, true);
      if (pc.PrintToFile == "Y" || pc.PrintToFile == "P") {
        PrintToRadioGroup->SetItemIndex(ptFile);
        FormatRadioGroup->SetItemIndex(pc.PrintToFile == "P" ? fmPdf : fmText);
      }
    } else {
      formatEnabled(fmPdf, false);
      EmailCheckBox->SetEnabled(false);
    }
  } else {
    DataOrText();
  }
  if (pc.PrintToFile == "R") {
    // Printer or screen only.
    PrintToRadioGroup->Buttons(ptFile)->SetEnabled(false);
  }
}

void TPrntDefF::DataOrText() {
  TPrintChoice& pc = PrintChoice;
  FormatRadioGroup->SetVisible(true);
  LabelsCheckBox->SetChecked(false);
  FormatRadioGroup->Buttons(fmData)->SetEnabled(true);
  FormatRadioGroup->Buttons(fmPdf)->SetEnabled(true);
  EmailCheckBox->SetEnabled(true);
  LabelsCheckBox->SetEnabled(true);
  if (pc.PrintToFile == "Y") FormatRadioGroup->SetItemIndex(fmText);
  else if (pc.PrintToFile == "D") FormatRadioGroup->SetItemIndex(fmData);
  else if (pc.PrintToFile == "P") {
    FormatRadioGroup->SetItemIndex(fmPdf);
    FormatRadioGroup->SetEnabled(true);
  }
}

void TPrntDefF::GetNewPrintFileName() {
  TPrintChoice& pc = PrintChoice;
  if (!qn::os::directoryExists(pc.Folder)) {
    if (!askYesNo("The directory listed in the Report Setup screen does not exist.\r" + pc.Folder +
                  "\r\rDo you want to create it?")) {
      pc.Folder = DataDir;
    } else if (!qn::os::forceDirectories(pc.Folder)) {
      ShowErrorBox("Unable to create the directory.\r\rPlease call Vantor, Inc. for assistance.");
      pc.Folder = DataDir;
    }
    FolderListBox->SetDirectory(pc.Folder);
  }
  AnsiString name = pc.FileName;
  const int format = pc.PrintToFile == "P" ? fmPdf : pc.PrintToFile == "D" ? fmData : fmText;
  if (!name.empty() && !IsPrintFileNameOK(name, fileFormat(format))) name.clear();
  pc.FileName = name;
  FileNameEdit->SetText(name);
  setFileEnabled(true);
  showPath();
}

void TPrntDefF::showPath() {
  PathLabel->SetCaption(DoPrintPathFileName(FolderListBox->Directory().empty() ? PrintChoice.Folder : FolderListBox->Directory(),
                                            FileNameEdit->Text()));
}

void TPrntDefF::setPrinterPartEnabled(bool enabled) {
  PrinterComboBox->SetEnabled(enabled);
  OrientationRadioGroup->SetEnabled(enabled);
  BinGroup->SetEnabled(enabled);
}

void TPrntDefF::setFileEnabled(bool enabled) {
  FileNameEdit->SetEnabled(enabled && PrintChoice.Mode <= 1);
  FolderListBox->SetEnabled(enabled && PrintChoice.Mode <= 1);
  DriveComboBox->SetEnabled(enabled);
}

bool TPrntDefF::reportRefusesScreen() const {
  const int r = PrintChoice.ReportNumber;
  return (r >= 38 && r <= 41) || r == 43 || r == 44 || r == 63;
}

void TPrntDefF::refuseScreen() {
  ShowInformationBox("Unable to print this report to the screen.");
  PrintToRadioGroup->SetItemIndex(ptFile);
}

void TPrntDefF::selectFormatOfPrintToFile() {
  if (FormatRadioGroup->ItemIndex() >= 0) return;
  if (PrintChoice.PrintToFile == "Y") FormatRadioGroup->SetItemIndex(fmText);
  else if (PrintChoice.PrintToFile == "P" && FormatRadioGroup->Buttons(fmPdf)->Enabled()) FormatRadioGroup->SetItemIndex(fmPdf);
}

void TPrntDefF::PrintToRadioGroupClick(TObject*) {
  TPrintChoice& pc = PrintChoice;
  switch (PrintToRadioGroup->ItemIndex()) {
    case ptPrinter:
      FileNameEdit->SetText("");
      setPrinterPartEnabled(true);
      FormatRadioGroup->SetEnabled(false);
      EmailCheckBox->SetChecked(false);
      FormatRadioGroup->Buttons(fmPdf)->SetEnabled(false);
      setFileEnabled(false);
      break;
    case ptFile:
      if (pc.Mode > 1) FileNameEdit->SetText("*");
      else if (FileNameEdit->Text().empty()) FileNameEdit->SetText(pc.FileName);
      setFileEnabled(true);
      FormatRadioGroup->SetEnabled(true);
      offerFormats();
      selectFormatOfPrintToFile();
      setPrinterPartEnabled(chosenFormat() == fmPdf);
      pc.Destination = 100;
      showPath();
      break;
    case ptScreen:
      if (reportRefusesScreen()) {
        refuseScreen();
        return;
      }
      FileNameEdit->SetText("");
      PrinterComboBox->SetEnabled(false);
      BinGroup->SetEnabled(false);
      FormatRadioGroup->SetEnabled(false);
      EmailCheckBox->SetChecked(false);
      EmailCheckBox->SetEnabled(false);
      setFileEnabled(false);
      break;
    default:
      break;
  }
}

void TPrntDefF::FormatRadioGroupClick(TObject*) {
  const int format = chosenFormat();
  AnsiString name = FileNameEdit->Text();
  const int dot = Pos(".", name);
  if (format == fmPdf && !name.empty()) name = (dot > 0 ? Copy(name, 1, dot - 1) : name) + ".PDF";
  if (format == fmText && dot > 0 && UpperCase(Copy(name, dot, 4)) == ".PDF") name = Copy(name, 1, dot - 1) + ".TXT";
  FileNameEdit->SetText(name);
  setPrinterPartEnabled(format == fmPdf || PrintToRadioGroup->ItemIndex() == ptPrinter);
  if (format != fmData) LabelsCheckBox->SetChecked(false);
  if (format == fmData) EmailCheckBox->SetChecked(false);
  showPath();
}

void TPrntDefF::OrientationRadioGroupClick(TObject*) {
  static const char* const codes[] = {"R", "C", "D"};
  const int index = OrientationRadioGroup->ItemIndex();
  if (index >= 0 && index < 3) PrintChoice.Orientation = codes[index];
}

void TPrntDefF::PrinterComboBoxChange(TObject*) {
  if (PrintChoice.ReportNumber != 1) return;
  PrintChoice.FirstPageBinIndex = 0;
  PrintChoice.OtherPagesBinIndex = 0;
  fillBins();
}

void TPrntDefF::EmailCheckBoxClick(TObject*) {
  if (!EmailCheckBox->Checked()) return;
  const int format = chosenFormat();
  if (format == fmText || format == fmPdf) return;
  EmailCheckBox->SetChecked(false);
  ShowInformationBox("The Email option is only available for text or PDF format.");
}

void TPrntDefF::LabelsCheckBoxClick(TObject*) {
  if (!LabelsCheckBox->Checked() || chosenFormat() == fmData) return;
  LabelsCheckBox->SetChecked(false);
  ShowInformationBox("The Labels option is only available for data format.");
}

void TPrntDefF::FileNameEditKeyPress(TObject*, char& Key) { FilterPrintFileNameKey(Key); }

void TPrntDefF::FileNameEditExit(TObject*) {
  AnsiString name = FileNameEdit->Text();
  if (!EditFileName(name)) Abort();  // the focus stays in the box
  if (name != FileNameEdit->Text()) FileNameEdit->SetText(name);
  showPath();
}

void TPrntDefF::DriveComboBoxChange(TObject*) {
  if (restoringDrive_) return;
  const char drive = DriveComboBox->Drive();
  if (drive != 0 && !DriveReady(drive)) {
    ShowWarningBox("Drive " + AnsiString(1, drive) + " is not ready.");
    restoringDrive_ = true;
    DriveComboBox->SetDrive(drive_);
    restoringDrive_ = false;
    return;
  }
  drive_ = drive;
  showPath();
}

void TPrntDefF::FolderListBoxChange(TObject*) { showPath(); }

void TPrntDefF::KeyPress(char& Key) {
  if (Key == '=' && PrintChoice.ReportNumber == 1) {
    Key = 0;
    StatementDebugging = askYesNo("Run with debugging on?");
    return;
  }
  TForm::KeyPress(Key);
}

void TPrntDefF::FormShow(TObject*) {
  TPrintChoice& pc = PrintChoice;
  pc.OkPressed = false;
  SetClientWidth(FileGroup->Left() + FileGroup->Width() + 15);
  SetClientHeight(OKBtn->Top() + OKBtn->Height() + 30);
  FormatRadioGroup->SetVisible(true);
  // The boxes were laid out at 120 pixels per inch; elsewhere their captions would meet.
  if (PixelsPerInch() != 120 && !boxesMoved_) {
    LabelsCheckBox->SetTop(LabelsCheckBox->Top() + LabelsCheckBox->Height());
    EmailCheckBox->SetTop(EmailCheckBox->Top() + EmailCheckBox->Height());
    boxesMoved_ = true;
  }
}

void TPrntDefF::FormClose(TObject*, TCloseAction& Action) {
  if (!PrintChoice.OkPressed) {
    PrintChoice.ToScreen = 0;
    PrintChoice.Destination = 0;
  }
  dataPaths_->Clear();
  Action = caHide;
}

void TPrntDefF::CancelBtnClick(TObject*) {
  TPrintChoice& pc = PrintChoice;
  pc.ToScreen = 0;
  pc.Destination = 0;
  pc.Pitch = "10";
  pc.PrinterName.clear();
  pc.Folder.clear();
  pc.FileName.clear();
  pc.FullName.clear();
  pc.Orientation.clear();
  pc.PrintToFile = "N";
  pc.OkPressed = true;
  SetModalResult(mrCancel);
}

bool TPrntDefF::IsPrintFilePathOK() {
  if (PrintToRadioGroup->ItemIndex() != ptFile) return true;
  const AnsiString folder = FolderListBox->Directory();
  bool refused = SameFolder(folder, ProgramDir);
  if (!refused && RegListDataPathValues(dataPaths_)) {
    for (int i = 0; i < dataPaths_->Count() && !refused; ++i) {
      const AnsiString name = dataPaths_->Strings(i);
      if (name.size() < 2 || (name[0] != 'D' && name[0] != 'd')) continue;
      const AnsiString path = RegReadDataPathValue(name);
      if (!qn::os::directoryExists(path)) continue;  // not a folder: nothing to protect
      refused = SameFolder(folder, path);
    }
  }
  if (!refused) return true;
  ShowWarningBox("Please do NOT use the Quillon Program directory\r    " + ProgramDir +
                 "\r\ror ANY Quillon Data directory for reports.\r\rPlease choose another path.");
  return false;
}

int TPrntDefF::enabledFormatCount(int& only) const {
  int count = 0;
  for (int i = 0; i < FormatRadioGroup->ButtonCount(); ++i)
    if (FormatRadioGroup->Buttons(i)->Enabled()) {
      ++count;
      only = i;
    }
  return count;
}

bool TPrntDefF::IsDataorTextOK() {
  TPrintChoice& pc = PrintChoice;
  if (PrintToRadioGroup->ItemIndex() != ptFile || !FormatRadioGroup->Visible() || !FormatRadioGroup->Enabled()) {
    pc.PrintToFile = "N";
    return true;
  }
  int format = chosenFormat();
  const int report = pc.ReportNumber;
  if (format < 0) {
    int only = -1;
    const int count = enabledFormatCount(only);
    if (report == 36 || report >= 38 || count == 1) {
      format = report == 36 || report >= 38 ? fmText : only;
    } else {
      const bool pdf = FormatRadioGroup->Buttons(fmPdf)->Enabled();
      ShowInformationBox(!pdf ? "Please choose Text or Data format."
                         : report >= 31 && report <= 35 ? "Please choose Text, Data or PDF format."
                                                        : "Please choose Text or PDF format.");
      return false;
    }
    FormatRadioGroup->SetItemIndex(format);
  }
  pc.PrintToFile = format == fmData ? "D" : "Y";
  pc.PdfWanted = format == fmPdf;
  return true;
}

bool TPrntDefF::printerChosen() {
  TPrintChoice& pc = PrintChoice;
  const int index = PrinterComboBox->ItemIndex();
  if (index < 0) {
    ShowInformationBox("Please choose a printer.");
    return false;
  }
  pc.PrinterIndex = index;
  pc.PrinterName = PrinterComboBox->Items()->Strings(index);
  pc.Destination = 255;
  return true;
}

bool TPrntDefF::fileChosen() {
  TPrintChoice& pc = PrintChoice;
  AnsiString name = FileNameEdit->Text();
  if (pc.Mode <= 1) {
    if (!EditFileName(name) || !IsPrintFileNameOK(name, fileFormat(chosenFormat()))) return false;
    FileNameEdit->SetText(name);
  }
  pc.Destination = 100;
  pc.Folder = FolderListBox->Directory();
  pc.FileName = name;
  pc.FullName = DoPrintPathFileName(pc.Folder, name);
  if (stack_) {
    if (EmailCheckBox->Checked()) ShowInformationBox("The emailing feature is ignored in the stack.");
    if (LabelsCheckBox->Checked()) ShowInformationBox("The label feature is ignored in the stack.");
    EmailCheckBox->SetChecked(false);
    LabelsCheckBox->SetChecked(false);
  }
  pc.EmailWanted = EmailCheckBox->Checked();
  pc.LabelsWanted = LabelsCheckBox->Checked();
  if (pc.PdfWanted) {
    static const int fileReports[] = {3, 5, 6, 7, 9, 10, 11, 13, 14};
    const bool toFile = std::find(std::begin(fileReports), std::end(fileReports), pc.ReportNumber) != std::end(fileReports);
    if (!printerChosen()) return false;
    pc.Destination = toFile ? 100 : 255;
  }
  // A stack run's name is a pattern: its files are numbered as the reports are made.
  if (pc.Mode > 1) return true;
  if (qn::os::fileExists(pc.FullName)) {
    offerExistingFile();
    return false;
  }
  if (!pc.PdfWanted && !CreateEmptyPrintFile(pc.FullName)) {
    ShowErrorBox("Unable to create the file " + pc.FullName + ".");
    return false;
  }
  return true;
}

bool TPrntDefF::IsAllDone() {
  TPrintChoice& pc = PrintChoice;
  switch (PrintToRadioGroup->ItemIndex()) {
    case ptPrinter:
      return printerChosen();
    case ptFile:
      return fileChosen();
    case ptScreen:
      if (pc.Folder.empty()) pc.Folder = DataDir;
      return DoViewer();
    default:
      ShowInformationBox("Please choose where to print the report.");
      return false;
  }
}

void TPrntDefF::offerExistingFile() {
  ExistingRadioGroup->SetItemIndex(-1);
  showExistingChoices(true);
}

void TPrntDefF::showExistingChoices(bool shown) {
  // The choices take the place of the printer's settings while they are asked.
  ExistingRadioGroup->SetVisible(shown);
  OrientationRadioGroup->SetVisible(!shown);
  BinGroup->SetVisible(!shown && PrintChoice.ReportNumber == 1);
}

void TPrntDefF::ExistingRadioGroupClick(TObject*) {
  TPrintChoice& pc = PrintChoice;
  const int choice = ExistingRadioGroup->ItemIndex();
  if (choice < 0) return;
  switch (choice) {
    case exDelete:
      if (pc.PdfWanted) {
        qn::os::deleteFile(pc.FullName);
      } else if (!CreateEmptyPrintFile(pc.FullName)) {
        ShowErrorBox("Unable to delete and re-create the file " + pc.FullName);
        return;
      }
      break;
    case exAppend:
      if (pc.PdfWanted) {
        ShowInformationBox("The 'Append' option is not available when creating a report in PDF format.");
        return;
      }
      break;
    case exChangeName:
      showExistingChoices(false);
      FileNameEdit->SetFocus();
      return;
    case exPrinter:
      pc.Folder.clear();
      pc.FileName.clear();
      pc.FullName.clear();
      pc.PrintToFile = "N";
      pc.PdfWanted = false;
      if (!printerChosen()) return;
      break;
    case exScreen:
      if (reportRefusesScreen()) {
        ShowInformationBox("Unable to print this report to the screen.");
        return;
      }
      if (!DoViewer()) return;
      break;
    case exExit:
      pc.Destination = 0;
      pc.ToScreen = 0;
      pc.Folder.clear();
      pc.FileName.clear();
      pc.FullName.clear();
      pc.PrinterName.clear();
      pc.PrintToFile = "N";
      pc.PdfWanted = false;
      pc.OkPressed = true;
      showExistingChoices(false);
      SetModalResult(mrCancel);
      return;
    default:
      return;
  }
  showExistingChoices(false);
  finishOk();
}

void TPrntDefF::OKBtnClick(TObject*) {
  if (PrintToRadioGroup->ItemIndex() == ptScreen && reportRefusesScreen()) {
    refuseScreen();
    return;
  }
  if (!IsPrintFilePathOK() || !IsDataorTextOK() || !IsAllDone()) return;
  finishOk();
}

void TPrntDefF::finishOk() {
  TPrintChoice& pc = PrintChoice;
  if (!pc.Folder.empty()) RegWriteHostValue("DefPrintToFilePath", pc.Folder);
  pc.OkPressed = true;
  if (pc.PdfWanted && pc.ReportNumber == 1 && pc.ToScreen == 1) {
    pc.FileName = "VIEWING.PDF";
    pc.FullName = DoPrintPathFileName(pc.Folder, pc.FileName);
    pc.Destination = 255;
  }
  if (pc.PdfWanted && !PdfServerReadyForPrinting()) return;
  SetModalResult(mrOk);
}

namespace {

// The main block creates the dialog by its class name and keeps it in PrntDefF.
UnitRegistration unit("dialogs/PrntDefF", {"recordmgr/Sessions", "datagrid/Intl", "framework/ui/Application"}, [] {
  RegisterClass<TPrntDefF>();
  RegisterFormVariable(PrntDefF);
});

}  // namespace
