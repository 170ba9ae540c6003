// The catalogue as committed: every entry holds together, every file the program opens is in it,
// and the layouts the program carries are there exactly once.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "resources/reader/CatalogueChecks.h"
#include "tools/Catalogue.h"

namespace {

using namespace qn::catalogue;
using qn::tools::Catalogue;

const Catalogue& committedCatalogue() {
  static const Catalogue catalogue = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
  return catalogue;
}

std::vector<std::string> entrySources() {
  std::vector<std::string> out;
  for (const CatalogueEntry& entry : committedCatalogue().entries) out.push_back(entry.source);
  return out;
}

const CatalogueEntry& entryFrom(const std::string& source) {
  for (const CatalogueEntry& entry : committedCatalogue().entries)
    if (entry.source == source) return entry;
  throw std::runtime_error("no entry " + source);
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

class CatalogueEntryTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CatalogueEntryTest, FieldsLieInsideTheRecordWithoutOverlap) {
  const CatalogueEntry& entry = entryFrom(GetParam());
  EXPECT_FALSE(entry.fields.empty());
  auto problems = checkFields(entry);
  EXPECT_TRUE(problems.empty()) << joined(problems);
}

TEST_P(CatalogueEntryTest, KeySegmentsLieOverFieldsOfTheirType) {
  const CatalogueEntry& entry = entryFrom(GetParam());
  ASSERT_FALSE(entry.keys.empty());
  // Every file of the program begins with the record manager's auto-increment number as key 0.
  ASSERT_EQ(entry.keys[0].segments.size(), 1u);
  EXPECT_EQ(entry.keys[0].segments[0].type, FieldType::AutoInc);
  EXPECT_EQ(entry.keys[0].segments[0].position, 1);
  EXPECT_FALSE(entry.keys[0].duplicates);
  auto problems = checkKeys(entry);
  EXPECT_TRUE(problems.empty()) << joined(problems);
  for (size_t k = 1; k < entry.keys.size(); ++k) EXPECT_FALSE(entry.keys[k].note.empty()) << "key " << k;
}

TEST_P(CatalogueEntryTest, StructureFieldsAreFoundInTheFile) {
  const CatalogueEntry& entry = entryFrom(GetParam());
  auto problems = checkStructureCoverage(entry, committedCatalogue().structures);
  EXPECT_TRUE(problems.empty()) << joined(problems);
}

INSTANTIATE_TEST_SUITE_P(Committed, CatalogueEntryTest, ::testing::ValuesIn(entrySources()),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum((unsigned char)c); }, '_');
                           return name;
                         });

TEST(CatalogueTest, EveryFileTheProgramOpensIsDescribed) {
  // Data folder files under the names the program uses, with a workstation id where the name
  // depends on it, and the program folder's and case-manager folder's files.
  const char* files[] = {
      "YClient.qf", "ClntSave.QF", "YCase.qf", "CaseSave.QF", "YEmpl.qf", "FSplit.qf", "Cdesc.qf",
      "CDescSav.QF", "YTable.qf", "CaseAddr.qf", "AddrSave.QF", "TSC.qc", "Sysop.qc", "Fee.qf", "HFee.qf",
      "Bill.qf", "HBill.qf", "Cal.qf", "TrDesc.qf", "Tran07.s", "Glac07", "Gl.qc", "Print07.QC", "NOTE.QF",
      "Yemrt.qf", "ygrate.qf", "Smith.qic", "WSName.QC", "Timer2.btr", "cmdata/master.dsc", "cmdata/Mngr007.dsc",
      "Batch07.qf", "BDesc07.qf"};
  for (const char* file : files) EXPECT_NE(committedCatalogue().findFile(file), nullptr) << file;
}

TEST(CatalogueTest, FilesSharingATemplateShareAnEntry) {
  // A save file is made by copying the template of the live file, so both must agree.
  const Catalogue& catalogue = committedCatalogue();
  EXPECT_EQ(catalogue.findFile("ycase.qf"), catalogue.findFile("casesave.qf"));
  EXPECT_EQ(catalogue.findFile("cdesc.qf"), catalogue.findFile("cdescsav.qf"));
  EXPECT_EQ(catalogue.findFile("caseaddr.qf"), catalogue.findFile("addrsave.qf"));
  EXPECT_EQ(catalogue.findFile("yclient.qf"), catalogue.findFile("clntsave.qf"));
}

TEST(CatalogueTest, TheProgramsLayoutsAreEachNamedOnce) {
  std::multiset<std::string> named;
  for (const CatalogueEntry& entry : committedCatalogue().entries)
    for (const LayoutDefinition& layout : entry.layouts()) named.insert(layout.name);
  for (const char* layout : {"BILLS", "CALENDAR", "CASEADDR", "CASEDESC", "EMP", "FEES", "FEESPLIT", "PRINT", "RPTLIST",
                             "SIMPLECD", "STCHAR1", "SYSOP1", "YCASE", "YCLIENT", "TRAN", "TRAN2", "GL2", "Glac",
                             "TRDESC", "BATCH"})
    EXPECT_EQ(named.count(layout), 1u) << layout;
}

TEST(CatalogueTest, TranAndTran2DescribeOneFile) {
  const CatalogueEntry* tran = committedCatalogue().findFile("TranAB.s");
  ASSERT_NE(tran, nullptr);
  auto layouts = tran->layouts();
  ASSERT_EQ(layouts.size(), 2u);
  EXPECT_EQ(layouts[0].name, "TRAN");
  EXPECT_EQ(layouts[1].name, "TRAN2");
}

TEST(CatalogueTest, CaseInsensitiveOnlyWhereSearchedWithoutCase) {
  // The access library compares range bounds with case; only the code tables' code key is
  // searched without case and never ranged.
  std::vector<std::string> found;
  for (const CatalogueEntry& entry : committedCatalogue().entries)
    for (size_t k = 0; k < entry.keys.size(); ++k)
      for (const KeySegment& segment : entry.keys[k].segments)
        if (segment.caseInsensitive) found.push_back(entry.source + " key " + std::to_string(k));
  EXPECT_EQ(found, std::vector<std::string>{"ytable.json key 5"});
}

TEST(CatalogueTest, FileNamesMatchWithoutCaseAndByPattern) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"YCase.qf", "YCASE.QF", true},   {"YCase.qf", "YCase.qf.bak", false}, {"Tran<ws>.s", "Tran07.s", true},
      {"Tran<ws>.s", "Tran7.s", false}, {"Glac<ws>", "GLACab", true},          {"Glac<ws>", "Glac", false},
      {"*.qic", "list.QIC", true},      {"*.qic", "list.qi", false},           {"cmdata/Mngr<nnn>.dsc", "cmdata/Mngr012.dsc", true},
      {"cmdata/Mngr<nnn>.dsc", "cmdata/MngrABC.dsc", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(qn::tools::matchesCatalogueName(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
}

}  // namespace
