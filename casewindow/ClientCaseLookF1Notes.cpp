// The header's delinquent notes: the "D" marker of a matter or client with notes, and the start
// of the delinquent tracking program on them. The notes file lies in the lookup data folder; it
// is made from its template there the first time the tracking program is asked for.
#include <functional>
#include <set>

#include "casewindow/ClientCaseLookF1.h"
#include "core/CompanionPrograms.h"
#include "core/Constants.h"
#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/TextLabel.h"
#include "platform/os/Files.h"
#include "platform/os/Paths.h"
#include "platform/os/Process.h"

namespace {

// The record-file layer's numbers: the marker's check, and the tracking start's housekeeping.
constexpr uint8_t kNotesCheckFile = 192;
constexpr uint8_t kNotesFile = 99;
constexpr std::size_t kNoteLength = 97;
const AnsiString kContactLine = "\r\r" + ContactSupportText;

AnsiString notesPath() { return LookupDataDir + "\\note.QF"; }

// A code or suffix cut to its field before a key is built from it.
AnsiString field7(const AnsiString& text) { return Trim(text).substr(0, 7); }

bool blank(const AnsiString& text) { return Trim(text).empty(); }

// Runs visit on every record of the open file; a record shorter than a note reads as blanks past
// its end. visit answers true to delete the record it was given.
void eachNote(uint8_t file, const std::function<bool(const AnsiString&)>& visit) {
  SetKeyPath(file, 1);
  AnsiString record(kNoteLength, ' ');
  bool eof = false;
  for (GetFirstRecord(file, record, eof, 0); !eof; GetNextRecord(file, record, eof, 0)) {
    if (visit(record)) DeleteRecord(file);
    record.assign(kNoteLength, ' ');
  }
}

}  // namespace

void TClientCaseLookF1::CheckForDelinquentNotes() {
  LabelDelinquent->SetVisible(false);
  SBDelinquent->SetVisible(false);
  const AnsiString client = field7(ClientCode->Text());
  if (ActiveReportRights[10] != "Y" || IsRecordFileOpen(kNotesCheckFile) || client.empty()) return;
  const AnsiString matterKey = Format("%-7s%-7s", {client, field7(CaseSuffix->Text())});
  bool hit = false;
  try {
    OpenRecordFile(kNotesCheckFile, notesPath() + ";NT", 0);
    eachNote(kNotesCheckFile, [&](const AnsiString& note) {
      hit = hit || note.substr(4, 14) == matterKey || (blank(note.substr(11, 7)) && Trim(note.substr(4, 7)) == client);
      return false;
    });
  } catch (const Exception&) {
    // No notes file, or one that cannot be read: no marker.
  }
  CloseRecordFile(kNotesCheckFile);
  LabelDelinquent->SetVisible(hit);
  SBDelinquent->SetVisible(hit);
}

void TClientCaseLookF1::LabelDelinquentClick(TObject*) { NewDelinquentAccountTracking(); }

void TClientCaseLookF1::NewDelinquentAccountTracking() {
  if (ActiveReportRights[10] != "Y") {
    MessageDlg("Sorry, you don't have access to this function.", mtInformation, {mbOK}, 0);
    return;
  }
  const AnsiString program = CompanionProgramPath("DelinquentTracking");
  if (program.empty() || !qn::os::fileExists(qn::os::resolvePath(program))) {
    MessageDlg("The delinquent account tracking program is missing from the Quillon program folder.\r\rIt is needed "
               "for delinquent account tracking and can be downloaded from the Vantor, Inc. web site.",
               mtError, {mbOK}, 0);
    return;
  }
  const std::string notes = qn::os::resolvePath(notesPath());
  if (!qn::os::fileExists(notes)) {
    const AnsiString templatePath = LookupDataDir + "\\NOTE.CLO";
    if (!qn::os::fileExists(qn::os::resolvePath(templatePath))) {
      MessageDlg("The file NOTE.CLO is missing from your Quillon data folder." + kContactLine, mtError, {mbOK}, 0);
      return;
    }
    if (!qn::os::copyFile(qn::os::resolvePath(templatePath), notes, true)) {
      MessageDlg("Unable to create NOTE.QF." + kContactLine, mtError, {mbOK}, 0);
      return;
    }
  }

  // Notes of kind "0" with text are listed by their key; kind "0" without text and notes without
  // a kind are housekeeping left behind and go.
  std::set<AnsiString> keys;
  try {
    OpenRecordFile(kNotesFile, notesPath() + ";NT", 0);
    eachNote(kNotesFile, [&](const AnsiString& note) {
      const char kind = note[18];
      const bool text = !blank(note.substr(19, 77));
      if (kind == '0' && text) keys.insert(note.substr(4, 14));
      return (kind == '0' && !text) || kind == ' ';
    });
  } catch (const Exception&) {
    CloseRecordFile(kNotesFile);
    MessageDlg("Unable to open or access NOTES.QF." + kContactLine, mtError, {mbOK}, 0);
    return;
  }
  CloseRecordFile(kNotesFile);

  const AnsiString client = field7(ClientCode->Text());
  const AnsiString suffix = field7(CaseSuffix->Text());
  std::vector<AnsiString> arguments;
  if (keys.count(Format("%-7s%-7s", {client, suffix})))
    arguments = {"x", client, Trim(ClientName->Text()), suffix, Trim(AlternateID->Text())};
  else if (keys.count(Format("%-7s", {client}) + AnsiString(7, ' ')))
    arguments = {"x", client, Trim(ClientName->Text())};
  else {
    MessageDlg("Quillon cannot find any deliquent notes for this matter.", mtError, {mbOK}, 0);
    return;
  }
  const std::vector<std::string> words(arguments.begin(), arguments.end());
  if (qn::os::startProcess(program, words)) return;
  RunHiddenBatch(ShellCommandLine(program, arguments), "DAT",
                 "You may not access the delinquent account tracking program at this time.");
}
