// The header's lookup of a matter by a line of its description: the user picks the line (1 to
// 20) and one of its texts; the matter found is put into the header as the user would type it,
// so that the header's own checks fix it. Line 1 lies in the case file itself, lines 2 to 20 in
// the description-line file, each with the key of its matter.
#include <algorithm>

#include "casewindow/ClientCaseLookF1.h"
#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "editors/DBSpinEdit.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"
#include "framework/ui/Color.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Focus.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// The standard files of the record-file layer read here.
constexpr int kClientFile = 1;
constexpr int kCaseFile = 2;
constexpr int kDescriptionFile = 5;
constexpr std::size_t kClientRecordLength = 393, kCaseRecordLength = 439;
constexpr std::size_t kDescriptionRecordLength = 70;
// Description line 1 in a case record, and a line's text in a description-line record.
constexpr std::size_t kLineOneAt = 41, kLineLength = 50;
constexpr std::size_t kLineTextAt = 20, kLineNumberAt = 18, kMatterKeyAt = 4, kMatterKeyLength = 14;
constexpr int kLastLine = 20;
constexpr int kThirdRow = 62;

bool textsBefore(const AnsiString& a, const AnsiString& b) {
  const int byText = AnsiCompareText(a, b);
  return byText != 0 ? byText < 0 : AnsiCompareStr(a, b) < 0;
}

// Opens a standard file for one visit; closes it afterwards unless it was open before.
class StandardFileVisit {
 public:
  explicit StandardFileVisit(int file) : file_(file), wasOpen_(IsRecordFileOpen(static_cast<uint8_t>(file))) {
    if (RecordFileDir.empty()) RecordFileDir = DataDir;
    OpenStandardFile(file);
    // Whoever had it open may have left it on another key; the matter keys are on key 1.
    if (open()) SetKeyPath(static_cast<uint8_t>(file), 1);
  }
  ~StandardFileVisit() {
    if (!wasOpen_) CloseRecordFile(static_cast<uint8_t>(file_));
  }
  StandardFileVisit(const StandardFileVisit&) = delete;
  StandardFileVisit& operator=(const StandardFileVisit&) = delete;

  bool open() const { return IsRecordFileOpen(static_cast<uint8_t>(file_)); }

  // Runs visit on every record until it answers true; a record shorter than length reads as
  // blanks past its end. Answers whether visit stopped the walk.
  template <class Visit>
  bool each(std::size_t length, Visit visit) const {
    if (!open()) return false;
    const auto file = static_cast<uint8_t>(file_);
    AnsiString record(length, ' ');
    bool eof = false;
    for (GetFirstRecord(file, record, eof, 0); !eof; GetNextRecord(file, record, eof, 0)) {
      if (visit(static_cast<const AnsiString&>(record))) return true;
      record.assign(length, ' ');
    }
    return false;
  }

 private:
  int file_;
  bool wasOpen_;
};

}  // namespace

void TClientCaseLookF1::createDescriptionLookup() {
  LabelDescLine = PlaceControl<TextLabel>(this, this, 8, kThirdRow + 4, 164, 16);
  LabelDescLine->SetName("LabelDescLine");
  LabelDescLine->SetCaption("Case Description Line ");
  SpinEditDescLine = PlaceControl<TdcDBSpinEdit>(this, this, 176, kThirdRow, 44, 22);
  SpinEditDescLine->SetName("SpinEditDescLine");
  SpinEditDescLine->SetMinValue(1);
  SpinEditDescLine->SetMaxValue(kLastLine);
  SpinEditDescLine->SetValue(1);
  ComboBoxCaseDesc = PlaceControl<ComboBox>(this, this, 226, kThirdRow, 380, 22);
  ComboBoxCaseDesc->SetName("ComboBoxCaseDesc");
  ComboBoxCaseDesc->SetMaxLength(static_cast<int>(kLineLength));
  ComboBoxCaseDesc->SetDropDownCount(16);
  // Like the header's combos, reached by the mouse and not by Tab: a Tab from the suffix onto a
  // control of the header would hand the suffix's open list an empty row to take.
  SpinEditDescLine->SetTabStop(false);
  ComboBoxCaseDesc->SetTabStop(false);
  SpinEditDescLine->OnChange = [this](TObject* Sender) { SpinEditDescLineChange(Sender); };
  ComboBoxCaseDesc->OnExit = [this](TObject* Sender) { ComboBoxCaseDescExit(Sender); };
  ComboBoxCaseDesc->OnKeyPress = [this](TObject* Sender, char& Key) { ComboBoxCaseDescKeyPress(Sender, Key); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TClientCaseLookF1::FormShow(TObject*) {
  if (CalendarMode)
    for (TControl* control : std::initializer_list<TControl*>{SpinEditDescLine, ComboBoxCaseDesc, LabelDescLine})
      control->SetVisible(false);
  if (!CaseDescLookupOn) {
    for (TWinControl* control : std::initializer_list<TWinControl*>{SpinEditDescLine, ComboBoxCaseDesc}) {
      control->SetEnabled(false);
      control->SetColor(clSilver);
    }
    return;
  }
  readLineOneTexts();
  // Line 1's list is shown: by the line number's change when it showed another line.
  if (SpinEditDescLine->Text() != "1") SpinEditDescLine->SetValue(1);
  else SpinEditDescLineChange(SpinEditDescLine);
}

void TClientCaseLookF1::readLineOneTexts() {
  lineOneTexts_.clear();
  StandardFileVisit cases(kCaseFile);
  cases.each(kCaseRecordLength, [this](const AnsiString& record) {
    AnsiString text = TrimRight(record.substr(kLineOneAt, kLineLength));
    if (!text.empty()) lineOneTexts_.push_back(std::move(text));
    return false;
  });
  std::sort(lineOneTexts_.begin(), lineOneTexts_.end(), textsBefore);
  lineOneTexts_.erase(std::unique(lineOneTexts_.begin(), lineOneTexts_.end()), lineOneTexts_.end());
}

void TClientCaseLookF1::readDescriptionLines(int line) {
  lineEntries_.clear();
  const AnsiString number = AnsiString(line < 10 ? "0" : "") + IntToStr(line);
  StandardFileVisit lines(kDescriptionFile);
  lines.each(kDescriptionRecordLength, [&](const AnsiString& record) {
    if (record.compare(kLineNumberAt, 2, number) == 0)
      lineEntries_.push_back({record.substr(kLineTextAt, kLineLength), record.substr(kMatterKeyAt, kMatterKeyLength)});
    return false;
  });
  std::sort(lineEntries_.begin(), lineEntries_.end(), [](const DescriptionEntry& a, const DescriptionEntry& b) {
    return a.text != b.text ? textsBefore(a.text, b.text) : a.key < b.key;
  });
  lineEntries_.erase(std::unique(lineEntries_.begin(), lineEntries_.end(),
                                 [](const DescriptionEntry& a, const DescriptionEntry& b) {
                                   return a.text == b.text && a.key == b.key;
                                 }),
                     lineEntries_.end());
}

void TClientCaseLookF1::SpinEditDescLineChange(TObject*) {
  const int line = static_cast<int>(SpinEditDescLine->CheckValue(SpinEditDescLine->Value()));
  TStrings* items = ComboBoxCaseDesc->Items();
  items->BeginUpdate();
  items->Clear();
  if (line <= 1) {
    lineEntries_.clear();
    for (const AnsiString& text : lineOneTexts_) items->Add(text);
  } else {
    readDescriptionLines(line);
    for (const DescriptionEntry& entry : lineEntries_) items->Add(TrimRight(entry.text));
  }
  items->EndUpdate();
  shownLine_ = std::max(line, 1);
}

void TClientCaseLookF1::ComboBoxCaseDescKeyPress(TObject*, char&) {
  if (!ComboBoxCaseDesc->DroppedDown()) ComboBoxCaseDesc->SetDroppedDown(true);
}

void TClientCaseLookF1::ComboBoxCaseDescExit(TObject*) {
  if (HeaderExitsSuspended || goingToMatter_) return;
  TWinControl* next = qn::ui::focusMoveTarget();
  if (next && SpinEditDescLine->ContainsControl(next)) {
    ComboBoxCaseDesc->SetText("");
    SpinEditDescLineChange(SpinEditDescLine);
    return;
  }
  // Leaving an empty combo names no matter: there is nothing to look for.
  if (Trim(ComboBoxCaseDesc->Text()).empty()) return;
  AnsiString record;
  if (findDescribedMatter(record)) GoToDescribedMatter(record);
}

bool TClientCaseLookF1::findDescribedMatter(AnsiString& record) {
  const AnsiString typed = ComboBoxCaseDesc->Text();
  // A text longer than the line is cut to it before it is looked for.
  const AnsiString choice = TrimRight(typed.substr(0, kLineLength));
  StandardFileVisit cases(kCaseFile);
  if (!cases.open()) return false;
  if (shownLine_ <= 1) {
    const bool found = cases.each(kCaseRecordLength, [&](const AnsiString& candidate) {
      if (TrimRight(candidate.substr(kLineOneAt, kLineLength)) != choice) return false;
      record = candidate;
      return true;
    });
    if (!found) ShowMessage("unable to find case for " + typed + ".");
    return found;
  }
  // The list's row when the text is the chosen row's; else the first row with the typed text.
  const int index = ComboBoxCaseDesc->ItemIndex();
  const DescriptionEntry* entry = nullptr;
  if (index >= 0 && index < static_cast<int>(lineEntries_.size()) && TrimRight(lineEntries_[index].text) == choice)
    entry = &lineEntries_[index];
  for (std::size_t i = 0; !entry && i < lineEntries_.size(); ++i)
    if (TrimRight(lineEntries_[i].text) == choice) entry = &lineEntries_[i];
  if (!entry) {
    ShowMessage("unable to find case for " + typed + ".");
    return false;
  }
  record.assign(kCaseRecordLength, ' ');
  bool eof = false;
  if (FindRecord(kCaseFile, entry->key, record, eof, 0)) return true;
  MessageDlg("The matter (" + entry->key + ") associated with this description line could not be found.", mtError,
             {mbOK}, 0);
  return false;
}

void TClientCaseLookF1::GoToDescribedMatter(const AnsiString& CaseRecord) {
  // A record shorter than the case record reads as blanks past its end.
  AnsiString record = CaseRecord;
  if (record.size() < kCaseRecordLength) record.resize(kCaseRecordLength, ' ');
  const AnsiString code = Trim(record.substr(kMatterKeyAt, 7));
  const AnsiString stored = record.substr(kMatterKeyAt + 7, 7);
  bool known = false;
  {
    StandardFileVisit clients(kClientFile);
    AnsiString client(kClientRecordLength, ' ');
    bool eof = false;
    known = clients.open() && FindRecord(kClientFile, Format("%-7s", {code}), client, eof, 0);
  }
  if (!known) {
    MessageDlg("Unable to find client record for " + code + ".", mtError, {mbOK}, 0);
    return;
  }
  // A fixed matter holds the header: no other one can be typed into it.
  if (!ClientCode->CanFocus()) return;
  ClientCode->SetText(code);
  ClientCode->SetFocus();
  qn::ui::postKeyStroke(VK_TAB);
  CaseSuffix->SetText(ListCasesInNumericOrder ? stored : Format("%-7s", {Trim(stored)}));
  // The code's Tab goes to the next control in tab order, which is the suffix only in some entry
  // modes: the suffix takes the focus for its own Tab. A code its check refused keeps the focus.
  // Until the suffix has the focus, passing through the combo goes to no matter again.
  goingToMatter_ = true;
  qn::ui::postCall(this, [this] {
    const bool accepted = Screen->ActiveControl() != ClientCode && !Trim(ClientName->Text()).empty();
    if (accepted && Screen->ActiveControl() != CaseSuffix && CaseSuffix->CanFocus()) CaseSuffix->SetFocus();
    goingToMatter_ = false;
    if (accepted) qn::ui::postKeyStroke(VK_TAB);
  });
}
