// The desktop program offscreen on the shipped data: from the start of the program's
// objects to the main window shown and painted with its tree (the opening window and
// the tree's change delay left out; goal: at most 400 ms), the same with the first
// sheet built and painted, and the resident memory after every sheet of the tree has
// been opened once on all four model types (goal: at most 80 MB).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidgetItem>
#include <fstream>
#include <memory>
#include <string>

#include "BenchBinDir.h"
#include "QtBenchMain.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "runtime/cmcVirtualClock.h"
#include "shell/indProgram.h"
#include "shell/ui/cuiMainWindow.h"
#include "shell/ui/cuiTree.h"

namespace {

constexpr uint32_t kTreeDelayMs = 400;

// One start of the program: its objects, then the main window.
struct Desktop {
  Desktop()
      : program({store, guard, {0, 0, 1280, 1024}, clock, prompts, BenchBinDir(), BenchBinDir()}),
        window({program, clock, prompts}) {}
  void Show() {
    window.BuildUi();
    window.repaint();
    QCoreApplication::processEvents();
  }
  // The tree's change delay runs out: the selected node's sheet opens and paints.
  void Settle() {
    clock.Advance(kTreeDelayMs);
    QCoreApplication::processEvents();
    window.repaint();
  }

  cmcMemorySettingsStore store;
  cmcMemoryInstanceGuard guard{std::make_shared<cmcMemoryInstanceGuard::Registry>()};
  cmcVirtualClock clock;
  cmcScriptedPrompts prompts;
  indProgram program;
  cuiMainWindow window;
};

void BM_StartToMainWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    Desktop desktop;
    desktop.Show();
    state.PauseTiming();
    desktop.window.hide();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartToMainWindowShown)->Unit(benchmark::kMillisecond);

void BM_StartToFirstSheetShown(benchmark::State& state) {
  for (auto _ : state) {
    Desktop desktop;
    desktop.Show();
    desktop.Settle();
    state.PauseTiming();
    desktop.window.hide();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartToFirstSheetShown)->Unit(benchmark::kMillisecond);

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long kb = 0;
  while (status >> key)
    if (key == "VmRSS:") {
      status >> kb;
      break;
    }
  return kb;
}

void BM_ResidentAfterEveryTreeSheet(benchmark::State& state) {
  int sheets = 0;
  for (auto _ : state) {
    Desktop desktop;
    desktop.Show();
    desktop.Settle();
    for (const int type : {0, 1, 2, 3}) {
      desktop.program.Main().ChangeModelType(type, false);
      desktop.Settle();
      const int nodes = static_cast<int>(desktop.program.Host().Tree()->Nodes().size());
      for (int node = 0; node < nodes; ++node, ++sheets) {
        desktop.window.Tree()->setCurrentItem(desktop.window.Tree()->ItemOf(node));
        desktop.Settle();
      }
    }
    state.counters["resident_MB"] = static_cast<double>(ResidentKb()) / 1024.0;
  }
  state.counters["sheets"] = sheets;
}
BENCHMARK(BM_ResidentAfterEveryTreeSheet)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return QtBenchMain(argc, argv); }
