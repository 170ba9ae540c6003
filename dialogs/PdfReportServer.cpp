#include "dialogs/PdfReportServer.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/os/Paths.h"
#include "platform/pdfserver/PdfServerIds.h"
#include "platform/pdfserver/Registration.h"
#include "recordmgr/ProgramLibrary.h"

namespace {

// The file the registered path stands for here, or empty when it names none.
std::string registeredFile(const std::string& registered) {
  const std::size_t cut = registered.find_last_of("\\/");
  const std::string name = cut == std::string::npos ? registered : registered.substr(cut + 1);
  try {
    const std::string folder = cut == std::string::npos ? "." : qn::os::resolvePath(registered.substr(0, cut));
    const std::string file = folder + "/" + ProgramLibraryFileName(name);
    return std::filesystem::is_regular_file(file) ? file : "";
  } catch (const std::exception&) {
    return "";
  }
}

std::string fileOf(void* symbol) {
  Dl_info info{};
  return symbol && dladdr(symbol, &info) && info.dli_fname ? info.dli_fname : "";
}

}  // namespace

PdfReportServer::~PdfReportServer() {
  if (library_) dlclose(library_);
}

bool PdfReportServer::Load() {
  if (library_) return true;
  std::string registered;
  try {
    registered = qn::pdfserver::ClassesRootServerPath();
  } catch (const std::exception& e) {
    error_ = std::string("The registry cannot be read: ") + e.what();
    return false;
  }
  if (registered.empty()) {
    error_ = "The PDF report server is not registered.";
    return false;
  }
  const std::string file = registeredFile(registered);
  void* library = file.empty() ? OpenProgramLibrary(qn::pdfserver::ServerFileName) : dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    error_ = "The PDF report server " + registered + " cannot be loaded.";
    return false;
  }
  auto call = [library](const char* name) { return dlsym(library, name); };
  open_ = reinterpret_cast<PdfRepOpenFn>(call("PdfRepOpen"));
  setFont_ = reinterpret_cast<PdfRepSetFontFn>(call("PdfRepSetFont"));
  text_ = reinterpret_cast<PdfRepTextFn>(call("PdfRepText"));
  newPage_ = reinterpret_cast<PdfRepNewPageFn>(call("PdfRepNewPage"));
  close_ = reinterpret_cast<PdfRepCloseFn>(call("PdfRepClose"));
  lastError_ = reinterpret_cast<PdfRepLastErrorFn>(call("PdfRepLastError"));
  if (!open_ || !setFont_ || !text_ || !newPage_ || !close_ || !lastError_) {
    dlclose(library);
    error_ = "The library " + registered + " is not the PDF report server.";
    return false;
  }
  library_ = library;
  loadedFrom_ = fileOf(reinterpret_cast<void*>(open_));
  error_.clear();
  return true;
}

bool PdfReportServer::answered(int status) {
  if (status >= 0) {
    error_.clear();
    return true;
  }
  error_ = qn::utf8ToAnsi(lastError_());
  return false;
}

int PdfReportServer::Open(const AnsiString& FileName, bool Landscape, int PaperSize) {
  if (!Load()) return -1;
  std::string path;
  try {
    path = qn::os::resolvePath(FileName);
  } catch (const std::exception& e) {
    error_ = e.what();
    return -1;
  }
  const int document = open_(path.c_str(), Landscape ? 1 : 0, PaperSize);
  return answered(document) ? document : -1;
}

bool PdfReportServer::SetFont(int Document, const AnsiString& Family, double Points) {
  return Load() && answered(setFont_(Document, qn::ansiToUtf8(Family).c_str(), Points));
}

bool PdfReportServer::Text(int Document, double X, double Y, const AnsiString& Line) {
  return Load() && answered(text_(Document, X, Y, qn::ansiToUtf8(Line).c_str()));
}

bool PdfReportServer::NewPage(int Document) { return Load() && answered(newPage_(Document)); }

bool PdfReportServer::Close(int Document) { return Load() && answered(close_(Document)); }
