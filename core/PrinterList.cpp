#include "core/PrinterList.h"

#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/InstalledPrinters.h"

namespace {

std::vector<AnsiString> systemPrinterNames() {
  std::vector<AnsiString> names;
  for (const QString& name : qn::ui::installedPrinters().names) names.push_back(qn::utf8ToAnsi(name.toStdString()));
  return names;
}

qn::core::PrinterNameSource& source() {
  static qn::core::PrinterNameSource current = systemPrinterNames;
  return current;
}

}  // namespace

void BuildPrinterList() {
  if (PrinterNames) return;
  PrinterNames = new StringList;
  const std::vector<AnsiString> names = source()();
  if (names.empty()) {
    ShowInformationBox("You have no windows printers!\r\rYou must have at least one windows printer in order to print "
               "QUILLON reports.");
    return;
  }
  for (const AnsiString& name : names) PrinterNames->Add(PrinterListName(name));
}

AnsiString PrinterListName(const AnsiString& PrinterName) {
  const int on = Pos(" on ", PrinterName);
  return on > 1 ? Copy(PrinterName, 1, on - 1) : PrinterName;
}

namespace qn::core {

PrinterNameSource setPrinterNameSource(PrinterNameSource newSource) {
  PrinterNameSource previous = source();
  source() = newSource ? std::move(newSource) : PrinterNameSource(systemPrinterNames);
  return previous;
}

}  // namespace qn::core
