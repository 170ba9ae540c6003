#pragma once
// The printers installed on the system: the one place that asks for them. Nothing is asked
// before the first call, since listing printers can block for seconds on an unreachable print
// server.
#include <QString>
#include <QStringList>
#include <functional>

namespace qn::ui {

struct InstalledPrinters {
  QStringList names;  // in the system's order
  QString defaultName;  // empty when there is no default
};

// The printers now installed, from the source.
InstalledPrinters installedPrinters();

// The printers come from source instead of the system (for tests); answers the source it
// replaces. An empty source puts the system's back.
using InstalledPrinterSource = std::function<InstalledPrinters()>;
InstalledPrinterSource setInstalledPrinterSource(InstalledPrinterSource source);

}  // namespace qn::ui
