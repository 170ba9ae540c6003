// A matter's notes: the description-file lines from 31 on (line 99, the retainer reserve, is no
// note), 50 characters each.
#include <optional>

#include "core/CaseKey.h"
#include "core/DM.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "core/TableUse.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Screen.h"

namespace {

constexpr std::size_t LineLength = 50;
constexpr int FirstNoteLine = 31;
const AnsiString ReserveLine = "99";

AnsiString descriptionTable() { return DataDir + "\\cdesc.qf;RES:CASEDESC"; }

// Positions on the matter's first note line; false when it has none. A nearest-key search past
// the file's end stays on the last record, which may be a description line of the same matter.
bool findFirstNoteLine(TdcTbTable* lines, const CaseKey& key) {
  const AnsiString first = Format("%d", {FirstNoteLine});
  lines->FindNearest({key.client, key.suffix, first});
  return !lines->Eof() && key.holds(lines) && lines->FieldByName("DescNum")->AsString() >= first;
}

}  // namespace

bool TDM::LoadCaseNotes(AnsiString& text) {
  const HourglassCursor busy;
  text.clear();
  bool any = false;
  try {
    const CaseKey key = CaseKey::ofCurrent(Case1_);
    const TableUse use(CaseDescs_, descriptionTable(), "1");
    for (bool on = findFirstNoteLine(CaseDescs_, key); on; CaseDescs_->Next(), on = !CaseDescs_->Eof() && key.holds(CaseDescs_)) {
      if (CaseDescs_->FieldByName("DescNum")->AsString() == ReserveLine) continue;
      // Every line was written full width; blanks the file dropped at a line's end are text.
      AnsiString line = CaseDescs_->FieldByName("Descr")->AsString();
      if (line.size() < LineLength) line.append(LineLength - line.size(), ' ');
      text += line;
      any = true;
    }
  } catch (const std::exception&) {
    ShowErrorBox("Unable to access notes for this case.Please Call Vantor, Inc. for assistance.");
    text.clear();
    return false;
  }
  text = TrimRight(text);
  return any;
}

bool TDM::SaveCaseNotes(const AnsiString& client, const AnsiString& suffix, const AnsiString& text) {
  if (text.size() > NotesCapacity) {
    ShowErrorBox(Format("These notes are %d characters long; a case's notes hold at most %d characters.\r\r"
                        "Please shorten them and save again.  The notes saved before are unchanged.",
                        {static_cast<int>(text.size()), static_cast<int>(NotesCapacity)}));
    return false;
  }
  const HourglassCursor busy;
  const CaseKey key(client, suffix);
  try {
    if (!DM2) throw std::runtime_error("no transaction database");
    const TableUse use(CaseDescs_, descriptionTable(), "1");
    TtbDatabase& database = *DM2->QNDatabase;
    database.StartTransaction();
    try {
      for (bool on = findFirstNoteLine(CaseDescs_, key); on; on = !CaseDescs_->Eof() && key.holds(CaseDescs_)) {
        if (CaseDescs_->FieldByName("DescNum")->AsString() == ReserveLine)
          CaseDescs_->Next();
        else
          CaseDescs_->Delete();
      }
      int line = FirstNoteLine;
      for (std::size_t at = 0; at < text.size(); at += LineLength, ++line) {
        CaseDescs_->Append();
        CaseDescs_->FieldByName("ClientCode")->SetAsString(key.client);
        CaseDescs_->FieldByName("CaseSuffix")->SetAsString(key.suffix);
        CaseDescs_->FieldByName("DescNum")->SetAsString(Format("%d", {line}));
        CaseDescs_->FieldByName("Descr")->SetAsString(Format("%-50s", {text.substr(at, LineLength)}));
        CaseDescs_->Post();
      }
      database.Commit();
    } catch (...) {
      if (CaseDescs_->State() == dsInsert) CaseDescs_->Cancel();
      if (database.InTransaction()) database.Rollback();
      throw;
    }
  } catch (const std::exception&) {
    ShowErrorBox("Unable to save notes for this case.Please Call Vantor, Inc. for assistance.");
    return false;
  }
  return true;
}
