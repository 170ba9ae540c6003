#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include "framework/base/AnsiString.h"
#include "framework/base/Exception.h"
#include "framework/ui/PaperBins.h"
#include "framework/ui/PrintTarget.h"

namespace qn::ui {
namespace {

// Written to a file beside the named one that takes its place only when the document is
// complete, so a document given up or cut short leaves no half-written file.
class PdfFileTarget : public PrintTarget {
 public:
  explicit PdfFileTarget(const PrintSettings& settings) : file_(settings.outputFile) {
    if (!file_.open(QIODevice::WriteOnly))
      throw EInOutError(utf8ToAnsi(QStringLiteral("Cannot create file \"%1\". %2")
                                       .arg(settings.outputFile, file_.errorString())
                                       .toStdString()),
                        static_cast<int>(file_.error()));
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setResolution(pdfResolution);
    writer_->setTitle(settings.title);
    writer_->setCreator(settings.title);
    writer_->setPageLayout(settings.layout);
  }
  QPaintDevice* device() override { return writer_.get(); }
  QPageLayout layout() const override { return writer_->pageLayout(); }
  int resolution() const override { return writer_->resolution(); }
  bool newPage() override { return writer_->newPage(); }
  void finish() override {
    if (!file_.commit())
      throw EInOutError(utf8ToAnsi(QStringLiteral("Cannot write file \"%1\". %2")
                                       .arg(file_.fileName(), file_.errorString())
                                       .toStdString()),
                        static_cast<int>(file_.error()));
  }
  void discard() override { file_.cancelWriting(); }

 private:
  QSaveFile file_;
  std::unique_ptr<QPdfWriter> writer_;
};

class PrinterTarget : public PrintTarget {
 public:
  explicit PrinterTarget(const PrintSettings& settings) : printer_(QPrinter::HighResolution) {
    if (!settings.printerName.isEmpty()) printer_.setPrinterName(settings.printerName);
    printer_.setDocName(settings.title);
    printer_.setPageLayout(settings.layout);
    // What the printer cannot reach stays outside the page its painter sees.
    printer_.setPageMargins(printer_.pageLayout().minimumMargins(), QPageLayout::Point);
    printer_.setCopyCount(settings.copies);
    if (const auto source = paperSourceOfBin(settings.bin)) printer_.setPaperSource(*source);
  }
  QPaintDevice* device() override { return &printer_; }
  QPageLayout layout() const override { return printer_.pageLayout(); }
  int resolution() const override { return printer_.resolution(); }
  bool newPage() override { return printer_.newPage(); }
  void finish() override {}
  void discard() override { printer_.abort(); }

 private:
  QPrinter printer_;
};

PrintTargetMaker& testMaker() {
  static PrintTargetMaker maker;
  return maker;
}

}  // namespace

std::unique_ptr<PrintTarget> makeSystemPrintTarget(const PrintSettings& settings) {
  if (!settings.outputFile.isEmpty()) return std::make_unique<PdfFileTarget>(settings);
  if (testMaker()) return testMaker()(settings);
  return std::make_unique<PrinterTarget>(settings);
}

PrintTargetMaker setPrinterTargetMaker(PrintTargetMaker maker) {
  PrintTargetMaker previous = std::move(testMaker());
  testMaker() = std::move(maker);
  return previous;
}

}  // namespace qn::ui
