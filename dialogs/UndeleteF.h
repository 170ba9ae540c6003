#pragma once
// TUndeleteF ("Quillon Undelete"): the deleted matters of the case save file, one line each, of
// which the user picks those to bring back. A matter whose client no longer exists is marked
// and cannot be picked. Made once by the main block; UndeleteCases fills and shows it.
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Panel.h"
#include "framework/ui/TextLabel.h"

class TUndeleteF : public TForm {
  QN_CLASS(TUndeleteF, TForm)
 public:
  explicit TUndeleteF(TComponent* AOwner);

  TextLabel* Label1;
  ListBox* ListBox1;
  TextLabel* MissingClientLabel;
  TPanel* Panel1;
  GlyphButton* OKBitBtn;
  GlyphButton* CancelBitBtn;

  // The object a line whose client is missing carries.
  static TObject* MissingClientMarker();

  // Set by OK.
  bool Confirmed = false;

  // A line of the list for a saved matter: client "%-8s" (its 8th character "*" when the client
  // is missing), suffix "%7s", a blank, Alternate ID "%-21s", Description Line 1 "%-51s",
  // Resp Atty 1 "%-4s".
  static AnsiString ListLine(const AnsiString& client, const AnsiString& suffix, const AnsiString& alternateId,
                             const AnsiString& description, const AnsiString& attorney, bool clientMissing);
  // Empties the list and hides the missing-client label, for a new run.
  void Reset();
  void AddMatter(const AnsiString& line, bool clientMissing);

  void FormShow(TObject* Sender);
  void ListBox1Click(TObject* Sender);
  void OKBitBtnClick(TObject* Sender);
};

extern TUndeleteF* UndeleteF;
