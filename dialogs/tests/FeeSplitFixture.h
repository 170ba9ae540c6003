#pragma once
// The fee split form's folder: the dummy DUM-1 with receptors R1-1, R2-1 and R3-1, a frozen
// matter NEW-1, a receptor LONE-1 without a dummy, and dummies N-1 to N-12 with as many
// receptors; the form made with the right to change receptors, and reading helpers.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "core/Globals.h"
#include "datagrid/DBGrid.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/FeeSplitF.h"
#include "dialogs/tests/CaseFolderFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {

using qn::ui::testing::ScriptedMessageBoxes;

inline const AnsiString kRedistribute =
    "You have elected to redistribute split percentages\rso that each receptor case incurs an equal share of the "
    "total.\r\rAre you SURE this is what you want to do?";
inline const AnsiString kClickSave = "Click the Save button (Alt-V) to commit to the changes you have made.";

inline std::string split(const std::string& dummy, int dummySuffix, const std::string& receptor, int receptorSuffix,
                  const std::string& fee, const std::string& cost) {
  return "DummyClient = " + dummy + "\nDummyCase = \"" + CaseFolderFixture::suffixText(dummySuffix) +
         "\"\nReceptorClient = " + receptor + "\nReceptorCase = \"" + CaseFolderFixture::suffixText(receptorSuffix) +
         "\"\nFeePerCent = " + fee + "\nCostPerCent = " + cost + "\n\n";
}

class FeeSplitFixture : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    std::map<std::string, std::string> s;
    s["YCase.qf"] = caseSeed("DUM", 1, "Case Status 2 = D\n") + caseSeed("R1", 1, "Case Status 2 = R\n") +
                    caseSeed("R2", 1, "Case Status 2 = R\n") + caseSeed("R3", 1, "Case Status 2 = R\n") +
                    caseSeed("NEW", 1, "Case Status 2 = F\n") + caseSeed("Q1", 3, "Case Status 2 = R\n") +
                    caseSeed("LONE", 1, "Case Status 2 = R\n");
    std::string rows = split("DUM", 1, "R1", 1, "50", "40") + split("DUM", 1, "R2", 1, "30", "40") +
                       split("DUM", 1, "R3", 1, "20", "20");
    // Dummies N-1 to N-12 with as many receptors.
    for (int n = 1; n <= 12; ++n)
      for (int i = 1; i <= n; ++i) rows += split("N", n, "Q" + std::to_string(i), n, "1", "2");
    s["FSplit.qf"] = rows;
    return s;
  }
  void SetUp() override {
    CaseFolderFixture::SetUp();
    if (HasFatalFailure()) return;
    ActiveFunctionRights[14] = "Y";
    form = std::make_unique<TFeeSplitF>(nullptr);
  }
  void TearDown() override {
    form.reset();
    ActiveFunctionRights[14] = "";
    CaseFolderFixture::TearDown();
  }
  void visit(const std::string& client, int suffix) {
    DummyClient = client;
    DummySuffix = suffixText(suffix);
    form->Show();
    form->FormActivate(form.get());
    ASSERT_TRUE(form->InVisit());
  }
  std::vector<std::string> splits() {
    return rows("fsplit.qf;RES:FEESPLIT", {"DummyClient", "DummyCase", "ReceptorClient", "FeePerCent", "CostPerCent"});
  }
  std::vector<std::string> splitsOf(const std::string& dummy, int suffix) {
    std::vector<std::string> mine;
    const std::string prefix = dummy + "|" + std::string(suffixText(suffix)) + "|";
    for (const std::string& row : splits())
      if (row.rfind(prefix, 0) == 0) mine.push_back(row.substr(prefix.size()));
    return mine;
  }
  std::string status(const std::string& client) {
    for (const std::string& row : rows("YCase.qf;RES:YCASE", {"Client Code", "Case Status 2"}))
      if (row.rfind(client + "|", 0) == 0) return row.substr(client.size() + 1);
    return "?";
  }
  std::string fileBytes() {
    std::ifstream in(dataDir + "/FSplit.qf", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  AnsiString footer(const char* column) { return form->dcDBGrid1->ColumnByName(column).FooterValue(); }
  void redistribute(ScriptedMessageBoxes& boxes) {
    boxes.expect(mtConfirmation, kRedistribute, mrYes);
    boxes.expect(mtInformation, kClickSave);
    form->BitBtn2Click(nullptr);
  }

  std::unique_ptr<TFeeSplitF> form;
};

}  // namespace dialogs_test
