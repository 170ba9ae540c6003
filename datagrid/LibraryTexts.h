#pragma once
// LibraryTexts: the base of the objects that hold the control library's texts. Their texts are
// published string properties (sub-objects published object properties), so one Assign copies
// every text of one such object into another of its class, sub-objects included.
#include "framework/base/Persistent.h"

class LibraryTexts : public TPersistent {
  QN_CLASS(LibraryTexts, TPersistent)
 public:
  // Another object of the same class: every published text, and the texts of every published
  // sub-object, are copied. Any other source is refused as TPersistent refuses it.
  void Assign(TPersistent* Source) override;
};
