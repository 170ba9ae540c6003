#include "app/StartupForms.h"

#include <ostream>

#include "framework/base/ClassRegistry.h"
#include "framework/ui/Application.h"

const std::vector<AnsiString>& StartupFormClassNames() {
  static const std::vector<AnsiString> names = {
      "TCaseF",       "TDM",          "TDM2",      "TCaseMiscF",        "TClientCaseLookF1", "TCaType2F",
      "TCaType1F",    "TDepartmentF", "TFCSalesTaxF", "TRA2F",          "TRA1F",             "TCaseDescriptionF",
      "TBillingBoxF", "TMemoF",       "TFindDlgF", "TUndeleteF",        "TPasteF",           "TMonthF",
      "TNotesF",      "TMNGRSelF",    "TdcRecordViewForm", "TDirBrowserForm", "TPrntDefF",   "TNarrDscF",
      "TEBF2F",       "TEBFModF",     "TReAllocF", "TOptFieldsF",       "TPermDelF",
  };
  return names;
}

std::vector<TComponent*> CreateStartupForms(TApplication& application, const std::vector<AnsiString>& classNames,
                                            std::ostream& skipped) {
  std::vector<TComponent*> created;
  for (const AnsiString& name : classNames) {
    if (!FindRegisteredClass(name)) {
      skipped << "qncases: " << name << " is not built yet; the program starts without it.\n";
      continue;
    }
    created.push_back(application.CreateFormByClassName(name));
  }
  return created;
}
