#pragma once
// The sibling's life: its windows on the message bus, the messages it logs and answers, and its
// end.
#include <string>

#include "tools/qnsibling/Roles.h"

namespace qn::sibling {

struct SiblingOptions {
  bool window = true;     // false: it registers nothing and so never becomes ready
  int exitAfterMs = -1;   // -1: until told to end (or its longest life is over)
  int answerAfterMs = 0;  // the main program's delay before it answers an add-code request
};

// Runs until SIGTERM, the message QN_Sibling_Exit or the time given; answers the exit code.
int runSibling(const Role& role, const SiblingOptions& options);

// Broadcasts the registered message name once with wParam 0 and the text; false when the bus
// cannot be opened.
bool sendOnce(const std::string& name, const std::string& text);

}  // namespace qn::sibling
