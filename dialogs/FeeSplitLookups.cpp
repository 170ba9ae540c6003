// The client and matter boxes of the fee split's record dialogs: lookup combos of the form that
// the record view borrows for the dummy's or the receptor's fields. The matter combo lists the
// matters of the client the row names, and follows the client box as it changes.
#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/RecordViewDialog.h"
#include "dialogs/FeeSplitF.h"
#include "dialogs/LookupComboPlacing.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"

void TFeeSplitF::makeLookupCombos() {
  auto lookupTable = [this](const char* name) {
    auto* table = new TdcTbTable(this);
    table->SetName(name);
    table->SetDatabaseName("QNWIN");
    return table;
  };
  ClientLookup = lookupTable("ClientLookup");
  MatterLookup = lookupTable("MatterLookup");
  ClientCombo = PlaceLookupCombo(this, "ClientCombo", 0, 0, 0, 120, 21, ClientLookup, "Client Code",
                                 {"Client Code\t10\tClient Code\tF", "Client Last Name\t30\tName\tF"});
  ClientCombo->SetCharCase(ecUpperCase);
  ClientCombo->SetMaxLength(7);
  ClientCombo->SetVisible(false);
  MatterCombo = PlaceLookupCombo(this, "MatterCombo", 0, 0, 0, 120, 21, MatterLookup, "Case Suffix",
                                 {"Case Suffix\t10\tCase Suffix\tF", "Description Line 1\t40\tDescription\tF"});
  MatterCombo->SetCharCase(ecUpperCase);
  MatterCombo->SetMaxLength(7);
  MatterCombo->SetVisible(false);
}

void TFeeSplitF::prepareLookupCombos() {
  FSplitRecordViewDialog->ControlType.Clear();
  if (!openLookups()) return;
  // Only one pair of boxes is in a dialog at a time: the dummy's or the receptor's.
  for (const char* line : {"DummyClient;LookupCombo;ClientCombo", "DummyCase;LookupCombo;MatterCombo",
                           "ReceptorClient;LookupCombo;ClientCombo", "ReceptorCase;LookupCombo;MatterCombo"})
    FSplitRecordViewDialog->ControlType.Add(line);
  limitMatters(FSplit->FieldByName(dialogFields_ == DialogFields::Receptor ? "ReceptorClient" : "DummyClient")
                   ->AsString());
}

bool TFeeSplitF::openLookups() {
  try {
    if (!ClientLookup->Active()) {
      ClientLookup->SetTableName(DataDir + "\\yclient.QF;RES:YCLIENT");
      ClientLookup->Open();
      ClientLookup->SetIndexName("1");
    }
    if (!MatterLookup->Active()) {
      MatterLookup->SetTableName(DataDir + "\\YCase.qf;RES:YCASE");
      MatterLookup->Open();
      MatterLookup->SetIndexName("1");
    }
    return true;
  } catch (const std::exception&) {
    closeLookups();
    return false;
  }
}

void TFeeSplitF::closeLookups() {
  ClientLookup->Close();
  MatterLookup->Close();
}

void TFeeSplitF::limitMatters(const AnsiString& client) {
  if (!MatterLookup->Active()) return;
  const AnsiString key = Format("%-7s", {Trim(client)});
  MatterLookup->SetRange({key, AnsiString(7, ' ')}, {key, AnsiString("ZZZZZZZ")});
}

void TFeeSplitF::followClientFields(TDataSet* DataSet) {
  for (const char* name : {"DummyClient", "ReceptorClient"})
    DataSet->FieldByName(name)->OnChange = [this](TField* Sender) { limitMatters(Sender->AsString()); };
}
