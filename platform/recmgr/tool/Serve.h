#pragma once
// `qnrecmgr serve`: a second workstation for tests. It runs record-manager calls on commands
// read one a line and answers each with one line that starts with the call's status. The
// command language is the tool's help text `serveHelp`.
#include <istream>
#include <ostream>

namespace qn::recmgr {

extern const char* const serveHelp;

// Runs commands until `quit` or the end of the input; 0 then.
int serve(std::istream& in, std::ostream& out);

}  // namespace qn::recmgr
