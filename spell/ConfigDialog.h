#pragma once
// TConfigDialog: the spell checker's modal configuration dialog over a working copy of its
// configuration. The dictionaries page lists the main and user entries (a click in a row's box
// switches the entry on or off) and chooses the user dictionary new words go to; the options page
// shows the options the checker makes visible and empties its session lists. Leaving a changed
// copy other than by OK asks first.
#include <vector>

#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/TextLabel.h"
#include "spell/Configuration.h"

class TVorlexSpell;

class TConfigDialog : public TForm {
  QN_CLASS(TConfigDialog, TForm)
 public:
  // Working is the copy the dialog changes; Spell gives the texts, the visible options and the
  // session lists.
  TConfigDialog(TComponent* AOwner, TVorlexSpell& Spell, TConfiguration& Working);

  PageControl* Pages;
  StackPage* DictionariesPage;
  StackPage* OptionsPage;
  GroupFrame* MainGroup;
  ListBox* MainList;
  TButton* MainAdd;
  TButton* MainRemove;
  GlyphButton* MainUp;
  GlyphButton* MainDown;
  GroupFrame* UserGroup;
  ListBox* UserList;
  TButton* UserAdd;
  TButton* UserRemove;
  TButton* UserNew;
  GlyphButton* UserUp;
  GlyphButton* UserDown;
  TextLabel* ActiveUserLabel;
  ComboBox* ActiveUser;
  // The options page's check boxes, by option bit number (nullptr for an option not shown).
  std::vector<CheckBox*> OptionBoxes;
  TButton* ResetIgnoreAll;
  TButton* ResetChangeAll;
  TButton* OKButton;
  TButton* CancelButton;
  TButton* HelpButton;

  // What a click at X in the row does: the first 14 pixels switch the entry.
  void MainListClickAt(int Index, int X);
  void UserListClickAt(int Index, int X);
  void AddMain();
  void AddUser();
  void NewUser();
  void RemoveMain();
  void RemoveUser();
  void MoveMain(int By);
  void MoveUser(int By);

  bool CloseQuery() override;

 private:
  void buildDictionariesPage();
  void buildOptionsPage();
  void fillLists();
  void fillActiveUser();
  void changed();
  void drawRow(ListBox* List, bool Active, bool HasEntry, int Index, TRect Rect, TOwnerDrawState State);
  AnsiString text(int Id) const;

  TVorlexSpell& spell_;
  TConfiguration& working_;
  int optionsHeight_ = 0;
};
