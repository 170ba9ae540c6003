#include "framework/db/DatabaseError.h"

#include "framework/base/Component.h"
#include "framework/base/Exception.h"

void DatabaseError(const AnsiString& message, const TComponent* component) {
  if (component && !component->Name().empty())
    throw EDatabaseError(component->Name() + ": " + message);
  throw EDatabaseError(message);
}
