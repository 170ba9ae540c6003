// The fee split's family model on a client with three other open dummies: rows changed, added and
// deleted, receptor matters given their status or created, a deleted matter logged, and the log
// printed with its header.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/FeeSplitF.h"
#include "dialogs/FeeSplitLog.h"
#include "dialogs/tests/CaseFolderFixture.h"
#include "framework/ui/Memo.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/FakePrinter.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::FakePrinter;
using qn::ui::testing::ScriptedMessageBoxes;

std::string split(int dummy, const std::string& receptor, int receptorSuffix, const std::string& fee,
                  const std::string& cost) {
  return "DummyClient = FAM\nDummyCase = \"" + CaseFolderFixture::suffixText(dummy) + "\"\nReceptorClient = " +
         receptor + "\nReceptorCase = \"" + CaseFolderFixture::suffixText(receptorSuffix) + "\"\nFeePerCent = " + fee +
         "\nCostPerCent = " + cost + "\n\n";
}

class FeeSplitModelTest : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    std::map<std::string, std::string> s;
    s["YCase.qf"] = caseSeed("FAM", 1, "Case Status 2 = D\n") + caseSeed("FAM", 2, "Case Status 2 = D\n") +
                    caseSeed("FAM", 3, "Case Status 2 = D\n") + caseSeed("FAM", 4, "Case Status 2 = D\n") +
                    caseSeed("FAM", 5, "Case Status 1 = X\nCase Status 2 = D\n") + caseSeed("FAM", 6, "") +
                    caseSeed("FA", 1, "Case Status 2 = R\nAlternate ID = MODEL-RECEPTOR\n") +
                    caseSeed("FB", 1, "Case Status 2 = R\n") + caseSeed("FA", 2, "Case Status 2 = R\n") +
                    caseSeed("FC", 2, "Case Status 2 = R\n") + caseSeed("FA", 3, "Case Status 2 = R\n") +
                    caseSeed("FB", 3, "");
    s["FSplit.qf"] = split(1, "FA", 1, "60", "50") + split(1, "FB", 1, "40", "50") + split(2, "FA", 2, "60", "50") +
                     split(2, "FC", 2, "40", "50") + split(3, "FA", 3, "60.0001", "50") + split(5, "FC", 5, "1", "1");
    s["CaseSave.QF"] = caseSeed("FB", 4, "");
    s["Cdesc.qf"] = "ClientCode = FA\nCaseSuffix = \"      1\"\nDescNum = 01\nDescr = Receptor of the family\n\n"
                    "ClientCode = FA\nCaseSuffix = \"      1\"\nDescNum = 31\nDescr = a note line\n\n";
    return s;
  }
  void SetUp() override {
    CaseFolderFixture::SetUp();
    if (HasFatalFailure()) return;
    form = std::make_unique<TFeeSplitF>(nullptr);
    form->SetModelingEnabled(true);
    DummyClient = "FAM";
    DummySuffix = suffixText(1);
    form->Show();
    form->FormActivate(form.get());
  }
  void TearDown() override {
    form.reset();
    CaseFolderFixture::TearDown();
  }
  std::vector<std::string> splits() {
    return rows("fsplit.qf;RES:FEESPLIT", {"DummyCase", "ReceptorClient", "ReceptorCase", "FeePerCent", "CostPerCent"});
  }
  std::vector<std::string> matters() {
    return rows("YCase.qf;RES:YCASE", {"Client Code", "Case Suffix", "Case Status 2", "Alternate ID"});
  }
  std::unique_ptr<TFeeSplitF> form;
};

const AnsiString kQuestion =
    "Quillon is about to create a fee splitting model based on the\rfamily FAM - 1.\r\rThis may involve significant "
    "manipulation of Quillon data files.\r\rContinue with fee split modeling?";

TEST_F(FeeSplitModelTest, EveryOpenDummyOfTheClientGetsTheModelsSplit) {
  FakePrinter printer;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kQuestion, mrYes);
  boxes.expect(mtInformation,
               "The Fee Split Modeling function completed, but errors were encountered.\r\rThe error log will be "
               "displayed.");
  std::vector<AnsiString> shownLog;
  AnsiString logCaption;
  // Tried again until the log is shown: the run itself lets posted calls through between matters.
  std::function<void()> readLog = [&] {
    TFeeSplitLogF* log = nullptr;
    for (int i = 0; i < form->ComponentCount() && !log; ++i) log = dynamic_cast<TFeeSplitLogF*>(form->Components(i));
    if (!log || !log->Modal()) return qn::ui::postCall(readLog);
    logCaption = log->Caption();
    for (int i = 0; i < log->LogMemo->Lines()->Count(); ++i) shownLog.push_back(log->LogMemo->Lines()->Strings(i));
    log->PrintBtn->Click();
    log->CloseBtn->Click();
  };
  qn::ui::postCall(readLog);
  form->BitBtn3Click(nullptr);
  const TFeeSplitF::ModelCounts& counts = form->ModelCounters();
  EXPECT_EQ(counts.Matters, 3);
  EXPECT_EQ(counts.Changed, 1);
  EXPECT_EQ(counts.Added, 4);
  EXPECT_EQ(counts.Deleted, 1);
  const AnsiString deleted = "Case FB-4 could not be created because it had previously been deleted.";
  EXPECT_EQ(form->ModelLog(), std::vector<AnsiString>{deleted});
  EXPECT_EQ(shownLog, std::vector<AnsiString>{deleted});
  EXPECT_EQ(logCaption, "Quillon  Fee Split Entry and Maintenance Error Log");
  ASSERT_EQ(printer.documents().size(), 1u);
  const auto& texts = printer.documents()[0].pages.at(0).texts;
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text.toStdString(),
            "                   Quillon Fee Split Modeling Function Error Log                 Page 1");
  EXPECT_EQ(texts[1].text.toStdString(), std::string(deleted));
  EXPECT_GT(texts[1].position.y(), texts[0].position.y());

  form->Close();  // the model's run counts as saved
  EXPECT_EQ(splits(), (std::vector<std::string>{
                          "      1|FA|      1|60|50", "      1|FB|      1|40|50", "      2|FA|      2|60|50",
                          "      2|FB|      2|40|50", "      3|FA|      3|60|50", "      3|FB|      3|40|50", "      4|FA|      4|60|50",
                          "      4|FB|      4|40|50", "      5|FC|      5|1|1"}));
  const std::vector<std::string> stored = matters();
  auto has = [&](const std::string& row) { return std::count(stored.begin(), stored.end(), row) == 1; };
  EXPECT_TRUE(has("FC|      2||")) << "a receptor no longer in the family loses its status";
  EXPECT_TRUE(has("FB|      3|R|"));
  EXPECT_TRUE(has("FB|      2|R|"));
  EXPECT_TRUE(has("FA|      4|R|MODEL-RECEPTOR")) << "created as a copy of the model's receptor";
  EXPECT_FALSE(std::any_of(stored.begin(), stored.end(), [](const std::string& r) { return r.rfind("FB|      4", 0) == 0; }));
  EXPECT_EQ(rows("cdesc.qf;RES:CASEDESC", {"ClientCode", "CaseSuffix", "DescNum", "Descr"}),
            (std::vector<std::string>{"FA|      1|01|Receptor of the family", "FA|      1|31|a note line",
                                      "FA|      4|01|Receptor of the family"}));
}

// Cancel is looked at between two matters: the run stops there and the visit is rolled back.
TEST_F(FeeSplitModelTest, CancelStopsTheRunBetweenMattersAndKeepsNothing) {
  const std::vector<std::string> splitsBefore = splits(), mattersBefore = matters();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kQuestion, mrYes);
  AnsiString progress;
  std::function<void()> cancelAfterFirst = [&] {
    if (form->ModelCounters().Matters < 1) return qn::ui::postCall(cancelAfterFirst);
    EXPECT_TRUE(form->ModelCancelBtn->Visible());
    progress = form->ModelLabel->Caption();
    form->ModelCancelBtn->Click();
  };
  qn::ui::postCall(cancelAfterFirst);
  form->BitBtn3Click(nullptr);
  EXPECT_EQ(form->ModelCounters().Matters, 1);
  EXPECT_EQ(progress, "FAM-2  (1)   Changed: 0   Added: 1   Deleted: 1");
  EXPECT_FALSE(form->InVisit());
  EXPECT_FALSE(form->ModelCancelBtn->Visible());
  EXPECT_EQ(splits(), splitsBefore);
  EXPECT_EQ(matters(), mattersBefore);
}

TEST_F(FeeSplitModelTest, NoToTheQuestionChangesNothing) {
  const std::vector<std::string> before = splits();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kQuestion, mrNo);
  boxes.expect(mtInformation, "Fee Split Modeling function terminated by user.  No changes have been made.");
  form->BitBtn3Click(nullptr);
  EXPECT_FALSE(form->InVisit());
  EXPECT_EQ(splits(), before);
}

}  // namespace
}  // namespace dialogs_test
