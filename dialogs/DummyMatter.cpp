#include "dialogs/DummyMatter.h"

AnsiString DummyClient;
AnsiString DummySuffix;
