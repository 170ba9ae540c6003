#include "core/DM.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/LayoutFields.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/Exception.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/db/StringField.h"

TDM* DM = nullptr;
std::uint32_t LockRetryDeadline = 0;

namespace {

UnitRegistration unit("core/DM", {"datagrid/DcTbTable"}, [] {
  RegisterClass<TDM>();
  RegisterFormVariable(DM);
});

const AnsiString DatabaseAlias = "QNWIN";
// The code tables' display field: the description, then the code in brackets.
constexpr int DescCodeSize = 124;
// Last name, ", ", first name: of the employee file and of the client file.
constexpr int EmployeeNameSize = 25 + 2 + 20;
constexpr int ClientNameSize = 40 + 2 + 30;

AnsiString lastCommaFirst(const AnsiString& last, const AnsiString& first) {
  const AnsiString l = Trim(last), f = Trim(first);
  if (!l.empty() && !f.empty()) return l + ", " + f;
  return l.empty() ? f : l;
}

AnsiString sourceName(const AnsiString& tableName) {
  const AnsiString stem = !tableName.empty() && tableName.back() == '_' ? tableName.substr(0, tableName.size() - 1) : tableName;
  return stem + "Src";
}

}  // namespace

void calculateLastCommaFirst(TDataSet* table, const char* lastName, const char* firstName) {
  table->FieldByName("LastCommaFirst")
      ->SetAsString(lastCommaFirst(table->FieldByName(lastName)->AsString(), table->FieldByName(firstName)->AsString()));
}

TDM::TDM(TComponent* AOwner) : TDataModule(AOwner) {
  SetName("DM");
  OffCodes1_ = addCodeTable("OffCodes1_", 'O');
  OffCodes2_ = addCodeTable("OffCodes2_", 'O');
  ClTypeOne1_ = addCodeTable("ClTypeOne1_", 'L');
  ClTypeOne2_ = addCodeTable("ClTypeOne2_", 'L');
  ClTypeTwo1_ = addCodeTable("ClTypeTwo1_", 'L');
  ClTypeTwo2_ = addCodeTable("ClTypeTwo2_", 'L');
  DeptCodes1_ = addCodeTable("DeptCodes1_", 'D');
  DeptCodes2_ = addCodeTable("DeptCodes2_", 'D');
  CaTypeOne1_ = addCaseTypeTable("CaTypeOne1_", 'A', 'I');
  CaTypeOne2_ = addCaseTypeTable("CaTypeOne2_", 'A', 'I');
  CaTypeTwo1_ = addCaseTypeTable("CaTypeTwo1_", 'A', 'I');
  CaTypeTwo2_ = addCodeTable("CaTypeTwo2_", 'L');
  CaTypeThree1_ = addCaseTypeTable("CaTypeThree1_", 'A', 'P');
  CaTypeThree2_ = addCaseTypeTable("CaTypeThree2_", 'A', 'P');
  StMsg1_ = addCodeTable("StMsg1_", 'S');
  StMsg2_ = addCodeTable("StMsg2_", 'S');
  RAOne1_ = addEmployeeTable("RAOne1_");
  RATwo1_ = addEmployeeTable("RATwo1_");
  RAThree1_ = addEmployeeTable("RAThree1_");
  RAOne2_ = addEmployeeTable("RAOne2_");
  RATwo2_ = addEmployeeTable("RATwo2_");
  RAThree2_ = addEmployeeTable("RAThree2_");
  Client1_ = addTable("Client1_");
  Client2_ = addTable("Client2_");
  addClientFields();
  ClientSave_ = addTable("ClientSave_");
  Case1_ = addTable("Case1_");
  Case2_ = addTable("Case2_");
  CaseSave_ = addTable("CaseSave_");
  CaseDescs_ = addTable("CaseDescs_");
  CaseDescsSave = addTable("CaseDescsSave");
  for (TdcTbTable* t : {CaseDescs_, CaseDescsSave})
    DeclareLayoutFields(t, {"ClientCode", "CaseSuffix", "DescNum", "autoincrement", "Descr"});
  CaseAddresses = addTable("CaseAddresses");
  addCaseAddressCalculations();
  CaseAddrSave = addTable("CaseAddrSave");
  for (TdcTbTable* t : {CaseAddresses, CaseAddrSave})
    DeclareLayoutFields(t, {"Client Code", "Case Suffix", "AutoIncr", "Address Type", "Name1", "Name2", "AddressLine1",
                            "AddressLine2", "City", "StateZipCountry", "Phone1", "Phone2"});
  Fee_ = addTable("Fee_");
  Fee2_ = addTable("Fee2_");
  for (TdcTbTable* t : {Fee_, Fee2_})
    DeclareLayoutFields(t, {"Client Code", "Case Suffix", "Type", "Transaction Date", "Sub Type", "HNDR",
                            "Actual Hours", "Actual $", "Billable Hours", "Billable $", "Invoice Number",
                            "Sequence Number", "Employee Code", "Group Code", "Bill Enp Code", "autoinc", "Entry Date",
                            "Fixed Fee"});
  Bill_ = addTable("Bill_");
  Bill2_ = addTable("Bill2_");
  TrDesc_ = addTable("TrDesc_");
  DeclareLayoutFields(TrDesc_, {"AutoIncr", "SequenceNumber", "SequenceSuffix", "Description"});
  EmpRates_ = addTable("EmpRates_");
  GroupRates_ = addTable("GroupRates_");
  addBatchTables();
  Tran1_ = addTable("Tran1_");
  DeclareLayoutFields(Tran1_, {"AutoInc",       "Audit",          "Type",          "ClientCode",     "CaseSuffix",
                               "StringTransDate", "SubType",      "ActEmp",        "StringEntryDate", "HNDR",
                               "GroupingCode",  "FForPHB",        "ActualHours",   "ActualAmount",   "BillableEmpCode",
                               "BillableHours", "BillableAmount", "Fees",          "DirectCosts",    "IndirectCosts",
                               "FinanceCharges", "SalesTaxes",    "Retainers",     "InvoiceNumber",  "SequenceNumber",
                               "Unassigned"});
  Tran2_ = addTable("Tran2_");
  DeclareLayoutFields(Tran2_, {"AutoInc", "audit", "description", "Unassigned", "SeqNumber", "Unassigned2"});
  GL2TB = addTable("GL2TB");
  GlacTB = addTable("GlacTB");
  RepDat_ = addTable("RepDat_");

  for (TdcTbTable* t : {Fee_, Fee2_, Bill_, Bill2_, TrDesc_}) {
    const auto lockRetry = [this](TDataSet* d, EDatabaseError& e, TDataAction& a) { Fee_EditError(d, e, a); };
    t->OnEditError = lockRetry;
    t->OnPostError = lockRetry;
    t->OnDeleteError = lockRetry;
  }
  for (TdcTbTable* t : {Fee_, Fee2_}) t->BeforeDelete = [this](TDataSet* d) { Fee_BeforeDelete(d); };
  TrDesc_->BeforeDelete = [this](TDataSet* d) { TrDesc_BeforeDelete(d); };
  Fee_->BeforeEdit = [this](TDataSet* d) { Fee_BeforeEdit(d); };
  Fee_->BeforeInsert = [this](TDataSet* d) { Fee_BeforeInsert(d); };

  OnCreate = [this](TObject* Sender) { DMCreate(Sender); };
  OnDestroy = [this](TObject* Sender) { DataModule1Destroy(Sender); };
  if (!DM) DM = this;
}

TDM::~TDM() {
  if (DM == this) DM = nullptr;
}

TdcTbTable* TDM::addTable(const char* name) { return adoptTable(new TdcTbTable(this), name); }

TdcTbTable* TDM::adoptTable(TdcTbTable* table, const char* name) {
  table->SetName(name);
  table->SetDatabaseName(DatabaseAlias);
  auto* source = new TDataSource(this);
  source->SetName(sourceName(name));
  source->SetDataSet(table);
  tables_.push_back(table);
  sources_.push_back(source);
  return table;
}

TDataSource* TDM::SourceOf(const TdcTbTable* table) const {
  const auto at = std::find(tables_.begin(), tables_.end(), table);
  return at == tables_.end() ? nullptr : sources_[static_cast<std::size_t>(at - tables_.begin())];
}

TdcTbTable* TDM::addCodeTable(const char* name, char typeCode) {
  return addCaseTypeTable(name, typeCode, typeCode);
}

TdcTbTable* TDM::addCaseTypeTable(const char* name, char caseTypeCode, char calendarCode) {
  TdcTbTable* table = addTable(name);
  AddCalculatedText(table, "DescCode", DescCodeSize);
  DeclareLayoutFields(table, {"code", "type code", "Description", "transaction type"});
  table->OnCalcFields = [](TDataSet* t) {
    t->FieldByName("DescCode")
        ->SetAsString(Trim(t->FieldByName("Description")->AsString()) + "  (" + Trim(t->FieldByName("code")->AsString()) + ")");
  };
  // Read at every record: the calendar flag may change while the table is open.
  table->SetOnFilterRecord([caseTypeCode, calendarCode](TDataSet* t, bool& accept) {
    const char wanted = CalendarParameter ? calendarCode : caseTypeCode;
    accept = t->FieldByName("type code")->AsString() == AnsiString(1, wanted);
  });
  table->SetFiltered(true);
  return table;
}

TdcTbTable* TDM::addEmployeeTable(const char* name) {
  TdcTbTable* table = addTable(name);
  AddCalculatedText(table, "LastCommaFirst", EmployeeNameSize);
  DeclareLayoutFields(table, {"Employee Code", "AutoIncrement", "Employee First Name", "Employee Last Name"});
  table->OnCalcFields = [](TDataSet* t) { calculateLastCommaFirst(t, "Employee Last Name", "Employee First Name"); };
  return table;
}

void TDM::addClientFields() {
  for (TdcTbTable* t : {Client1_, Client2_}) {
    AddCalculatedText(t, "LastCommaFirst", ClientNameSize);
    t->OnCalcFields = [](TDataSet* d) { calculateLastCommaFirst(d, "Client Last Name", "Client First Name"); };
  }
  TdcTbTable* client = Client1_;
  DeclareLayoutFields(client,
                      {"City", "Client Code", "Client First Name", "Client Last Name", "First 6 Last Name",
                       "AutoIncrement", "Second Name Line", "Address Line 1", "Address Line 2", "State Zip Country",
                       "Phone 1", "Phone 2", "Office Code", "CCA", "Client Type 1", "Client Type 2",
                       "Billing Rate Code", "Sales Tax", "Finance Charge", "Alt Billing Format", "Threshhold",
                       "Unassigned"},
                      [client] {
                        // Typed text never reaches these two fields; the forms set them themselves.
                        for (const char* name : {"Sales Tax", "Unassigned"})
                          client->FieldByName(name)->OnSetText = [](TField*, const AnsiString&) {};
                        client->FieldByName("Sales Tax")->OnGetText = [](TField* field, AnsiString& text, bool) {
                          text = field->AsString();
                          if (Trim(text).empty()) text = "0";
                        };
                      });
  DeclareLayoutFields(Client2_, {"City", "Client Code", "Client First Name", "Client Last Name", "Unassigned"});
}

void TDM::DMCreate(TObject*) { LockRetryDeadline = 0; }

namespace {

// Closed, and told to forget its file and index.
void closeAndForget(TdcTbTable* table) {
  if (table->Active()) table->Close();
  table->SetIndexName("");
  table->SetTableName("");
}

}  // namespace

void TDM::CloseFee() { closeAndForget(Fee_); }
void TDM::CloseFee2() { closeAndForget(Fee2_); }
void TDM::CloseBill() { closeAndForget(Bill_); }
void TDM::CloseBill2() { closeAndForget(Bill2_); }
void TDM::CloseTrDesc() { closeAndForget(TrDesc_); }
void TDM::CloseTran1() { closeAndForget(Tran1_); }
void TDM::CloseTran2() { closeAndForget(Tran2_); }
void TDM::CloseEmpRates() { closeAndForget(EmpRates_); }
void TDM::CloseGroupRates() { closeAndForget(GroupRates_); }

void TDM::DataModule1Destroy(TObject*) {
  try {
    for (TdcTbTable* t : {CaseSave_, EmpRates_, GroupRates_, Bill_, Bill2_, Fee_, Fee2_, TrDesc_, Batch_, BatchDesc_, GlacTB})
      t->Close();
    if (OffCodes1_->Active())
      for (TdcTbTable* t : {OffCodes1_, OffCodes2_, ClTypeOne1_, ClTypeOne2_, ClTypeTwo1_, ClTypeTwo2_, Tran1_, Tran2_})
        t->Close();
  } catch (const std::exception& e) {
    throw EAbort(e.what());
  }
}
