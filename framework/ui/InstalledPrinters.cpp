#include "framework/ui/InstalledPrinters.h"

#include <QPrinterInfo>

namespace qn::ui {
namespace {

InstalledPrinters systemPrinters() {
  return {QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName(), {}};
}

InstalledPrinterSource& source() {
  static InstalledPrinterSource current = systemPrinters;
  return current;
}

}  // namespace

std::optional<std::vector<PaperBin>> InstalledPrinters::binsOf(const QString& printer) const {
  const auto found = bins.find(printer);
  return found == bins.end() ? std::optional<std::vector<PaperBin>>(std::vector<PaperBin>{}) : found->second;
}

InstalledPrinters installedPrinters() { return source()(); }

InstalledPrinterSource setInstalledPrinterSource(InstalledPrinterSource newSource) {
  InstalledPrinterSource previous = source();
  source() = newSource ? std::move(newSource) : InstalledPrinterSource(systemPrinters);
  return previous;
}

}  // namespace qn::ui
