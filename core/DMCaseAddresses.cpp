// The calculated fields of a matter's addresses: what the address grid shows of each record.
#include "core/DM.h"
#include "core/LayoutFields.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"

namespace {

AnsiString text(TDataSet* d, const char* name) { return d->FieldByName(name)->AsString(); }

void calculateAddress(TDataSet* d) {
  d->FieldByName("CaseID")->SetAsString(Trim(text(d, "Case Suffix")) + "\r" + text(d, "Client Code"));
  d->FieldByName("Name")->SetAsString(text(d, "Name1") + "\r" + text(d, "Name2"));
  d->FieldByName("Address")
      ->SetAsString(text(d, "AddressLine1") + "\r" + text(d, "AddressLine2") + "\r" + text(d, "City") + "  " +
                    text(d, "StateZipCountry"));
  d->FieldByName("Phone")->SetAsString(text(d, "Phone1") + "\r" + text(d, "Phone2"));
  d->FieldByName("SubsOrAdd")->SetAsString(Trim(text(d, "Address Type")) == "X" ? "?" : "");
}

}  // namespace

void TDM::addCaseAddressCalculations() {
  // Sized for the widest layout fields they join, with their separators.
  AddCalculatedText(CaseAddresses, "CaseID", 7 + 1 + 20);
  AddCalculatedText(CaseAddresses, "Name", 60 + 1 + 60);
  AddCalculatedText(CaseAddresses, "Address", 60 + 1 + 60 + 1 + 30 + 2 + 30);
  AddCalculatedText(CaseAddresses, "Phone", 20 + 1 + 20);
  AddCalculatedText(CaseAddresses, "SubsOrAdd", 1);
  CaseAddresses->OnCalcFields = calculateAddress;
}
