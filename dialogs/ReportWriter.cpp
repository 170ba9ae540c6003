#include "dialogs/ReportWriter.h"

#include <cerrno>
#include <string>

#include "core/Globals.h"
#include "dialogs/PrintChoice.h"
#include "framework/base/Clock.h"
#include "framework/base/DateFormat.h"
#include "framework/base/Exception.h"
#include "framework/base/FileStream.h"
#include "framework/base/FormatText.h"
#include "framework/ui/Application.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Control.h"
#include "framework/ui/Printer.h"
#include "platform/os/Paths.h"

TReportPage ReportPage;

ReportTextFile::ReportTextFile() = default;
ReportTextFile::~ReportTextFile() = default;

void ReportTextFile::Assign(const AnsiString& path) {
  Close();
  path_ = path;
}

void ReportTextFile::Rewrite() { open(true); }
void ReportTextFile::Append() { open(false); }

void ReportTextFile::open(bool empty) {
  Close();
  try {
    stream_ = std::make_unique<FileStream>(qn::os::resolvePath(path_), empty ? fmCreate : fmOpenWrite);
    if (!empty) stream_->Seek(0, soEnd);
  } catch (const std::exception& e) {
    stream_.reset();
    throw EInOutError("Cannot open the file " + path_ + ": " + e.what(), ENOENT);
  }
}

void ReportTextFile::WriteLine(const AnsiString& text) {
  if (!stream_) throw EInOutError("The file " + path_ + " is not open", EBADF);
  const AnsiString line = text + "\r\n";
  try {
    stream_->WriteBuffer(line.data(), static_cast<int64_t>(line.size()));
  } catch (const Exception& e) {
    throw EInOutError("Cannot write the file " + path_ + ": " + e.Message(), EIO);
  }
}

void ReportTextFile::Close() { stream_.reset(); }

namespace {

const char* const kTitles[] = {"DUMMY-RECEPTOR REALLOCATION", "QUILLON CLIENT AUDIT TRAIL", "QUILLON CASE AUDIT TRAIL"};

// The reallocation dialog is a form the main block made, reached by its name: the writer lies
// below the dialogs that use it.
bool reallocationShown() {
  if (!Application) return false;
  auto* form = dynamic_cast<TControl*>(Application->FindComponent("ReAllocF"));
  return form && form->Visible();
}

int pickHeaderKind() {
  if (reallocationShown()) return hkReallocation;
  const TComponent* main = Application ? Application->MainForm() : nullptr;
  if (main && main->Name() == "ClientF") return hkClientAudit;
  if (main && main->Name() == "CaseF") return hkCaseAudit;
  return ReportPage.HeaderKind;
}

int mulDiv(int number, int numerator, int denominator) {
  return static_cast<int>((static_cast<long long>(number) * numerator + denominator / 2) / denominator);
}

}  // namespace

bool StartReport() {
  TReportPage& page = ReportPage;
  page.HeaderKind = pickHeaderKind();
  // A report after another one in this run begins on the page after the other's last page.
  const bool followsAnother = page.Started;
  if (followsAnother) ++page.PageNumber;
  try {
    if (page.ToPrinter) {
      if (!Printer()->Printing()) BeginPrinterReport(page);
    } else if (!page.ReportFileOpen) {
      OpenReportFile(page);
    }
  } catch (const std::exception&) {
    if (followsAnother) --page.PageNumber;
    return false;
  }
  page.Started = true;
  return true;
}

void BeginPrinterReport(TReportPage& Page) {
  TPrinter* printer = Printer();
  Page.Position = 0;
  printer->SetPrinterName(PrintChoice.PrinterName);
  // Fresh settings start from the defaults; a PDF file chosen as the destination stays, as the
  // printer chosen does.
  const AnsiString outputFile = printer->OutputFile();
  printer->ResetSettings();
  printer->SetOutputFile(outputFile);
  const bool portrait = Page.OrientationCode == 'R';
  printer->SetOrientation(portrait ? TPrinterOrientation::poPortrait : TPrinterOrientation::poLandscape);
  printer->BeginDoc();
  Canvas* canvas = printer->Canvas();
  TFont* font = canvas->Font();
  font->SetName("Courier New");
  font->SetStyle({});
  font->SetCharset(255);

  Page.LinePitch = printer->PageHeight() / 64;
  if (Page.LinesPerPage > 64) Page.LinesPerPage = 64;
  Page.PageHeight = Page.LinesPerPage * Page.LinePitch;
  if (printer->PageHeight() < Page.PageHeight) Page.PageHeight = printer->PageHeight();

  int height = mulDiv(printer->YResolution(), portrait ? 12 : 10, 72);
  if (height > Page.LinePitch + 9) height = Page.LinePitch;
  font->SetHeight(height);
  while (height > 1 && printer->PageWidth() < canvas->textWidth("A") * (TReportPage::LineWidth + 2))
    font->SetHeight(--height);
  Page.LeftMargin = 2 * canvas->textWidth("A");
  PrintReportHeader(Page);
}

void OpenReportFile(TReportPage& Page) {
  Page.Position = 0;
  Page.ReportFileOpen = true;
  Page.ReportFile.Assign(PrintChoice.Folder + "\\" + PrintChoice.FileName);
  try {
    Page.ReportFile.Rewrite();
  } catch (...) {
    Page.ReportFileOpen = false;
    throw;
  }
  Page.LinePitch = 1;
  PrintReportHeader(Page);
}

void PrintReportHeader(TReportPage& Page) {
  const AnsiString header = Format(AnsiString("Printed on %-8s at %-32s") + kTitles[Page.HeaderKind] + "%-32spage %-10s",
                                   {SystemDateDisplay, TimeToStr(qn::clock().now()), "", std::to_string(Page.PageNumber)});
  if (Page.ToPrinter) PrintReportLine(header, Page.Position, Page.LeftMargin, 0);
  else WriteReportFileLine(header, Page, false);
  WriteReportBlankLine(Page);
}

bool CheckReportPageBreak(TReportPage& Page, int LinesNeeded) {
  if (Page.PageHeight - 4 * Page.LinePitch >= Page.Position + LinesNeeded * Page.LinePitch) return false;
  if (!Page.ToPrinter)
    while (Page.Position < Page.PageHeight) WriteReportFileLine("", Page, false);
  ++Page.PageNumber;
  NewReportPage(Page);
  return true;
}

void PrintReportLine(const AnsiString& Text, int& Y, int X, int ExtraLines) {
  Printer()->Canvas()->drawText(X, Y, Text);
  Y += (ExtraLines + 1) * ReportPage.LinePitch;
}

void WriteReportFileLine(const AnsiString& Text, TReportPage& Page, bool BlankAfter) {
  Page.ReportFile.WriteLine(Text);
  ++Page.Position;
  if (BlankAfter) {
    Page.ReportFile.WriteLine("");
    ++Page.Position;
  }
}

void WriteReportBlankLine(TReportPage& Page) {
  if (Page.ToPrinter) PrintReportLine("", Page.Position, Page.LeftMargin, 0);
  else WriteReportFileLine("", Page, false);
}

void NewReportPage(TReportPage& Page) {
  Page.Position = 0;
  if (Page.ToPrinter) Printer()->NewPage();
  PrintReportHeader(Page);
}
