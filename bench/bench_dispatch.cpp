// The active cell dispatch drawing a whole channel sheet: every cell of a 138-row,
// 42-column bank sheet (the LMR and common channel labels) on an image with all 128
// channels in use, as a repaint asks for each cell's text; and parsing that sheet's
// "_Cells" rows, as building the sheet does.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHost.h"
#include "cell/indMenuCommands.h"
#include "channel/datCh.h"
#include "channel/datChBlockHost.h"
#include "channel/datClipCh.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcScriptedPrompts.h"

namespace {

constexpr int kRows = 138;

class NoBlockHost : public datChBlockHost {
 public:
  std::string Text(const std::string& key) override { return key; }
  void Status(const std::string&) override {}
  void Post(int, int, int, const std::string&) override {}
  void Send(int, const dst_BankContext&, int) override {}
  void RecomputeMemory() override {}
  void SetBulkDelete(bool) override {}
};

class NoMenu : public indMenuCommands {
 public:
  bool Handles(int) const override { return false; }
  void Execute(int, cmcCellCapsule&) override {}
  dst_MenuState StateOf(int) override { return {}; }
};

// An LMR image with bank 0 holding all 128 channels, every one in use.
class FullHost : public indCellHost {
 public:
  FullHost() {
    image_.SetSize(cmcEeprom::kImageSize);
    defaults_.SetSize(cmcEeprom::kImageSize);
    image_.SetByte(cmcImageMap::kBankCounts, 0);
    image_.SetByte(cmcImageMap::kBankCounts + 1, cmcImageMap::kChannelSlots);
    for (int n = 0; n < cmcImageMap::kChannelSlots; ++n) {
      datCh ch(&image_);
      ch.Load(datChKind::kLmr, n);
      ch.freqR = ch.freqT = 450000000 + 12500 * static_cast<uint32_t>(n);
      ch.inUse = true;
      ch.Store();
    }
  }
  cmcEeprom& Image() override { return image_; }
  const cmcEeprom& DefaultImage() override { return defaults_; }
  int ModelFamily() override { return 0; }
  std::string Text(const std::string& key) override { return key == "GI_NewChTitle" ? "New" : "Banks"; }
  cmcPrompts& Prompts() override { return prompts_; }
  datClipCh& Clipboard() override { return clipboard_; }
  datChBlockHost& BlockHost() override { return block_; }
  indMenuCommands& MenuCommands() override { return menu_; }

 private:
  cmcEeprom image_, defaults_;
  cmcScriptedPrompts prompts_;
  datClipCh clipboard_;
  NoBlockHost block_;
  NoMenu menu_;
};

// The columns of an LMR bank sheet: the LMR channel labels and the common ones.
std::vector<int> ChannelColumns() {
  std::vector<int> labels;
  for (int label = CL_Mch_No; label < CL_Mch_No_Pmr; ++label) labels.push_back(label);
  for (int label = CL_Mch_CB; label <= CL_Mch_RogerBeep; ++label) labels.push_back(label);
  return labels;
}

void BM_DispatchChannelSheet(benchmark::State& state) {
  FullHost host;
  indActiveCell dispatch(host);
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
