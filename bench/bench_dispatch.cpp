// The active cell dispatch drawing a whole channel sheet: every cell of a 138-row,
// 42-column bank sheet (the LMR and common channel labels) in the program's own
// objects over the shipped data, on an LMR image with all 128 channels in use, as a
// repaint asks for each cell's text; and parsing that sheet's "_Cells" rows, as
// building the sheet does.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BenchBinDir.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indActiveCell.h"
#include "channel/datCh.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "runtime/cmcVirtualClock.h"
#include "shell/indProgram.h"

namespace {

constexpr int kRows = 138;

// The program's objects as the desktop program makes them, on in-memory settings and a
// virtual clock, over the data beside this benchmark. The working image is the LMR
// initial image with bank 0 holding all 128 channels, every one in use.
class FullProgram {
 public:
  FullProgram() : program_({store_, guard_, {0, 0, 1280, 1024}, clock_, prompts_, BenchBinDir(), BenchBinDir()}) {
    indMain& main = program_.Main();
    main.ChangeModelType(0, false);
    cmcEeprom& image = main.Working();
    for (int b = 0; b < cmcImageMap::kBanks; ++b) image.SetWord(cmcImageMap::kBankCounts + 2 * b, 0);
    image.SetWord(cmcImageMap::kBankCounts, cmcImageMap::kChannelSlots);
    for (int n = 0; n < cmcImageMap::kChannelSlots; ++n) {
      datCh ch(&image);
      ch.Load(datChKind::kLmr, n);
      ch.freqR = ch.freqT = 450000000 + 12500 * static_cast<uint32_t>(n);
      ch.inUse = true;
      ch.Store();
    }
  }
  indActiveCell& Dispatch() { return program_.Dispatch(); }

 private:
  cmcMemorySettingsStore store_;
  cmcMemoryInstanceGuard guard_{std::make_shared<cmcMemoryInstanceGuard::Registry>()};
  cmcVirtualClock clock_;
  cmcScriptedPrompts prompts_;
  indProgram program_;
};

// The columns of an LMR bank sheet: the LMR channel labels and the common ones.
std::vector<int> ChannelColumns() {
  std::vector<int> labels;
  for (int label = CL_Mch_No; label < CL_Mch_No_Pmr; ++label) labels.push_back(label);
  for (int label = CL_Mch_CB; label <= CL_Mch_RogerBeep; ++label) labels.push_back(label);
  return labels;
}

void BM_DispatchChannelSheet(benchmark::State& state) {
  FullProgram program;
  indActiveCell& dispatch = program.Dispatch();
  std::vector<cmcCellObj> cells;
  for (int row = 0; row < kRows; ++row) {
    for (const int label : ChannelColumns()) {
      cmcCellObj cell;
      cell.category = CT_Mch;
      cell.label = static_cast<uint32_t>(label);
      cell.index = row;
      cells.push_back(cell);
    }
  }
  size_t bytes = 0;
  for (auto _ : state) {
    for (auto& cell : cells) {
      cmcCellCapsule c;
      c.cell = &cell;
      dispatch.Dispatch(c, true);
      bytes += c.outputText.size();
    }
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["cells"] = static_cast<double>(cells.size());
  // The text a repaint gets; nothing here means the program drew no cell.
  state.counters["text"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DispatchChannelSheet)->Unit(benchmark::kMicrosecond);

// One "_Cells" row per channel: the row counter steps once per row and every cell is
// a selectable, right-aligned binding on it.
std::vector<std::string> CellsSection() {
  std::vector<std::string> rows;
  for (int row = 0; row < kRows; ++row) {
    std::string text = "{(@ch0++)W<(%CT_Mch.CL_Mch_No[@ch0])}";
    for (const int label : ChannelColumns()) {
      if (label == CL_Mch_No) continue;
      text += "|{S>(%CT_Mch." + std::string(LabelNameOf(label)) + "[@ch0])(Color=clWindow)}";
    }
    rows.push_back(text);
  }
  return rows;
}

void BM_ParseChannelSheetCells(benchmark::State& state) {
  const std::vector<std::string> rows = CellsSection();
  cmcCellObj base;
  cmcCellObj cell;
  size_t parsed = 0;
  for (auto _ : state) {
    cmcCellCounters counters{};
    counters[0] = -1;
    for (const auto& row : rows) {
      std::string_view rest = row;
      do {
        rest = cell.ParseCell(rest, &counters, &base, nullptr);
        ++parsed;
      } while (!rest.empty());
    }
  }
  benchmark::DoNotOptimize(parsed);
  state.counters["rows"] = static_cast<double>(rows.size());
  state.counters["cells"] = static_cast<double>(parsed) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ParseChannelSheetCells)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
