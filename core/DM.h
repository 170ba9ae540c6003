#pragma once
// TDM: the data module that owns every table of the data model and a data source for each. The
// tables are record-manager tables on the alias QNWIN, all closed when the module is made; the
// helpers below and the forms open them on first use by file name and record layout. The module
// also computes the display fields and filters the code tables the lookup combos show, and moves
// a matter's descriptions, notes and addresses between its files and their undelete copies.
#include <cstdint>
#include <functional>
#include <vector>

#include "datagrid/DcTbTable.h"
#include "framework/base/DataModule.h"
#include "framework/db/DataSource.h"

class TDM : public TDataModule {
  QN_CLASS(TDM, TDataModule)
 public:
  explicit TDM(TComponent* AOwner);
  ~TDM() override;

  // Code tables on ytable.qf: the client set, then the case set.
  TdcTbTable *OffCodes1_, *OffCodes2_, *ClTypeOne1_, *ClTypeOne2_, *ClTypeTwo1_, *ClTypeTwo2_;
  TdcTbTable *DeptCodes1_, *DeptCodes2_, *CaTypeOne1_, *CaTypeOne2_, *CaTypeTwo1_, *CaTypeTwo2_;
  TdcTbTable *CaTypeThree1_, *CaTypeThree2_, *StMsg1_, *StMsg2_;
  // Employee tables on yempl.qf: code order (1), name order (2).
  TdcTbTable *RAOne1_, *RATwo1_, *RAThree1_, *RAOne2_, *RATwo2_, *RAThree2_;
  TdcTbTable *Client1_, *Client2_, *ClientSave_;
  TdcTbTable *Case1_, *Case2_, *CaseSave_;
  TdcTbTable *CaseDescs_, *CaseDescsSave, *CaseAddresses, *CaseAddrSave;
  TdcTbTable *Fee_, *Fee2_, *Bill_, *Bill2_, *TrDesc_, *EmpRates_, *GroupRates_, *Batch_, *BatchDesc_;
  TdcTbTable *Tran1_, *Tran2_, *GL2TB, *GlacTB, *RepDat_;

  // Every table in declaration order, with its data source (named after the table, "Src" in
  // place of a trailing underscore).
  const std::vector<TdcTbTable*>& Tables() const { return tables_; }
  TDataSource* SourceOf(const TdcTbTable* table) const;

  // Opens the code tables of the set the program file's name chooses ("CLIENT" in it: the client
  // set; else "CASES": the case set; else none). False, after the error box, when one fails.
  bool ActivateCodeTables();
  bool ActivateRATables();
  bool OpenCaseSave();
  bool OpenCaseTables();

  // The matter of the current Case1_ record: its description lines 02 to 20, respectively its
  // addresses, deleted (copied to the undelete file first when saveCopy), and brought back. A
  // reinstate that fails has shown why and answers false: records not yet moved stay saved, so a
  // caller inside a transaction rolls back rather than restore the matter without them.
  void DeleteCaseDescriptions(bool saveCopy);
  bool ReinstateCaseDescriptions();
  void DeleteCaseAddresses(bool saveCopy);
  bool ReinstateCaseAddresses();
  // The current matter's notes; true when it has note lines.
  bool LoadCaseNotes(AnsiString& text);
  // Replaces the matter's notes (lines 31 to 90, 50 characters each) within one transaction of
  // TDM2's database: a text over NotesCapacity, or a failure, leaves the old notes. True when saved.
  bool SaveCaseNotes(const AnsiString& client, const AnsiString& suffix, const AnsiString& text);
  static constexpr std::size_t NotesCapacity = 3000;
  // Whether the matter is on Case1_'s file, whatever the table's closed-case filter hides.
  bool ValidateCaseCode(const AnsiString& client, const AnsiString& suffix, bool& found);
  void ExpandNarrativeCodes(const AnsiString& text, const std::vector<AnsiString>& codeList, AnsiString& result);

  bool CaseHasCurrentBill(const AnsiString& client, const AnsiString& suffix, bool useCurrentCase);
  bool CaseHasCurrentFee(const AnsiString& client, const AnsiString& suffix, bool useCurrentCase);
  // Bill_ on the billing file, within the matter's records (all the client's without a suffix),
  // at the first. folderOrType: one character is the bill type (the file in the data folder),
  // otherwise the folder of the file (the type then "B").
  bool OpenBillRange(const AnsiString& fileName, const AnsiString& client, const AnsiString& folderOrType,
                     const AnsiString& suffix);

  // Close helpers: the table closed, its index name and table name cleared.
  void CloseFee();
  void CloseFee2();
  void CloseBill();
  void CloseBill2();
  void CloseTrDesc();
  void CloseTran1();
  void CloseTran2();
  void CloseEmpRates();
  void CloseGroupRates();

  // Record locks met while a fee, bill or description changes: retried silently until the
  // deadline, then the user is asked. StartLockRetry opens a window of `interval` ms.
  void StartLockRetry(std::uint32_t interval, const AnsiString& message);
  void Fee_EditError(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action);
  // Audit writers: one record per deleted fee (audit '2') or description (audit '8').
  void Fee_BeforeDelete(TDataSet* DataSet);
  void TrDesc_BeforeDelete(TDataSet* DataSet);
  void Fee_BeforeEdit(TDataSet* DataSet);
  void Fee_BeforeInsert(TDataSet* DataSet);
  // The workstation's audit trail (made from the program folder's Tran.clo when missing); false,
  // with the audit trail off for the run, when it cannot be opened.
  bool OpenAuditTrail();
  bool OpenAuditTrail2();
  // The general-ledger control file and the workstation's interface file; false after the message.
  bool OpenGLControl();
  bool OpenGLInterface();

  // The workstation's batch of transactions being entered: a new line has no date yet ("-1"),
  // lines marked "S" stay hidden, a deleted line takes its descriptions in BatchDesc_ (when the
  // form has that table open) along unless KeepBatchDescriptions is set, and the date, type,
  // amount and invoice columns are calculated.
  void Batch_NewRecord(TDataSet* DataSet);
  void Batch_FilterRecord(TDataSet* DataSet, bool& Accept);
  // Deletes the descriptions that go with the line; the line's delete runs it, in the transaction
  // the line and its descriptions share, just before the line itself goes.
  void Batch_BeforeDelete(TDataSet* DataSet);
  void Batch_CalcFields(TDataSet* DataSet);
  bool KeepBatchDescriptions = false;

  void DMCreate(TObject* Sender);
  void DataModule1Destroy(TObject* Sender);

 private:
  // The sequence number whose descriptions go with the line; empty when none go.
  AnsiString batchLineDescriptions(TDataSet* DataSet) const;
  // A batch line's delete (deleteLine) with its descriptions' deletes, as one transaction.
  void deleteBatchLine(const std::function<void()>& deleteLine);

  TdcTbTable* addTable(const char* name);
  TdcTbTable* adoptTable(TdcTbTable* table, const char* name);
  TdcTbTable* addCodeTable(const char* name, char typeCode);
  TdcTbTable* addCaseTypeTable(const char* name, char caseTypeCode, char calendarCode);
  TdcTbTable* addEmployeeTable(const char* name);
  void addClientFields();
  bool openCodeSet(const std::vector<TdcTbTable*>& tables);
  bool openAuditTable(TdcTbTable* table, const AnsiString& layout, bool withLedger);
  void addBatchTables();
  // The case addresses' CaseID, Name, Address, Phone and SubsOrAdd.
  void addCaseAddressCalculations();
  bool openOnIndex(TdcTbTable* table, const AnsiString& file, const AnsiString& index);
  bool caseHasCurrentRecord(TdcTbTable* table, const AnsiString& file, const AnsiString& client,
                            const AnsiString& suffix, bool useCurrentCase, const AnsiString& failure);

  std::vector<TdcTbTable*> tables_;
  std::vector<TDataSource*> sources_;
};

// The calculated "LastCommaFirst" of a client or employee table: "Last, First", or the one name given.
void calculateLastCommaFirst(TDataSet* table, const char* lastName, const char* firstName);

// The module the main block made; nil before and after.
extern TDM* DM;

// The deadline of the data module's silent record-lock retry (a tick count); 0 when none runs.
extern std::uint32_t LockRetryDeadline;
// The silent retry window's length in ms (0 until a window was started) and the question asked
// when it ends.
extern std::uint32_t LockRetryWindow;
extern AnsiString LockRetryMessage;

// Set when the audit trail could not be opened: no audit record is written for the rest of the run.
extern bool AuditTrailDisabled;
// Set once an audit record was written; the main window then prints the trail.
extern bool AuditTrailHasEntries;
