#include "casewindow/CaseSaveFlags.h"

bool NewDummyWarningPending = false;
bool ApplyToReceptorsRequested = false;
