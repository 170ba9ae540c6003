#pragma once
// The printer service: the program's one printer object, through which reports are printed on
// an installed printer or into a PDF file. Settings chosen before a document begins apply to
// it; each page is drawn on Canvas() in the page's device pixels, (0, 0) being the corner of
// the printable area.
#include <QPageLayout>
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/PrintTarget.h"

class Canvas;
class QPainter;

enum class TPrinterOrientation { poPortrait, poLandscape };

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The installed printers' names, asked of the system when first needed and then kept.
  const std::vector<AnsiString>& Printers();
  // The printer documents go to: the default printer until another is chosen.
  AnsiString PrinterName();
  // A name that is not installed chooses the default printer, without a word: settings saved
  // for a printer since removed still print.
  void SetPrinterName(const AnsiString& name);

  // Every setting back to its default for the next document; the printer chosen stays.
  void ResetSettings();
  TPrinterOrientation Orientation() const;
  void SetOrientation(TPrinterOrientation value);
  // The platform's paper number of the page size; a number not known keeps the paper as it is.
  int PaperSize() const;
  void SetPaperSize(int paper);
  int Copies() const { return settings_.copies; }
  void SetCopies(int value) { settings_.copies = value < 1 ? 1 : value; }
  // The paper bin by the program's bin number (PaperBins.h); -1, or a bin the printer service
  // cannot name, lets the printer choose.
  int Bin() const { return settings_.bin; }
  void SetBin(int number) { settings_.bin = number; }
  AnsiString Title() const;
  void SetTitle(const AnsiString& title);
  // Not empty: the next documents are written into this PDF file instead of the printer.
  AnsiString OutputFile() const;
  void SetOutputFile(const AnsiString& path);

  // A second begin while a document prints raises EInvalidOperation; a PDF file that cannot be
  // created raises EInOutError naming it. Either way nothing changes.
  void BeginDoc();
  void NewPage();
  void EndDoc();
  // The document is given up: nothing of it is printed or left in a file.
  void Abort();
  bool Printing() const { return document_ != nullptr; }
  bool Aborted() const { return aborted_; }
  // 1 on the first page of the document.
  int PageNumber() const;
  // The page being drawn; EInvalidOperation when no document is being printed.
  ::Canvas* Canvas();
  // The painter of the page, for what Qt lays out and draws itself (rich text).
  QPainter* PagePainter();

  // The printable area of the page, in device pixels.
  int PageHeight() const;
  int PageWidth() const;
  int XResolution() const;
  int YResolution() const;
  // The whole sheet, in device pixels, and where the printable area begins on it.
  int PhysicalWidth() const;
  int PhysicalHeight() const;
  int OffsetX() const;
  int OffsetY() const;

 private:
  struct Document;
  Document& printing() const;
  // The page facts of the printing document, else those the settings would give.
  QPageLayout currentLayout() const;
  int currentResolution() const;

  bool listed_ = false;
  std::vector<AnsiString> printers_;
  QString defaultPrinter_;
  QString printerName_;
  qn::ui::PrintSettings settings_;
  std::unique_ptr<Document> document_;
  bool aborted_ = false;
};

// The program's printer.
TPrinter* Printer();
