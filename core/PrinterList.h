#pragma once
// The list of the system's printers that the print choices offer: PrinterNames (Globals.h), made
// and filled by the first BuildPrinterList and kept as it is for the rest of the run.
#include <functional>
#include <vector>

#include "framework/base/AnsiString.h"

// Later calls do nothing. With no printer at all the user is told that reports need one, and the
// list stays empty.
void BuildPrinterList();

// How a printer is listed: the part of its name before " on " (when that begins after the first
// character), else the whole name.
AnsiString PrinterListName(const AnsiString& PrinterName);

namespace qn::core {

// The printers' names in the system's order; the system's printers unless a test says otherwise.
using PrinterNameSource = std::function<std::vector<AnsiString>()>;
// Answers the source it replaces; an empty source puts the system's back.
PrinterNameSource setPrinterNameSource(PrinterNameSource source);

}  // namespace qn::core
