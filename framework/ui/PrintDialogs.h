#pragma once
// The printing dialogs: print (copies, collate), printer set-up and page set-up. They are
// services the program answers with Qt dialogs and tests with a script (framework/ui/testing).
// When confirmed, the print dialog's printer and the printer set-up dialog's printer, orientation
// and paper go to the program's printer (Printer()), whoever answered them. The copies are the
// caller's to print (the printer's own count stays, so a document is never printed copies
// squared times); the page set-up dialog only answers, and its caller applies the choice.
#include <functional>
#include <optional>

#include "framework/base/AnsiString.h"
#include "framework/ui/Printer.h"

struct PrintDialogRequest {
  int copies = 1;
  bool collate = false;
};

struct PrintChoice {
  AnsiString printerName;  // empty: the printer chosen before
  int copies = 1;
  bool collate = false;
};

struct PrinterSetupChoice {
  AnsiString printerName;  // empty: the printer chosen before
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  int paperSize = 0;  // the platform's paper number; 0 keeps the paper
};

enum class MarginUnits { thousandthsOfInch, hundredthsOfMillimetre };

struct PageMargins {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PageMargins&) const = default;
};

struct PageSetupRequest {
  PageMargins margins;
  MarginUnits units = MarginUnits::thousandthsOfInch;
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  int paperSize = 1;
  AnsiString printerName;
  bool paperChoiceEnabled = true;
};

struct PageSetupChoice {
  PageMargins margins;  // in the request's units
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  int paperSize = 1;
  AnsiString printerName;
};

// nullopt: the user cancelled.
using PrintDialogPresenter = std::function<std::optional<PrintChoice>(const PrintDialogRequest&)>;
using PrinterSetupPresenter = std::function<std::optional<PrinterSetupChoice>()>;
using PageSetupPresenter = std::function<std::optional<PageSetupChoice>(const PageSetupRequest&)>;

namespace qn::ui {

// Confirmed: the chosen printer goes to Printer().
std::optional<PrintChoice> showPrintDialog(const PrintDialogRequest& request);
// Confirmed: printer, orientation and paper go to Printer().
std::optional<PrinterSetupChoice> showPrinterSetupDialog();
std::optional<PageSetupChoice> showPageSetupDialog(const PageSetupRequest& request);

// Put presenters in charge; each answers the one replaced. Empty: the Qt dialogs again.
PrintDialogPresenter setPrintDialogPresenter(PrintDialogPresenter presenter);
PrinterSetupPresenter setPrinterSetupPresenter(PrinterSetupPresenter presenter);
PageSetupPresenter setPageSetupPresenter(PageSetupPresenter presenter);

}  // namespace qn::ui
