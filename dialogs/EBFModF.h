#pragma once
// TEBFModF ("Electronic Billing Code Replace"): the electronic billing codes to find and the ones
// to put in their place, for the case grid's global replace. Made once by the main block.
#include "dialogs/CodeChoiceReplace.h"

class TEBFModF : public CodeChoiceReplaceForm {
  QN_CLASS(TEBFModF, CodeChoiceReplaceForm)
 public:
  explicit TEBFModF(TComponent* AOwner);

  // At 96 pixels per inch the form shows at 80 % of its size.
  void FormShow(TObject* Sender);

 private:
  bool shrunk_ = false;
};

extern TEBFModF* EBFModF;
