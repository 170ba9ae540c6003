#include "framework/ui/Printer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/PaperSizes.h"

namespace {

QString qtText(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }
AnsiString ansiText(const QString& text) { return qn::utf8ToAnsi(text.toStdString()); }

QPageLayout defaultLayout() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(), QPageLayout::Point);
}

}  // namespace

struct TPrinter::Document {
  std::unique_ptr<qn::ui::PrintTarget> target;
  QPainter painter;
  std::unique_ptr<::Canvas> canvas;
  int pageNumber = 1;
};

TPrinter::TPrinter() { ResetSettings(); }
TPrinter::~TPrinter() {
  if (document_) Abort();
}

const std::vector<AnsiString>& TPrinter::Printers() {
  if (!listed_) {
    const qn::ui::InstalledPrinters installed = qn::ui::installedPrinters();
    for (const QString& name : installed.names) printers_.push_back(ansiText(name));
    defaultPrinter_ = installed.defaultName;
    if (defaultPrinter_.isEmpty() && !installed.names.isEmpty()) defaultPrinter_ = installed.names.front();
    listed_ = true;
  }
  return printers_;
}

AnsiString TPrinter::PrinterName() {
  Printers();
  return ansiText(printerName_.isEmpty() ? defaultPrinter_ : printerName_);
}

void TPrinter::SetPrinterName(const AnsiString& name) {
  const std::vector<AnsiString>& installed = Printers();
  const bool known = std::find(installed.begin(), installed.end(), name) != installed.end();
  printerName_ = known ? qtText(name) : QString();
}

void TPrinter::ResetSettings() {
  settings_ = {};
  settings_.layout = defaultLayout();
}

TPrinterOrientation TPrinter::Orientation() const {
  return currentLayout().orientation() == QPageLayout::Landscape ? TPrinterOrientation::poLandscape
                                                                  : TPrinterOrientation::poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation value) {
  settings_.layout.setOrientation(value == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait);
}

int TPrinter::PaperSize() const { return qn::ui::paperNumberForPageSize(currentLayout().pageSize().id()); }

void TPrinter::SetPaperSize(int paper) {
  if (const auto size = qn::ui::pageSizeForPaperNumber(paper)) settings_.layout.setPageSize(QPageSize(*size));
}

AnsiString TPrinter::Title() const { return ansiText(settings_.title); }
void TPrinter::SetTitle(const AnsiString& title) { settings_.title = qtText(title); }
AnsiString TPrinter::OutputFile() const { return ansiText(settings_.outputFile); }
void TPrinter::SetOutputFile(const AnsiString& path) { settings_.outputFile = qtText(path); }

void TPrinter::BeginDoc() {
  if (document_) throw EInvalidOperation("A document is already being printed.");
  if (settings_.outputFile.isEmpty()) settings_.printerName = qtText(PrinterName());
  auto document = std::make_unique<Document>();
  document->target = qn::ui::makeSystemPrintTarget(settings_);
  if (!document->painter.begin(document->target->device())) {
    document->target->discard();
    throw EInOutError("The document \"" + Title() + "\" could not be started.", 0);
  }
  document->canvas = std::make_unique<::Canvas>(&document->painter, document->target->resolution());
  document_ = std::move(document);
  aborted_ = false;
}

TPrinter::Document& TPrinter::printing() const {
  if (!document_) throw EInvalidOperation("No document is being printed.");
  return *document_;
}

void TPrinter::NewPage() {
  Document& document = printing();
  document.target->newPage();
  ++document.pageNumber;
}

void TPrinter::EndDoc() {
  Document& document = printing();
  document.painter.end();
  std::unique_ptr<Document> done = std::move(document_);
  done->target->finish();
}

void TPrinter::Abort() {
  Document& document = printing();
  document.painter.end();
  std::unique_ptr<Document> done = std::move(document_);
  done->target->discard();
  aborted_ = true;
}

int TPrinter::PageNumber() const { return document_ ? document_->pageNumber : 0; }

::Canvas* TPrinter::Canvas() { return printing().canvas.get(); }
QPainter* TPrinter::PagePainter() { return &printing().painter; }

QPageLayout TPrinter::currentLayout() const { return document_ ? document_->target->layout() : settings_.layout; }

int TPrinter::currentResolution() const {
  if (document_) return document_->target->resolution();
  if (!settings_.outputFile.isEmpty()) return qn::ui::pdfResolution;
  return QPrinter(QPrinter::HighResolution).resolution();
}

int TPrinter::PageHeight() const { return currentLayout().paintRectPixels(currentResolution()).height(); }
int TPrinter::PageWidth() const { return currentLayout().paintRectPixels(currentResolution()).width(); }
int TPrinter::XResolution() const { return currentResolution(); }
int TPrinter::YResolution() const { return currentResolution(); }
int TPrinter::PhysicalWidth() const { return currentLayout().fullRectPixels(currentResolution()).width(); }
int TPrinter::PhysicalHeight() const { return currentLayout().fullRectPixels(currentResolution()).height(); }
int TPrinter::OffsetX() const { return currentLayout().paintRectPixels(currentResolution()).left(); }
int TPrinter::OffsetY() const { return currentLayout().paintRectPixels(currentResolution()).top(); }

TPrinter* Printer() {
  static TPrinter printer;
  return &printer;
}
