#pragma once
// The printers installed on the system: the one place that asks for them. Nothing is asked
// before the first call, since listing printers can block for seconds on an unreachable print
// server.
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace qn::ui {

// A paper source of a printer: its name and the number a document chooses it by (TPrinter::SetBin).
struct PaperBin {
  QString name;
  int number = -1;
  bool operator==(const PaperBin&) const = default;
};

struct InstalledPrinters {
  QStringList names;  // in the system's order
  QString defaultName;  // empty when there is no default
  // Per printer its paper bins, or nothing when the printer could not tell them. A printer left
  // out has none listed: Qt offers no call that lists a printer's bins, so the system's source
  // lists none and the printer chooses its own.
  std::map<QString, std::optional<std::vector<PaperBin>>> bins;

  std::optional<std::vector<PaperBin>> binsOf(const QString& printer) const;
};

// The printers now installed, from the source.
InstalledPrinters installedPrinters();

// The printers come from source instead of the system (for tests); answers the source it
// replaces. An empty source puts the system's back.
using InstalledPrinterSource = std::function<InstalledPrinters()>;
InstalledPrinterSource setInstalledPrinterSource(InstalledPrinterSource source);

}  // namespace qn::ui
