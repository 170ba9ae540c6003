// The general-ledger control file and the workstation's interface file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "core/Globals.h"
#include "core/tests/DataModuleFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/Files.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "testing/TestDirs.h"

namespace {

using core_test::DataModuleFixture;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString CreateHint =
    "Go to Interfaces/General Ledger/Create Control File and create your file before you continue.";

class GeneralLedgerFiles : public DataModuleFixture {
 protected:
  void SetUp() override {
    DataModuleFixture::SetUp();
    WorkstationId = "07";
    ProgramDir = qn::recmgr::testing::programFolder();
  }
};

TEST_F(GeneralLedgerFiles, TheControlFileWithItsControlRecordOpens) {
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(dm->OpenGLControl());
  EXPECT_TRUE(dm->GL2TB->Active());
}

TEST_F(GeneralLedgerFiles, AMissingControlFileIsNamed) {
  ASSERT_EQ(std::remove((dataDir + "/Gl.qc").c_str()), 0);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Your General Ledger control file has not been created.\r\r" + CreateHint);
  EXPECT_FALSE(dm->OpenGLControl());
}

TEST_F(GeneralLedgerFiles, AControlFileWithoutItsControlRecordIsNotFullyCreated) {
  dm->GL2TB->SetTableName(dataDir + "\\Gl.qc;RES:GL2");
  dm->GL2TB->Open();
  dm->GL2TB->First();
  dm->GL2TB->Delete();
  dm->GL2TB->Close();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError,
               "Your General Ledger control file has not been fully created.\r\rYou must do so before you continue.\r\r" +
                   CreateHint);
  EXPECT_FALSE(dm->OpenGLControl());
  EXPECT_FALSE(dm->GL2TB->Active());
}

TEST_F(GeneralLedgerFiles, TheInterfaceFileIsMadeFromItsModel) {
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(dm->OpenGLInterface());
  EXPECT_TRUE(qn::os::fileExists(dataDir + "/Glac07"));
  EXPECT_TRUE(dm->GlacTB->Active());
}

TEST_F(GeneralLedgerFiles, AMissingInterfaceModelIsNamed) {
  ProgramDir = qn::testing::makeScratchDir("no-models");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "The file, " + ProgramDir + "\\Glac.clo is missing.");
  EXPECT_FALSE(dm->OpenGLInterface());
  EXPECT_FALSE(qn::os::fileExists(dataDir + "/Glac07"));
}

}  // namespace
