// The sheet model on the shipped overlay and the LMR initial image: building the
// 138-row LMR bank sheet and planning every cell's paint (goal: at most 30 ms), one
// screen's paint plans, 40 rows by every column (goal: at most 2 ms), and for
// comparison the text pass over the whole sheet as the dump makes it.
#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>
#include <string>

#include "BenchBinDir.h"
#include "BenchSheet.h"
#include "cli/indCliSession.h"
#include "sheet/cmcFixedMeasure.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetModel.h"

namespace {

constexpr char kBankSheet[] = "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0";
constexpr int kScreenRows = 40;

// The program on the LMR initial image, and a bank sheet model over it with every
// one of its 138 rows shown.
struct Rig {
  Rig() : session(err, BenchBinDir()) {
    if (session.Main().OpenCloneFile(BenchBinDir() + "RX93LMR.qcl", false)) std::cerr << "no LMR image\n" << err.str();
  }
  std::unique_ptr<cmcSheetModel> Make() {
    cmcSheetModel::Seams seams{
        .overlay = session.Overlay(), .view = window, .hooks = hooks, .answer = [this](cmcCellCapsule& c, bool act) {
          return session.Dispatch().Dispatch(c, act);
        }};
    return std::make_unique<cmcSheetModel>(seams, kBankSheet, cmcSheetDef::Model{});  // LMR, user mode
  }
  std::ostringstream err;
  indCliSession session;
  NoWindow window;
  cmcSheetHooks hooks;
  cmcFixedMeasure measure;
  const cmcCellPaintPlan::View view{.focused = true, .markWidth = 16};
};

void BM_BuildBankSheetWithPaintPlans(benchmark::State& state) {
  Rig rig;
  size_t lines = 0;
  int cells = 0;
  for (auto _ : state) {
    auto sheet = rig.Make();
    sheet->SetClientSize(1200, 800);
    sheet->Build({.measure = &rig.measure});
    cells = 0;
    for (int r = 0; r < sheet->RowCount(); ++r)
      for (int c = 0; c < sheet->ColCount(); ++c, ++cells)
        lines += sheet->PaintPlan(c, r, rig.view, {0, 0, 80, 20}).lines.size();
  }
  benchmark::DoNotOptimize(lines);
  state.counters["cells"] = cells;
}
BENCHMARK(BM_BuildBankSheetWithPaintPlans)->Unit(benchmark::kMillisecond);

void BM_OneScreenOfPaintPlans(benchmark::State& state) {
  Rig rig;
  auto sheet = rig.Make();
  sheet->SetClientSize(1200, 800);
  sheet->Build({.measure = &rig.measure});
  size_t lines = 0;
  for (auto _ : state)
    for (int r = 0; r < kScreenRows; ++r)
      for (int c = 0; c < sheet->ColCount(); ++c) lines += sheet->PaintPlan(c, r, rig.view).lines.size();
  benchmark::DoNotOptimize(lines);
  state.counters["cells"] = kScreenRows * sheet->ColCount();
}
BENCHMARK(BM_OneScreenOfPaintPlans)->Unit(benchmark::kMicrosecond);

void BM_TextPassOverTheBankSheet(benchmark::State& state) {
  Rig rig;
  auto sheet = rig.Make();
  sheet->Build({.measure = &rig.measure});
  size_t bytes = 0;
  for (auto _ : state)
    for (int r = 0; r < sheet->RowCount(); ++r)
      for (int c = 0; c < sheet->ColCount(); ++c) bytes += sheet->CellText(c, r).size();
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_TextPassOverTheBankSheet)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
