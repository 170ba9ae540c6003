#pragma once
// TNotesF: the free-text notes of the current matter, at most NotesCapacity characters, saved
// through the data module. Made once by the main block; the main window sets the matter.
#include "framework/ui/CheckBox.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Memo.h"
#include "framework/ui/TextLabel.h"

class TNotesF : public TForm {
  QN_CLASS(TNotesF, TForm)
 public:
  explicit TNotesF(TComponent* AOwner);

  // The matter whose notes are shown; an empty client means none is chosen (the label is empty).
  void SetCase(const AnsiString& Client, const AnsiString& Suffix);
  const AnsiString& ClientCode() const { return client_; }
  const AnsiString& CaseSuffix() const { return suffix_; }

  TextLabel* CaseLabel;
  TMemo* NotesMemo;
  GlyphButton* NotesSaveBitBtn;
  GlyphButton* ReturnBitBtn;
  GlyphButton* BitBtnClose;
  CheckBox* CheckBox1;

  void NotesMemoChange(TObject* Sender);
  void NotesMemoKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void NotesSaveBitBtnClick(TObject* Sender);
  void ReturnBitBtnClick(TObject* Sender);
  void CheckBox1Click(TObject* Sender);

 private:
  AnsiString client_, suffix_;
  bool emptying_ = false;  // the change the form makes itself is not the user's
};

extern TNotesF* NotesF;
