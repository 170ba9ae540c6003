#pragma once
// The case dialogs' tests: the data modules' seeded data folder (core's fixture) serving as the
// lookup data folder too, with workstation 07 and the offscreen application.
#include "core/tests/DataModuleFixture.h"

namespace dialogs_test {

class CaseDataFixture : public core_test::DataModuleFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace dialogs_test
