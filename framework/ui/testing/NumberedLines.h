#pragma once
// A text of many short lines ("Line 001", "Line 002", ...) joined by CR LF, for tests that print
// or lay out a document long enough to run over pages and read its lines back in order.
#include "framework/base/AnsiString.h"

namespace qn::ui::testing {

AnsiString numberedLines(int count);

}  // namespace qn::ui::testing
