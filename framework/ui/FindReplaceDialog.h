#pragma once
// The find and the replace dialog. They stay open beside the form (modeless): each press of Find
// Next, Replace or Replace All tells the owner through an event, with the dialog's fields as the
// user left them. The window is the presenter's: a Qt dialog in the program, a script in tests
// (framework/ui/testing), which presses the buttons through the same calls the Qt dialog makes.
#include <functional>
#include <memory>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"

class FindReplaceDialog;

// A window showing the dialog; destroying it closes the window.
class FindReplaceWindow {
 public:
  virtual ~FindReplaceWindow() = default;
  // The dialog's fields changed while the window is open: show them.
  virtual void refresh() = 0;
};

using FindReplacePresenter = std::function<std::unique_ptr<FindReplaceWindow>(FindReplaceDialog&)>;

enum class FindReplaceKind { find, replace };
enum class FindReplaceAction { findNext, replace, replaceAll };

class FindReplaceDialog : public TComponent {
  QN_CLASS(FindReplaceDialog, TComponent)
 public:
  FindReplaceDialog(TComponent* AOwner, FindReplaceKind kind);
  ~FindReplaceDialog() override;

  FindReplaceKind Kind() const { return kind_; }
  AnsiString FindText;
  AnsiString ReplaceText;  // the replace dialog only
  bool MatchCase = false;
  bool WholeWord = false;
  bool SearchDown = true;
  // The up/down choice is not offered (the owner always searches forward).
  bool HideDirection = false;
  // The button pressed last.
  FindReplaceAction LastAction = FindReplaceAction::findNext;

  TNotifyEvent OnFind;  // Find Next
  TNotifyEvent OnReplace;  // Replace and Replace All; LastAction tells which
  TNotifyEvent OnClose;  // the window closed, by the user or by CloseDialog

  // Opens the window and returns at once; an open window shows the fields as they are now.
  void Execute();
  void CloseDialog();
  bool Showing() const { return window_ != nullptr; }

  // What the buttons do.
  void FindNext();
  void Replace();
  void ReplaceAll();

 private:
  FindReplaceKind kind_;
  std::unique_ptr<FindReplaceWindow> window_;
};

namespace qn::ui {

// Puts presenter in charge of every find and replace window opened from now on; answers the one
// replaced. Empty: the Qt dialog again.
FindReplacePresenter setFindReplacePresenter(FindReplacePresenter presenter);

}  // namespace qn::ui
