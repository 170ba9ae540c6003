#include "dialogs/tests/LookupHeaderFixture.h"

#include "core/Globals.h"
#include "framework/base/FormatText.h"
#include "platform/recmgr/tests/RecordManagerApi.h"

namespace dialogs_test {
namespace {

std::string client(const char* code, const char* last, const char* unassigned) {
  return std::string("Client Code = ") + code + "\nClient Last Name = " + last + "\nCity = " + last +
         " City\nFinance Charge = Y\nSales Tax = Y\nBilling Rate Code = R2\nAlt Billing Format = 3\nThreshhold = 25\n" +
         "Unassigned = \"" + unassigned + "\"\n\n";
}

std::string matter(const char* code, const char* suffix, const char* extra = "") {
  const AnsiString c(code), s(suffix);
  return std::string("Client Code = ") + code + "\nCase Suffix = \"" + Format("%7s", {s}) +
         "\"\nLeftJustCaseSuffix = " + suffix + "\nCaseClient = \"" + Format("%-7s", {s}) + Format("%-7s", {c}) +
         "\"\nRJCaseClient = \"" + Format("%7s", {s}) + Format("%-7s", {c}) + "\"\nDescription Line 1 = Matter " +
         code + "-" + suffix + "\n" + extra + "\n";
}

}  // namespace

std::string keyHex(const std::string& text) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char c : text) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

std::map<std::string, std::string> LookupHeaderFixture::seedFiles() const {
  auto files = CaseDataFixture::seedFiles();
  files["YClient.qf"] = client("ABC", "Abbot", "") + client("INACT", "Inactive", "800000") +
                        client("SEVEN", "Seven", "78    ") + client("XYZ", "Xylo", "") + client("DEF", "Defoe", "") +
                        client("LONGEST", "Longest", "");
  files["YCase.qf"] = matter("ABC", "1",
                             "Resp Atty 1 = RA1\nResp Atty 2 = RA2\nResp Atty 3 = RA3\nClient Coord Atty = CCA\n"
                             "Alternate ID = ALT-ONE\n") +
                      matter("ABC", "12") + matter("ABC", "A7", "Case Status 1 = X\n") + matter("XYZ", "12") +
                      matter("ABC", "AB1") + matter("ABC", "AB2") + matter("ABC", "AC") + matter("NOCLNT", "9") +
                      matter("ZZZ", "9");
  files["CaseSave.QF"] = matter("ABC", "B");
  return files;
}

void LookupHeaderFixture::SetUp() {
  CaseDataFixture::SetUp();
  LookupProgramDir = qn::recmgr::testing::programFolder();
  for (int i = 1; i <= 99; ++i) ActiveFileRights[i] = "Y";
}

void LookupHeaderFixture::TearDown() {
  header.reset();
  for (auto* flag : {&CaseRangeActive, &CaseListRangeActive, &ClientRangePending, &ClientNameRangePending,
                     &InactiveClientChosen, &ClosedCaseFound, &NewCaseByPrompt, &SuffixTyping, &HideClosedCases,
                     &HideInactiveClients, &ListCasesInNumericOrder, &CalendarParameter})
    *flag = false;
  CaseChosenInGrid = false;
  LastLookupControl = nullptr;
  CaseRangeIndex = "-1";
  TypedSuffixPrefix.clear();
  SysopSettings = {};
  AttyOrder.clear();
  LookupProgramDir.clear();
  CaseDataFixture::TearDown();
}

void LookupHeaderFixture::makeHeader() {
  header.reset();
  header = std::make_unique<TClientCaseLookF>(nullptr);
  header->Show();
  header->OpenCaseFiles();
}

void LookupHeaderFixture::enterSuffix(const AnsiString& client, const AnsiString& suffix) {
  header->ClientCode->SetText(client);
  bool keep = true, addNew = false;
  if (!client.empty()) header->CheckClientCode(header->ClientCode, keep, addNew);
  header->CaseSuffixEnter(header->CaseSuffix);
  header->CaseSuffix->CloseUp(false);
  header->CaseSuffix->SetText(suffix);
}

}  // namespace dialogs_test
