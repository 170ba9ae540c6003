// The PDF report server: documents drawn with Qt's PDF writer, one painter a document, in points.
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/pdfserver/PdfServerApi.h"

namespace {

struct Document {
  std::string target;
  std::string partial;  // written here and renamed at the close, so a failed document leaves nothing
  std::unique_ptr<QPdfWriter> writer;
  std::unique_ptr<QPainter> painter;
};

std::mutex documentsMutex;
std::map<std::int32_t, std::unique_ptr<Document>> documents;
std::int32_t lastHandle = 0;
thread_local std::string lastError;

std::int32_t failed(const std::string& why) {
  lastError = why;
  return -1;
}

std::int32_t succeeded(std::int32_t answer = 0) {
  lastError.clear();
  return answer;
}

Document* find(std::int32_t handle) {
  const auto found = documents.find(handle);
  return found == documents.end() ? nullptr : found->second.get();
}

QPageSize pageSize(std::int32_t paper) {
  switch (paper) {
    case 5:
      return QPageSize(QPageSize::Legal);
    case 9:
      return QPageSize(QPageSize::A4);
    default:
      return QPageSize(QPageSize::Letter);
  }
}

void discard(Document& document) {
  if (document.painter && document.painter->isActive()) document.painter->end();
  document.painter.reset();
  document.writer.reset();
  std::error_code ignored;
  std::filesystem::remove(document.partial, ignored);
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) std::int32_t PdfRepOpen(const char* fileName, std::int32_t landscape,
                                                                std::int32_t paperSize) {
  std::lock_guard lock(documentsMutex);
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return failed("The report server needs the program's application object.");
  const std::string target = fileName ? fileName : "";
  if (target.empty()) return failed("No file name was given for the PDF report.");
  const QFileInfo info(QString::fromStdString(target));
  if (!info.absoluteDir().exists())
    return failed("The folder " + info.absolutePath().toStdString() + " does not exist, so " + target +
                  " cannot be written.");
  auto document = std::make_unique<Document>();
  document->target = target;
  document->partial = target + ".partial-" + std::to_string(::getpid());
  document->writer = std::make_unique<QPdfWriter>(QString::fromStdString(document->partial));
  document->writer->setResolution(72);  // a device unit is a point
  document->writer->setPageLayout(QPageLayout(pageSize(paperSize),
                                              landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                              QMarginsF(0, 0, 0, 0)));
  document->painter = std::make_unique<QPainter>();
  if (!document->painter->begin(document->writer.get())) {
    discard(*document);
    return failed("The PDF file " + target + " cannot be created.");
  }
  QFont font("Liberation Mono");
  font.setPointSizeF(10);
  font.setKerning(false);
  document->painter->setFont(font);
  documents[++lastHandle] = std::move(document);
  return succeeded(lastHandle);
}

__attribute__((visibility("default"))) std::int32_t PdfRepSetFont(std::int32_t handle, const char* family,
                                                                   double points) {
  std::lock_guard lock(documentsMutex);
  Document* document = find(handle);
  if (!document) return failed("No PDF report is open as " + std::to_string(handle) + ".");
  if (points <= 0) return failed("A font size must be above 0 points.");
  QFont font(QString::fromUtf8(family ? family : ""));
  font.setPointSizeF(points);
  font.setKerning(false);
  document->painter->setFont(font);
  return succeeded();
}

__attribute__((visibility("default"))) std::int32_t PdfRepText(std::int32_t handle, double x, double y,
                                                                const char* text) {
  std::lock_guard lock(documentsMutex);
  Document* document = find(handle);
  if (!document) return failed("No PDF report is open as " + std::to_string(handle) + ".");
  document->painter->drawText(QPointF(x, y), QString::fromUtf8(text ? text : ""));
  return succeeded();
}

__attribute__((visibility("default"))) std::int32_t PdfRepNewPage(std::int32_t handle) {
  std::lock_guard lock(documentsMutex);
  Document* document = find(handle);
  if (!document) return failed("No PDF report is open as " + std::to_string(handle) + ".");
  if (!document->writer->newPage()) return failed("A new page cannot be begun in " + document->target + ".");
  return succeeded();
}

__attribute__((visibility("default"))) std::int32_t PdfRepClose(std::int32_t handle) {
  std::lock_guard lock(documentsMutex);
  const auto found = documents.find(handle);
  if (found == documents.end()) return failed("No PDF report is open as " + std::to_string(handle) + ".");
  std::unique_ptr<Document> document = std::move(found->second);
  documents.erase(found);
  const bool ended = document->painter->end();
  document->painter.reset();
  document->writer.reset();
  std::error_code error;
  if (ended) std::filesystem::rename(document->partial, document->target, error);
  if (!ended || error) {
    discard(*document);
    return failed("The PDF file " + document->target + " cannot be written.");
  }
  return succeeded();
}

__attribute__((visibility("default"))) const char* PdfRepLastError() { return lastError.c_str(); }

}  // extern "C"
