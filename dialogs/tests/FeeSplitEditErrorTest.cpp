// A write of the fee split that fails for a reason other than a lock: told once, the edit
// abandoned, the form closed and the visit's earlier changes rolled back.
#include <gtest/gtest.h>

#include "datagrid/DcTbTable.h"
#include "dialogs/tests/FeeSplitFixture.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"

namespace dialogs_test {
namespace {

class FeeSplitEditErrorTest : public FeeSplitFixture {};

TEST_F(FeeSplitEditErrorTest, AnErrorOtherThanALockClosesTheFormAndKeepsNothing) {
  const std::string before = fileBytes();
  ScriptedMessageBoxes boxes;
  visit("DUM", 1);
  redistribute(boxes);
  // R1-1's row made a second R2-1 row of the same dummy: the file refuses the duplicate key.
  boxes.expect(mtError,
               "Your changes cannot be saved at this time.  Error:\rAn error was encountered while attempting to "
               "modify data:\r\rBtrieve Status 5 - The record has a key field containing a duplicate key value.\r\nKey=[" +
                   dataDir + "\\fsplit.qf]\r\nDBI Error Code = DBIERR_NOUNIQUERECSPlease contact Vantor, Inc. for "
                             "assistance.");
  form->FSplit->First();
  form->FSplit->Edit();
  form->FSplit->FieldByName("ReceptorClient")->SetAsString("R2");
  EXPECT_ANY_THROW(form->FSplit->Post());
  EXPECT_EQ(form->FSplit->State(), dsBrowse) << "the edit is abandoned";
  for (int i = 0; i < 5 && form->InVisit(); ++i) Application->ProcessMessages();
  EXPECT_FALSE(form->InVisit()) << "the form closes";
  EXPECT_EQ(fileBytes(), before) << "the equal split before the failure is rolled back too";
}

}  // namespace
}  // namespace dialogs_test
