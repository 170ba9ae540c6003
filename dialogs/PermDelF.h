#pragma once
// TPermDelF: the client or matter to remove for good, picked from the list the caller fills,
// and the user's confirmation. A caption naming a "matter" makes the list one of matters (key:
// client code 7 + case suffix 7), else of clients (key: client code 7). Made once by the main
// block.
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/ListBox.h"

class TPermDelF : public TForm {
  QN_CLASS(TPermDelF, TForm)
 public:
  explicit TPermDelF(TComponent* AOwner);

  ListBox* ListBox1;
  GlyphButton* OKBitBtn;
  GlyphButton* CancelBitBtn;

  static constexpr const char* DefaultCaption = "Please select the client that you wish to permanently delete";

  // The chosen line's key and whether the user confirmed; read by the caller after the dialog.
  AnsiString SelectedKey;
  bool Confirmed = false;

  void FormShow(TObject* Sender);
  void ListBox1Click(TObject* Sender);
  void OKBitBtnClick(TObject* Sender);

 private:
  bool matters() const;
};

extern TPermDelF* PermDelF;
