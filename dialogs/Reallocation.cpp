#include "dialogs/Reallocation.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/PackedDecimal.h"
#include "core/RecordFiles.h"
#include "dialogs/Allocation.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"

namespace {

using allocation::CumulativeShares;

// Standard files (their numbers are their slots) and the slots of the files the run opens on keys
// of its own.
constexpr uint8_t kClientFile = 1;
constexpr uint8_t kMatterFile = 2;
constexpr uint8_t kEmployeeFile = 3;
constexpr uint8_t kFormatFile = 8;
constexpr uint8_t kFeeFile = 10;
constexpr uint8_t kFeesBySequence = 240;
constexpr uint8_t kFeeHistory = 241;
constexpr uint8_t kFeeSplit = 242;
constexpr uint8_t kEmployeeRates = 244;
constexpr uint8_t kGroupRates = 245;
constexpr int kSequenceKey = 5;

// A field of a record buffer (0-based offset, the 4-byte record number included).
struct Field {
  int offset;
  int size;
  int decimals = 0;
};

// The fee transaction (80 bytes).
namespace fee {
constexpr Field Client{4, 7}, Suffix{11, 7}, Type{18, 1}, Date{19, 6}, SubType{25, 1}, ActEmp{26, 4};
constexpr Field EntryDate{30, 6}, Mark{36, 1}, Group{37, 2}, FixedFee{39, 1}, ActHrs{40, 4, 2}, ActAmt{44, 6, 2};
constexpr Field BilEmp{50, 4}, BilHrs{54, 4, 2}, BilAmt{58, 6, 2}, Invoice{64, 8}, Sequence{72, 8};
constexpr int Length = 80;
}  // namespace fee

// The matter.
namespace matter {
constexpr Field Client{4, 7}, Suffix{11, 7}, AltFormat{38, 3}, Status2{118, 1}, RateCode{119, 2};
}

// The fee split row.
namespace split {
constexpr Field DummyClient{4, 7}, DummyCase{11, 7}, ReceptorClient{18, 7}, ReceptorCase{25, 7};
constexpr Field FeePercent{32, 4, 4}, CostPercent{36, 4, 4};
}  // namespace split

// The ledger's account record (127 bytes): the fee transaction's first 64 bytes, then the billed
// amounts the interface leaves at zero, the invoice and the sequence.
namespace ledger {
constexpr int Length = 127;
constexpr Field Invoice{100, 8}, Sequence{108, 8};
constexpr int FirstAmount = 64, AmountCount = 6, AmountSize = 6;
}  // namespace ledger

AnsiString text(const AnsiString& record, Field f) { return record.substr(f.offset, f.size); }

void put(AnsiString& record, Field f, const AnsiString& value) {
  AnsiString padded = value.substr(0, f.size);
  padded.resize(f.size, ' ');
  record.replace(f.offset, f.size, padded);
}

void putAmount(AnsiString& record, Field f, int64_t scaled) {
  record.replace(f.offset, f.size, IntegerToPacked(scaled, f.size, f.decimals));
}

// The whole number of a packed field; unreadable digits stop the run.
int64_t amount(const AnsiString& record, Field f) {
  const AnsiString bytes = text(record, f);
  if (!PackedToNumber(bytes, f.decimals))
    throw EAbort("The transaction of " + Trim(text(record, fee::Client)) + "-" + Trim(text(record, fee::Suffix)) +
                 " with sequence number " + Trim(text(record, fee::Sequence)) + " holds an amount that cannot be read.");
  return PackedToInteger(bytes, f.decimals);
}

AnsiString recordOf(uint8_t fileNo) {
  uint16_t length = 0;
  GetRecordLength(fileNo, length);
  return AnsiString(length, ' ');
}

}  // namespace

bool LedgerInterface::Posts(char kind) const {
  // The flag of a kind stands at its place in this pattern, 24 characters on, in the record.
  static const AnsiString kinds = "F   C       BPAR";
  const auto place = kinds.find(kind);
  const std::size_t at = kind == 'T' ? 35 - 9 : place == AnsiString::npos ? AnsiString::npos : place + 24 - 9;
  return at != AnsiString::npos && at < Settings.size() && Settings[at] == 'Y';
}

struct DummyReallocation::Matter {
  AnsiString client, suffix;
  bool dummy = false;
  bool hasRateCode = false;
  AnsiString rateCode;
  bool tenthsFormat = false;  // the alternate statement format bills tenths at a rate
};

// What the new receptor transactions of one dummy transaction are made from.
struct DummyReallocation::Dummy {
  AnsiString type, date, subType, employee, group, sequence;
  int64_t hours = 0;  // the dummy's billable hours
  int64_t kept = 0;   // the actual amount the receptors keep
};

DummyReallocation::DummyReallocation(std::optional<LedgerInterface> ledger) : ledger_(std::move(ledger)) {}

void DummyReallocation::SetRange(const AnsiString& startDate, const AnsiString& endDate) {
  start_ = startDate;
  end_ = endDate;
}

DummyReallocation::~DummyReallocation() {
  for (uint8_t fileNo : opened_) {
    try {
      CloseRecordFile(fileNo);
    } catch (const std::exception&) {
      // A file that cannot be closed is closed with the others at the end of the program.
    }
  }
}

void DummyReallocation::OpenFiles() {
  if (RecordFileDir.empty()) RecordFileDir = DataDir;
  for (uint8_t fileNo : {kClientFile, kMatterFile, kFormatFile, kFeeFile}) {
    if (IsRecordFileOpen(fileNo)) continue;
    OpenStandardFile(fileNo);
    if (!IsRecordFileOpen(fileNo)) throw EAbort("Unable to open " + StandardFileEntry(fileNo) + ".");
    opened_.push_back(fileNo);
  }
  struct Own {
    uint8_t fileNo;
    const char* entry;
    int key;
  };
  for (const Own& own : {Own{kFeesBySequence, "Fee.qf;FE", kSequenceKey}, Own{kFeeHistory, "HFee.qf;HF", kSequenceKey},
                         Own{kFeeSplit, "FSplit.qf;FS", 1}}) {
    if (IsRecordFileOpen(own.fileNo)) continue;
    OpenRecordFile(own.fileNo, RecordFileDir + "\\" + own.entry, 0);
    opened_.push_back(own.fileNo);
    SetKeyPath(own.fileNo, own.key);
  }
}

std::vector<AnsiString> DummyReallocation::DummyList(const AnsiString& client, const AnsiString& suffix) {
  std::vector<AnsiString> entries;
  AnsiString record = recordOf(kMatterFile);
  auto entryOf = [&] {
    const AnsiString format = Trim(text(record, matter::AltFormat));
    return text(record, matter::Client) + text(record, matter::Suffix) + Format("%-3s", {format.empty() ? AnsiString("###") : format}) +
           text(record, matter::Status2) + Format("%-2s", {text(record, matter::RateCode)});
  };
  if (!Trim(suffix).empty()) {
    if (GetEqualRecord(kMatterFile, Format("%-7s%7s", {client, Trim(suffix)}), record, false)) entries.push_back(entryOf());
    return entries;
  }
  const AnsiString code = Format("%-7s", {client});
  bool eof = false;
  for (bool found = FindRecord(kMatterFile, Format("%-14s", {client}), record, eof, 3);
       found && !eof && text(record, matter::Client) == code; GetNextRecord(kMatterFile, record, eof, 0)) {
    if (text(record, matter::Status2) != "R") entries.push_back(entryOf());
  }
  return entries;
}

int DummyReallocation::ReallocateEntry(const AnsiString& entry) {
  Matter m;
  m.client = entry.substr(0, 7);
  m.suffix = entry.substr(7, 7);
  m.dummy = entry.substr(17, 1) == "D";
  m.rateCode = entry.substr(18, 2);
  m.hasRateCode = !Trim(m.rateCode).empty();
  AnsiString formatRow = recordOf(kFormatFile);
  m.tenthsFormat = GetEqualRecord(kFormatFile, entry.substr(14, 3) + "2", formatRow, false) && formatRow.size() > 91 &&
                   formatRow[91] == 'Y';

  int count = 0;
  AnsiString record = recordOf(kFeeFile);
  bool eof = false;
  for (bool found = FindRecord(kFeeFile, m.client + m.suffix + AnsiString(6, ' '), record, eof, 3);
       found && !eof && text(record, fee::Client) == m.client && text(record, fee::Suffix) == m.suffix;
       GetNextRecord(kFeeFile, record, eof, 0)) {
    if (!taken(record, m)) continue;
    ++count;
    reallocate(record, m);
  }
  return count;
}

bool DummyReallocation::taken(const AnsiString& record, const Matter& m) {
  if (!Trim(text(record, fee::Invoice)).empty()) return false;
  const AnsiString date = text(record, fee::Date);
  if (date < start_ || date > end_) return false;
  // Receptors are told apart from other matters' transactions only by the shared number.
  const AnsiString sequence = text(record, fee::Sequence);
  if (Trim(sequence).empty()) return false;
  // Outside a dummy only the transactions still marked as a dummy's are converted.
  if (!m.dummy && text(record, fee::Mark) != "D") return false;
  AnsiString found = recordOf(kFeeHistory);
  if (GetEqualRecord(kFeeHistory, sequence, found, false)) return false;
  found = recordOf(kFeesBySequence);
  bool eof = false;
  for (bool hit = GetEqualRecord(kFeesBySequence, sequence, found, false); hit && !eof && text(found, fee::Sequence) == sequence;
       GetNextRecord(kFeesBySequence, found, eof, 0)) {
    const bool otherMatter = text(found, fee::Client) != m.client || text(found, fee::Suffix) != m.suffix;
    if (otherMatter && !Trim(text(found, fee::Invoice)).empty()) return false;
  }
  return true;
}

void DummyReallocation::reallocate(AnsiString& record, const Matter& m) {
  Dummy d;
  d.type = text(record, fee::Type);
  d.date = text(record, fee::Date);
  d.subType = text(record, fee::SubType);
  d.employee = text(record, fee::ActEmp);
  d.group = text(record, fee::Group);
  d.sequence = text(record, fee::Sequence);
  d.hours = amount(record, fee::BilHrs);
  d.kept = amount(record, fee::ActAmt);
  const int64_t billed = amount(record, fee::BilAmt);
  // The actual hours are copied as they are, but unreadable digits stop the run all the same.
  amount(record, fee::ActHrs);
  const bool unratedFee = d.type == "F" && !m.hasRateCode;
  if (unratedFee) d.kept = 0;

  AnsiString rewritten = record;
  if (m.dummy) {
    put(rewritten, fee::Mark, "D");
    if (billed != 0) putAmount(rewritten, fee::ActAmt, billed);
    putAmount(rewritten, fee::BilAmt, 0);
    put(rewritten, fee::BilEmp, "    ");
  } else {
    put(rewritten, fee::Mark, " ");
    put(rewritten, fee::BilEmp, text(record, fee::ActEmp));
    rewritten.replace(fee::BilHrs.offset, fee::BilHrs.size, text(record, fee::ActHrs));
    rewritten.replace(fee::BilAmt.offset, fee::BilAmt.size, text(record, fee::ActAmt));
  }
  if (unratedFee) putAmount(rewritten, fee::ActAmt, 0);

  BeginFileTransaction();
  try {
    UpdateRecord(kFeeFile, rewritten.substr(4), record);
    record = rewritten;
    deleteReceptors(m.client, m.suffix, d.sequence);
    if (AfterReceptorsDeleted) AfterReceptorsDeleted();
    if (m.dummy) insertReceptors(d, m);
    EndFileTransaction();
  } catch (...) {
    if (TransactionFileNumber != -1) {
      try {
        AbortFileTransaction();
      } catch (const std::exception&) {
        // The record manager rolls back what it cannot end when the program ends.
      }
    }
    throw;
  }
  if (AfterCommit) AfterCommit();
}

void DummyReallocation::deleteReceptors(const AnsiString& client, const AnsiString& suffix, const AnsiString& sequence) {
  AnsiString found = recordOf(kFeesBySequence);
  // Each delete leaves no position to go on from: the search begins again at the number.
  bool again = true;
  while (again) {
    again = false;
    bool eof = false;
    for (bool hit = GetEqualRecord(kFeesBySequence, sequence, found, true);
         hit && !eof && text(found, fee::Sequence) == sequence; GetNextRecord(kFeesBySequence, found, eof, 1)) {
      if (text(found, fee::Client) == client && text(found, fee::Suffix) == suffix) continue;
      if (ledger_ && ledger_->Posts(found[fee::Type.offset])) appendLedger(found, true);
      DeleteRecord(kFeesBySequence);
      again = true;
      break;
    }
  }
}

void DummyReallocation::insertReceptors(const Dummy& d, const Matter& m) {
  // The split's rows in their order on the dummy's key.
  std::vector<AnsiString> rows;
  AnsiString row = recordOf(kFeeSplit);
  const AnsiString dummyKey = Format("%-7s%7s", {Trim(m.client), Trim(m.suffix)});
  bool eof = false;
  for (bool found = FindRecord(kFeeSplit, dummyKey, row, eof, 3);
       found && !eof && text(row, split::DummyClient) + text(row, split::DummyCase) == dummyKey;
       GetNextRecord(kFeeSplit, row, eof, 0))
    rows.push_back(row);
  if (rows.empty()) return;

  const bool isFee = d.type == "F";
  std::vector<int64_t> fractions;
  for (const AnsiString& r : rows) fractions.push_back(amount(r, isFee ? split::FeePercent : split::CostPercent));

  int64_t actual = d.kept;
  allocation::HourlyRate rate;
  bool fixedFee = false;
  if (actual != 0 || !isFee) {
    rate = d.kept == 0 || d.hours == 0 ? allocation::HourlyRate{0, 100} : allocation::HourlyRate{d.kept, d.hours};
  } else {
    rate = {lookedUpRate(d, m, fixedFee), 100};
    actual = fixedFee ? rate.cents : allocation::AmountForHours(d.hours, rate);
  }
  const bool tenths = isFee && m.tenthsFormat;
  const std::vector<int64_t> hours =
      CumulativeShares(d.hours, fractions, tenths ? allocation::Tenths : allocation::Hundredths);
  std::vector<int64_t> amounts = CumulativeShares(actual, fractions);
  if (tenths && !fixedFee)
    for (std::size_t i = 0; i < amounts.size(); ++i) amounts[i] = allocation::AmountForHours(hours[i], rate);

  for (std::size_t i = 0; i < rows.size(); ++i) {
    AnsiString r(fee::Length, ' ');
    r.replace(0, 4, AnsiString(4, '\0'));
    put(r, fee::Client, text(rows[i], split::ReceptorClient));
    put(r, fee::Suffix, Format("%7s", {Trim(text(rows[i], split::ReceptorCase))}));
    put(r, fee::Type, d.type);
    put(r, fee::Date, d.date);
    put(r, fee::SubType, d.subType);
    put(r, fee::ActEmp, d.employee);
    put(r, fee::EntryDate, SystemDateText);
    put(r, fee::Mark, "R");
    put(r, fee::Group, d.group);
    put(r, fee::FixedFee, fixedFee ? "F" : " ");
    putAmount(r, fee::ActHrs, d.hours);
    putAmount(r, fee::ActAmt, actual);
    put(r, fee::BilEmp, d.employee);
    putAmount(r, fee::BilHrs, hours[i]);
    putAmount(r, fee::BilAmt, amounts[i]);
    put(r, fee::Invoice, AnsiString(8, ' '));
    put(r, fee::Sequence, d.sequence);
    InsertRecord(kFeesBySequence, r.substr(4));
    if (ledger_ && ledger_->Posts(d.type[0])) appendLedger(r, false);
  }
}

void DummyReallocation::openRateFiles() {
  if (rateFilesOpen_) return;
  if (!IsRecordFileOpen(kEmployeeFile)) {
    OpenStandardFile(kEmployeeFile);
    if (!IsRecordFileOpen(kEmployeeFile)) throw EAbort("Unable to open " + StandardFileEntry(kEmployeeFile) + ".");
    opened_.push_back(kEmployeeFile);
  }
  for (auto [fileNo, entry] : {std::pair{kEmployeeRates, "Yemrt.qf;YE"}, std::pair{kGroupRates, "ygrate.qf;YG"}}) {
    if (IsRecordFileOpen(fileNo)) continue;
    OpenRecordFile(fileNo, RecordFileDir + "\\" + entry, 0);
    opened_.push_back(fileNo);
    SetKeyPath(fileNo, 1);
  }
  rateFilesOpen_ = true;
}

int64_t DummyReallocation::lookedUpRate(const Dummy& d, const Matter& m, bool& fixedFee) {
  openRateFiles();
  fixedFee = false;
  AnsiString employee = recordOf(kEmployeeFile);
  AnsiString department = "  ", classCode = "  ";
  if (GetEqualRecord(kEmployeeFile, Format("%-4s", {d.employee}), employee, false)) {
    department = employee.substr(53, 2);
    classCode = employee.substr(55, 2);
  }
  struct Key {
    uint8_t fileNo;
    AnsiString key;
  };
  std::vector<Key> keys;
  if (!Trim(d.group).empty()) {
    keys.push_back({kGroupRates, Format("E%-4sG%-4s", {d.employee, d.group})});
    keys.push_back({kGroupRates, Format("D%-4sG%-4s", {department, d.group})});
    keys.push_back({kGroupRates, Format("M%-4sG%-4s", {classCode, d.group})});
  }
  keys.push_back({kEmployeeRates, Format("%-4s%-2s", {d.employee, m.rateCode})});
  keys.push_back({kGroupRates, Format("D%-4sR%-4s", {department, m.rateCode})});
  keys.push_back({kGroupRates, Format("M%-4sR%-4s", {classCode, m.rateCode})});
  AnsiString row;
  for (const Key& k : keys) {
    row = recordOf(k.fileNo);
    if (!GetEqualRecord(k.fileNo, k.key, row, false)) continue;
    if (k.fileNo == kEmployeeRates) return amount(row, Field{10, 5, 2});
    fixedFee = row[14] == 'F';
    return amount(row, Field{15, 5, 2});
  }
  return 0;
}

void DummyReallocation::appendLedger(const AnsiString& feeRecord, bool reversing) {
  AnsiString r(ledger::Length, ' ');
  r.replace(0, 64, feeRecord.substr(0, 64));
  r.replace(0, 4, AnsiString(4, '\0'));
  for (Field f : {fee::ActHrs, fee::ActAmt, fee::BilHrs, fee::BilAmt})
    putAmount(r, f, reversing ? -amount(feeRecord, f) : amount(feeRecord, f));
  for (int i = 0; i < ledger::AmountCount; ++i)
    putAmount(r, Field{ledger::FirstAmount + i * ledger::AmountSize, ledger::AmountSize, 2}, 0);
  put(r, ledger::Invoice, text(feeRecord, fee::Invoice));
  put(r, ledger::Sequence, text(feeRecord, fee::Sequence));
  InsertRecord(LedgerAccountFile, r.substr(4));
}
