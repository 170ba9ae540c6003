#pragma once
// The dummy-receptor reallocation on the record files: for each unbilled transaction of a dummy
// matter within a date range whose receptors are not yet billed, the old receptor transactions
// are deleted and new ones written from the matter's fee split, one record-file transaction per
// dummy transaction. The form (ReAllocF.h) asks the questions and prints the log.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/base/AnsiString.h"

// The general-ledger interface: the settings of the control record and the workstation's account
// file the run appends to.
struct LedgerInterface {
  AnsiString Settings;  // characters 10 to 49 of the control record
  // Whether transactions of the kind ("F" fee, "C" cost, "T" ...) post to the ledger.
  bool Posts(char kind) const;
};

class DummyReallocation {
 public:
  // The ledger, when given, is open for appending on LedgerAccountFile.
  explicit DummyReallocation(std::optional<LedgerInterface> ledger);
  ~DummyReallocation();
  DummyReallocation(const DummyReallocation&) = delete;
  DummyReallocation& operator=(const DummyReallocation&) = delete;

  // Opens the files the run reads and writes (each one this object opened is closed again by its
  // destructor); raises EAbort with the failure's text.
  void OpenFiles();
  // The dummy-list entries of a client (every matter not a receptor), or of one matter.
  std::vector<AnsiString> DummyList(const AnsiString& client, const AnsiString& suffix);

  // The range of transaction dates taken, both ends included, in record-file form (YYMMDD).
  void SetRange(const AnsiString& startDate, const AnsiString& endDate);
  // Reallocates the transactions of one dummy-list entry; answers how many were reallocated. A
  // failure rolls the running transaction back and raises EAbort with its text; the transactions
  // committed before it stay.
  int ReallocateEntry(const AnsiString& entry);

  // Called once the old receptors of a transaction are deleted, before the new ones are written,
  // inside the transaction (a watcher that must see the run between the two).
  std::function<void()> AfterReceptorsDeleted;
  // Called after each committed transaction.
  std::function<void()> AfterCommit;

 private:
  struct Matter;
  struct Dummy;
  bool taken(const AnsiString& record, const Matter& matter);
  void reallocate(AnsiString& record, const Matter& matter);
  void deleteReceptors(const AnsiString& client, const AnsiString& suffix, const AnsiString& sequence);
  void insertReceptors(const Dummy& dummy, const Matter& matter);
  // The hourly rate of the rate files for the dummy (cents), and whether it is a fixed fee; none found: 0.
  int64_t lookedUpRate(const Dummy& dummy, const Matter& matter, bool& fixedFee);
  void openRateFiles();
  void appendLedger(const AnsiString& feeRecord, bool reversing);

  AnsiString start_, end_;
  std::optional<LedgerInterface> ledger_;
  std::vector<uint8_t> opened_;
  bool rateFilesOpen_ = false;
};

// The record-file slot of the workstation's general-ledger account file.
constexpr uint8_t LedgerAccountFile = 243;
