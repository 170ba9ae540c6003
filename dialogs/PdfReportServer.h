#pragma once
// The client of the PDF report server: it finds the server where its registration promises
// (HKEY_CLASSES_ROOT's InprocServer32 of the server's class), loads it and draws documents
// through it. A registered path that names no file here - a short form names none on this
// platform - loads the program folder's server instead. Texts and file names are the program's
// own (Windows-1252 and program paths).
#include <string>

#include "framework/base/AnsiString.h"
#include "platform/pdfserver/PdfServerApi.h"

class PdfReportServer {
 public:
  PdfReportServer() = default;
  ~PdfReportServer();
  PdfReportServer(const PdfReportServer&) = delete;
  PdfReportServer& operator=(const PdfReportServer&) = delete;

  // False, with Error() saying why, when the server is not registered or cannot be loaded.
  bool Load();
  bool Loaded() const { return library_ != nullptr; }
  // The file the server was loaded from.
  const std::string& LoadedFrom() const { return loadedFrom_; }
  // Why the last call failed.
  const AnsiString& Error() const { return error_; }

  // A document's handle, or -1. The calls below answer false after a failure.
  int Open(const AnsiString& FileName, bool Landscape, int PaperSize);
  bool SetFont(int Document, const AnsiString& Family, double Points);
  bool Text(int Document, double X, double Y, const AnsiString& Line);
  bool NewPage(int Document);
  bool Close(int Document);

 private:
  bool answered(int status);

  void* library_ = nullptr;
  std::string loadedFrom_;
  AnsiString error_;
  PdfRepOpenFn open_ = nullptr;
  PdfRepSetFontFn setFont_ = nullptr;
  PdfRepTextFn text_ = nullptr;
  PdfRepNewPageFn newPage_ = nullptr;
  PdfRepCloseFn close_ = nullptr;
  PdfRepLastErrorFn lastError_ = nullptr;
};
