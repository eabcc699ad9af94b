// The sheet window's share of showing the 138-row LMR bank sheet, on the shipped
// overlay and the LMR initial image, offscreen: building it with the Qt measure (goal:
// at most 30 ms) and one full repaint of what a 1400 x 900 grid shows into an image
// through the cell painter (goal: at most 8 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <iostream>
#include <sstream>
#include <string>

#include "BenchBinDir.h"
#include "BenchSheet.h"
#include "QtBenchMain.h"
#include "cli/indCliSession.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellPainter.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiQtMeasure.h"

namespace {

constexpr char kBankSheet[] = "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0";
constexpr int kWidth = 1400;
constexpr int kHeight = 900;

struct Rig {
  Rig() : session(err, BenchBinDir()) {
    if (session.Main().OpenCloneFile(BenchBinDir() + "RX93LMR.qcl", false)) std::cerr << "no LMR image\n" << err.str();
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

int main(int argc, char** argv) { return QtBenchMain(argc, argv); }
