#pragma once
// The text-report writer: fixed-pitch reports of at most 64 lines of 132 characters a page, each
// page headed by the date, the time, the report's title and the page number, printed on the
// printer the printing choices named or written into their text file. One report at a time;
// its state (ReportPage) lives for the whole run, so page numbers go on from one report to the
// next.
//
// Callers: GetPrinterInfo(0, 63); stop when PrintChoice.Destination is 0; ToPrinter :=
// Destination = 255; LinesPerPage := 64 and, for a file, PageHeight := LinesPerPage;
// StartReport (stop on false); each block of lines after CheckReportPageBreak; at the end the
// printer's EndDoc (Abort while it still prints) and, when ReportFileOpen, ReportFile.Close()
// with ReportFileOpen cleared.
#include <memory>

#include "framework/base/AnsiString.h"

class FileStream;

// A text file of lines as the program holds its text (Windows-1252 bytes), each line ended by
// CR LF. A file that cannot be created, opened or written raises EInOutError naming it.
class ReportTextFile {
 public:
  ReportTextFile();
  ~ReportTextFile();
  ReportTextFile(const ReportTextFile&) = delete;
  ReportTextFile& operator=(const ReportTextFile&) = delete;

  // The program path the next Rewrite or Append opens; an open file is closed first.
  void Assign(const AnsiString& path);
  const AnsiString& Path() const { return path_; }
  // Creates the file, or empties it when it exists.
  void Rewrite();
  // Opens the existing file for writing after its last line.
  void Append();
  void WriteLine(const AnsiString& text);
  void Close();
  bool IsOpen() const { return stream_ != nullptr; }

 private:
  void open(bool empty);
  AnsiString path_;
  std::unique_ptr<FileStream> stream_;
};

// Which title the header carries.
enum { hkReallocation = 0, hkClientAudit = 1, hkCaseAudit = 2 };

struct TReportPage {
  // The next line's place: device pixels from the top when printing, a line count in a file.
  int Position = 0;
  // Counted on at every page break and never reset, so a second report in a run goes on.
  int PageNumber = 1;
  int LinePitch = 1;
  int PageHeight = 64;
  // Set by the caller; at most 64 on the printer.
  int LinesPerPage = 64;
  static constexpr int LineWidth = 132;
  // Twice the width of "A" in the printer font.
  int LeftMargin = 0;
  int HeaderKind = hkReallocation;
  // Set by the caller: PrintChoice.Destination = 255.
  bool ToPrinter = false;
  // Other units open it on a file of their own and write through WriteReportFileLine too; the
  // flag is set when it is opened and cleared by whoever closes it.
  ReportTextFile ReportFile;
  bool ReportFileOpen = false;
  // 'R' portrait, anything else landscape; set by the caller before StartReport.
  char OrientationCode = 'R';
  bool Started = false;
};

extern TReportPage ReportPage;

// Picks the header kind and begins the printer document or the report file, then prints the
// header; false when either cannot be begun.
bool StartReport();
// Selects PrintChoice.PrinterName (the default printer when it is not installed) with fresh
// settings, begins the document and fits the Courier font to 132 characters a line.
void BeginPrinterReport(TReportPage& Page);
// Creates or empties PrintChoice.Folder + "\" + PrintChoice.FileName.
void OpenReportFile(TReportPage& Page);
void PrintReportHeader(TReportPage& Page);
// True when the n lines would run into the four free lines at the bottom and a new page was
// begun (a file page is first padded with empty lines to its full height).
bool CheckReportPageBreak(TReportPage& Page, int LinesNeeded);
// Draws the text at (X, Y) on the printer's page and moves Y down by ExtraLines + 1 pitches.
void PrintReportLine(const AnsiString& Text, int& Y, int X, int ExtraLines);
// One line into the report file, counted; with BlankAfter an empty line follows, counted too.
void WriteReportFileLine(const AnsiString& Text, TReportPage& Page, bool BlankAfter);
void WriteReportBlankLine(TReportPage& Page);
void NewReportPage(TReportPage& Page);
