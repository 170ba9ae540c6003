// The e-mail settings belong to the printing-choices unit; this program itself never calls them.
#include "dialogs/PrntDefF.h"
#include "dialogs/ZOLTEmlF.h"
#include "dialogs/PrintRegistry.h"

bool TPrntDefF::EmailSetup(std::vector<AnsiString>& Settings, int Count) {
  TZOLTEmlF form(nullptr);
  if (Count >= 0) {
    const auto given = [&](int index) {
      return index < Count && index < static_cast<int>(Settings.size()) ? Settings[index] : AnsiString();
    };
    form.LoadSettings(given(0), given(1), given(2));
  }
  form.runModal();
  if (!form.Saved()) return false;
  Settings = {form.ReportEmailValue(), form.SenderValue(), form.StatementEmailValue()};
  return true;
}
