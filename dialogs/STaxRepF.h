#pragma once
// TSTaxRepF ("Sales Tax Find and Replace"): the sales-tax setting to find and the one to put in
// its place, for the case grid's global replace.
#include "dialogs/CodeChoiceReplace.h"

class TSTaxRepF : public CodeChoiceReplaceForm {
  QN_CLASS(TSTaxRepF, CodeChoiceReplaceForm)
 public:
  explicit TSTaxRepF(TComponent* AOwner);
};
