#include "spell/VorlexSpellDialog.h"

#include <algorithm>

#include "spell/CaptionWidth.h"
#include "spell/PlaceControl.h"
#include "spell/VorlexSpell.h"

namespace {

constexpr int kColumnWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kLeft = 8;
constexpr int kBoxLeft = 86;
constexpr int kBoxWidth = 150;
constexpr int kFirstColumn = 244;
constexpr int kSecondColumn = 325;

void moveRight(TControl* control, int by) { control->SetLeft(control->Left() + by); }

}  // namespace

TForm* CreateVorlexSpellDialog(TComponent* Owner) { return new TVorlexSpellDialog(Owner); }

TVorlexSpellDialog::TVorlexSpellDialog(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetFormStyle(fsStayOnTop);
  SetClientWidth(kSecondColumn + kColumnWidth + kLeft);
  SetClientHeight(214);

  ErrorLabel = placeControl<TextLabel>(this, this, "ErrorLabel", kLeft, 12, kColumnWidth, 13);
  NotFound = placeControl<TEdit>(this, this, "NotFound", kBoxLeft, 8, kSecondColumn + kColumnWidth - kBoxLeft, 21);
  NotFound->SetReadOnly(true);
  ActionLabel = placeControl<TextLabel>(this, this, "ActionLabel", kLeft, 40, kColumnWidth, 13);
  WordEdit = placeControl<TEdit>(this, this, "WordEdit", kBoxLeft, 36, kBoxWidth, 21);
  SuggestLabel = placeControl<TextLabel>(this, this, "SuggestLabel", kLeft, 68, kColumnWidth, 13);
  SuggestBox = placeControl<ListBox>(this, this, "SuggestBox", kBoxLeft, 64, kBoxWidth, 142);

  Suggest = placeControl<TButton>(this, this, "Suggest", kLeft, 97, kColumnWidth, kButtonHeight);
  Start = placeControl<TButton>(this, this, "Start", kLeft, 125, kColumnWidth, kButtonHeight);
  UndoLast = placeControl<TButton>(this, this, "UndoLast", kLeft, 153, kColumnWidth, kButtonHeight);
  Options = placeControl<TButton>(this, this, "Options", kLeft, 181, kColumnWidth, kButtonHeight);

  ChangeAll = placeControl<TButton>(this, this, "ChangeAll", kFirstColumn, 36, kColumnWidth, kButtonHeight);
  Change = placeControl<TButton>(this, this, "Change", kFirstColumn, 64, kColumnWidth, kButtonHeight);
  IgnoreAll = placeControl<TButton>(this, this, "IgnoreAll", kFirstColumn, 92, kColumnWidth, kButtonHeight);
  Ignore = placeControl<TButton>(this, this, "Ignore", kFirstColumn, 120, kColumnWidth, kButtonHeight);
  Add = placeControl<TButton>(this, this, "Add", kSecondColumn, 36, kColumnWidth, kButtonHeight);
  AutoCorrect = placeControl<TButton>(this, this, "AutoCorrect", kSecondColumn, 64, kColumnWidth, kButtonHeight);
  Help = placeControl<TButton>(this, this, "Help", kSecondColumn, 92, kColumnWidth, kButtonHeight);
  Cancel = placeControl<GlyphButton>(this, this, "Cancel", kSecondColumn, 120, kColumnWidth, kButtonHeight);
  Cancel->SetKind(gbkCancel);
  Cancel->SetModalResult(mrNone);

  const std::pair<TControl*, int> contexts[] = {
      {ChangeAll, 900}, {Change, 901},   {IgnoreAll, 902}, {Ignore, 903},   {Add, 904},      {AutoCorrect, 905},
      {Suggest, 906},   {Start, 907},    {UndoLast, 908},  {Options, 909},  {Cancel, 911},   {NotFound, 912},
      {WordEdit, 913},  {SuggestBox, 914}};
  for (const auto& [control, context] : contexts) control->SetHelpContext(context);
  for (TButton* button : {ChangeAll, Change, IgnoreAll, Ignore, Add, AutoCorrect, Suggest, Start, UndoLast})
    button->SetEnabled(false);

  DC = new TDialogControl(this);
  DC->SetName("DC");
  DC->WordEdit = WordEdit;
  DC->Suggestions = SuggestBox;
  DC->OnChangeEnabled = [this](TObject*, int element, bool value) {
    if (TControl* control = Element(element)) control->SetEnabled(value);
  };
  DC->OnChangeVisible = [this](TObject*, int element, bool value) {
    if (TControl* control = Element(element)) control->SetVisible(value);
  };
  DC->OnSetCaption = [this](TObject*, int element, const AnsiString& text) {
    if (TControl* control = Element(element)) control->SetText(text);
  };
  DC->OnGetCaption = [this](TObject*, int element, AnsiString& text) {
    if (TControl* control = Element(element)) text = control->Text();
  };
  DC->OnResize = [this](TObject*) { widenForCaptions(); };
  const std::pair<TButton*, int> actions[] = {
      {Suggest, daSuggest}, {Start, daStart},         {UndoLast, daUndoLast}, {Options, daOptions},
      {ChangeAll, daChangeAll}, {Change, daChange},   {IgnoreAll, daIgnoreAll}, {Ignore, daIgnore},
      {Add, daAdd},         {AutoCorrect, daAutoCorrect}, {Help, daHelp},     {Cancel, daCancel}};
  for (const auto& [button, action] : actions)
    button->OnClick = [this, action = action](TObject*) { DC->DoAction(action); };
}

TControl* TVorlexSpellDialog::Element(int Index) const {
  TControl* const elements[deElementCount] = {ChangeAll, Change,   IgnoreAll, Ignore,     Add,
                                              AutoCorrect, Suggest, Start,     UndoLast,   Options,
                                              Help,      Cancel,   NotFound,  WordEdit,   SuggestBox,
                                              ErrorLabel, ActionLabel, SuggestLabel};
  return Index >= 0 && Index < deElementCount ? elements[Index] : nullptr;
}

void TVorlexSpellDialog::widenForCaptions() {
  int w1 = 71;
  for (TControl* control : {static_cast<TControl*>(ErrorLabel), static_cast<TControl*>(ActionLabel),
                            static_cast<TControl*>(SuggestLabel), static_cast<TControl*>(Suggest),
                            static_cast<TControl*>(Start), static_cast<TControl*>(UndoLast),
                            static_cast<TControl*>(Options)})
    w1 = std::max(w1, captionWidth(Font(), control->Text()));
  w1 += 4;
  if (w1 > kColumnWidth) {
    const int by = w1 - kColumnWidth;
    for (TControl* control : {static_cast<TControl*>(ErrorLabel), static_cast<TControl*>(ActionLabel),
                              static_cast<TControl*>(SuggestLabel), static_cast<TControl*>(Suggest),
                              static_cast<TControl*>(Start), static_cast<TControl*>(UndoLast),
                              static_cast<TControl*>(Options)})
      control->SetWidth(w1);
    for (TControl* control : {static_cast<TControl*>(NotFound), static_cast<TControl*>(WordEdit),
                              static_cast<TControl*>(SuggestBox), static_cast<TControl*>(ChangeAll),
                              static_cast<TControl*>(Change), static_cast<TControl*>(IgnoreAll),
                              static_cast<TControl*>(Ignore), static_cast<TControl*>(Add),
                              static_cast<TControl*>(AutoCorrect), static_cast<TControl*>(Help),
                              static_cast<TControl*>(Cancel)})
      moveRight(control, by);
    SetClientWidth(ClientWidth() + by);
  }
  TButton* const buttons[] = {ChangeAll, Change, IgnoreAll, Ignore, Add, AutoCorrect, Help, Cancel};
  int w2 = 71;
  for (TButton* button : buttons)
    w2 = std::max(w2, captionWidth(Font(), button->Caption()) + (button == Cancel ? 22 : 0));
  w2 += 4;
  if (w2 > kColumnWidth) {
    const int grow = 2 * (w2 - 4) - 142;
    for (TButton* button : buttons) button->SetWidth(w2);
    for (TButton* button : std::initializer_list<TButton*>{Add, AutoCorrect, Help, Cancel}) moveRight(button, w2 - kColumnWidth);
    NotFound->SetWidth(NotFound->Width() + grow);
    SetClientWidth(ClientWidth() + grow);
  }
}
