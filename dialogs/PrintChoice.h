#pragma once
// Where the printing choices sent a report: the one state the dialog leaves for its caller and
// the text-report writer. Destination 0 means the caller prints nothing.
#include "framework/base/AnsiString.h"

struct TPrintChoice {
  int Destination = 0;  // 0 nothing, 100 a file (the screen too), 255 the printer
  int Mode = 0;
  int ReportNumber = 0;
  int ToScreen = 0;
  AnsiString ReportTitle;
  AnsiString Pitch = "10";
  AnsiString Orientation;  // "R" portrait, "C" landscape (condensed), "D" dot-matrix 10 pitch
  AnsiString PageLength;
  AnsiString PrintToFile = "N";  // "N" printer, "Y" text or PDF, "D" data, "P" PDF, "R" printer or screen only
  AnsiString Folder;
  AnsiString FileName;
  AnsiString FullName;
  AnsiString PrinterName;
  int PrinterIndex = -1;
  bool PdfWanted = false;
  bool EmailWanted = false;
  bool NameHasExtension = false;
  bool LabelsWanted = false;
  // Report 1's paper bins: the index chosen in each bin box and the printer's number for it
  // (-1: the printer chooses).
  int FirstPageBinIndex = 0;
  int FirstPageBin = -1;
  int OtherPagesBinIndex = 0;
  int OtherPagesBin = -1;
  bool OkPressed = false;
  // The built-in defaults stand in for the print-choices file.
  bool DefaultsUsed = false;
  // The time name of the scratch file a screen report is written to.
  AnsiString ScreenTimeName;
};

extern TPrintChoice PrintChoice;

// Set by the suite's posting programs; this program never unposts, so it stays false.
extern bool UnpostingReport;
