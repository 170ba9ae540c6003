#include "casewindow/EBF2F.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"

TEBF2F* EBF2F = nullptr;
bool EBFDialogFirstShow = false;

namespace {

CheckBox* codeBox(TEBF2F* form, const char* name, const char* caption, int tag, int top) {
  auto* box = PlaceControl<CheckBox>(form, form, 40, top, 160, 21);
  box->SetName(name);
  box->SetCaption(caption);
  box->SetTag(tag);
  box->OnClick = [form](TObject* Sender) { form->CheckBoxTaskClick(Sender); };
  return box;
}

}  // namespace

TEBF2F::TEBF2F(TComponent* AOwner) : TForm(AOwner) {
  SetName("EBF2F");
  SetCaption("Transaction Codes for Electronic Billing");
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientWidth(330);
  SetClientHeight(175);
  CheckBoxTask = codeBox(this, "CheckBoxTask", "Task", 4, 20);
  CheckBoxActivity = codeBox(this, "CheckBoxActivity", "Activity", 2, 50);
  CheckBoxExpense = codeBox(this, "CheckBoxExpense", "Expense", 1, 80);
  YesBitBtn = PlaceControl<GlyphButton>(this, this, 100, 128, 100, 32);
  YesBitBtn->SetName("YesBitBtn");
  YesBitBtn->SetCaption("Save");
  YesBitBtn->SetDefault(true);
  YesBitBtn->SetEnabled(false);
  NoBitBtn = PlaceControl<GlyphButton>(this, this, 212, 128, 100, 32);
  NoBitBtn->SetName("NoBitBtn");
  NoBitBtn->SetKind(gbkCancel);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  YesBitBtn->OnClick = [this](TObject* Sender) { YesBitBtnClick(Sender); };
}

int TEBF2F::ComputeEBFCodeSet() const {
  int set = 0;
  for (const CheckBox* box : {CheckBoxTask, CheckBoxActivity, CheckBoxExpense})
    if (box->Checked()) set += box->Tag();
  return set;
}

void TEBF2F::FormShow(TObject*) {
  saved_ = false;
  // Each showing starts with nothing to save: Save waits for a click of this showing.
  YesBitBtn->SetEnabled(false);
  EBFCodeSet = ComputeEBFCodeSet();
  // Laid out for 120 pixels per inch; the first showing on another screen shrinks by a fifth.
  if (EBFDialogFirstShow && Screen->PixelsPerInch() != 120) {
    const int width = Width() - Width() / 5 + 7;
    const int height = Height() - Height() / 5 + 3;
    scaleByRatio(4, 5);
    SetBounds(Left(), Top(), width, height);
  }
}

void TEBF2F::FormClose(TObject*, TCloseAction&) {
  if (saved_) return;
  int rest = EBFCodeSet;
  CheckBoxTask->SetChecked(rest >= 4);
  if (rest >= 4) rest -= 4;
  CheckBoxActivity->SetChecked(rest > 1);
  if (rest > 1) rest -= 2;
  CheckBoxExpense->SetChecked(rest == 1);
}

void TEBF2F::YesBitBtnClick(TObject*) {
  saved_ = true;
  EBFCodeSet = ComputeEBFCodeSet();
  if (Modal())
    SetModalResult(mrOk);
  else
    Close();
}

void TEBF2F::CheckBoxTaskClick(TObject*) { YesBitBtn->SetEnabled(true); }

namespace {

// The main block creates the dialog by its class name and keeps it in EBF2F.
UnitRegistration unit("casewindow/EBF2F", {"framework/ui/Application"}, [] {
  RegisterClass<TEBF2F>();
  RegisterFormVariable(EBF2F);
});

}  // namespace
