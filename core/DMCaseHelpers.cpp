// TDM's case helpers: a matter's description lines and addresses moved to their undelete files
// and back, and the matter looked up whatever the closed-case filter hides.
#include <optional>

#include "core/CaseKey.h"
#include "core/Constants.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "core/RecordCopy.h"
#include "core/TableUse.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Screen.h"

namespace {

// One kind of matter record with an undelete file: where both live and what the helpers say.
struct SavedRecords {
  AnsiString file, saveFile, layout;
  AnsiString deleteOpenFailure, deleteSaveOpenFailure;
  AnsiString reinstateOpenFailure, reinstateSaveOpenFailure, reinstateRecordFailure;
  bool withErrorText;  // the per-record failure names the error
  // The first key of the matter's records, and whether a record is still one to move.
  VariantArray (*firstKey)(const CaseKey&);
  bool (*inRange)(TDataSet*);
};

VariantArray descriptionsFrom(const CaseKey& key) { return {key.client, key.suffix, "02"}; }
// A nearest-key search past the file's end stays on the last record: the lower bound is checked too.
bool descriptionLine(TDataSet* t) {
  const AnsiString line = t->FieldByName("DescNum")->AsString();
  return line >= "02" && line < "21";
}
VariantArray addressesFrom(const CaseKey& key) { return {key.client, key.suffix}; }
bool anyAddress(TDataSet*) { return true; }

const SavedRecords Descriptions = {
    "cdesc.qf",
    "cdescsav.qf",
    "CASEDESC",
    "Unable to open the case description file.Please Call Vantor, Inc. for assistance.",
    "Unable to open cdescsav.qf.Please contact Vantor, Inc. for assistance.",
    "Unable to open CaseDesc.qf.\r" + CallSupportText,
    "Unable to open CDescSav.qf\r" + CallSupportText,
    " to case description file.",
    true,
    descriptionsFrom,
    descriptionLine,
};

const SavedRecords Addresses = {
    "caseaddr.qf",
    "addrsave.qf",
    "CASEADDR",
    "Unable to open the case addresses file.\rPlease Call Vantor, Inc. for assistance.",
    "Unable to open the file addrsave.qf.\rPlease contact Vantor, Inc. for assistance.",
    "Unable to open CaseAddr.QF.\r",
    "Unable to open AddrSave.QF.\r",
    " to case address file.",
    false,
    addressesFrom,
    anyAddress,
};

AnsiString tableName(const AnsiString& file, const AnsiString& layout) { return DataDir + "\\" + file + ";RES:" + layout; }

void deleteCaseRecords(TDM& dm, TdcTbTable* records, TdcTbTable* saved, const SavedRecords& kind, bool saveCopy) {
  const HourglassCursor busy;
  const CaseKey key = CaseKey::ofCurrent(dm.Case1_);
  std::optional<TableUse> use, useSaved;
  try {
    use.emplace(records, tableName(kind.file, kind.layout), "1");
  } catch (const std::exception&) {
    ShowWarningBox(kind.deleteOpenFailure);
    return;
  }
  if (saveCopy) try {
      useSaved.emplace(saved, tableName(kind.saveFile, kind.layout), "1");
    } catch (const std::exception&) {
      ShowWarningBox(kind.deleteSaveOpenFailure);
      return;
    }
  try {
    records->FindNearest(kind.firstKey(key));
    while (!records->Eof() && key.holds(records) && kind.inRange(records)) {
      if (saveCopy) AppendRecordCopy(records, saved);
      records->Delete();
    }
  } catch (const std::exception&) {
    ShowWarningBox(kind.deleteOpenFailure);
  }
}

bool reinstateCaseRecords(TDM& dm, TdcTbTable* records, TdcTbTable* saved, const SavedRecords& kind) {
  const HourglassCursor busy;
  const CaseKey key = CaseKey::ofCurrent(dm.Case1_);
  std::optional<TableUse> use, useSaved;
  try {
    use.emplace(records, tableName(kind.file, kind.layout), "1");
  } catch (const std::exception&) {
    ShowErrorBox(kind.reinstateOpenFailure);
    return false;
  }
  try {
    useSaved.emplace(saved, tableName(kind.saveFile, kind.layout), "1");
  } catch (const std::exception&) {
    ShowErrorBox(kind.reinstateSaveOpenFailure);
    return false;
  }
  try {
    saved->FindNearest({key.client, key.suffix});
    // Each record is added before it leaves the undelete file: a failure keeps it there.
    while (!saved->Eof() && key.holds(saved)) {
      AppendRecordCopy(saved, records);
      saved->Delete();
    }
    return true;
  } catch (const std::exception& e) {
    ShowErrorBox("Unable to reinstate record for case " + Trim(key.client) + "-" + Trim(key.suffix) +
                 kind.reinstateRecordFailure + (kind.withErrorText ? "\r\r" + AnsiString(e.what()) : AnsiString()));
    return false;
  }
}

}  // namespace

void TDM::DeleteCaseDescriptions(bool saveCopy) {
  deleteCaseRecords(*this, CaseDescs_, CaseDescsSave, Descriptions, saveCopy);
}

bool TDM::ReinstateCaseDescriptions() { return reinstateCaseRecords(*this, CaseDescs_, CaseDescsSave, Descriptions); }

void TDM::DeleteCaseAddresses(bool saveCopy) {
  deleteCaseRecords(*this, CaseAddresses, CaseAddrSave, Addresses, saveCopy);
}

bool TDM::ReinstateCaseAddresses() { return reinstateCaseRecords(*this, CaseAddresses, CaseAddrSave, Addresses); }

bool TDM::ValidateCaseCode(const AnsiString& client, const AnsiString& suffix, bool& found) {
  found = false;
  const bool filtered = Case1_->Filtered();
  const CaseKey key(client, suffix);
  try {
    Case1_->SetFiltered(false);
    found = Case1_->FindKey({key.client, key.suffix});
    if (filtered) {
      Case1_->SetFiltered(true);
      // Filtering again starts the table over; callers go on to change the matter they found.
      if (found) Case1_->FindKey({key.client, key.suffix});
    }
  } catch (const std::exception&) {
    if (filtered && !Case1_->Filtered()) Case1_->SetFiltered(true);
    ShowErrorBox("Unable to validate the case code for this record.  \r\r");
  }
  return found;
}
