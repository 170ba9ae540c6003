#include "dialogs/ZOLTEmlF.h"

#include <algorithm>

#include "core/MessageBoxes.h"
#include "core/Settings.h"
#include "core/SettingKeys.h"
#include "dialogs/PrintRegistry.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/ui/Color.h"
#include "framework/ui/PlaceControl.h"
#include "platform/os/RegistryError.h"
#include "platform/os/RegistryKey.h"

namespace {

const AnsiString kPlaceholder = "  <Enter email text here>";
const AnsiString kPortText =
    "The outgoing email port setting must be a positive number.  Please consult with your ISP Host if you are unsure "
    "of the correct setting.";
const AnsiString kAccountKey = "\\Software\\Microsoft\\Internet Account Manager\\Accounts\\00000001";
constexpr int kDefaultLogLimit = 150;

struct Program {
  char letter;
  const char* name;
};
constexpr Program kPrograms[] = {{'E', "Quillon Emailer"},
                                 {'I', "Microsoft compliant Email Program (Outlook, Eureka, others)"},
                                 {'O', "Mozilla Thunderbird (open source download)"}};

const Program* programOf(char letter) {
  for (const Program& p : kPrograms)
    if (p.letter == UpperCase(AnsiString(1, letter))[0]) return &p;
  return nullptr;
}
const Program* programNamed(const AnsiString& name) {
  for (const Program& p : kPrograms)
    if (name == p.name) return &p;
  return nullptr;
}

void setItems(RadioButtonGroup* group, std::initializer_list<const char*> items) {
  StringList lines;
  for (const char* item : items) lines.Add(item);
  group->SetItems(&lines);
}

TextLabel* label(TForm* form, int left, int top, int width, const char* caption) {
  auto* text = PlaceControl<TextLabel>(form, form, left, top, width, 13);
  text->SetCaption(caption);
  return text;
}

// The account the mail program of the desktop keeps; empty when there is none.
AnsiString accountValue(const char* name) {
  try {
    qn::os::RegistryKey registry(qn::os::HKEY_CURRENT_USER, qn::os::KEY_READ);
    if (registry.OpenKeyReadOnly(kAccountKey) && registry.ValueExists(name)) return registry.ReadString(name);
  } catch (const qn::os::RegistryError&) {
  }
  return "";
}

}  // namespace

TZOLTEmlF::TZOLTEmlF(TComponent* AOwner) : TForm(AOwner) {
  SetName("ZOLTEmlF");
  SetCaption("Quillon Email Setup");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(560);
  SetClientHeight(470);

  ProgramGrid = PlaceControl<EmailProgramGrid>(this, this, 8, 8, 500, 80);
  ProgramGrid->Font()->SetName("Arial");
  ProgramGrid->Font()->SetSize(7);
  ProgramGrid->setRowCount(1 + static_cast<int>(std::size(kPrograms)));
  ProgramGrid->setDefaultRowHeight(16);
  ProgramGrid->setColumnWidth(EmailProgramGrid::NameColumn, 476);
  ProgramGrid->setCellText(EmailProgramGrid::NameColumn, 0, "Email ZOLT Reports using:");
  ProgramSpinButton = PlaceControl<TdcSpinButton>(this, this, 516, 8, 20, 40);

  ReportTextRadioGroup = PlaceControl<RadioButtonGroup>(this, this, 8, 100, 260, 84);
  ReportTextRadioGroup->SetCaption("Report email text");
  setItems(ReportTextRadioGroup,
           {"Use the report header comment", "Prompt me for each report", "Insert custom text as indicated below"});
  ReportTextMemo = PlaceControl<TMemo>(this, this, 8, 188, 260, 70);

  label(this, 280, 100, 270, "Statement subject line");
  SubjectEdit = PlaceControl<TEdit>(this, this, 280, 116, 272, 21);
  StatementTextRadioGroup = PlaceControl<RadioButtonGroup>(this, this, 280, 140, 272, 54);
  StatementTextRadioGroup->SetCaption("Statement email text");
  setItems(StatementTextRadioGroup, {"Prompt me for each statement", "Insert custom text as indicated below"});
  StatementTextMemo = PlaceControl<TMemo>(this, this, 280, 198, 272, 60);

  SenderRadioGroup = PlaceControl<RadioButtonGroup>(this, this, 8, 268, 260, 64);
  SenderRadioGroup->SetCaption("Sender (Quillon Emailer)");
  setItems(SenderRadioGroup, {"Prompt me when needed", "From:"});
  SenderEdit = PlaceControl<TEdit>(this, this, 70, 306, 190, 21);

  label(this, 280, 268, 160, "Outgoing mail (SMTP) host");
  HostEdit = PlaceControl<TEdit>(this, this, 280, 284, 272, 21);
  label(this, 280, 312, 60, "Port");
  PortEdit = PlaceControl<TEdit>(this, this, 280, 328, 60, 21);
  PortEdit->SetMaxLength(5);
  label(this, 8, 346, 260, "Statement email log entries kept");
  LogLimitSpinEdit = PlaceControl<TdcDBSpinEdit>(this, this, 8, 362, 80, 21);
  LogLimitSpinEdit->SetMinValue(1);
  LogLimitSpinEdit->SetMaxValue(9999);

  SaveBitBtn = PlaceControl<GlyphButton>(this, this, 180, 430, 90, 27);
  SaveBitBtn->SetKind(gbkOK);
  SaveBitBtn->SetModalResult(mrNone);
  SaveBitBtn->SetCaption("&Save");
  ExitBitBtn = PlaceControl<GlyphButton>(this, this, 290, 430, 90, 27);
  ExitBitBtn->SetKind(gbkCancel);
  ExitBitBtn->SetCaption("E&xit");
  ExitBitBtn->SetCancel(true);

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  SaveBitBtn->OnClick = [this](TObject* Sender) { SaveBitBtnClick(Sender); };
  PortEdit->OnExit = [this](TObject* Sender) { PortEditExit(Sender); };
  ProgramGrid->OnCheckToggled = [this](int Row) { ProgramChecked(Row); };
  ProgramSpinButton->OnUpClick = [this](TObject*) { ProgramGrid->moveRow(ProgramGrid->Row(), -1); };
  ProgramSpinButton->OnDownClick = [this](TObject*) { ProgramGrid->moveRow(ProgramGrid->Row(), 1); };
  ReportTextRadioGroup->OnClick = [this](TObject* Sender) { TextChoiceClick(Sender); };
  StatementTextRadioGroup->OnClick = [this](TObject* Sender) { TextChoiceClick(Sender); };
  SenderRadioGroup->OnClick = [this](TObject* Sender) { SenderRadioGroupClick(Sender); };
  LoadSettings("", "", "");
}

void TZOLTEmlF::LoadSettings(const AnsiString& ReportEmail, const AnsiString& Sender, const AnsiString& StatementEmail) {
  saved_ = false;
  LogLimitSpinEdit->SetEnabled(true);
  LogLimitSpinEdit->SetColor(clWindow);
  const AnsiString limitText = RegReadHostValue("StatementEmailLogLimit");
  if (limitText.empty()) WriteSetting("StatementEmailLogLimit", IntToStr(kDefaultLogLimit));
  int limit = 0;
  LogLimitSpinEdit->SetValue(TryStrToInt(Trim(limitText), limit) ? limit : kDefaultLogLimit);

  // Letters after the first "|", the text choice, a "0", then the custom text.
  AnsiString report = ReportEmail.empty() ? AnsiString("|Eoi20") : ReportEmail;
  const std::size_t bar = report.find('|');
  report = bar == AnsiString::npos ? report : report.substr(bar + 1);
  std::vector<const Program*> order;
  std::vector<bool> allowed;
  for (std::size_t i = 0; i < 3 && i < report.size(); ++i) {
    const Program* p = programOf(report[i]);
    if (!p || std::find(order.begin(), order.end(), p) != order.end()) continue;
    order.push_back(p);
    allowed.push_back(report[i] == p->letter);
  }
  for (const Program& p : kPrograms)
    if (std::find(order.begin(), order.end(), &p) == order.end()) {
      order.push_back(&p);
      allowed.push_back(false);
    }
  for (std::size_t i = 0; i < order.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    ProgramGrid->setCellText(EmailProgramGrid::NameColumn, row, order[i]->name);
    ProgramGrid->setAllowed(row, allowed[i]);
  }
  ProgramGrid->moveCurrentCell(EmailProgramGrid::NameColumn, 1);
  const int choice = report.size() > 3 && report[3] >= '0' && report[3] <= '2' ? report[3] - '0' : ReportCustom;
  ReportTextRadioGroup->SetItemIndex(choice);
  AnsiString custom = choice == ReportCustom && report.size() > 5 ? report.substr(5) : AnsiString();
  if (custom.size() == 1) custom.clear();
  showCustomText(ReportTextMemo, choice == ReportCustom, custom);

  SenderRadioGroup->SetItemIndex(Sender.empty() ? SenderPrompt : SenderFrom);
  SenderEdit->SetText(Sender);
  enableSender(ProgramGrid->allowed(suiteSenderRow()));

  // Subject "|" choice "|" custom text.
  AnsiString statement = StatementEmail.empty() ? AnsiString("Quillon statement|0|") : StatementEmail;
  const std::size_t first = statement.find('|');
  SubjectEdit->SetText(statement.substr(0, first));
  const AnsiString rest = first == AnsiString::npos ? AnsiString() : statement.substr(first + 1);
  const int statementChoice = !rest.empty() && rest[0] == '1' ? StatementCustom : StatementPrompt;
  StatementTextRadioGroup->SetItemIndex(statementChoice);
  const std::size_t second = rest.find('|');
  showCustomText(StatementTextMemo, statementChoice == StatementCustom,
                 statementChoice == StatementCustom && second != AnsiString::npos ? rest.substr(second + 1)
                                                                                  : AnsiString());
}

void TZOLTEmlF::FormShow(TObject*) {
  // The desktop mail program's account gives the defaults; the suite's own values come after.
  AnsiString address = accountValue("SMTP Email Address");
  AnsiString host = accountValue("SMTP Server");
  if (SenderEdit->Text().empty()) SenderEdit->SetText(address.empty() ? RegReadHostValue("ZOLT_AutoEmailFrom") : address);
  const AnsiString ownHost = RegReadHostValue("ZOLT_AutoEmailHost");
  HostEdit->SetText(ownHost.empty() ? host : ownHost);
  PortEdit->SetText(RegReadHostValue("ZOLT_AutoEmailPort"));
  SenderEdit->SetEnabled(SenderRadioGroup->Enabled() && SenderRadioGroup->ItemIndex() == SenderFrom);
  fitGrid();
}

void TZOLTEmlF::fitGrid() {
  int height = 4;
  for (int row = 0; row < ProgramGrid->rowCount(); ++row) height += ProgramGrid->rowHeight(row) + ProgramGrid->lineWidth();
  ProgramGrid->SetHeight(height);
}

int TZOLTEmlF::suiteSenderRow() const {
  for (int row = 1; row < ProgramGrid->rowCount(); ++row)
    if (const Program* p = programNamed(ProgramGrid->cellText(EmailProgramGrid::NameColumn, row)); p && p->letter == 'E')
      return row;
  return 1;
}

void TZOLTEmlF::enableSender(bool enabled) {
  SenderRadioGroup->SetEnabled(enabled);
  if (!enabled) {
    SenderRadioGroup->SetItemIndex(SenderPrompt);
    SenderEdit->SetText("");
  }
  SenderEdit->SetEnabled(enabled && SenderRadioGroup->ItemIndex() == SenderFrom);
}

void TZOLTEmlF::ProgramChecked(int Row) {
  if (Row == suiteSenderRow()) enableSender(ProgramGrid->allowed(Row));
}

void TZOLTEmlF::SenderRadioGroupClick(TObject*) { SenderEdit->SetEnabled(SenderRadioGroup->ItemIndex() == SenderFrom); }

void TZOLTEmlF::TextChoiceClick(TObject* Sender) {
  if (Sender == ReportTextRadioGroup)
    showCustomText(ReportTextMemo, ReportTextRadioGroup->ItemIndex() == ReportCustom, customText(ReportTextMemo));
  else
    showCustomText(StatementTextMemo, StatementTextRadioGroup->ItemIndex() == StatementCustom,
                   customText(StatementTextMemo));
}

void TZOLTEmlF::showCustomText(TMemo* memo, bool enabled, const AnsiString& text) {
  // An empty text shows the invitation, greyed; a chosen custom text is typed over it.
  const bool invitation = text.empty() && !enabled;
  memo->SetText(invitation ? kPlaceholder : text);
  memo->Font()->SetColor(invitation ? clGrayText : clNavy);
  memo->Font()->SetStyle(invitation ? TFontStyles{fsItalic} : TFontStyles{});
  memo->SetEnabled(enabled);
}

AnsiString TZOLTEmlF::customText(const TMemo* memo) {
  return memo->Text() == kPlaceholder ? AnsiString() : memo->Text();
}

bool TZOLTEmlF::portAccepted() {
  const AnsiString port = Trim(PortEdit->Text());
  int value = 0;
  // A port is a whole number the protocol can carry; five digits alone would let 99999 through.
  if (port.empty() || (TryStrToInt(port, value) && value >= 0 && value <= 65535 &&
                       port.find_first_not_of("0123456789") == AnsiString::npos))
    return true;
  ShowInformationBox(kPortText);
  if (PortEdit->CanFocus()) PortEdit->SetFocus();
  return false;
}

void TZOLTEmlF::PortEditExit(TObject*) {
  if (!ExitBitBtn->Focused()) portAccepted();
}

AnsiString TZOLTEmlF::ReportEmailValue() const {
  AnsiString letters;
  for (int row = 1; row < ProgramGrid->rowCount(); ++row) {
    const Program* p = programNamed(ProgramGrid->cellText(EmailProgramGrid::NameColumn, row));
    if (!p) continue;
    letters += ProgramGrid->allowed(row) ? p->letter : static_cast<char>(p->letter - 'A' + 'a');
  }
  while (letters.size() < 3) letters.insert(letters.begin(), '0');
  const int choice = ReportTextRadioGroup->ItemIndex();
  return "|" + letters + IntToStr(choice) + "0" + (choice == ReportCustom ? customText(ReportTextMemo) : AnsiString());
}

AnsiString TZOLTEmlF::StatementEmailValue() const {
  const int choice = StatementTextRadioGroup->ItemIndex();
  return SubjectEdit->Text() + "|" + IntToStr(choice) + "|" +
         (choice == StatementCustom ? customText(StatementTextMemo) : AnsiString());
}

AnsiString TZOLTEmlF::SenderValue() const {
  return SenderRadioGroup->ItemIndex() == SenderFrom && !Trim(SenderEdit->Text()).empty() ? SenderEdit->Text()
                                                                                           : AnsiString();
}

void TZOLTEmlF::SaveBitBtnClick(TObject*) {
  if (!portAccepted()) return;
  const std::pair<const char*, AnsiString> values[] = {
      {"ZOLT_Email", ReportEmailValue()},           {"Statement_Email", StatementEmailValue()},
      {"ZOLT_AutoEmailFrom", SenderValue()},        {"ZOLT_AutoEmailHost", HostEdit->Text()},
      {"ZOLT_AutoEmailPort", Trim(PortEdit->Text())},
  };
  // The settings writer has told the user of a value it could not write; the form stays.
  for (const auto& [name, value] : values)
    if (!WriteSetting(name, value)) return;
  if (LogLimitSpinEdit->Enabled() &&
      !WriteSetting("StatementEmailLogLimit", IntToStr(static_cast<int>(LogLimitSpinEdit->Value()))))
    return;
  saved_ = true;
  SetModalResult(mrOk);
}
