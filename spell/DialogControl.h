#pragma once
// The link between the spell checker and its check dialog: a component placed on the dialog form.
// The checker enables, shows and captions the dialog's parts through it by element number, and the
// dialog's buttons reach the checker through its twelve actions. Any form holding one can be the
// check dialog.
#include <functional>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"

class ListBox;
class TEdit;

// The dialog's parts, by the number the checker uses.
enum TDialogElement : int {
  deChangeAll,
  deChange,
  deIgnoreAll,
  deIgnore,
  deAdd,
  deAutoCorrect,
  deSuggest,
  deStart,
  deUndoLast,
  deOptions,
  deHelp,
  deCancel,
  deNotFound,
  deWordEdit,
  deSuggestBox,
  deErrorLabel,
  deActionLabel,
  deSuggestLabel,
  deElementCount,
};

// What the user asks of the checker.
enum TDialogAction : int {
  daSuggest,
  daStart,
  daUndoLast,
  daOptions,
  daChangeAll,
  daChange,
  daIgnoreAll,
  daIgnore,
  daAdd,
  daAutoCorrect,
  daHelp,
  daCancel,
};

class TDialogControl : public TComponent {
  QN_CLASS(TDialogControl, TComponent)
 public:
  using TElementFlagEvent = std::function<void(TObject* Sender, int Element, bool Value)>;
  using TElementGetCaptionEvent = std::function<void(TObject* Sender, int Element, AnsiString& Text)>;
  using TElementSetCaptionEvent = std::function<void(TObject* Sender, int Element, const AnsiString& Text)>;
  using TActionHandler = std::function<void(int Action)>;

  explicit TDialogControl(TComponent* AOwner);

  // The replace box and the suggestion list the checker fills.
  TEdit* WordEdit = nullptr;
  ListBox* Suggestions = nullptr;

  void ChangeEnabled(int Element, bool Value);
  void ChangeVisible(int Element, bool Value);
  AnsiString GetCaption(int Element);
  void SetCaption(int Element, const AnsiString& Text);
  void BackgroundStart();
  void BackgroundEnd();
  void SuggestStart();
  void SuggestEnd();
  void Resize();

  // The checker installs its handler; an action without one does nothing.
  void SetActionHandler(TActionHandler Handler) { handler_ = std::move(Handler); }
  void DoAction(int Action);

  TElementFlagEvent OnChangeEnabled;
  TElementFlagEvent OnChangeVisible;
  TElementGetCaptionEvent OnGetCaption;
  TElementSetCaptionEvent OnSetCaption;
  TNotifyEvent OnBackgroundStart;
  TNotifyEvent OnBackgroundEnd;
  TNotifyEvent OnSuggestStart;
  TNotifyEvent OnSuggestEnd;
  TNotifyEvent OnResize;

 private:
  TActionHandler handler_;
};

// The first dialog control among Form's components; nullptr when there is none.
TDialogControl* FindDialogControl(TComponent* Form);
