// Malformed catalogue and structure texts are refused with a message naming their source; the
// committed structures read as the record-file layer needs them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "resources/reader/CatalogueEntry.h"
#include "resources/reader/RecordStructures.h"

namespace {

using namespace qn::catalogue;

const char* kEntry = R"({"files": ["A.qf"], "layout": "A", "recordLength": 8,
  "keys": [{"duplicates": false, "modifiable": false,
            "segments": [{"position": 1, "length": 4, "type": "autoinc"}]}],
  "fields": [{"name": "N", "offset": 0, "size": 4, "type": "autoinc"},
             {"name": "M", "offset": 4, "size": 4, "type": "decimal", "decimals": 2}]})";

TEST(CatalogueParsingTest, AWellFormedEntryReads) {
  CatalogueEntry entry = parseCatalogueEntry(kEntry, "a.json");
  EXPECT_EQ(entry.files, std::vector<std::string>{"A.qf"});
  EXPECT_EQ(entry.recordLength, 8);
  EXPECT_EQ(entry.pageSize, 4096);
  ASSERT_EQ(entry.keys.size(), 1u);
  EXPECT_EQ(entry.keys[0].segments[0].type, FieldType::AutoInc);
  ASSERT_EQ(entry.fields.size(), 2u);
  EXPECT_EQ(entry.fields[1].decimals, 2);
}

TEST(CatalogueParsingTest, MalformedEntriesNameTheirSource) {
  std::string base = kEntry;
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = base;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  std::string texts[] = {
      "not json",
      "[1, 2]",
      replaced(R"("files": ["A.qf"], )", ""),
      replaced(R"(["A.qf"])", "[]"),
      replaced(R"("recordLength": 8)", R"("recordLength": "8")"),
      replaced(R"("type": "autoinc"}]})", R"("type": "bigint"}]})"),
      replaced(R"("segments": [{"position": 1, "length": 4, "type": "autoinc"}])", R"("segments": [])"),
      replaced(R"("name": "N", )", ""),
      replaced(R"("duplicates": false)", R"("duplicates": 0)"),
      replaced(R"("recordLength": 8)", R"("recordLength": 4294967304)"),
      replaced(R"("offset": 4)", R"("offset": -4294967292)"),
  };
  for (const std::string& text : texts) {
    try {
      parseCatalogueEntry(text, "broken.json");
      ADD_FAILURE() << "accepted: " << text;
    } catch (const CatalogueError& e) {
      EXPECT_NE(std::string(e.what()).find("broken.json"), std::string::npos) << e.what();
    }
  }
}

TEST(CatalogueParsingTest, MalformedStructuresAreRefused) {
  const char* texts[] = {
      "{}",
      R"({"codes": [{"bareLength": 4}]})",
      R"({"codes": [{"code": "AA"}]})",
      R"({"codes": [{"code": "AA", "bareLength": null}, {"code": "AA", "bareLength": null}]})",
      R"({"codes": [{"code": "AA", "bareLength": 8, "schema": {"recordLength": 8,
          "fields": [{"name": "X", "offset": 1, "size": 8, "kind": "binary"}]}}]})",
      R"({"codes": [{"code": "AA", "bareLength": 4294967304}]})",
  };
  for (const char* text : texts) EXPECT_THROW(parseRecordStructures(text, "s.json"), CatalogueError) << text;
}

TEST(CatalogueParsingTest, CommittedStructuresKeepTheirOrderAndLengths) {
  std::ifstream in(std::string(QN_CATALOGUE_DIR) + "/structures.json");
  std::stringstream text;
  text << in.rdbuf();
  auto codes = parseRecordStructures(text.str(), "structures.json");
  ASSERT_EQ(codes.size(), 29u);
  // The record-file layer looks codes up by position: the first and last must stay put.
  EXPECT_EQ(codes.front().code, "CL");
  EXPECT_EQ(codes.back().code, "CF");
  for (const StructureCode& code : codes) {
    if (!code.hasSchema) continue;
    int sum = 0;
    for (const StructureField& f : code.fields) sum += f.size;
    // Built from the schema, a record is the descriptors packed back to back.
    EXPECT_EQ(code.bufferLength.value_or(sum), code.bufferLength ? *code.bufferLength : code.recordLength)
        << code.code;
  }
  EXPECT_EQ(findStructure(codes, "cl"), nullptr);
  ASSERT_NE(findStructure(codes, "CA"), nullptr);
  EXPECT_EQ(findStructure(codes, "CA")->fields.size(), 73u);
}

}  // namespace
