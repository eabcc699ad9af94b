// Overlay store speed on a generated ~1 MB CR LF overlay: a cold key scan to a key
// near the end, sequential walks of long list sections (time per line must not grow
// with the list), and repeated lookups of hot keys served from the line cache.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "overlay/cmcGTex.h"

namespace {

class OverlayFile {
 public:
  OverlayFile() {
    char name[] = "/tmp/rx93bench-XXXXXX";
    const int fd = ::mkstemp(name);
    path_ = name;
    std::string text;
    auto line = [&text](const std::string& s) { text += s + "\r\n"; };
    line("#GI_Sys_AppTitle");
    line("Overlay benchmark");
    for (const int n : {1000, 10000}) {
      line("#GI_List_" + std::to_string(n));
      for (int i = 0; i < n; ++i)
        line("CL_Item_" + std::to_string(i) + "\tA typical list entry, item " + std::to_string(i));
      line("#");
    }
    char key[32];
    int k = 0;
    for (; text.size() < 1'000'000; ++k) {
      std::snprintf(key, sizeof key, "GI_Key_%05d", k);
      line(std::string("#") + key);
      line("Caption text of " + std::string(key) + " for a sheet or a menu");
      line("Second line\twith a tab separated field");
    }
    // Eight hot keys spread over the small keys, the last one near the end.
    for (int h = 1; h <= 8; ++h) {
      std::snprintf(key, sizeof key, "GI_Key_%05d", k * h / 8 - 1);
      hotKeys_.emplace_back(key);
    }
    line("#GI_Last");
    line("The last key of the overlay");
    line("#End_Of_Ovl");
    size_ = text.size();
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (!written) std::perror("bench overlay");
  }
  ~OverlayFile() { ::unlink(path_.c_str()); }
  const std::string& Path() const { return path_; }
  std::size_t Size() const { return size_; }
  const std::vector<std::string>& HotKeys() const { return hotKeys_; }

 private:
  std::string path_;
  std::size_t size_ = 0;
  std::vector<std::string> hotKeys_;
};

const OverlayFile& File() {
  static const OverlayFile file;
  return file;
}

void BM_ColdKeyScan(benchmark::State& state) {
  for (auto _ : state) {
    cmcGTex store;
    store.SetFile(File().Path());
    benchmark::DoNotOptimize(store.GetText("GI_Last"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * File().Size()));
}
BENCHMARK(BM_ColdKeyScan)->Unit(benchmark::kMillisecond);

void BM_SequentialWalk(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string key = "GI_List_" + std::to_string(lines);
  cmcGTex store;
  store.SetFile(File().Path());
  store.GetText(key);
  for (auto _ : state) {
    for (int i = 0; i < lines; ++i) benchmark::DoNotOptimize(store.GetLine(key, i));
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.counters["per_line"] =
      benchmark::Counter(lines, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["reads_per_line"] = static_cast<double>(store.Stats().lineReads) / (state.iterations() * lines);
}
BENCHMARK(BM_SequentialWalk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_HotKeys(benchmark::State& state) {
  cmcGTex store;
  store.SetFile(File().Path());
  const std::vector<std::string>& hot = File().HotKeys();
  for (const std::string& key : hot) store.GetText(key);
  const auto sourceReadsBefore = store.Stats().sourceReads;
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(store.GetText(hot[i++ % hot.size()]));
  state.SetItemsProcessed(state.iterations());
  state.counters["source_reads"] = static_cast<double>(store.Stats().sourceReads - sourceReadsBefore);
}
BENCHMARK(BM_HotKeys);

}  // namespace

BENCHMARK_MAIN();
