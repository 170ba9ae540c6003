#include "dialogs/UndeleteF.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"

TUndeleteF* UndeleteF = nullptr;

TUndeleteF::TUndeleteF(TComponent* AOwner) : TForm(AOwner) {
  SetName("UndeleteF");
  SetCaption("Quillon Undelete");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(760);
  SetClientHeight(380);
  Label1 = PlaceControl<TextLabel>(this, this, 12, 10, 400, 16);
  Label1->SetCaption("Select Case(s) you wish to undelete");
  ListBox1 = PlaceControl<ListBox>(this, this, 12, 30, 736, 270);
  ListBox1->Font()->SetName("Courier New");
  ListBox1->SetSorted(true);
  ListBox1->SetMultiSelect(true);
  ListBox1->SetExtendedSelect(true);
  MissingClientLabel = PlaceControl<TextLabel>(this, this, 12, 306, 500, 16);
  MissingClientLabel->SetCaption("* = Client for case does not exist and will need to be created first");
  MissingClientLabel->SetVisible(false);
  Panel1 = PlaceControl<TPanel>(this, this, 12, 334, 200, 30);
  OKBitBtn = PlaceControl<GlyphButton>(this, this, 568, 336, 85, 28);
  OKBitBtn->SetKind(gbkOK);
  OKBitBtn->SetCaption("&OK");
  CancelBitBtn = PlaceControl<GlyphButton>(this, this, 663, 336, 85, 28);
  CancelBitBtn->SetKind(gbkCancel);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  ListBox1->OnClick = [this](TObject* Sender) { ListBox1Click(Sender); };
  OKBitBtn->OnClick = [this](TObject* Sender) { OKBitBtnClick(Sender); };
}

TObject* TUndeleteF::MissingClientMarker() {
  static TObject marker;
  return &marker;
}

AnsiString TUndeleteF::ListLine(const AnsiString& client, const AnsiString& suffix, const AnsiString& alternateId,
                                const AnsiString& description, const AnsiString& attorney, bool clientMissing) {
  AnsiString code = Format("%-8s", {client});
  if (clientMissing) code[7] = '*';
  return code + Format("%7s %-21s%-51s%-4s", {suffix, alternateId, description, attorney});
}

void TUndeleteF::Reset() {
  ListBox1->Clear();
  MissingClientLabel->SetVisible(false);
  Panel1->SetCaption("");
}

void TUndeleteF::AddMatter(const AnsiString& line, bool clientMissing) {
  ListBox1->Items()->AddObject(line, clientMissing ? MissingClientMarker() : nullptr);
  if (clientMissing) MissingClientLabel->SetVisible(true);
}

void TUndeleteF::FormShow(TObject*) {
  Confirmed = false;
  Panel1->SetCaption("0 item(s) selected");
}

void TUndeleteF::ListBox1Click(TObject*) {
  TStrings* items = ListBox1->Items();
  for (int i = 0; i < items->Count(); ++i) {
    if (!ListBox1->Selected(i) || items->Objects(i) != MissingClientMarker()) continue;
    MessageDlg("The client " + Trim(items->Strings(i).substr(0, 7)) + " must be created before this " + "\r" +
                   "case may be undeleted.",
               mtWarning, {mbOK}, 0);
    ListBox1->SetSelected(i, false);
  }
  Panel1->SetCaption(std::to_string(ListBox1->SelCount()) + " item(s) selected");
}

void TUndeleteF::OKBitBtnClick(TObject*) { Confirmed = true; }

namespace {

// The main block creates the dialog by its class name and keeps it in UndeleteF.
UnitRegistration unit("dialogs/UndeleteF", {"framework/ui/Application"}, [] {
  RegisterClass<TUndeleteF>();
  RegisterFormVariable(UndeleteF);
});

}  // namespace
