#include "dialogs/UndeleteCases.h"

#include <optional>
#include <vector>

#include "core/CaseKey.h"
#include "core/Constants.h"
#include "core/DM.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/RecordCopy.h"
#include "core/TableUse.h"
#include "dialogs/UndeleteF.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"

namespace {

AnsiString text(TDataSet* table, const char* field) { return table->FieldByName(field)->AsString(); }

// The saved matters as list lines, the client file telling which clients are missing.
void listSavedMatters(TUndeleteF& dialog, TdcTbTable& clients) {
  TdcTbTable* saved = DM->CaseSave_;
  const bool wasOpen = saved->Active();
  if (!wasOpen && !DM->OpenCaseSave()) return;
  for (saved->First(); !saved->Eof(); saved->Next()) {
    const AnsiString client = text(saved, "Client Code");
    const bool missing = !clients.FindKey({Format("%-7s", {client})});
    dialog.AddMatter(TUndeleteF::ListLine(client, text(saved, "Case Suffix"), text(saved, "Alternate ID"),
                                          text(saved, "Description Line 1"), text(saved, "Resp Atty 1"), missing),
                     missing);
  }
  saved->Close();
}

void auditUndelete(const AnsiString& client, const AnsiString& name, const AnsiString& suffix, const AnsiString& description) {
  SessionAuditList->Add("");
  SessionAuditList->Add("");
  SessionAuditList->Add("Client Code: " + client + "   Client Name:  " + name);
  SessionAuditList->Add("Case Suffix: " + suffix + "   Description Line 1:  " + description + "      has been undeleted.");
  SessionAuditList->Add("");
}

// One matter back from the save file, in a transaction of its own.
void undeleteMatter(const AnsiString& line, TdcTbTable& clients) {
  const CaseKey key(Trim(line.substr(0, 7)), Trim(line.substr(8, 7)));
  TdcTbTable* saved = DM->CaseSave_;
  TdcTbTable* cases = DM->Case1_;
  TtbDatabase* database = DM2->QNDatabase;
  try {
    database->StartTransaction();
    if (!saved->FindKey({key.client, key.suffix})) throw EDatabaseError("Unable to find case in Casesave.QF");
    AppendRecordCopy(saved, cases);
    saved->Delete();
    // A matter comes back whole or not at all: what could not be moved would be left behind in
    // the save files with no saved matter to bring it back with.
    if (!DM->ReinstateCaseDescriptions() || !DM->ReinstateCaseAddresses())
      throw EDatabaseError("Its descriptions or addresses could not be reinstated; the case stays deleted.");
    const AnsiString description = Trim(text(cases, "Description Line 1"));
    database->Commit();
    if (AuditTrailOn) {
      const bool found = clients.FindKey({key.client});
      auditUndelete(Trim(key.client), found ? Trim(text(&clients, "LastCommaFirst")) : AnsiString(), Trim(key.suffix),
                    description);
    }
  } catch (const std::exception& e) {
    if (database->InTransaction()) database->Rollback();
    cases->Cancel();
    MessageDlg("Quillon was unable to undelete the case " + Trim(key.client) + "-" + Trim(key.suffix) + "." + "\r\r" +
                   e.what(),
               mtError, {mbOK}, 0);
  }
}

}  // namespace

void UndeleteCases(const std::function<void()>& clearScreen) {
  if (ActiveFileRights[1] != "Y" || ActiveFileRights[3] != "Y") {
    MessageDlg("Sorry, you don't have access to this function.", mtInformation, {mbOK}, 0);
    return;
  }
  if (DM->Case1_->State() == dsEdit || DM->Case1_->State() == dsInsert) {
    MessageDlg("You must save changes or clear the current\rrecord before undeleting a case.", mtInformation, {mbOK}, 0);
    return;
  }
  clearScreen();
  AnsiString current;
  try {
    std::optional<HourglassCursor> busy(std::in_place);
    TUndeleteF& dialog = *UndeleteF;
    dialog.Reset();
    const TableUse clientFile(DM->Client1_, DataDir + "\\yclient.qf;RES:YCLIENT", "1");
    TdcTbTable& clients = *DM->Client1_;
    listSavedMatters(dialog, clients);
    busy.reset();
    dialog.runModal();
    std::vector<AnsiString> chosen;
    for (int i = 0; i < dialog.ListBox1->Items()->Count(); ++i)
      if (dialog.ListBox1->Selected(i)) chosen.push_back(dialog.ListBox1->Items()->Strings(i));
    if (dialog.Confirmed && !chosen.empty() &&
        MessageDlg(std::to_string(chosen.size()) + " cases were selected." + "\r\r" + "Quillon is about to undelete them.  Proceed?",
                   mtConfirmation, {mbYes, mbNo}, 0) == mrYes) {
      const HourglassCursor working;
      if (!DM->Case1_->Active() && !DM->OpenCaseTables()) throw EAbort("");
      const TableUse save(DM->CaseSave_, DataDir + "\\casesave.qf;RES:YCASE", "1");
      DM->CaseSave_->SetIndexName("1");
      for (const AnsiString& line : chosen) {
        current = Trim(line.substr(0, 7)) + "-" + Trim(line.substr(8, 7));
        undeleteMatter(line, clients);
      }
    }
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    MessageDlg("Quillon was unable to undelete one or more of\rthe cases you selected: " + current + "\r\r" + " Error - " +
                   e.what() + CallSupportText,
               mtError, {mbOK}, 0);
  }
  DM->CaseSave_->Close();
  DM->Case1_->Close();
  clearScreen();
}
