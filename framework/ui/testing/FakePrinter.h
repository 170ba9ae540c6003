#pragma once
// A printer for tests: while it lives, documents that go to a printer are recorded instead, on
// the page the document's settings choose (with no unprintable edge) at the given resolution. Every text drawn is recorded with its position, whoever
// draws it (the printer's canvas or Qt itself, as a rich-text document does).
#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

#include "framework/ui/PrintTarget.h"

namespace qn::ui::testing {

struct PrintedText {
  QString text;
  QPointF position;  // the baseline's start, in device pixels
};

struct PrintedPage {
  std::vector<PrintedText> texts;
};

struct PrintedDocument {
  PrintSettings settings;  // as the document began with
  std::vector<PrintedPage> pages;
  bool finished = false;
  bool discarded = false;
};

class FakePrinter {
 public:
  explicit FakePrinter(int resolution = 300);
  ~FakePrinter();
  FakePrinter(const FakePrinter&) = delete;
  FakePrinter& operator=(const FakePrinter&) = delete;

  const std::vector<PrintedDocument>& documents() const { return *documents_; }

 private:
  std::shared_ptr<std::vector<PrintedDocument>> documents_;
  PrintTargetMaker previous_;
};

}  // namespace qn::ui::testing
