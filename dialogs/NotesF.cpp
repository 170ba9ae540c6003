#include "dialogs/NotesF.h"

#include "core/DM.h"
#include "core/MessageBoxes.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/VirtualKeys.h"

TNotesF* NotesF = nullptr;

namespace {

constexpr int kButtonWidth = 170, kButtonTop = 318;

void bringMainFormToFront() {
  if (auto* main = dynamic_cast<TForm*>(Application->MainForm())) main->BringToFront();
}

}  // namespace

TNotesF::TNotesF(TComponent* AOwner) : TForm(AOwner) {
  SetName("NotesF");
  SetCaption("Case Notes");
  SetBorderStyle(bsDialog);
  SetClientWidth(560);
  SetClientHeight(352);
  CaseLabel = PlaceControl<TextLabel>(this, this, 8, 6, 400, 16);
  NotesMemo = PlaceControl<TMemo>(this, this, 8, 26, 544, 246);
  NotesMemo->SetScrollBars(ssVertical);
  NotesMemo->SetMaxLength(static_cast<int>(TDM::NotesCapacity));
  NotesMemo->Font()->SetSize(12);
  CheckBox1 = PlaceControl<CheckBox>(this, this, 8, 284, 200, 17);
  CheckBox1->SetCaption("Keep this form on top");
  NotesSaveBitBtn = PlaceControl<GlyphButton>(this, this, 0, kButtonTop, kButtonWidth, 27);
  NotesSaveBitBtn->SetKind(gbkOK);
  NotesSaveBitBtn->SetModalResult(mrNone);
  NotesSaveBitBtn->SetCaption("&Save");
  ReturnBitBtn = PlaceControl<GlyphButton>(this, this, 0, kButtonTop, kButtonWidth, 27);
  ReturnBitBtn->SetCaption("&Return to previous screen");
  BitBtnClose = PlaceControl<GlyphButton>(this, this, 0, kButtonTop, kButtonWidth, 27);
  BitBtnClose->SetKind(gbkClose);

  // The form keeps its width; the buttons sit at its edges and in its middle once it has it.
  Constraints()->SetMinWidth(Width() - 2);
  Constraints()->SetMaxWidth(Width() - 2);
  const int width = ClientWidth();
  NotesSaveBitBtn->SetLeft(6);
  ReturnBitBtn->SetLeft((width - kButtonWidth) / 2);
  BitBtnClose->SetLeft(width - kButtonWidth - 6);

  NotesMemo->OnChange = [this](TObject* Sender) { NotesMemoChange(Sender); };
  NotesMemo->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { NotesMemoKeyDown(Sender, Key, Shift); };
  NotesSaveBitBtn->OnClick = [this](TObject* Sender) { NotesSaveBitBtnClick(Sender); };
  ReturnBitBtn->OnClick = [this](TObject* Sender) { ReturnBitBtnClick(Sender); };
  CheckBox1->OnClick = [this](TObject* Sender) { CheckBox1Click(Sender); };
}

void TNotesF::SetCase(const AnsiString& Client, const AnsiString& Suffix) {
  client_ = Client;
  suffix_ = Suffix;
  CaseLabel->SetCaption(Trim(Client).empty() ? AnsiString() : Trim(Client) + "-" + Trim(Suffix));
}

void TNotesF::NotesMemoChange(TObject*) {
  if (emptying_) return;
  if (CaseLabel->Caption().empty()) {
    ShowInformationBox("Please select a case first.");
    emptying_ = true;
    NotesMemo->SetText("");
    emptying_ = false;
    return;
  }
  const std::size_t length = NotesMemo->Text().size();
  if (length < TDM::NotesCapacity) return;
  // Typing and pasting stop at the limit; a longer text set by code is cut to it as well.
  if (length > TDM::NotesCapacity) {
    emptying_ = true;
    NotesMemo->SetText(NotesMemo->Text().substr(0, TDM::NotesCapacity));
    emptying_ = false;
  }
  ShowInformationBox("Maximum length (3000 characters) has been reached!");
}

void TNotesF::NotesMemoKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TNotesF::NotesSaveBitBtnClick(TObject*) {
  if (DM) DM->SaveCaseNotes(client_, suffix_, NotesMemo->Text());
  bringMainFormToFront();
}

void TNotesF::ReturnBitBtnClick(TObject*) { bringMainFormToFront(); }

void TNotesF::CheckBox1Click(TObject*) { SetFormStyle(CheckBox1->Checked() ? fsStayOnTop : fsNormal); }

namespace {
UnitRegistration unit("dialogs/NotesF", {"framework/ui/Application"}, [] {
  RegisterClass<TNotesF>();
  RegisterFormVariable(NotesF);
});
}  // namespace
