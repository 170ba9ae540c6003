// Whether a matter has current-period bills or fees, and the bill table limited to a matter.
#include "core/CaseKey.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/db/Field.h"
#include "framework/ui/Screen.h"

bool TDM::caseHasCurrentRecord(TdcTbTable* table, const AnsiString& file, const AnsiString& client,
                               const AnsiString& suffix, bool useCurrentCase, const AnsiString& failure) {
  const HourglassCursor busy;
  table->Close();
  bool held = false;
  try {
    table->SetTableName(DataDir + "\\" + file);
    table->Open();
    table->SetIndexName("1");
    const CaseKey key = useCurrentCase ? CaseKey::ofCurrent(Case1_) : CaseKey(client, suffix);
    table->FindNearest({key.client, key.suffix});
    held = !table->Eof() && key.holds(table);
  } catch (const std::exception&) {
    table->Close();
    // Unknown counts as present: the callers then refuse to close or change the matter.
    ShowWarningBox(failure + "\rPlease contact Vantor, Inc. for assistance.");
    return true;
  }
  table->Close();
  return held;
}

bool TDM::CaseHasCurrentBill(const AnsiString& client, const AnsiString& suffix, bool useCurrentCase) {
  return caseHasCurrentRecord(Bill_, "bill.qf;RES:BILLS", client, suffix, useCurrentCase,
                              "Unable to open the current period billing file.");
}

bool TDM::CaseHasCurrentFee(const AnsiString& client, const AnsiString& suffix, bool useCurrentCase) {
  return caseHasCurrentRecord(Fee_, "fee.qf;RES:FEES", client, suffix, useCurrentCase,
                              "Unable to open the current period fee file.");
}

bool TDM::OpenBillRange(const AnsiString& fileName, const AnsiString& client, const AnsiString& folderOrType,
                        const AnsiString& suffix) {
  Bill_->Close();
  const bool typeGiven = folderOrType.size() == 1;
  const AnsiString type = typeGiven ? folderOrType : AnsiString("B");
  const AnsiString file = typeGiven              ? DataDir + "\\" + fileName
                          : folderOrType.empty() ? fileName
                                                 : folderOrType + "\\" + fileName;
  try {
    Bill_->SetTableName(file + ";RES:BILLS");
    Bill_->Open();
    Bill_->SetIndexName("1");
    const CaseKey key(client, suffix);
    if (Trim(suffix).empty())
      Bill_->SetRange({key.client}, {key.client, "ZZZZZZZ", type, "999999"});
    else
      Bill_->SetRange({key.client, key.suffix}, {key.client, key.suffix, type, "999999"});
    Bill_->First();
  } catch (const std::exception& e) {
    Bill_->Close();
    const AnsiString period = LowerCase(fileName) == "hbill.qf" ? "history" : "current period";
    ShowErrorBox("Unable to open the " + period + " billing file.  (" + file + ").\rThe following error was encountered:  " +
                 e.what() + "\r\rPlease contact Vantor, Inc. for assistance.");
    return false;
  }
  return true;
}
