#pragma once
// The one-line edit. The control itself carries out every change of its text: typed characters,
// Backspace and Delete, undo, cut, copy and paste, whether by key or by code. Each change asks
// CanChangeText first (a descendant may refuse it), then tells Change (OnChange). The keys that
// edit arrive through the key route as keys, so a KeyDown or KeyPress handler that zeroes one
// refuses it; the Qt line edit only shows the text, moves the caret and selects.
//
// MaxLength limits typing and pasting, not text set by code, which is kept whole. CharCase
// converts whatever enters, typed or set. Text set by code clears Modified; changes by the user
// set it.
#include <functional>

#include "framework/ui/WinControl.h"

class QLineEdit;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
extern const EnumerationType kEditCharCaseType;

enum TClipboardAction { caCut, caCopy, caPaste };
// Before a clipboard action: clearing Allow refuses it.
using TBeforeClipboardEvent = std::function<void(TObject* Sender, TClipboardAction Action, bool& Allow)>;
using TAfterClipboardEvent = std::function<void(TObject* Sender, TClipboardAction Action)>;

class TCustomEdit : public TWinControl {
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

  // The selection: where it begins, how long it is, its text.
  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  AnsiString SelText() const;
  // Replaces the selection (a change like typing, within MaxLength).
  void SetSelText(const AnsiString& Value);
  void SelectAll();
  void ClearSelection();
  // What the window shows: the text, or one PasswordChar per character.
  AnsiString DisplayText() const;

  // Undoes the last change; undoing again redoes it.
  bool CanUndo() const { return hasUndo_; }
  void Undo();
  void ClearUndo() { hasUndo_ = false; }
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();

  TWantedKeys WantedKeys() const override { return {wkArrows}; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoEnter() override;

  TNotifyEvent OnChange;
  TBeforeClipboardEvent OnBeforeClipboard;
  TAfterClipboardEvent OnAfterClipboard;

 protected:
  // Whether the text may become NewText; the base allows every change.
  virtual bool CanChangeText(const AnsiString& NewText) { return true; }
  // Told after each change; the base calls OnChange.
  virtual void Change();
  // Around each clipboard action; the base calls the handlers.
  virtual bool BeforeClipboard(TClipboardAction Action);
  virtual void AfterClipboard(TClipboardAction Action);

  AnsiString GetText() const override { return text_; }
  void SetTextValue(const AnsiString& Value) override;
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void WindowDestroying() override;

  QLineEdit* lineEdit() const;

 private:
  // Puts NewText in place with the caret at Caret when CanChangeText allows; answers whether it
  // did. ByUser sets Modified, else clears it.
  bool changeText(const AnsiString& NewText, int Caret, bool ByUser);
  // Replaces the selection as the user does: ReadOnly refuses, MaxLength cuts what is inserted.
  void replaceSelectionTyped(AnsiString Inserted);
  void deleteBackward(bool WholeWord);
  void deleteForward();
  AnsiString withCharCase(AnsiString Value) const;
  void showSelection();
  void readSelection() const;

  int maxLength_ = 0;
  bool readOnly_ = false;
  TEditCharCase charCase_ = ecNormal;
  char passwordChar_ = 0;
  bool autoSelect_ = true;
  bool modified_ = false;
  // The selection, kept while there is no window and read back from it while there is.
  mutable int selStart_ = 0;
  mutable int selLength_ = 0;
  bool hasUndo_ = false;
  AnsiString undoText_;
  int undoCaret_ = 0;
};

class TEdit : public TCustomEdit {
  QN_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};
