// The main window's unit: it registers TCaseF and its form variable for the main block, which
// creates it by class name, and reads the start settings once, before the main block runs.
#include "casewindow/CaseF.h"
#include "casewindow/CaseFStart.h"
#include "casewindow/CaseFUnit.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"

void InitializeCaseFUnit() {
  static int nesting = 0;
  if (nesting++ != 0) return;
  RegisterClass<TCaseF>();
  RegisterFormVariable(CaseF);
  ReadMainWindowStartSettings();
}

namespace {

UnitRegistration unit("casewindow/CaseF", {"recordmgr/Sessions", "datagrid/Intl", "framework/ui/Application"},
                      [] { InitializeCaseFUnit(); });

}  // namespace
