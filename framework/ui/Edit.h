#pragma once
// The edit. The control itself carries out every change of its text: typed characters, Enter and
// Tab where they are wanted, Backspace and Delete, undo and redo, cut, copy and paste, whether by
// key or by code. Each change asks CanChangeText first (a descendant may refuse it), then tells
// Change (OnChange). The keys that edit arrive through the key route as keys, so a KeyDown or
// KeyPress handler that zeroes one refuses it; the Qt window only shows the text, moves the caret
// and selects.
//
// MaxLength limits typing and pasting, not text set by code, which is kept whole. CharCase
// converts whatever enters, typed or set. Text set by code clears Modified; changes by the user
// set it.
//
// The multi-line variant (a descendant's choice: SetMultiLine) holds lines separated by CR LF,
// which count as two characters in every position; a lone CR or LF entering it becomes CR LF. It
// may wrap at words, take Enter and Tab as text, and show scroll bars; changing how it wraps or
// its scroll bars makes the window again, keeping text and selection. A password edit always
// shows one line.
//
// A descendant that keeps its text elsewhere (the rich-text edit) overrides the selection, undo,
// clipboard, line and delete members, so a caller holding any edit reaches its text.
#include <functional>

#include "framework/base/Alignment.h"
#include "framework/ui/ReplaceablePaint.h"
#include "framework/ui/ScrollStyle.h"
#include "framework/ui/WinControl.h"

class EditView;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
extern const EnumerationType kEditCharCaseType;

enum TClipboardAction { caCut, caCopy, caPaste };
// Before a clipboard action: clearing Allow refuses it.
using TBeforeClipboardEvent = std::function<void(TObject* Sender, TClipboardAction Action, bool& Allow)>;
using TAfterClipboardEvent = std::function<void(TObject* Sender, TClipboardAction Action)>;

class TCustomEdit : public TWinControl, public ReplaceablePaint {
  QN_PUBLISHED_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);

  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value) { maxLength_ = Value < 0 ? 0 : Value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value);
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char Value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool Value) { autoSelect_ = Value; }
  bool Modified() const { return modified_; }
  void SetModified(bool Value) { modified_ = Value; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

  // The selection: where it begins, how long it is, its text.
  virtual int SelStart() const;
  virtual void SetSelStart(int Value);
  virtual int SelLength() const;
  virtual void SetSelLength(int Value);
  virtual AnsiString SelText() const;
  // Replaces the selection (a change like typing, within MaxLength).
  virtual void SetSelText(const AnsiString& Value);
  virtual void SelectAll();
  void ClearSelection();
  // What the window shows: the text, or one PasswordChar per character.
  AnsiString DisplayText() const;

  // Undoes the last change; undoing again redoes it, and so does Redo after an undo.
  virtual bool CanUndo() const { return hasUndo_; }
  virtual void Undo();
  virtual void Redo();
  virtual void ClearUndo() { hasUndo_ = false; }
  virtual void CutToClipboard();
  virtual void CopyToClipboard();
  virtual void PasteFromClipboard();

  // Lines and characters as the window shows them (a wrapped line counts as several); these make
  // the window when it is missing. A character index counts CR LF as two.
  virtual int LineCount();
  virtual int LineOfChar(int Index);
  // The index of the first character of Line; -1 past the last line.
  virtual int LineStart(int Line);
  // The top-left corner of the character at Index in client coordinates.
  virtual TPoint PositionOfChar(int Index);
  virtual int FirstVisibleLine();
  // Scrolls by Lines (up when negative).
  virtual void ScrollLines(int Lines);

  // The formatting rectangle, in client coordinates: the text keeps inside it. Empty (the
  // default) is the whole client area.
  virtual void setEditRect(const TRect& Value);

  TWantedKeys WantedKeys() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoEnter() override;

  TNotifyEvent OnChange;
  TBeforeClipboardEvent OnBeforeClipboard;
  TAfterClipboardEvent OnAfterClipboard;

 protected:
  // Whether the text may become NewText; the base allows every change. ChangeByUser tells,
  // while it is asked, whether the user makes the change (typing, cutting, pasting, undoing).
  virtual bool CanChangeText(const AnsiString& NewText) { return true; }
  bool ChangeByUser() const { return changeByUser_; }
  // Told after each change; the base calls OnChange.
  virtual void Change();
  // Around each clipboard action; the base calls the handlers.
  virtual bool BeforeClipboard(TClipboardAction Action);
  virtual void AfterClipboard(TClipboardAction Action);
  // Whether the caret shows while the control has the focus; asked when the window is made, on
  // entering, and when a descendant calls CaretAllowedChanged.
  virtual bool CaretAllowed() const { return true; }
  void CaretAllowedChanged();

  // The multi-line variant.
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  // Enter inserts a line break (else it goes to the form), Tab a tab (else it moves the focus).
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value) { wantReturns_ = Value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }

  AnsiString GetText() const override { return text_; }
  void SetTextValue(const AnsiString& Value) override;
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void WindowDestroying() override;
  void BorderChanged() override;
  void BoundsChanged() override;

  // The window, when there is one.
  EditView* view() const;
  // Backspace and Delete: the selection, else the character (a word with WholeWord) before or
  // after the caret; ReadOnly refuses.
  virtual void deleteBackward(bool WholeWord);
  virtual void deleteForward(bool WholeWord);

 private:
  bool showsLines() const { return multiLine_ && !passwordChar_; }
  // Puts NewText in place with the caret at Caret when CanChangeText allows; answers whether it
  // did. ByUser sets Modified, else clears it.
  bool changeText(const AnsiString& NewText, int Caret, bool ByUser);
  // Replaces the selection as the user does: ReadOnly refuses, MaxLength cuts what is inserted.
  void replaceSelectionTyped(AnsiString Inserted);
  // What enters the text: CharCase applied, line breaks made CR LF in the multi-line variant.
  AnsiString entering(AnsiString Value) const;
  void showSelection();
  void readSelection() const;
  void applyFrame();
  void applyEditRect();
  // Between the text's indices and the window's positions (a CR LF is one there).
  int positionOfIndex(int Index) const;
  int indexOfPosition(int Position) const;

  int maxLength_ = 0;
  bool readOnly_ = false;
  TEditCharCase charCase_ = ecNormal;
  char passwordChar_ = 0;
  bool autoSelect_ = true;
  bool modified_ = false;
  TAlignment alignment_ = taLeftJustify;
  bool multiLine_ = false;
  bool wordWrap_ = false;
  TScrollStyle scrollBars_ = ssNone;
  bool wantReturns_ = false;
  bool wantTabs_ = false;
  TRect editRect_;
  // The selection, kept while there is no window and read back from it while there is.
  mutable int selStart_ = 0;
  mutable int selLength_ = 0;
  bool hasUndo_ = false;
  bool lastWasUndo_ = false;
  bool changeByUser_ = false;  // the last change was an undo, which Redo takes back
  AnsiString undoText_;
  int undoCaret_ = 0;
};

class TEdit : public TCustomEdit {
  QN_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};
