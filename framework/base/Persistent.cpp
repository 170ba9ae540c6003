#include "framework/base/Persistent.h"

#include "framework/base/Exception.h"

void TPersistent::Assign(TPersistent* Source) {
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  const AnsiString sourceName = Source ? Source->ClassName() : AnsiString("nil");
  throw Exception("Cannot assign a " + sourceName + " to a " + ClassName());
}
