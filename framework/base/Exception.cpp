#include "framework/base/Exception.h"

void Abort() { throw EAbort("Operation aborted"); }
