#pragma once
// TPersistent: an object whose state can be copied from another object with Assign. A class that
// can copy from a source overrides Assign; a source that knows how to fill a destination overrides
// AssignTo. When neither side knows the pair, the copy is refused with an error naming both classes.
#include "framework/base/Object.h"

class TPersistent : public TObject {
  QN_CLASS(TPersistent, TObject)
 public:
  // Copies Source into this object. The base asks Source to do it (AssignTo); a null Source is
  // refused like any pair nobody knows.
  virtual void Assign(TPersistent* Source);

 protected:
  // Copies this object into Dest. The base knows no destination and refuses.
  virtual void AssignTo(TPersistent* Dest);

 private:
  // Raises the refusal "Cannot assign a <source class> to a <destination class>".
  void AssignError(const TPersistent* Source) const;
};
