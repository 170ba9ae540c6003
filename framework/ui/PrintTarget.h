#pragma once
// Where a document's pages go: a real printer, a PDF file, or a test's recording device. The
// printer service draws every page on device() and asks for the next page between pages.
#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>

class QPaintDevice;

namespace qn::ui {

// What a document is printed with, fixed when it begins.
struct PrintSettings {
  QString printerName;  // empty: the system's default printer
  QString outputFile;   // not empty: a PDF file instead of a printer
  QString title;
  QPageLayout layout;
  int copies = 1;
  int bin = -1;  // the program's paper-bin number (PaperBins.h); -1: the printer's own choice
};

class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  virtual QPaintDevice* device() = 0;
  // The device's page as its painter sees it.
  virtual QPageLayout layout() const = 0;
  virtual int resolution() const = 0;
  // Called with the painter open on device(), between two pages.
  virtual bool newPage() = 0;
  // The document is complete (the painter has ended): nothing more is drawn on it.
  virtual void finish() = 0;
  // The document is given up (the painter has ended): whatever it wrote is dropped.
  virtual void discard() = 0;
};

// Makes the target of a document; raises EInOutError when it cannot be opened.
using PrintTargetMaker = std::function<std::unique_ptr<PrintTarget>(const PrintSettings&)>;

// The resolution of PDF files, in dots per inch.
inline constexpr int pdfResolution = 600;

// The targets the system prints to: a PDF file when the settings name one, else the printer.
std::unique_ptr<PrintTarget> makeSystemPrintTarget(const PrintSettings& settings);

// Documents that name no output file go to maker's targets instead of printers (for tests);
// answers the maker it replaces. An empty maker puts the printers back.
PrintTargetMaker setPrinterTargetMaker(PrintTargetMaker maker);

}  // namespace qn::ui
