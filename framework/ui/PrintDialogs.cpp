#include "framework/ui/PrintDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPageSize>
#include <QSpinBox>
#include <cmath>
#include <utility>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/DialogSupport.h"
#include "framework/ui/PaperSizes.h"

namespace qn::ui {
namespace {

template <typename Presenter>
Presenter& presenterOf() {
  static Presenter current;
  return current;
}

// A dialog with a form of rows and OK and Cancel at the bottom.
struct RowsDialog {
  explicit RowsDialog(const char* title) : dialog(dialogOwner("printing dialog")), rows(new QFormLayout(&dialog)) {
    dialog.setWindowTitle(title);
  }
  bool run() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    rows->addRow(buttons);
    return dialog.exec() == QDialog::Accepted;
  }
  QDialog dialog;
  QFormLayout* rows;
};

QComboBox* printerBox(RowsDialog& d, const AnsiString& chosen) {
  auto* box = new QComboBox(&d.dialog);
  for (const AnsiString& name : Printer()->Printers()) box->addItem(screenText(name));
  box->setCurrentIndex(std::max(0, box->findText(screenText(chosen))));
  d.rows->addRow("&Printer:", box);
  return box;
}

AnsiString printerOf(QComboBox* box) { return box->count() ? typedText(box->currentText()) : AnsiString(); }

QComboBox* orientationBox(RowsDialog& d, TPrinterOrientation chosen) {
  auto* box = new QComboBox(&d.dialog);
  box->addItems({"Portrait", "Landscape"});
  box->setCurrentIndex(chosen == TPrinterOrientation::poLandscape ? 1 : 0);
  d.rows->addRow("&Orientation:", box);
  return box;
}

TPrinterOrientation orientationOf(QComboBox* box) {
  return box->currentIndex() == 1 ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
}

// The paper sizes by their numbers; a number of the same size as an earlier one is left out
// unless it is the one chosen.
QComboBox* paperBox(RowsDialog& d, int chosen) {
  auto* box = new QComboBox(&d.dialog);
  for (int number = 1; number <= 256; ++number) {
    const auto size = pageSizeForPaperNumber(number);
    if (!size || (paperNumberForPageSize(*size) != number && number != chosen)) continue;
    box->addItem(QPageSize::name(*size), number);
  }
  box->setCurrentIndex(std::max(0, box->findData(chosen)));
  d.rows->addRow("Paper &size:", box);
  return box;
}

std::optional<PrintChoice> runQtPrintDialog(const PrintDialogRequest& request) {
  RowsDialog d("Print");
  QComboBox* printer = printerBox(d, Printer()->PrinterName());
  auto* copies = new QSpinBox(&d.dialog);
  copies->setRange(1, 999);
  copies->setValue(std::max(1, request.copies));
  d.rows->addRow("Number of &copies:", copies);
  auto* collate = new QCheckBox("C&ollate", &d.dialog);
  collate->setChecked(request.collate);
  d.rows->addRow(collate);
  if (!d.run()) return std::nullopt;
  return PrintChoice{printerOf(printer), copies->value(), collate->isChecked()};
}

std::optional<PrinterSetupChoice> runQtPrinterSetupDialog() {
  TPrinter& target = *Printer();
  RowsDialog d("Print Setup");
  QComboBox* printer = printerBox(d, target.PrinterName());
  QComboBox* orientation = orientationBox(d, target.Orientation());
  QComboBox* paper = paperBox(d, target.PaperSize());
  if (!d.run()) return std::nullopt;
  return PrinterSetupChoice{printerOf(printer), orientationOf(orientation), paper->currentData().toInt()};
}

std::optional<PageSetupChoice> runQtPageSetupDialog(const PageSetupRequest& request) {
  RowsDialog d("Page Setup");
  QComboBox* paper = paperBox(d, request.paperSize);
  paper->setEnabled(request.paperChoiceEnabled);
  QComboBox* orientation = orientationBox(d, request.orientation);
  const bool inches = request.units == MarginUnits::thousandthsOfInch;
  const double perUnit = inches ? 1000.0 : 100.0;
  const auto margin = [&](const char* label, int value) {
    auto* box = new QDoubleSpinBox(&d.dialog);
    box->setDecimals(inches ? 3 : 2);
    box->setRange(0, inches ? 50 : 1270);
    box->setSuffix(inches ? " in" : " mm");
    box->setValue(value / perUnit);
    d.rows->addRow(label, box);
    return box;
  };
  QDoubleSpinBox* left = margin("&Left:", request.margins.left);
  QDoubleSpinBox* right = margin("&Right:", request.margins.right);
  QDoubleSpinBox* top = margin("&Top:", request.margins.top);
  QDoubleSpinBox* bottom = margin("&Bottom:", request.margins.bottom);
  QComboBox* printer = printerBox(d, request.printerName);
  if (!d.run()) return std::nullopt;
  const auto units = [&](QDoubleSpinBox* box) { return static_cast<int>(std::lround(box->value() * perUnit)); };
  return PageSetupChoice{{units(left), units(top), units(right), units(bottom)},
                         orientationOf(orientation),
                         paper->currentData().toInt(),
                         printerOf(printer)};
}

}  // namespace

std::optional<PrintChoice> showPrintDialog(const PrintDialogRequest& request) {
  ModalServiceScope modal;
  PrintDialogPresenter show = presenterOf<PrintDialogPresenter>();
  std::optional<PrintChoice> choice = show ? show(request) : runQtPrintDialog(request);
  if (choice && !choice->printerName.empty()) Printer()->SetPrinterName(choice->printerName);
  return choice;
}

std::optional<PrinterSetupChoice> showPrinterSetupDialog() {
  ModalServiceScope modal;
  PrinterSetupPresenter show = presenterOf<PrinterSetupPresenter>();
  std::optional<PrinterSetupChoice> choice = show ? show() : runQtPrinterSetupDialog();
  if (choice) {
    if (!choice->printerName.empty()) Printer()->SetPrinterName(choice->printerName);
    Printer()->SetOrientation(choice->orientation);
    Printer()->SetPaperSize(choice->paperSize);
  }
  return choice;
}

std::optional<PageSetupChoice> showPageSetupDialog(const PageSetupRequest& request) {
  ModalServiceScope modal;
  PageSetupPresenter show = presenterOf<PageSetupPresenter>();
  return show ? show(request) : runQtPageSetupDialog(request);
}

PrintDialogPresenter setPrintDialogPresenter(PrintDialogPresenter next) {
  return std::exchange(presenterOf<PrintDialogPresenter>(), std::move(next));
}
PrinterSetupPresenter setPrinterSetupPresenter(PrinterSetupPresenter next) {
  return std::exchange(presenterOf<PrinterSetupPresenter>(), std::move(next));
}
PageSetupPresenter setPageSetupPresenter(PageSetupPresenter next) {
  return std::exchange(presenterOf<PageSetupPresenter>(), std::move(next));
}

}  // namespace qn::ui
