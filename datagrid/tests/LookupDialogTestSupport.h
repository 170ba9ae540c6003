#pragma once
// Running a lookup or search dialog as the user does: a script plays once the form is up and
// active, and the form is then ended with Cancel unless the script ended it or said its keys
// will. The clients file it runs on is made by qnseed. Test code only.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "datagrid/DBGrid.h"
#include "datagrid/IncrementalSearch.h"
#include "datagrid/LookupDialog.h"
#include "framework/base/StringList.h"
#include "framework/db/Field.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace lookupdialogtest {

using Script = std::function<void(TdcLookupDlg&)>;

// The script plays when the dialog next runs; keysEndForm: the script posted keys that should
// close the form, and it is cancelled only if it is still open once they have been handled.
inline void PlayWhenShown(TdcCustomLookupDialog& dialog, Script script, bool keysEndForm = false) {
  dialog.OnInitDialog = [script, keysEndForm](TdcLookupDlg* form) {
    qn::ui::postCall([form, script, keysEndForm] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(form->Window()));
      script(*form);
      auto cancelIfOpen = [form] {
        if (form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
      };
      if (keysEndForm) qn::ui::postCall(cancelIfOpen);
      else cancelIfOpen();
    });
  };
}

inline bool RunScripted(TdcCustomLookupDialog& dialog, Script script, bool keysEndForm = false) {
  PlayWhenShown(dialog, std::move(script), keysEndForm);
  return dialog.Execute();
}

// C01 .. Cnn.
inline std::vector<std::string> ClientCodes(int count) {
  std::vector<std::string> codes;
  for (int i = 1; i <= count; ++i) codes.push_back((i < 10 ? "C0" : "C") + std::to_string(i));
  return codes;
}

// The field names of the grid's columns, in order.
inline std::vector<std::string> ColumnFields(TdcDBGrid& grid) {
  std::vector<std::string> names;
  for (int i = 0; i < grid.GetFieldCount(); ++i) names.push_back(grid.GetFields(i)->FieldName());
  return names;
}

inline void LoadEngine() {
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
}

}  // namespace lookupdialogtest
