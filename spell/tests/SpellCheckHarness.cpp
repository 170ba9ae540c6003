#include "spell/tests/SpellCheckHarness.h"

#include "spell/ConfigDialog.h"
#include "spell/DctWriter.h"
#include "testing/TestDirs.h"

namespace spelltest {

const std::vector<AnsiString> kWords = {
    "a",     "and",  "appraisal", "cat",  "claim", "eight", "eleven", "five", "four", "hale", "heirs", "is",
    "it",    "mat",  "nine",      "on",   "one",   "sat",   "seven",  "six",  "smith", "ten", "test",  "the",
    "this",  "three", "twelve",   "two",  "we",    "receive", "word"};
const AnsiString kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789'";

FakeDialog::FakeDialog(TComponent* owner) : TForm(owner) {
  SetBounds(0, 0, 300, 200);
  edit = new TEdit(this);
  edit->SetParent(this);
  list = new ListBox(this);
  list->SetParent(this);
  dc = new TDialogControl(this);
  dc->WordEdit = edit;
  dc->Suggestions = list;
  dc->OnChangeEnabled = [this](TObject*, int element, bool value) { enabled[element] = value; };
  dc->OnChangeVisible = [this](TObject*, int element, bool value) { visible[element] = value; };
  dc->OnSetCaption = [this](TObject*, int element, const AnsiString& text) { captions[element] = text; };
  dc->OnGetCaption = [this](TObject*, int element, AnsiString& text) { text = captions[element]; };
}

Harness::Harness(bool withTrie) {
  qn::ui::testing::qtApplication();
  folder_ = qn::testing::makeScratchDir("spell-check");
  program_ = std::make_unique<qn::os::ExecutablePathOverride>(folder_ + "/qncases");
  if (withTrie) WriteDctFile(folder_ + "/english.dct", "Test English", kLetters, {kWords});
  owner_ = std::make_unique<TComponent>(nullptr);
  spell_ = new TVorlexSpell(owner_.get());
  spell_->BackgroundSuggestions = false;
  spell_->EndShowMessage = emNever;
  spell_->ReloadConfiguration();
  hook();
}

Harness::Harness(TVorlexSpell& external) : spell_(&external), external_(true) {
  qn::ui::testing::qtApplication();
  folder_ = qn::testing::makeScratchDir("spell-engine");
  program_ = std::make_unique<qn::os::ExecutablePathOverride>(folder_ + "/qncases");
  endShowMessage_ = spell_->EndShowMessage;
  spell_->EndShowMessage = emNever;
  spell_->BackgroundSuggestions = false;
  hook();
}

void Harness::hook() {
  spell_->OnCreateDialog = [this](TObject*, TForm*& form) { form = dialog = new FakeDialog(spell_); };
  spell_->OnFreeDialog = [this](TObject*, TForm*& form) {
    delete form;
    dialog = nullptr;
  };
  spell_->OnMisspelledWord = [this](TObject*) {
    Stop stop;
    stop.word = dialog->captions[deNotFound];
    stop.errorLabel = dialog->captions[deErrorLabel];
    stop.changeCaption = dialog->captions[deChange];
    for (int i = 0; i < dialog->list->Items()->Count(); ++i) stop.suggestions.push_back((*dialog->list->Items())[i]);
    stop.enabled = dialog->enabled;
    stops.push_back(stop);
    QTimer::singleShot(0, QCoreApplication::instance(), [this] { pressNext(); });
  };
}

Harness::~Harness() {
  if (external_) {
    spell_->OnCreateDialog = nullptr;
    spell_->OnFreeDialog = nullptr;
    spell_->OnMisspelledWord = nullptr;
    spell_->OnSetupCreate = nullptr;
    spell_->EndShowMessage = endShowMessage_;
    spell_->BackgroundSuggestions = true;
  }
  owner_.reset();
  program_.reset();
}

void Harness::configure(const std::string& mainPath, const AnsiString& title, const std::vector<std::string>& users,
                        int userIndex, SpellOptionSet options) {
  TConfiguration& config = *spell_->Configuration();
  config.Mains().clear();
  if (!mainPath.empty()) config.Mains().push_back({mainPath, true, title});
  config.Users().clear();
  for (const std::string& user : users) config.Users().push_back({user, true});
  config.SetUserIndex(userIndex);
  config.SetOptions(options);
  config.SetModified(true);
  config.Save();
  spell_->ReloadConfiguration();
}

void Harness::setOptions(SpellOptionSet options) { spell_->Configuration()->SetOptions(options); }

AnsiString Harness::check(const AnsiString& text, std::deque<Step> script) {
  script_ = std::move(script);
  AnsiString checked = text;
  spell_->CheckString(checked);
  return checked;
}

void Harness::pressNext() {
  if (!dialog || !spell_->Checking()) return;
  Step step{lastAction, ""};
  if (!script_.empty()) {
    step = std::move(script_.front());
    script_.pop_front();
  }
  if (step.check) step.check();
  if (step.pick) {
    const int index = dialog->list->Items()->IndexOf(step.replacement);
    dialog->list->SetItemIndex(index);
    if (index >= 0 && dialog->list->OnClick) dialog->list->OnClick(dialog->list);
  } else if (!step.replacement.empty()) {
    dialog->edit->SetText(step.replacement);
  }
  dialog->dc->DoAction(step.action);
}

void AnswerConfigDialog(TVorlexSpell& spell, std::function<void(TForm&)> change, bool ok) {
  auto used = std::make_shared<bool>(false);
  spell.OnSetupCreate = [change = std::move(change), ok, used](TObject*, TForm*& form) {
    if (*used) return;
    *used = true;
    TForm* shown = form;
    QTimer::singleShot(0, QCoreApplication::instance(), [shown, change, ok] {
      if (change) change(*shown);
      shown->SetModalResult(ok ? mrOk : mrCancel);
    });
  };
}

}  // namespace spelltest
