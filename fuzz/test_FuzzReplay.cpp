// Every checked-in corpus input and every past crash input of every fuzz target, run
// through the target's entry function as the fuzzer runs it: a regression crashes here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzTargets.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzReplay : public ::testing::TestWithParam<dst_FuzzTarget> {};

TEST_P(FuzzReplay, CorpusAndPastCrashesRunThrough) {
  const dst_FuzzTarget target = GetParam();
  int inputs = 0;
  for (const char* folder : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(RX93_FUZZ_SOURCE_DIR) / folder / target.name;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (!entry.is_regular_file()) continue;
      SCOPED_TRACE(entry.path().string());
      const std::vector<uint8_t> input = Slurp(entry.path());
      EXPECT_EQ(target.entry(input.data(), input.size()), 0);
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0) << "every target keeps a seed corpus";
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(FuzzTargets().begin(), FuzzTargets().end()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
