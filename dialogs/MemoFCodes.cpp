// The description editor's electronic-billing code boxes: filled from the code table, and each
// code left checked against its list.
#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "core/TransactionEntry.h"
#include "dialogs/MemoF.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/base/Tick.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Focus.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/VirtualKeys.h"

namespace {

constexpr uint8_t kCodeTableFile = 6;
constexpr int kCodeKeyPath = 3;
constexpr int kCaretHomeKeys = 125;
constexpr std::uint32_t kExitCheckInterval = 500;
constexpr const char* kBlankItem = "<blank>";
constexpr const char* kSelectACode = "You must select a code from the table.";

// An item: the code filled to four characters, a blank, the description.
void fillCombo(BillingCodeCombo* combo, char letter) {
  uint16_t length = 0;
  GetRecordLength(kCodeTableFile, length);
  AnsiString record(length, ' ');
  bool eof = false;
  if (!FindRecord(kCodeTableFile, AnsiString(1, letter) + "     ", record, eof, 3)) return;
  while (!eof && record.size() > 4 && record[4] == letter) {
    combo->Items()->Add(record.substr(6, 4) + " " + TrimRight(record.substr(11, 120)));
    GetNextRecord(kCodeTableFile, record, eof, 0);
  }
}

// The item whose first four characters are the code; -1 when none.
int itemOfCode(BillingCodeCombo* combo, const AnsiString& code) {
  const AnsiString key = Format("%-4s", {code});
  for (int i = 0; i < combo->Items()->Count(); ++i)
    if (combo->Items()->Strings(i).substr(0, 4) == key) return i;
  return -1;
}

AnsiString hintOf(const AnsiString& item) { return item.size() > 5 ? item.substr(5, 120) : AnsiString(); }

}  // namespace

void TMemoF::EBFSetup() {
  for (BillingCodeCombo* combo : {ComboBoxTask, ComboBoxActivity, ComboBoxExpense}) {
    combo->Items()->Clear();
    combo->Items()->Add(kBlankItem);
  }
  if (RecordFileDir.empty()) RecordFileDir = DataDir;
  try {
    OpenStandardFile(kCodeTableFile);
    if (!IsRecordFileOpen(kCodeTableFile)) return;
    SetKeyPath(kCodeTableFile, kCodeKeyPath);
    fillCombo(ComboBoxTask, 'T');
    fillCombo(ComboBoxActivity, 'K');
    fillCombo(ComboBoxExpense, 'E');
  } catch (const std::exception&) {
    MessageDlg("Unable to open the Table file. Please contact Vantor, Inc. for assistance.", mtError, {mbOK}, 0);
  }
  CloseRecordFile(kCodeTableFile);
  for (BillingCodeCombo* combo : {ComboBoxTask, ComboBoxActivity, ComboBoxExpense})
    if (combo->Items()->Count() == 1) combo->SetItemIndex(0);
}

void TMemoF::ComboBoxEnter(TObject*) {
  for (int i = 0; i < kCaretHomeKeys; ++i) qn::ui::postKeyStroke(VK_LEFT);
}

void TMemoF::ComboBoxCloseUp(TObject* Sender) {
  auto* combo = dynamic_cast<BillingCodeCombo*>(Sender);
  if (!combo || combo->ItemIndex() < 0) return;
  const AnsiString item = combo->Items()->Strings(combo->ItemIndex());
  if (item != kBlankItem) {
    combo->SetText(item.substr(0, 4));
    combo->SetSelStart(0);
    combo->SetHint(hintOf(item));
    qn::ui::postKeyStroke(VK_TAB);
    return;
  }
  combo->SetText("");
  combo->SetHint("");
  if (!TransactionEntry.CodesRequired) return;
  MessageDlg(kSelectACode, mtError, {mbOK}, 0);
  if (combo->CanFocus()) combo->SetFocus();
}

void TMemoF::ComboBoxDropDown(TObject* Sender) {
  auto* combo = dynamic_cast<BillingCodeCombo*>(Sender);
  if (!combo) return;
  const int at = itemOfCode(combo, combo->Text());
  if (at >= 0) combo->SetItemIndex(at);
}

bool TMemoF::codeExitDue() {
  const std::uint32_t now = GetTickCount();
  if (codeExitChecked_ && now - lastCodeExit_ < kExitCheckInterval) return false;
  codeExitChecked_ = true;
  lastCodeExit_ = now;
  return true;
}

void TMemoF::ComboBoxExit(TObject* Sender) {
  auto* combo = dynamic_cast<BillingCodeCombo*>(Sender);
  if (!combo) return;
  // Leaving for the narrative picker or the exit button asks nothing.
  if (const TWinControl* to = qn::ui::focusMoveTarget()) {
    const AnsiString name = to->Name();
    if (name == "TableCode" || name == "TableDesc" || name == "ExitBitBtn") return;
  }
  if (!codeExitDue()) return;
  const int at = itemOfCode(combo, combo->Text());
  if (at >= 0 && combo->Items()->Strings(at) != kBlankItem) {
    const AnsiString hint = hintOf(combo->Items()->Strings(at));
    combo->SetHint(hint);
    if (combo == ComboBoxActivity && TransactionEntry.ActivityTextAsPrefix)
      TransactionEntry.DescriptionPrefix = hint + " ";
    return;
  }
  AnsiString code = Trim(combo->Text());
  if (!TransactionEntry.CodesRequired && code.empty()) return;
  if (UpperCase(code).rfind("<BLA", 0) == 0) {
    combo->SetText("");
    code.clear();
  }
  if (!code.empty()) {
    MessageDlg("The code " + code + " is not in the table. Please make a different selection.", mtError, {mbOK}, 0);
    TransactionEntry.RejectedCodes[combo->Name()] = code;
    if (combo->CanFocus()) combo->SetFocus();
  } else if (TransactionEntry.CodesRequired) {
    MessageDlg(kSelectACode, mtError, {mbOK}, 0);
    if (combo->CanFocus()) combo->SetFocus();
  }
}
