#include "core/TransactionEntry.h"

TransactionEntryState TransactionEntry;
