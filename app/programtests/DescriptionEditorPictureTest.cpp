// The description editor with the narrative picker above it and the billable-fields dialog, on the
// demo, pictured for a person to look at.
#include <gtest/gtest.h>


#include "app/programtests/DemoPrograms.h"
#include "app/programtests/DemoScreenshots.h"
#include "app/programtests/MainBlockOnDemo.h"
#include "core/Globals.h"
#include "core/TransactionEntry.h"
#include "dialogs/MemoF.h"
#include "dialogs/NarrF.h"
#include "dialogs/NarrativeCodes.h"
#include "dialogs/OptFieldsF.h"
#include "framework/ui/Application.h"
#include "framework/ui/GlyphButton.h"

namespace {

using demoprograms::MainBlockOnDemo;
using demoprograms::saveScreenshot;
using demoprograms::todayArgument;

TEST(DescriptionEditorOnDemo, TheNarrativePickerAboveTheEditorAndTheBillableFieldsShowTheDemo) {
  MainBlockOnDemo program({todayArgument()});
  ASSERT_TRUE(program.start()) << program.errors();
  ASSERT_NE(MemoF, nullptr);
  ASSERT_NE(OptFieldsF, nullptr);

  // The case window's own panel is laid out to its description alone; a panel of the design's
  // size shows every field.
  TMemoF* caseWindowMemo = MemoF;
  TForm host(nullptr);
  host.SetCaption("Description editor");
  // It stands for the main window the panels dock in.
  host.SetTag(100);
  host.SetClientWidth(760);
  host.SetClientHeight(180);
  TNarrF narr(nullptr);
  NarrF = &narr;
  auto* memo = new TMemoF(&host);
  MemoF = memo;
  narr.SetParent(&host);
  memo->SetParent(&host);
  memo->SetTop(narr.Height());
  host.Show();
  narr.Show();
  memo->Show();
  // The pickers follow the codes typed only while a matter is loaded.
  MatterLoaded = true;
  narr.OpenNarrativeCodes();
  memo->Description->SetText("+TCC the lease terms. ");
  memo->Description->SetSelStart(memo->Description->TextLength());
  narr.TableCode->SetText("DRC");
  narr.InsertBitBtnClick(narr.InsertBitBtn);
  EXPECT_EQ(memo->Description->Text(), "+TCC the lease terms. +DRC");
  Application->ProcessMessages();
  EXPECT_TRUE(saveScreenshot(&host, "memof-narrf-demo.png"));
  narr.ExpandBitBtnClick(narr.ExpandBitBtn);
  EXPECT_TRUE(DescriptionExpanded);
  Application->ProcessMessages();
  EXPECT_TRUE(saveScreenshot(&host, "memof-narrf-expanded-demo.png"));
  narr.ExpandBitBtnClick(narr.ExpandBitBtn);

  TransactionEntry.Kind = 1;
  BillableFieldValues values;
  values.EmployeeCode = "AMB";
  values.Hours = "1.50";
  values.Rate = "175.00";
  values.Amount = "262.50";
  OptFieldsF->Prepare(values, false);
  OptFieldsF->Show();
  Application->ProcessMessages();
  EXPECT_TRUE(saveScreenshot(OptFieldsF, "optfieldsf-demo.png"));
  OptFieldsF->Hide();
  TransactionEntry = {};
  MatterLoaded = false;
  MemoF = caseWindowMemo;
}

}  // namespace
