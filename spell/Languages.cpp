#include "spell/Languages.h"

namespace {

const char* const kEnglish[stTextCount] = {
    "Spell Check Complete",
    "Words Checked: ",
    "",
    "Spell Check",
    "&Change All",
    "C&hange",
    "&Ignore All",
    "I&gnore",
    "&Add",
    "Au&to-Correct",
    "S&uggest",
    "Start",
    "Undo &Last",
    "&Options",
    "&Delete",
    "Hel&p",
    "Cancel",
    "Not Found:",
    "Repeated Word:",
    "Replace With:",
    "Suggestions:",
    "(Working...)",
    "Spell Check Configuration",
    "Dictionaries",
    "Options",
    "&OK",
    "&Cancel",
    " Main Dictionaries: ",
    "&Add",
    "&Remove",
    " User Dictionaries: ",
    "A&dd",
    "R&emove",
    "&New",
    "Add Words &To;",
    " Ignore: ",
    " Suggestions: ",
    " General: ",
    "Reset Ignore &All",
    "R&eset Change All",
    "Words in &UPPERCASE",
    "Words Containing &Numbers",
    "&HTML Tags",
    "UR&Ls and E-mail Addresses",
    "Quoted Lines",
    "&Generate Automatically",
    "From &Primary Dictionary Only",
    "Re-check Replaced Words",
    "Prompt on Repeated Word",
    "Prompt on &DUal CAps",
    "User Option 1",
    "User Option 2",
    "User Option 3",
    "User Option 4",
    "Dictionary Files",
    "Open Main Dictionary",
    "User Dictionaries",
    "Open User Dictionary",
    "User Dictionary File",
    "New User Dictionary",
    "A main dictionary has yet to be\\set for this configuration.\\\\Edit configuration?",
    "This dictionary file could not be\\located.  It needs to be moved\\to the specified directory or\\this entry "
    "should be removed.",
    "Unable to find dictionary file:",
    "Exit without saving configuration?",
};

const char* const kEndMark = "@@@";

}  // namespace

AnsiString ExpandLineMarks(const AnsiString& Text) {
  AnsiString out;
  for (char c : Text) {
    if (c == '\\') out += "\r\n";
    else out += c;
  }
  return out;
}

TLanguageModule::TLanguageModule() : name_("English (US)"), texts_(std::begin(kEnglish), std::end(kEnglish)) {}

TLanguageModule::TLanguageModule(const AnsiString& Name, std::vector<AnsiString> Texts)
    : name_(Name), texts_(std::move(Texts)) {}

AnsiString TLanguageModule::Text(int Id) const {
  if (Id < 0 || Id >= Count()) return "";
  return texts_[static_cast<size_t>(Id)];
}

void TLanguageModule::SetText(int Id, const AnsiString& Value) {
  if (Id < 0) return;
  if (Id >= Count()) texts_.resize(static_cast<size_t>(Id) + 1);
  texts_[static_cast<size_t>(Id)] = Value;
}

TLanguages::TLanguages() { modules_.emplace_back(); }

void TLanguages::WriteTo(TStrings& Lines) const {
  Lines.Clear();
  for (const TLanguageModule& module : modules_) {
    Lines.Add(module.Name());
    for (int i = 0; i < module.Count(); ++i) Lines.Add(module.Text(i));
    Lines.Add(kEndMark);
  }
}

bool TLanguages::ReadFrom(const TStrings& Lines, int LangCount) {
  std::vector<TLanguageModule> read;
  int line = 0;
  for (int n = 0; n < LangCount; ++n) {
    if (line >= Lines.Count()) return false;
    const AnsiString name = Lines[line++];
    std::vector<AnsiString> texts;
    while (line < Lines.Count() && Lines[line] != kEndMark) texts.push_back(Lines[line++]);
    if (line >= Lines.Count()) return false;
    ++line;  // the end mark
    read.emplace_back(name, std::move(texts));
  }
  if (line != Lines.Count() || read.empty()) return false;
  modules_ = std::move(read);
  return true;
}
