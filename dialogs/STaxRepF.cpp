#include "dialogs/STaxRepF.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"

namespace {

const CodeChoiceTexts kTexts = {
    "STaxRepF",
    "Sales Tax Find and Replace",
    " Current sales tax specification ",
    " New sales tax specification ",
    {"None", "Indirect costs only", "Direct costs only", "All costs", "Fees only", "Fees and indirect costs",
     "Fees and direct costs", "Fees and all costs"},
    "Please select a sales tax specification that you want to change.",
    "Please select the new sales tax specification.",
    "Quillon is about to change each sales tax specification of '",
};

}  // namespace

TSTaxRepF::TSTaxRepF(TComponent* AOwner) : CodeChoiceReplaceForm(AOwner, kTexts) {}

namespace {

UnitRegistration unit("dialogs/STaxRepF", {"framework/ui/Application"}, [] { RegisterClass<TSTaxRepF>(); });

}  // namespace
