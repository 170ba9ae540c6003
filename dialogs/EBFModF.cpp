#include "dialogs/EBFModF.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"

TEBFModF* EBFModF = nullptr;

namespace {

const CodeChoiceTexts kTexts = {
    "EBFModF",
    "Electronic Billing Code Replace",
    " Find... ",
    " Replace with... ",
    {"None", "Expense", "Activity", "Expense and Activity", "Task", "Task and Expense", "Task and Activity",
     "Task, Activity and Expense"},
    "Please select an electronic billing code specification that you want to change.",
    "Please select the new electronic billing code specification.",
    "Quillon is about to change each electronic billing code specification of '",
};

}  // namespace

TEBFModF::TEBFModF(TComponent* AOwner) : CodeChoiceReplaceForm(AOwner, kTexts) {
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TEBFModF::FormShow(TObject*) {
  Confirmed = false;
  if (PixelsPerInch() == 96 && !shrunk_) {
    shrunk_ = true;
    scaleByRatio(80, 100);
  }
}

namespace {

// The main block creates the dialog by its class name and keeps it in EBFModF.
UnitRegistration unit("dialogs/EBFModF", {"framework/ui/Application"}, [] {
  RegisterClass<TEBFModF>();
  RegisterFormVariable(EBFModF);
});

}  // namespace
