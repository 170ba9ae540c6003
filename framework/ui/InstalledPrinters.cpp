#include "framework/ui/InstalledPrinters.h"

#include <QPrinterInfo>

namespace qn::ui {
namespace {

InstalledPrinters systemPrinters() { return {QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName()}; }

InstalledPrinterSource& source() {
  static InstalledPrinterSource current = systemPrinters;
  return current;
}

}  // namespace

InstalledPrinters installedPrinters() { return source()(); }

InstalledPrinterSource setInstalledPrinterSource(InstalledPrinterSource newSource) {
  InstalledPrinterSource previous = source();
  source() = newSource ? std::move(newSource) : InstalledPrinterSource(systemPrinters);
  return previous;
}

}  // namespace qn::ui
