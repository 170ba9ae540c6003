// A report page through the PDF report server, against the same page painted with Qt's PDF
// writer in this process: the server's calls and the program's text conversions should cost
// little beside the writing itself.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QPainter>
#include <QPdfWriter>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "dialogs/PdfReportServer.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/bench/WidgetBenchmarks.h"
#include "platform/os/ExecutablePath.h"
#include "platform/pdfserver/Registration.h"
#include "testing/OwnMachineRoot.h"

namespace {

std::filesystem::path scratch;

std::string line(int n) {
  std::string text = "Line " + std::to_string(n) + " ";
  while (text.size() < 132) text += static_cast<char>('A' + text.size() % 26);
  return text;
}

void BM_ServerPage(benchmark::State& state) {
  PdfReportServer server;
  if (!server.Load()) {
    state.SkipWithError(server.Error().c_str());
    return;
  }
  const std::string file = (scratch / "server.pdf").string();
  for (auto _ : state) {
    const int document = server.Open(file, true, 1);
    server.SetFont(document, "Liberation Mono", 8);
    for (int n = 1; n <= 64; ++n) server.Text(document, 18, 24 + (n - 1) * 9, line(n));
    server.Close(document);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_QtWriterPage(benchmark::State& state) {
  const QString file = QString::fromStdString((scratch / "qt.pdf").string());
  for (auto _ : state) {
    QPdfWriter writer(file);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    QFont font("Liberation Mono");
    font.setPointSizeF(8);
    painter.setFont(font);
    for (int n = 1; n <= 64; ++n) painter.drawText(QPointF(18, 24 + (n - 1) * 9), QString::fromStdString(line(n)));
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ServerPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtWriterPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // A machine root of the run's own, so the registration written never touches a developer's.
  scratch = std::filesystem::temp_directory_path() / ("qn-pdf-bench-" + std::to_string(::getpid()));
  qn::testing::useOwnMachineRoot(scratch);
  int result = 0;
  {
    RunningUnits units;
    qn::pdfserver::WriteRegistration(qn::os::runningProgramFolder() + "\\");
    result = qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
      reporter.printRatio("ratio", "pdf_server_page", "BM_ServerPage", "BM_QtWriterPage");
    });
  }
  std::filesystem::remove_all(scratch);
  return result;
}
