#include "casewindow/AssignedRates.h"

#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "framework/base/FormatText.h"
#include "framework/base/PackedDecimalBytes.h"

namespace {

// Employee rate record: the 4-byte position, employee code 4, rate code 2, hourly rate 5 bytes
// packed; the employee record's "Unassigned" flag is "N" for an inactive employee.
constexpr size_t kRateRecordLength = 24;
constexpr size_t kEmployeeAt = 4, kEmployeeLength = 4;
constexpr size_t kRateCodeAt = 8, kRateCodeLength = 2;
constexpr size_t kRateAt = 10, kRateBytes = 5;
constexpr size_t kInactiveFlagAt = 68;
constexpr int kGreaterOrEqual = 3;

char digitOf(int nibble) { return static_cast<char>('0' + nibble); }

// A buffer of the open file's record length.
AnsiString recordBuffer(uint8_t fileNo) {
  uint16_t length = 0;
  GetRecordLength(fileNo, length);
  return AnsiString(length, ' ');
}

bool inactive(const AnsiString& employee) {
  return employee.size() > kInactiveFlagAt && employee[kInactiveFlagAt] == 'N';
}

// The row of a rate record, or nothing for a record the list leaves out.
std::optional<AssignedRate> rowOf(const AnsiString& record, AnsiString& employee) {
  const std::optional<AnsiString> rate = PackedRateText(record.substr(kRateAt, kRateBytes));
  if (!rate) return std::nullopt;
  const AnsiString code = record.substr(kEmployeeAt, kEmployeeLength);
  if (!GetEqualRecord(RateListEmployeeFile, code, employee, false) || inactive(employee)) return std::nullopt;
  return AssignedRate{code, RateWithPoint(*rate)};
}

std::vector<AssignedRate> readOpenFiles(const AnsiString& Code) {
  for (uint8_t fileNo : {RateListRateFile, RateListEmployeeFile})
    if (TQNFileStructure* structure = RecordFileStructure(fileNo)) structure->SetAutoUnpack(false);
  SetKeyPath(RateListRateFile, 2);
  SetKeyPath(RateListEmployeeFile, 1);
  std::vector<AssignedRate> rates;
  AnsiString record = recordBuffer(RateListRateFile);
  // A file whose records are shorter than the layout is not the rate file it is named after.
  if (record.size() < kRateRecordLength) return rates;
  AnsiString employee = recordBuffer(RateListEmployeeFile);
  bool eof = false;
  if (!FindRecord(RateListRateFile, Code, record, eof, kGreaterOrEqual)) return rates;
  while (!eof && record.substr(kRateCodeAt, kRateCodeLength) == Code) {
    if (std::optional<AssignedRate> row = rowOf(record, employee)) rates.push_back(*row);
    GetNextRecord(RateListRateFile, record, eof, 0);
  }
  return rates;
}

void closeFiles() {
  CloseRecordFile(RateListRateFile);
  CloseRecordFile(RateListEmployeeFile);
}

}  // namespace

std::optional<AnsiString> PackedRateText(const AnsiString& Packed) {
  if (Packed.size() < kRateBytes) return std::nullopt;
  AnsiString digits = "0";
  for (size_t i = 0; i < kRateBytes; ++i) {
    const auto byte = static_cast<uint8_t>(Packed[i]);
    const int high = byte >> 4, low = byte & 0x0F;
    if (high > 9) return std::nullopt;
    digits += digitOf(high);
    // The last byte's low nibble is the sign.
    if (i + 1 == kRateBytes) break;
    if (low > 9) return std::nullopt;
    digits += digitOf(low);
  }
  size_t first = 0;
  while (digits.size() - first > 2 && digits[first] == '0') ++first;
  digits.erase(0, first);
  // Zero has no sign.
  const bool zero = digits.find_first_not_of('0') == AnsiString::npos;
  if (!zero && qn::packedSignNegative(static_cast<uint8_t>(Packed[kRateBytes - 1]))) digits.insert(0, "-");
  return Format("%12s", {digits});
}

AnsiString RateWithPoint(const AnsiString& RateText) {
  AnsiString text = RateText;
  text.insert(text.size() < 2 ? 0 : text.size() - 2, ".");
  return Format("%12s", {text});
}

std::vector<AssignedRate> ReadAssignedRates(const AnsiString& Code) {
  try {
    OpenRecordFile(RateListRateFile, DataDir + "\\Yemrt.QF;YE", 0);
    OpenRecordFile(RateListEmployeeFile, DataDir + "\\YEmpl.QF;EM", 0);
    std::vector<AssignedRate> rates = readOpenFiles(Code);
    closeFiles();
    return rates;
  } catch (...) {
    closeFiles();
    throw;
  }
}
