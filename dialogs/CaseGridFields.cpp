#include "dialogs/CaseGridFields.h"

#include "core/FileDates.h"
#include "dialogs/CaseCodeTexts.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

const CaseGridCalculated CaseGridCalculatedFields[9] = {
    {"AltIDDecsLine1", 84}, {"Types", 8},  {"BCCRate", 6}, {"StatCodesMsg", 6}, {"FinChgAltFmt", 6},
    {"SalesTaxText", 30},   {"DeptCCA", 14}, {"Budget", 38}, {"Dates", 26},
};

namespace {

// The grid's fields in order; calculated fields are empty.
const char* const kFieldOrder[] = {
    "Client Code", "Case Suffix", "", "", "", "", "", "", "", "", "",
    "Finance Charge", "Ret Transfer Code", "Client Coord Atty", "Alt Billing Format", "Billing Rate Code",
    "Case Type 1", "Case Type 2", "Case Type 3", "Threshhold", "Alternate ID", "Description Line 1",
    "Resp Atty 1", "Resp Atty 2", "Resp Atty 3", "Department Code", "Sales Tax", "Statement Msg Code",
    "Fee BCC", "Cost BCC", "Case Status 1", "Case Status 2", "LeftJustCaseSuffix", "First 10 Client Last",
    "Fee Budget $", "Cost Budget $", "Retainer Min $", "Date Opened", "Date Last Update", "Date Last Payment",
    "Date Closed", "CaseClient", "RJCaseClient",
};

AnsiString lines(std::initializer_list<AnsiString> parts) {
  AnsiString text;
  bool first = true;
  for (const AnsiString& part : parts) {
    if (!first) text += '\r';
    text += part;
    first = false;
  }
  return text;
}

AnsiString displayDate(const AnsiString& fileDate) {
  if (Trim(fileDate).empty()) return "";
  AnsiString shown;
  FileDateToDisplay(fileDate, true, shown);
  return shown;
}

}  // namespace

AnsiString CaseGridFieldName(int position) {
  if (position < 0 || position >= static_cast<int>(std::size(kFieldOrder))) return "";
  return kFieldOrder[position];
}

std::vector<AnsiString> CaseGridStoredFields() {
  std::vector<AnsiString> names;
  for (const char* name : kFieldOrder)
    if (*name) names.push_back(name);
  return names;
}

void CalculateCaseGridFields(TDataSet* cases) {
  const auto text = [cases](const char* name) { return Trim(cases->FieldByName(name)->AsString()); };
  const auto set = [cases](const char* name, const AnsiString& value) { cases->FieldByName(name)->SetAsString(value); };
  const AnsiString attorneys = text("Resp Atty 1") + "  " + text("Resp Atty 2") + "  " + text("Resp Atty 3");
  set("AltIDDecsLine1", lines({text("Description Line 1"), text("Alternate ID"), Format("%-29s", {attorneys})}));
  set("Types", lines({text("Case Type 1"), text("Case Type 2"), text("Case Type 3")}));
  set("BCCRate", lines({text("Fee BCC"), text("Cost BCC"), text("Billing Rate Code")}));
  set("StatCodesMsg", lines({text("Case Status 1"), text("Case Status 2"), text("Statement Msg Code")}));
  const AnsiString finance = text("Finance Charge");
  set("FinChgAltFmt", lines({FinanceChargeOn(finance) ? "Y" : "N", "", text("Alt Billing Format")}));
  set("SalesTaxText",
      lines({SalesTaxText(text("Sales Tax")), ElectronicBillingText(finance), RetainerTransferText(text("Ret Transfer Code"))}));
  set("DeptCCA", lines({text("Department Code"), text("Client Coord Atty"), text("Threshhold")}));
  set("Budget", lines({text("Fee Budget $"), text("Cost Budget $"), text("Retainer Min $")}));
  set("Dates", lines({displayDate(text("Date Opened")), displayDate(text("Date Closed")), displayDate(text("Date Last Update"))}));
}
