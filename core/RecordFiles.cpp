#include "core/RecordFiles.h"

#include <array>

#include "core/FieldSchema.h"
#include "core/MessageBoxes.h"
#include "core/RecordFileCalls.h"
#include "framework/base/Exception.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Tick.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "recordmgr/Sessions.h"

AnsiString RecordFileDir;
bool RecordEngineLoaded = false;
int16_t TransactionFileNumber = -1;
bool UseFieldSchema = false;

namespace qn::core::recordfiles {

RecordFileSlot& slot(uint8_t fileNo) {
  static std::array<RecordFileSlot, RecordFileSlotCount> table;
  return table[fileNo];
}

}  // namespace qn::core::recordfiles

using namespace qn::core::recordfiles;

namespace {

struct StandardFile {
  const char* entry;  // file name, ";" and structure code
  int keyPath;
  bool autoUnpack;
};

// By standard file number, which is also the file number it opens under. Entries without a key
// path are names only.
constexpr int kStandardFileCount = 21;
constexpr int kNameOnly = -1;
const std::array<StandardFile, kStandardFileCount + 1> kStandardFiles = {{
    {"", kNameOnly, false},
    {"YClient.qf;CL", 1, true},
    {"YCase.qf;CA", 1, true},
    {"YEmpl.qf;EM", 1, true},
    {"FSplit.qf;FS", 2, true},
    {"Cdesc.qf;CD", 1, false},
    {"YTable.qf;TB", 3, true},
    {"CaseAddr.qf;AD", 1, true},
    {"TSC.qc;SC", 1, true},
    {"Sysop.qc;SO", 0, false},
    {"Fee.qf;FE", 1, true},
    {"Bill.qf;BI", 1, true},
    {"HFee.qf", 1, true},  // opened with ";HF"
    {"HBill.qf", kNameOnly, false},
    {"Cal.qf;DC", 2, true},
    {"TrDesc.qf;TD", 1, true},
    {"", kNameOnly, false},
    {"", kNameOnly, false},
    {"", kNameOnly, false},
    {"", kNameOnly, false},
    {"", kNameOnly, false},
    {"Conflict.qc;CF", kNameOnly, false},
}};
constexpr int kFeeHistory = 12;

// The structure an open with this code makes: none for a text that is no structure code or a
// code without a buffer.
std::shared_ptr<TQNFileStructure> structureFor(const AnsiString& code) {
  if (!IsStructureCode(code)) return nullptr;
  if (UseFieldSchema) return BuildSchemaStructure(code);
  const std::optional<int> length = BareBufferLength(code);
  if (!length) return nullptr;
  auto structure = std::make_shared<TQNFileStructure>();
  structure->SetBufferLength(*length);
  return structure;
}

// Empties the slot for the next file: its members are freed in order, the structure before the
// call object, whose file is closed while the record manager still runs.
void clearSlot(RecordFileSlot& s) { s = RecordFileSlot(); }

bool askFileLockRetry(const AnsiString& argument) {
  return MessageDlg("File:  " + argument + "\r\rA file lock was encountered.  Retry?", mtConfirmation, {mbYes, mbNo},
                    0) == mrYes;
}

// Empties the slots before the sessions end their clients and the record manager stops: the
// last session to go stops it. Asking for the session list at start links the session unit in,
// so this unit is always ordered after it.
UnitRegistration unit(
    "core/RecordFiles", {"recordmgr/BtrieveEngine", "recordmgr/Sessions"}, [] { BtrieveSessionList(); },
    [] {
      CloseAllRecordFiles();
      RecordEngineLoaded = false;
    });

}  // namespace

const RecordFileSlot& RecordFileTable(uint8_t fileNo) { return slot(fileNo); }

TQNFileStructure* RecordFileStructure(uint8_t fileNo) { return slot(fileNo).Structure.get(); }

void OpenRecordFile(uint8_t fileNo, const AnsiString& pathAndCode, uint8_t mode) {
  TQNFileStructure::BindToControls = false;
  loadRecordManager();
  if (!RecordEngineLoaded) return;
  RecordFileSlot& s = slot(fileNo);
  uint32_t start = GetTickCount();
  if (s.CallObject) throw EAbort("File already opened as number " + IntToStr(fileNo) + ":\r" + s.FileName);
  s.CallObject = std::make_unique<TWinBtr>();

  const size_t separator = pathAndCode.find(';');
  const AnsiString path = pathAndCode.substr(0, separator);
  const AnsiString code = separator == AnsiString::npos ? AnsiString() : pathAndCode.substr(separator + 1);
  // Whatever ends the attempt short of an open file leaves the slot free for the next one.
  try {
    for (;;) {
      s.Structure = structureFor(code);
      if (s.Structure) s.Structure->FileNumber = fileNo;
      TWinBtr& file = *s.CallObject;
      const int16_t status = statusOf(file, [&] { file.Open(path.c_str(), nullptr, mode); });
      if (status == 0) break;
      const bool fileLocked = status == 85 || status == 88;
      if (fileLocked && GetTickCount() - start < LockRetryInterval) {
        pauseBeforeRetry();
        continue;
      }
      if (fileLocked && askFileLockRetry(pathAndCode)) {
        start = GetTickCount();
        continue;
      }
      throw EAbort("The file " + pathAndCode + " could not be opened.\r\r" + statusLine(status));
    }
  } catch (...) {
    clearSlot(s);
    throw;
  }
  s.FileName = path;
}

void CloseRecordFile(uint8_t fileNo) {
  RecordFileSlot& s = slot(fileNo);
  if (!s.CallObject || !s.CallObject->IsOpen) return;
  TWinBtr& file = *s.CallObject;
  const int16_t status = statusOf(file, [&] { file.Close(); });
  if (status != 0) throw EAbort("The file " + s.FileName + " could not be closed.\r\r" + statusLine(status));
  // The structure stays until the slot's next open: callers read the last record from it after
  // closing the file.
  std::shared_ptr<TQNFileStructure> structure = std::move(s.Structure);
  clearSlot(s);
  s.Structure = std::move(structure);
}

AnsiString StandardFileEntry(int n) {
  return n >= 1 && n <= kStandardFileCount ? AnsiString(kStandardFiles[n].entry) : AnsiString();
}

void OpenStandardFile(int n) {
  if (n < 1 || n > kStandardFileCount || kStandardFiles[n].keyPath == kNameOnly)
    throw EListError("Standard file " + IntToStr(n) + " is not opened by number");
  if (IsRecordFileOpen(n)) return;
  const StandardFile& standard = kStandardFiles[n];
  try {
    const AnsiString entry = n == kFeeHistory ? AnsiString(standard.entry) + ";HF" : AnsiString(standard.entry);
    OpenRecordFile(n, RecordFileDir + "\\" + entry, 0);
    SetKeyPath(n, standard.keyPath);
    if (TQNFileStructure* structure = RecordFileStructure(n); structure && standard.autoUnpack)
      structure->SetAutoUnpack(true);
  } catch (const Exception&) {
    ShowErrorBox(AnsiString("Unable to open ") + standard.entry +
                 ".\r\rYou will not be able to perform this operation at this time.\r\r"
                 "Please contact Vantor, Inc. for assistance.");
    if (Application) Application->Terminate();
  }
}

bool IsRecordFileOpen(uint8_t fileNo) {
  const RecordFileSlot& s = slot(fileNo);
  return s.CallObject && s.CallObject->IsOpen;
}

void GetRecordLength(uint8_t fileNo, uint16_t& length) { checkedCallObject(fileNo).GetRecordLength(length); }

uint32_t GetRecordCount(uint8_t fileNo) {
  uint32_t count = 0;
  checkedCallObject(fileNo).GetRecordCount(count);
  return count;
}

void SetKeyPath(uint8_t fileNo, int key) {
  TWinBtr& file = checkedCallObject(fileNo);
  uint16_t keyCount = 0;
  file.GetKeyCount(keyCount);
  if (keyCount < key) {
    file.Status = 6;
    throw EAbort("Unable to set an index for file #" + IntToStr(fileNo) + ".\r\r" + statusLine(6));
  }
  file.KeyNumber = static_cast<int8_t>(key);
}

void CloseAllRecordFiles() {
  for (int i = 0; i < RecordFileSlotCount; ++i) clearSlot(slot(i));
}
