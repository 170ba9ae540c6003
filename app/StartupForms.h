#pragma once
// The long-lived forms and data modules the main block creates, in the order the program relies
// on: the main window first (it becomes the main form), the data modules next, then the forms the
// main window hosts or calls.
#include <iosfwd>
#include <vector>

#include "framework/base/AnsiString.h"

class TApplication;
class TComponent;

const std::vector<AnsiString>& StartupFormClassNames();

// Creates each form of the list whose class is registered, owned by the application and stored
// in its form variable (CreateFormByClassName); a name whose class is not registered is skipped
// and named once on skipped. A creation that raises lets the exception through (the forms already
// made stay with the application). Answers the forms created, in order.
std::vector<TComponent*> CreateStartupForms(TApplication& application, const std::vector<AnsiString>& classNames,
                                            std::ostream& skipped);
