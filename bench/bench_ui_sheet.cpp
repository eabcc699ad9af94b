// The sheet window's share of showing the 138-row LMR bank sheet, on the shipped
// overlay and the LMR initial image, offscreen: building it with the Qt measure (goal:
// at most 30 ms) and one full repaint of what a 1400 x 900 grid shows into an image
// through the cell painter (goal: at most 8 ms).
#include <benchmark/benchmark.h>
#include <limits.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/indCliSession.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/cmcSheetView.h"
#include "sheet/ui/cuiCellPainter.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiQtMeasure.h"

namespace {

constexpr char kBankSheet[] = "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0";
constexpr int kWidth = 1400;
constexpr int kHeight = 900;

std::string BinDir() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  const std::string path(buffer, static_cast<size_t>(n > 0 ? n : 0));
  return path.substr(0, path.rfind('/') + 1);
}

struct NoWindow : cmcSheetView {
  void Repaint(int, int) override {}
  void LayoutChanged() override {}
  void OpenEditor(int, int, const std::string&, int, int) override {}
  void HideEditor() override {}
  void SetPopupMenu(const std::string&) override {}
};

struct Rig {
  Rig() : session(err, BinDir()) {
    if (session.Main().OpenCloneFile(BinDir() + "RX93LMR.qcl", false)) std::cerr << "no LMR image\n" << err.str();
  }
  std::unique_ptr<cmcSheetModel> Build() {
    cmcSheetModel::Seams seams{
        .overlay = session.Overlay(), .view = window, .hooks = hooks, .answer = [this](cmcCellCapsule& c, bool act) {
          return session.Dispatch().Dispatch(c, act);
        }};
    auto sheet = std::make_unique<cmcSheetModel>(seams, kBankSheet, cmcSheetDef::Model{});
    sheet->SetClientSize(kWidth, kHeight);
    sheet->Build({.measure = &measure});
    return sheet;
  }
  std::ostringstream err;
  indCliSession session;
  NoWindow window;
  cmcSheetHooks hooks;
  cuiQtMeasure measure;
};

void BM_BuildBankSheetWithQtMeasure(benchmark::State& state) {
  Rig rig;
  int rows = 0;
  for (auto _ : state) rows = rig.Build()->RowCount();
  state.counters["rows"] = rows;
}
BENCHMARK(BM_BuildBankSheetWithQtMeasure)->Unit(benchmark::kMillisecond);

void BM_RepaintVisibleBankSheet(benchmark::State& state) {
  Rig rig;
  auto sheet = rig.Build();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const cmcCellPaintPlan::View view = cuiCellStyle::PaintView(QApplication::palette(), true);
  for (auto _ : state) {
    QPainter painter(&image);
    cuiCellPainter(painter, rig.measure).PaintSheet(*sheet, view, image.rect());
  }
  state.counters["rows shown"] = sheet->Layout().VisibleRowCount();
}
BENCHMARK(BM_RepaintVisibleBankSheet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
