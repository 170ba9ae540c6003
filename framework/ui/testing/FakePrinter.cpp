#include "framework/ui/testing/FakePrinter.h"

#include <QPaintDevice>
#include <QPaintEngine>

namespace qn::ui::testing {
namespace {

// Keeps only the texts; the rest of a page's drawing is of no interest to the tests.
class RecordingEngine : public QPaintEngine {
 public:
  explicit RecordingEngine(std::vector<PrintedDocument>& documents) : QPaintEngine(AllFeatures), documents_(documents) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPath(const QPainterPath&) override {}
  void drawTextItem(const QPointF& p, const QTextItem& textItem) override {
    documents_.back().pages.back().texts.push_back({textItem.text(), painter()->transform().map(p)});
  }
  Type type() const override { return User; }

 private:
  std::vector<PrintedDocument>& documents_;
};

class RecordingTarget : public PrintTarget, public QPaintDevice {
 public:
  RecordingTarget(std::vector<PrintedDocument>& documents, const PrintSettings& settings, int resolution)
      : documents_(documents), engine_(documents), resolution_(resolution) {
    layout_ = settings.layout;
    layout_.setMargins(QMarginsF());
    documents_.push_back({settings, {PrintedPage{}}, false, false});
  }
  QPaintDevice* device() override { return this; }
  QPageLayout layout() const override { return layout_; }
  int resolution() const override { return resolution_; }
  bool newPage() override {
    documents_.back().pages.emplace_back();
    return true;
  }
  void finish() override { documents_.back().finished = true; }
  void discard() override { documents_.back().discarded = true; }
  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    const QRect page = layout_.paintRectPixels(resolution_);
    switch (metric) {
      case PdmWidth: return page.width();
      case PdmHeight: return page.height();
      case PdmWidthMM: return qRound(layout_.paintRect(QPageLayout::Millimeter).width());
      case PdmHeightMM: return qRound(layout_.paintRect(QPageLayout::Millimeter).height());
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return resolution_;
      case PdmDepth: return 32;
      case PdmNumColors: return INT_MAX;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return QPaintDevice::metric(metric);
    }
  }

 private:
  std::vector<PrintedDocument>& documents_;
  mutable RecordingEngine engine_;
  QPageLayout layout_;
  int resolution_;
};

}  // namespace

FakePrinter::FakePrinter(int resolution)
    : documents_(std::make_shared<std::vector<PrintedDocument>>()) {
  previous_ = setPrinterTargetMaker([documents = documents_, resolution](const PrintSettings& settings) {
    return std::make_unique<RecordingTarget>(*documents, settings, resolution);
  });
}

FakePrinter::~FakePrinter() { setPrinterTargetMaker(std::move(previous_)); }

}  // namespace qn::ui::testing
