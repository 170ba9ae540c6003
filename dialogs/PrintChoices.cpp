#include "dialogs/PrintChoices.h"

#include <exception>
#include <fstream>

#include "core/Constants.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/DateFormat.h"
#include "framework/base/DateTime.h"
#include "framework/base/Exception.h"
#include "framework/base/Random.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/base/FormatText.h"
#include "framework/base/Tick.h"
#include "framework/base/TextCase.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/Files.h"
#include "platform/os/Paths.h"
#include "platform/os/ProgramArguments.h"

TPrintChoice PrintChoice;
bool UnpostingReport = false;

// clang-format off
const std::array<AnsiString, 90> ReportCodeTable = {
    "BS", "BL", "BA", "AL", "AB", "AW", "AS", "AD", "LA", "LT",  // 1-10
    "LR", "TM", "TW", "TF", "  ", "  ", "  ", "  ", "  ", "  ",  // 11-20
    "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ",  // 21-30
    "MC", "MT", "MD", "MW", "ME", "TB", "CA", "TI", "TA", "BG",  // 31-40
    "UP", "CO", "GC", "IR", "  ", "  ", "  ", "  ", "  ", "  ",  // 41-50
    "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ",  // 51-60
    "TB", "HR", "GL", "GI", "CC", "CL", "  ", "  ", "  ", "  ",  // 61-70
    "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ",  // 71-80
    "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ", "  ",  // 81-90
};
// clang-format on

namespace {

const AnsiString TimeNameSymbols = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int64_t LargestTimeNumber = 1679615;  // "ZZZZ" would be 36^4 - 1; the rule stops at 35 a place

bool askYesNo(const AnsiString& question) {
  return MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}

AnsiString printFilePath() { return DataDir + "\\Print" + WorkstationId + ".QC"; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of a date or time text: its first two numbers made two digits, a four-digit year
// cut to two, the separators (and an AM/PM marker) dropped.
AnsiString sixDigits(const AnsiString& text) {
  AnsiString digits;
  int part = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (!isDigit(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && isDigit(text[end])) ++end;
    AnsiString number = text.substr(i, end - i);
    ++part;
    if (part <= 2 && number.size() == 1) number = "0" + number;
    if (number.size() == 4) number = number.substr(2);
    digits += number;
    i = end;
  }
  return digits;
}

bool hasForbiddenChar(const AnsiString& name) {
  return name.find_first_of(InvalidFileNameChars) != AnsiString::npos;
}

const AnsiString ForbiddenNameLine = "File names must not contain the characters  / \\ : * ? \" < > |";

bool isPattern(const AnsiString& name) { return !name.empty() && (name[0] == '*' || name[0] == '+'); }

// Report 1's saved bin: its list index, or the stand-in index when the value is not a number.
void restoreBin(const AnsiString& stored, int unreadableIndex, int& index, int& bin) {
  const AnsiString value = Trim(stored);
  bin = -1;
  if (value.empty()) {
    index = 0;
  } else if (value.size() == 1 && isDigit(value[0])) {
    index = value[0] - '0';
  } else {
    index = unreadableIndex;
  }
}

enum class Row { Found, Missing };

// The table stands on the row of the key, or not.
Row findRow(TdcTbTable* table, int number) {
  return table->FindKey({Format("%-2s", {AnsiString(std::to_string(number))})}) ? Row::Found : Row::Missing;
}

AnsiString fieldText(TdcTbTable* table, const char* name) { return table->FieldByName(name)->AsString(); }

void readSettingsRow(TdcTbTable* table) {
  TPrintChoice& pc = PrintChoice;
  pc.ReportTitle = pc.ReportNumber == 41 && UnpostingReport ? AnsiString("Unpost from History") : Trim(fieldText(table, "RptName"));
  pc.Pitch = "10";
  pc.Orientation = Trim(fieldText(table, "PrintSize"));
  pc.PageLength = Trim(fieldText(table, "PageLen"));
  pc.PrintToFile = Trim(fieldText(table, "PrntToFile"));
  pc.Folder = Trim(fieldText(table, "DirPath"));
  pc.FileName = pc.ReportNumber == 41 && UnpostingReport ? AnsiString("Unpost.txt") : Trim(fieldText(table, "FileName"));
  if (isPattern(pc.FileName)) {
    pc.FileName = StarPlus(pc.FileName);
    pc.NameHasExtension = pc.FileName.find('.') != AnsiString::npos;
  }
  pc.FullName = DoPrintPathFileName(pc.Folder, pc.FileName);
  if (pc.ReportNumber == 1) {
    restoreBin(fieldText(table, "PaperBinFirstPage"), 3, pc.FirstPageBinIndex, pc.FirstPageBin);
    restoreBin(fieldText(table, "PaperBinOtherPages"), 5, pc.OtherPagesBinIndex, pc.OtherPagesBin);
  }
}

AnsiString firstPrinter() { return PrinterNames && PrinterNames->Count() > 0 ? PrinterNames->Strings(0) : AnsiString(); }

// Steps 4 to 6 on the open table; an unreadable record raises.
bool readRows(TdcTbTable* table) {
  TPrintChoice& pc = PrintChoice;
  const AnsiString number = std::to_string(pc.ReportNumber);
  if (findRow(table, pc.ReportNumber) == Row::Missing) {
    const bool yes = askYesNo("The PRINT" + WorkstationId + ".QC  file is damaged or incomplete - can't find report number " +
                              number + ".\rDo you want to use the default settings for printing?");
    if (yes) GetDefaults();
    table->Close();
    return yes;
  }
  readSettingsRow(table);
  if (findRow(table, pc.ReportNumber + 15) == Row::Found) {
    pc.PrinterName = TrimLeft(fieldText(table, "DirPath"));
    table->Close();
    return true;
  }
  const AnsiString first = firstPrinter();
  const bool yes = askYesNo("The PRINT" + WorkstationId +
                            ".QC  file is damaged or incomplete - can't find default printer name.\rDo you want to use the " +
                            first + " printer?");
  if (yes) pc.PrinterName = first;
  table->Close();
  return yes;
}

}  // namespace

AnsiString ReportCode(int ReportNumber) {
  return ReportNumber >= 1 && ReportNumber <= 90 ? ReportCodeTable[static_cast<std::size_t>(ReportNumber - 1)]
                                                 : AnsiString("  ");
}

TdcTbTable* MakePrintTable(TComponent* Owner) {
  auto* table = new TdcTbTable(Owner);
  table->SetDatabaseName("QNWIN");
  table->BeforePost = [](TDataSet*) { Abort(); };
  return table;
}

bool GetPrintTBInfo(TdcTbTable* PrintTB) {
  TPrintChoice& pc = PrintChoice;
  PrintTB->Close();
  pc.DefaultsUsed = false;
  if (Pos("REMIMP", UpperCase(qn::os::executablePath())) > 0 && WorkstationId.empty())
    WorkstationId = Copy(qn::os::programArgument(4), 1, 2);
  if (!qn::os::fileExists(printFilePath())) {
    if (!askYesNo("The PRINT" + WorkstationId + ".QC file is missing.\rDo you want to use the default settings?")) return false;
    CreatePrintWSid();
    GetDefaults();
    return true;
  }
  try {
    PrintTB->SetTableName(printFilePath() + ";RES:Print");
    PrintTB->Open();
    PrintTB->SetIndexName("1");
    return readRows(PrintTB);
  } catch (const std::exception&) {
    // A file the record manager will not open, or whose records cannot be read, is as good as
    // missing: the defaults are offered.
    PrintTB->Close();
  }
  if (!askYesNo("The " + DataDir + "\\PRINT" + WorkstationId +
                ".QC file cannot be opened.\rDo you want to use the default settings?"))
    return false;
  GetDefaults();
  return true;
}

bool CreatePrintWSid() {
  const AnsiString templatePath = ProgramDir + "\\Print.clo";
  const AnsiString target = DataDir + "\\Print" + WorkstationId + ".qc";
  if (!qn::os::fileExists(templatePath)) {
    ShowErrorBox("The file " + templatePath + " is missing!The " + target + " file cannot be created at this time." +
                 CallSupportText);
    return false;
  }
  if (qn::os::fileExists(printFilePath())) return true;
  // Made under the name the program opens it by; the messages name it as the suite's setup does.
  if (!qn::os::copyFile(templatePath, printFilePath(), true)) {
    ShowErrorBox("The " + target + " file cannot be created at this time." + CallSupportText);
    return false;
  }
  return true;
}

void GetDefaults() {
  TPrintChoice& pc = PrintChoice;
  pc.ReportTitle = "Statements";
  pc.Pitch = "10";
  pc.Orientation = "C";
  pc.PageLength = "66";
  pc.PrintToFile = "N";
  pc.FileName.clear();
  pc.FullName.clear();
  // The dialog takes Folder for a folder, so the first printer is the default printer instead.
  pc.PrinterName = firstPrinter();
  pc.DefaultsUsed = true;
}

AnsiString StarPlus(const AnsiString& Pattern) {
  const TDateTime now = Now();
  const AnsiString date = sixDigits(DateToStr(now));
  const AnsiString time = sixDigits(TimeToStr(now));
  const AnsiString code = ReportCode(PrintChoice.ReportNumber);
  if (Pattern.rfind("*+", 0) == 0 || Pattern.rfind("+*", 0) == 0)
    return code + date.substr(0, 4) + "T" + time.substr(0, 1) + "." + time.substr(1, 3);
  AnsiString name = code + (Pattern.rfind("*", 0) == 0 ? date.substr(0, 6) : time.substr(0, 6));
  if (Pattern.size() > 1 && Pattern[1] != '.') name += "." + Pattern.substr(1, 3);
  return name;
}

void GetTimeName(int64_t& Number, AnsiString& Name) {
  while (Number > LargestTimeNumber) {
    const AnsiString digits = std::to_string(Number);
    Number = std::stoll(digits.size() == 7 ? digits.substr(1) : digits.substr(digits.size() - 7));
  }
  int64_t rest = Number;
  Name.clear();
  for (const int64_t place : {46656, 1296, 36, 0}) {
    if (place >= rest) {
      Name += static_cast<char>('0' + Random(9));
    } else if (place > 0) {
      const int64_t q = rest / place;
      Name += TimeNameSymbols[static_cast<std::size_t>(q - 1)];
      rest -= q * place;
    } else {
      Name += TimeNameSymbols[static_cast<std::size_t>(rest - 1)];
    }
  }
}

void FilterPrintFileNameKey(char& Key) {
  if (Key == '*' || Key == '+' || InvalidFileNameChars.find(Key) == AnsiString::npos) return;
  Key = 0;
  ShowWarningBox("Do not use characters  / \\ : ? \" < > | , = [ ] in the print file name");
}

bool EditFileName(AnsiString& Name) {
  const std::size_t dot = Name.find('.');
  const bool tooLong = Name.size() >= 13 || (dot != AnsiString::npos ? dot > 8 : Name.size() > 8);
  AnsiString refusal;
  if (tooLong)
    refusal = "File name is too long!";
  else if (dot != AnsiString::npos && Name.size() - dot - 1 > 3)
    refusal = "File extension is too long!";
  else if (Name.find(' ') != AnsiString::npos)
    refusal = "There must be no blanks in the print-file name.";
  else if ((Name.size() > 1 && Name[1] == '*' && Name[0] != '+') || (Name.size() > 1 && Name[1] == '+' && Name[0] != '*'))
    refusal = "To use the *+ feature, the first character of the file name must be a * or a +.";
  else if (Name.size() > 2 && Name.find_first_of("*+", 2) != AnsiString::npos)
    refusal = "Use * and/or + only in first two positions of file name.";
  if (!refusal.empty()) {
    ShowWarningBox(refusal);
    return false;
  }
  if (isPattern(Name)) Name = StarPlus(Name);
  return true;
}

bool IsPrintFileNameOK(AnsiString& Name, PrintFileFormat Format) {
  AnsiString refusal;
  const AnsiString upper = UpperCase(Name);
  if (Name.empty())
    refusal = "The print-to-file name must not be blank.\r";
  else if (Name.find(' ') != AnsiString::npos)
    refusal = "There must be no blanks in the print-file name.\r";
  else if (Format != PrintFileFormat::Pdf && upper.find(".PDF") != AnsiString::npos)
    refusal = "You may not use the file extension PDF when writing a report to a data or text file.";
  else if (!isPattern(Name) && hasForbiddenChar(Name))
    refusal = "The print-to-file name,  " + Name + ",  is not valid.\r" + ForbiddenNameLine;
  else if (isPattern(Name) && Name.size() >= 2 && Name.rfind("*+", 0) != 0 && Name.rfind("+*", 0) != 0 &&
           hasForbiddenChar(Name.substr(1)))
    refusal = "The print-to-file name suffix,  " + Name.substr(1) + ",  is not valid.\r" + ForbiddenNameLine;
  if (!refusal.empty()) {
    ShowWarningBox(refusal);
    return false;
  }
  if (Format != PrintFileFormat::Pdf) return true;
  const std::size_t dot = Name.find('.');
  if (dot == AnsiString::npos) {
    Name += ".PDF";
    return true;
  }
  if (upper.substr(dot) == ".PDF") return true;
  const AnsiString changed = Name.substr(0, dot + 1) + "PDF";
  if (askYesNo("You are creating a report in PDF format.\r\rChange " + Name + " to " + changed + "?")) {
    Name = changed;
    return true;
  }
  ShowWarningBox(
      "The print-to-file name must have a '.PDF' suffix.  Change the filename accordingly or select a different print to "
      "file format.");
  return false;
}

AnsiString DoPrintPathFileName(const AnsiString& Folder, const AnsiString& Name) {
  if (!Folder.empty() && (Folder.back() == '\\' || Folder.back() == '/')) return Folder + Name;
  return Folder + "\\" + Name;
}

bool CreateEmptyPrintFile(const AnsiString& Path) {
  try {
    std::ofstream file(qn::os::resolvePath(Path), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file);
  } catch (const std::exception&) {
    return false;
  }
}

bool DoViewer() {
  TPrintChoice& pc = PrintChoice;
  if (pc.Mode > 1) {
    pc.FullName = ScreenFullName;
    pc.ToScreen = 1;
    pc.Destination = 100;
    return true;
  }
  AnsiString name, path, timeName;
  do {
    int64_t ticks = GetTickCount();
    GetTimeName(ticks, timeName);
    name = ReportCode(pc.ReportNumber) + timeName + WorkstationId;
    path = DoPrintPathFileName(DataDir, name);
  } while (qn::os::fileExists(path));
  if (!IsPrintFileNameOK(name, PrintFileFormat::Text)) {
    pc.ToScreen = 0;
    pc.Destination = 0;
    return false;
  }
  if (!CreateEmptyPrintFile(path)) {
    ShowErrorBox("Unable to create the file " + path);
    return false;
  }
  pc.ScreenTimeName = timeName;
  pc.FullName = ScreenFullName;
  pc.ToScreen = 1;
  pc.Destination = 100;
  return true;
}

bool CreateStackReportFile(const AnsiString& Code, const AnsiString& FileSpec) {
  TPrintChoice& pc = PrintChoice;
  int number = 0;
  for (int i = 1; i <= 45 && number == 0; ++i)
    if (ReportCode(i) == Code) number = i;
  if (number == 0) return false;
  AnsiString folder = DataDir;
  if (FileSpec.empty() || FileSpec == ScreenFullName) {
    if (!FileSpec.empty()) pc.ToScreen = 1;
  } else {
    const std::size_t cut = FileSpec.find_last_of("\\/");
    folder = cut == AnsiString::npos ? DataDir : FileSpec.substr(0, cut);
  }
  const int saved = pc.ReportNumber;
  pc.ReportNumber = number;
  const AnsiString base = StarPlus("*");
  pc.ReportNumber = saved;
  for (int n = 1; n <= 999; ++n) {
    const AnsiString counter = (n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n);
    const AnsiString path = DoPrintPathFileName(folder, base + "." + counter);
    if (qn::os::fileExists(path)) continue;
    if (!CreateEmptyPrintFile(path)) {
      ShowErrorBox("Unable to create print file " + path);
      return false;
    }
    pc.FullName = path;
    return true;
  }
  return false;
}
