#include "spell/ConfigDialog.h"

#include <algorithm>
#include <optional>

#include "framework/ui/Application.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/FileDialogs.h"
#include "framework/ui/HelpService.h"
#include "framework/ui/Screen.h"
#include "platform/os/FileNames.h"
#include "platform/os/Files.h"
#include "framework/base/TextCase.h"
#include "spell/CaptionWidth.h"
#include "spell/Dictionary.h"
#include "spell/DictionaryTitle.h"
#include "spell/Languages.h"
#include "spell/UserDictionary.h"
#include "spell/PlaceControl.h"
#include "spell/VorlexSpell.h"

namespace {

constexpr int kBoxPixels = 14;
constexpr int kPageWidth = 329;
constexpr int kOptionCount = 14;
// The options page's groups: their caption text and their options' bits, in order.
struct OptionGroup {
  int caption;
  std::vector<int> bits;
};
const OptionGroup kGroups[] = {{35, {0, 1, 2, 3, 4}}, {36, {5, 6}}, {37, {7, 8, 9, 10, 11, 12, 13}}};
// The caption text of option bit n is 40 + n.
constexpr int kFirstOptionText = 40;

void setArrow(GlyphButton* button, const char* name) {
  BitmapImage bitmap;
  bitmap.LoadFromResourceName(name);
  button->SetGlyph(bitmap);
}

template <class Entry>
void swapEntries(std::vector<Entry>& entries, ListBox* list, int by) {
  const int index = list->ItemIndex();
  const int other = index + by;
  if (index < 0 || other < 0 || other >= static_cast<int>(entries.size())) return;
  std::swap(entries[static_cast<size_t>(index)], entries[static_cast<size_t>(other)]);
  list->Items()->Exchange(index, other);
  list->SetItemIndex(other);
}

// The path of an existing file the user picks, or nothing when none is picked.
std::optional<AnsiString> pickExistingFile(const AnsiString& title, const AnsiString& filter, const char* extension) {
  FileDialogRequest request;
  request.title = title;
  request.filter = filter;
  request.defaultExtension = extension;
  request.fileMustExist = true;
  const auto answer = qn::ui::showOpenFileDialog(request);
  if (!answer || !qn::os::fileExists(answer->fileName)) return std::nullopt;
  return answer->fileName;
}

// Flips whether a listed dictionary is used; one whose file is gone is told about and stays unused
// (false).
template <class Entry>
bool toggleActive(Entry& entry, const AnsiString& missingMessage) {
  if (!entry.Active && !qn::os::fileExists(entry.Path)) {
    MessageDlg(ExpandLineMarks(missingMessage) + "\r\n\r\n" + entry.Path, mtInformation, {mbOK}, 0);
    return false;
  }
  entry.Active = !entry.Active;
  return true;
}

}  // namespace

TConfigDialog::TConfigDialog(TComponent* AOwner, TVorlexSpell& Spell, TConfiguration& Working)
    : TForm(AOwner), spell_(Spell), working_(Working) {
  SetName("ConfigDialog");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetCaption(text(stConfigCaption));

  Pages = placeControl<PageControl>(this, this, "Pages", 8, 8, kPageWidth, 240);
  DictionariesPage = Pages->AddPage(text(23));
  DictionariesPage->SetName("DictionariesPage");
  OptionsPage = Pages->AddPage(text(24));
  OptionsPage->SetName("OptionsPage");
  buildDictionariesPage();
  buildOptionsPage();

  int buttonWidth = 71;
  for (int id : {25, 26, 15}) buttonWidth = std::max(buttonWidth, captionWidth(Font(), text(id)) + 22);
  const int pageWidth = std::max(kPageWidth, Pages->Width());
  const int column = 8 + pageWidth + 8;
  OKButton = placeControl<TButton>(this, this, "OKButton", column, 8, buttonWidth, 25);
  OKButton->SetCaption(text(25));
  OKButton->SetHelpContext(816);
  OKButton->SetDefault(true);
  OKButton->SetModalResult(mrOk);
  CancelButton = placeControl<TButton>(this, this, "CancelButton", column, 36, buttonWidth, 25);
  CancelButton->SetCaption(text(26));
  CancelButton->SetHelpContext(817);
  CancelButton->SetCancel(true);
  CancelButton->SetModalResult(mrCancel);
  HelpButton = placeControl<TButton>(this, this, "HelpButton", column, 64, buttonWidth, 25);
  HelpButton->SetCaption(text(stHelp));
  HelpButton->OnClick = [this](TObject*) {
    const int context = Pages->PageIndex() == 0 ? spell_.HelpContextConfig1 : spell_.HelpContextConfig2;
    qn::ui::showHelp(HelpRequest{spell_.HelpFile, context});
  };
  HelpButton->SetVisible(spell_.HelpUsable());

  // The dictionaries page needs 300.
  const int height = optionsHeight_ >= 245 ? optionsHeight_ + 55 : 300;
  Pages->SetBounds(8, 8, pageWidth, height - 16);
  SetClientWidth(column + buttonWidth + 8);
  SetClientHeight(height);
  fillLists();
}

AnsiString TConfigDialog::text(int Id) const { return spell_.Text(Id); }

void TConfigDialog::buildDictionariesPage() {
  TWinControl* page = DictionariesPage;
  MainGroup = placeControl<GroupFrame>(this, page, "MainGroup", 6, 4, kPageWidth - 16, 96);
  MainGroup->SetCaption(text(27));
  MainList = placeControl<ListBox>(this, MainGroup, "MainList", 8, 18, 210, 70);
  MainAdd = placeControl<TButton>(this, MainGroup, "MainAdd", 224, 18, 75, 23);
  MainAdd->SetCaption(text(28));
  MainRemove = placeControl<TButton>(this, MainGroup, "MainRemove", 224, 44, 75, 23);
  MainRemove->SetCaption(text(29));
  MainUp = placeControl<GlyphButton>(this, MainGroup, "MainUp", 224, 70, 36, 20);
  setArrow(MainUp, "VX_UP");
  MainDown = placeControl<GlyphButton>(this, MainGroup, "MainDown", 263, 70, 36, 20);
  setArrow(MainDown, "VX_DOWN");

  UserGroup = placeControl<GroupFrame>(this, page, "UserGroup", 6, 104, kPageWidth - 16, 124);
  UserGroup->SetCaption(text(30));
  UserList = placeControl<ListBox>(this, UserGroup, "UserList", 8, 18, 210, 98);
  UserAdd = placeControl<TButton>(this, UserGroup, "UserAdd", 224, 18, 75, 23);
  UserAdd->SetCaption(text(31));
  UserRemove = placeControl<TButton>(this, UserGroup, "UserRemove", 224, 44, 75, 23);
  UserRemove->SetCaption(text(32));
  UserNew = placeControl<TButton>(this, UserGroup, "UserNew", 224, 70, 75, 23);
  UserNew->SetCaption(text(33));
  UserUp = placeControl<GlyphButton>(this, UserGroup, "UserUp", 224, 96, 36, 20);
  setArrow(UserUp, "VX_UP");
  UserDown = placeControl<GlyphButton>(this, UserGroup, "UserDown", 263, 96, 36, 20);
  setArrow(UserDown, "VX_DOWN");

  ActiveUserLabel = placeControl<TextLabel>(this, page, "ActiveUserLabel", 8, 240, 100, 13);
  ActiveUserLabel->SetCaption(text(34));
  ActiveUser = placeControl<ComboBox>(this, page, "ActiveUser", 112, 236, 200, 21);
  ActiveUser->SetStyle(csDropDownList);

  for (ListBox* list : {MainList, UserList}) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
  }
  MainList->OnDrawItem = [this](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
    const bool has = index < static_cast<int>(working_.Mains().size());
    drawRow(MainList, has && working_.Mains()[static_cast<size_t>(index)].Active, has, index, rect, state);
  };
  UserList->OnDrawItem = [this](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
    const bool has = index < static_cast<int>(working_.Users().size());
    drawRow(UserList, has && working_.Users()[static_cast<size_t>(index)].Active, has, index, rect, state);
  };
  MainList->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == mbLeft) MainListClickAt(MainList->ItemAtPos(TPoint{x, y}, true), x);
  };
  UserList->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == mbLeft) UserListClickAt(UserList->ItemAtPos(TPoint{x, y}, true), x);
  };
  MainAdd->OnClick = [this](TObject*) { AddMain(); };
  MainRemove->OnClick = [this](TObject*) { RemoveMain(); };
  MainUp->OnClick = [this](TObject*) { MoveMain(-1); };
  MainDown->OnClick = [this](TObject*) { MoveMain(1); };
  UserAdd->OnClick = [this](TObject*) { AddUser(); };
  UserRemove->OnClick = [this](TObject*) { RemoveUser(); };
  UserNew->OnClick = [this](TObject*) { NewUser(); };
  UserUp->OnClick = [this](TObject*) { MoveUser(-1); };
  UserDown->OnClick = [this](TObject*) { MoveUser(1); };
  ActiveUser->OnChange = [this](TObject*) {
    const int chosen = ActiveUser->ItemIndex();
    if (chosen < 0) return;
    const int entry = static_cast<int>(reinterpret_cast<std::intptr_t>(ActiveUser->Items()->GetObject(chosen)));
    if (entry != working_.UserIndex()) {
      working_.SetUserIndex(entry);
      changed();
    }
  };
}

void TConfigDialog::buildOptionsPage() {
  OptionBoxes.assign(kOptionCount, nullptr);
  int top = 4;
  int group = 0;
  for (const OptionGroup& spec : kGroups) {
    std::vector<int> shown;
    for (int bit : spec.bits)
      if (spell_.VisibleOptions & (1u << bit)) shown.push_back(bit);
    if (shown.empty()) continue;
    const int height = 20 + 20 * static_cast<int>(shown.size());
    const AnsiString name = "OptionGroup" + AnsiString(std::to_string(group++));
    auto* frame = placeControl<GroupFrame>(this, OptionsPage, name.c_str(), 6, top, kPageWidth - 16, height);
    frame->SetCaption(text(spec.caption));
    if (spec.caption == 35) frame->SetName("IgnoreGroup");
    if (spec.caption == 36) frame->SetName("SuggestGroup");
    if (spec.caption == 37) frame->SetName("GeneralGroup");
    int row = 18;
    for (int bit : shown) {
      const AnsiString boxName = "Option" + AnsiString(std::to_string(bit));
      auto* box = placeControl<CheckBox>(this, frame, boxName.c_str(), 10, row, kPageWidth - 40, 17);
      box->SetCaption(text(kFirstOptionText + bit));
      box->SetChecked(working_.Options() & (1u << bit));
      box->OnClick = [this, box, bit](TObject*) {
        SpellOptionSet options = working_.Options();
        if (box->Checked()) options |= static_cast<SpellOptionSet>(1u << bit);
        else options &= static_cast<SpellOptionSet>(~(1u << bit));
        if (options == working_.Options()) return;
        working_.SetOptions(options);
        changed();
      };
      OptionBoxes[static_cast<size_t>(bit)] = box;
      row += 20;
    }
    top += height + 6;
  }
  ResetIgnoreAll = placeControl<TButton>(this, OptionsPage, "ResetIgnoreAll", 6, top + 4, 150, 25);
  ResetIgnoreAll->SetCaption(text(38));
  ResetIgnoreAll->OnClick = [this](TObject*) { spell_.IgnoreAllList().Clear(); };
  ResetChangeAll = placeControl<TButton>(this, OptionsPage, "ResetChangeAll", 163, top + 4, 150, 25);
  ResetChangeAll->SetCaption(text(39));
  ResetChangeAll->OnClick = [this](TObject*) {
    spell_.ChangeAllWords().Clear();
    spell_.ChangeAllReplacements().Clear();
  };
  // The page's own height: its controls, its tab row and margins.
  optionsHeight_ = top + 4 + 25 + 8 + 24;
}

void TConfigDialog::drawRow(ListBox* List, bool Active, bool HasEntry, int Index, TRect Rect, TOwnerDrawState State) {
  Canvas& canvas = List->canvas();
  const bool selected = State.Contains(odSelected);
  canvas.Brush.Color = selected ? clHighlight : clWindow;
  canvas.fillRect(Rect);
  TRect inside{Rect.Left + 2, Rect.Top + 2, Rect.Left + 2 + 11, Rect.Top + 2 + 11};
  canvas.drawEdge(inside, edgeSunken, sidesAll | sideAdjust);
  if (!HasEntry) {
    canvas.Brush.Color = clRed;
    canvas.fillRect(inside);
  } else if (Active) {
    canvas.Brush.Color = selected ? clHighlight : clBtnFace;
    canvas.fillRect(inside);
  }
  canvas.Brush.Style = BrushStyle::clear;
  canvas.Font()->SetColor(selected ? clHighlightText : clWindowText);
  canvas.drawText(Rect.Left + kBoxPixels + 4, Rect.Top + 1, (*List->Items())[Index]);
  canvas.Brush.Style = BrushStyle::solid;
}

void TConfigDialog::fillLists() {
  MainList->Items()->Clear();
  for (const TMain& entry : working_.Mains()) MainList->Items()->Add(entry.Title);
  UserList->Items()->Clear();
  for (const TUser& entry : working_.Users())
    UserList->Items()->Add(AnsiString(qn::os::extractFileName(entry.Path)));
  fillActiveUser();
}

void TConfigDialog::fillActiveUser() {
  ActiveUser->Items()->Clear();
  int chosen = -1;
  for (size_t i = 0; i < working_.Users().size(); ++i) {
    const TUser& entry = working_.Users()[i];
    // Every user dictionary but a plain ".dic" list takes words (userdic.tlx is one).
    if (!entry.Active || UpperCase(AnsiString(qn::os::extractFileExt(entry.Path))) == ".DIC") continue;
    if (static_cast<int>(i) == working_.UserIndex()) chosen = ActiveUser->Items()->Count();
    ActiveUser->Items()->AddObject(AnsiString(qn::os::extractFileName(entry.Path)),
                                   reinterpret_cast<TObject*>(static_cast<std::intptr_t>(i)));
  }
  if (chosen < 0) {
    // The previous choice is gone: the first one left, or none.
    const int entry = ActiveUser->Items()->Count() > 0
                          ? static_cast<int>(reinterpret_cast<std::intptr_t>(ActiveUser->Items()->GetObject(0)))
                          : -1;
    if (entry != working_.UserIndex()) {
      working_.SetUserIndex(entry);
      working_.SetModified(true);
    }
    chosen = entry >= 0 ? 0 : -1;
  }
  ActiveUser->SetItemIndex(chosen);
}

void TConfigDialog::changed() { working_.SetModified(true); }

void TConfigDialog::MainListClickAt(int Index, int X) {
  if (Index < 0 || Index >= static_cast<int>(working_.Mains().size()) || X >= kBoxPixels) return;
  if (!toggleActive(working_.Mains()[static_cast<size_t>(Index)], text(stMissingDictionaryFile))) return;
  changed();
  MainList->Invalidate();
}

void TConfigDialog::UserListClickAt(int Index, int X) {
  if (Index < 0 || Index >= static_cast<int>(working_.Users().size()) || X >= kBoxPixels) return;
  if (!toggleActive(working_.Users()[static_cast<size_t>(Index)], text(stMissingDictionaryFile))) return;
  changed();
  UserList->Invalidate();
  fillActiveUser();
}

void TConfigDialog::AddMain() {
  const auto path = pickExistingFile(text(55), text(54) + "|*.dct;*.aff;*.tlx", "dct");
  if (!path) return;
  TMain entry;
  entry.Path = *path;
  entry.Title = DictionaryTitle(entry.Path);
  entry.Active = working_.Mains().empty();
  working_.Mains().push_back(entry);
  MainList->Items()->Add(entry.Title);
  MainList->SetItemIndex(MainList->Items()->Count() - 1);
  changed();
}

void TConfigDialog::AddUser() {
  const auto path = pickExistingFile(text(57), text(56) + "|*.udt;*.dic", "udt");
  if (!path) return;
  TUser entry;
  entry.Path = *path;
  entry.Active = working_.Users().empty();
  working_.Users().push_back(entry);
  UserList->Items()->Add(AnsiString(qn::os::extractFileName(entry.Path)));
  UserList->SetItemIndex(UserList->Items()->Count() - 1);
  changed();
  fillActiveUser();
}

void TConfigDialog::NewUser() {
  FileDialogRequest request;
  request.title = text(59);
  request.filter = text(58) + "|*.udt";
  request.defaultExtension = "udt";
  request.initialDir = qn::os::extractFileDir(working_.Path());
  request.overwritePrompt = true;
  const auto answer = qn::ui::showSaveFileDialog(request);
  if (!answer || answer->fileName.empty()) return;
  TUser entry;
  entry.Path = answer->fileName;
  entry.Active = false;  // the file comes into being when words are first saved to it
  working_.Users().push_back(entry);
  UserList->Items()->Add(AnsiString(qn::os::extractFileName(entry.Path)));
  UserList->SetItemIndex(UserList->Items()->Count() - 1);
  changed();
}

void TConfigDialog::RemoveMain() {
  const int index = MainList->ItemIndex();
  if (index < 0 || index >= static_cast<int>(working_.Mains().size())) return;
  working_.Mains().erase(working_.Mains().begin() + index);
  MainList->Items()->Delete(index);
  MainList->SetItemIndex(std::min(index, MainList->Items()->Count() - 1));
  changed();
}

void TConfigDialog::RemoveUser() {
  const int index = UserList->ItemIndex();
  if (index < 0 || index >= static_cast<int>(working_.Users().size())) return;
  working_.Users().erase(working_.Users().begin() + index);
  if (working_.UserIndex() == index) working_.SetUserIndex(-1);
  else if (working_.UserIndex() > index) working_.SetUserIndex(working_.UserIndex() - 1);
  UserList->Items()->Delete(index);
  UserList->SetItemIndex(std::min(index, UserList->Items()->Count() - 1));
  changed();
  fillActiveUser();
}

void TConfigDialog::MoveMain(int By) {
  const int before = MainList->ItemIndex();
  swapEntries(working_.Mains(), MainList, By);
  if (MainList->ItemIndex() != before) changed();
}

void TConfigDialog::MoveUser(int By) {
  const int before = UserList->ItemIndex();
  swapEntries(working_.Users(), UserList, By);
  const int after = UserList->ItemIndex();
  if (after == before) return;
  // The active entry keeps its place in the list it moved in.
  if (working_.UserIndex() == before) working_.SetUserIndex(after);
  else if (working_.UserIndex() == after) working_.SetUserIndex(before);
  changed();
  fillActiveUser();
}

bool TConfigDialog::CloseQuery() {
  if (!TForm::CloseQuery()) return false;
  if (ModalResult() == mrOk || !working_.Modified()) return true;
  return MessageDlg(text(stExitWithoutSaving), mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}

bool TVorlexSpell::Configure(int Page, TComponent* Owner) {
  if (!config_) ReloadConfiguration();
  TConfiguration working("", config_->DefaultOptions(), config_->DefaultUser(), config_->DefaultMain(),
                         config_->Section());
  working.Assign(*config_);
  working.SetModified(false);
  bool ok = false;
  {
    TConfigDialog dialog(Owner ? Owner : this, *this, working);
    dialog.Pages->SetPageIndex(Page == 1 ? 1 : 0);
    dialog.DictionariesPage->SetHelpContext(HelpContextConfig1);
    dialog.OptionsPage->SetHelpContext(HelpContextConfig2);
    applyHelp(&dialog, Page == 1 ? HelpContextConfig2 : HelpContextConfig1);
    TForm* form = &dialog;
    if (OnSetupCreate) OnSetupCreate(this, form);
    configuring_ = true;
    try {
      ok = dialog.runModal() == mrOk;
    } catch (...) {
      configuring_ = false;
      throw;
    }
    configuring_ = false;
    if (HelpUsable() && HelpSeparate) Application->SetHelpFile(savedHelpFile_);
  }
  if (ok && working.Modified()) {
    config_->Assign(working);
    config_->SetModified(true);
    config_->Save();
  }
  working.SetModified(false);
  BuildDictionaryList();
  if (dictionariesOpen_) {
    for (auto& main : mains_)
      if (!main->IsOpen() && !main->Open())
        MessageDlg(Text(stUnableToFind) + "\r\n" + main->Path(), mtInformation, {mbAbort}, 0);
    for (auto& user : users_) user->Load();
  }
  if (parser_) recheckWith(*parser_);
  return ok;
}
