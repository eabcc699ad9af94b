// Full clone file save and open of a whole radio area (0000-7D7F): 3 header lines and
// 2008 data lines, written through the temporary-file-and-rename path and read back
// with the coverage check.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "image/cmcEeprom.h"
#include "image/cmcModelCodes.h"
#include "image/cmcQclFile.h"
#include "runtime/cmcScriptedPrompts.h"

namespace {

std::string Text(const std::string& key) { return key; }

struct Folder {
  Folder() {
    char name[] = "/tmp/bench-qcl-XXXXXX";
    if (!::mkdtemp(name)) std::abort();
    path = name;
  }
  ~Folder() { std::filesystem::remove_all(path); }
  std::string path;
};

cmcEeprom RandomImage() {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  std::mt19937 rng(5);
  for (int a = 0; a < image.GetSize(); ++a) image.SetByte(a, static_cast<uint8_t>(rng()));
  return image;
}

void BM_WriteFullImage(benchmark::State& state) {
  Folder folder;
  cmcEeprom image = RandomImage();
  cmcScriptedPrompts prompts;
  const std::string path = folder.path + "/full.qcl";
  for (auto _ : state) {
    cmcQclFile file(prompts, Text);
    file.AttachImage(image);
    file.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
    file.SetMapRevision(1);
    file.SetComment(cmcQclFile::MakeSaveComment(image));
    if (file.Write(path, cmcAddressRanges::EepromArea()) != 0) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * cmcEeprom::kEepromSize);
}
BENCHMARK(BM_WriteFullImage)->Unit(benchmark::kMicrosecond);

void BM_ReadFullImage(benchmark::State& state) {
  Folder folder;
  cmcEeprom source = RandomImage();
  cmcScriptedPrompts prompts;
  const std::string path = folder.path + "/full.qcl";
  {
    cmcQclFile file(prompts, Text);
    file.AttachImage(source);
    file.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
    file.SetMapRevision(1);
    if (file.Write(path, cmcAddressRanges::EepromArea()) != 0) std::abort();
  }
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  const cmcAddressRanges area = cmcAddressRanges::EepromArea();
  for (auto _ : state) {
    cmcQclFile file(prompts, Text);
    file.AttachImage(image);
    file.SetModelCheck(
        [](int model, int subCode, int& code) { return cmcModelCodes().CheckModelCode(model, subCode, code); });
    file.SetMapRevisionCheck(cmcModelCodes::CheckMapRevision);
    if (file.Read(path, &area) != 0) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(image.Data());
  }
  state.SetBytesProcessed(state.iterations() * cmcEeprom::kEepromSize);
}
BENCHMARK(BM_ReadFullImage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
