#include "dialogs/CaseReplace.h"

#include "dialogs/CaseGridFields.h"
#include "dialogs/DatasetLockRetry.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "recordmgr/Sessions.h"

namespace {


constexpr int kFinanceChargePosition = 11;
constexpr int kSalesTaxPosition = 26;
constexpr int kElectronicBillingMax = 100;
const char kHex[] = "0123456789ABCDEF";

int hexValue(const AnsiString& code) {
  if (code.size() != 1) return -1;
  for (int i = 0; i < 16; ++i)
    if (kHex[i] == code[0]) return i;
  return -1;
}

}  // namespace

ReplaceKind ReplaceKindOf(const CaseReplaceOrder& order) {
  if (order.FieldPosition == kSalesTaxPosition) return ReplaceKind::SalesTax;
  if (order.FieldPosition == kFinanceChargePosition)
    return order.MaxLength == kElectronicBillingMax ? ReplaceKind::ElectronicBilling : ReplaceKind::FinanceCharge;
  return ReplaceKind::Ordinary;
}

std::optional<AnsiString> ReplacedValue(const CaseReplaceOrder& order, const AnsiString& current) {
  switch (ReplaceKindOf(order)) {
    case ReplaceKind::Ordinary:
      if (Trim(current) != Trim(order.Find)) return std::nullopt;
      return Format("%-" + std::to_string(order.MaxLength) + "s", {order.New});
    case ReplaceKind::FinanceCharge: {
      // Switching keeps the electronic billing code in the low three bits.
      const bool switchOn = order.Find == "N";
      const int digit = current == "N" ? 0 : current == "Y" ? 8 : hexValue(current);
      if (digit < 0 || (digit >= 8) == switchOn) return std::nullopt;
      return AnsiString(1, kHex[switchOn ? digit + 8 : digit - 8]);
    }
    case ReplaceKind::ElectronicBilling: {
      // The old "N" and "Y" hold no code to change.
      const int digit = hexValue(current);
      const int from = hexValue(order.Find), to = hexValue(order.New);
      if (digit < 0 || from < 0 || to < 0 || (digit & 7) != from) return std::nullopt;
      return AnsiString(1, kHex[digit >= 8 ? to + 8 : to]);
    }
    case ReplaceKind::SalesTax:
      if (current != order.Find) return std::nullopt;
      return order.New;
  }
  return std::nullopt;
}

int ReplaceInCases(TDataSet* cases, TtbDatabase* database, const CaseReplaceOrder& order,
                   const std::vector<TBookmarkStr>& rows) {
  TField* field = cases->FieldByName(CaseGridFieldName(order.FieldPosition));
  int count = 0;
  const auto replaceCurrent = [&] {
    const std::optional<AnsiString> value = ReplacedValue(order, field->AsString());
    if (!value) return;
    RetryWhileRecordLocked([cases] { cases->Edit(); });
    field->SetAsString(*value);
    RetryWhileRecordLocked([cases] { cases->Post(); });
    ++count;
  };
  cases->DisableControls();
  try {
    database->StartTransaction();
    if (rows.empty()) {
      for (cases->First(); !cases->Eof(); cases->Next()) replaceCurrent();
    } else {
      for (const TBookmarkStr& row : rows) {
        cases->SetBookmark(row);
        replaceCurrent();
      }
    }
    database->Commit();
  } catch (...) {
    if (database->InTransaction()) database->Rollback();
    cases->Cancel();
    cases->EnableControls();
    throw;
  }
  cases->EnableControls();
  return count;
}
