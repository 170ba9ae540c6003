#include "dialogs/tests/CaseDataFixture.h"

#include "core/Globals.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace dialogs_test {

void CaseDataFixture::SetUp() {
  qn::ui::testing::qtApplication();
  DataModuleFixture::SetUp();
  LookupDataDir = dataDir;
  WorkstationId = "07";
}

void CaseDataFixture::TearDown() {
  DataModuleFixture::TearDown();
  LookupDataDir.clear();
  WorkstationId.clear();
}

}  // namespace dialogs_test
