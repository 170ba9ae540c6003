#pragma once
// A matter's key as the record files hold it: the client code left-justified in 7 characters,
// the case suffix right-justified in 7.
#include "framework/base/AnsiString.h"

class TDataSet;

struct CaseKey {
  CaseKey(const AnsiString& client, const AnsiString& suffix);
  // The matter of the case table's current record.
  static CaseKey ofCurrent(TDataSet* cases);

  // Whether the table's current record belongs to the matter; its client and suffix fields are
  // "Client Code" and "Case Suffix", or the same without the blank.
  bool holds(TDataSet* table) const;

  AnsiString client;
  AnsiString suffix;
};
