// Preparing a full image for saving (fix-ups and packing) and unpacking it again, as a
// save followed by reopening the file does.
#include <benchmark/benchmark.h>

#include <cstring>

#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "shell/indImagePacking.h"
#include "shell/indImagePreparer.h"
#include "shell/indPackBlocks.h"

namespace {

// Every fixed block filled, 128 channels in use, 100 MDC aliases.
cmcEeprom FullImage() {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  for (const auto& block : PackBlocks()) {
    if (block.unpackCount == 0) continue;
    for (int i = 0; i < block.elementSize * block.unpackCount; ++i)
      image.SetByte(block.fixed + i, static_cast<uint8_t>(block.id * 7 + i % 251 + 1));
  }
  image.SetWord(cmcImageMap::kBankCounts, 128);
  for (int b = 1; b < 8; ++b) image.SetWord(cmcImageMap::kBankCounts + 2 * b, 0);
  image.SetWord(cmcImageMap::kMdcAliasCount, 100);
  return image;
}

void BM_PrepareForSaveThenUnpack(benchmark::State& state) {
  const int modelType = static_cast<int>(state.range(0));
  const cmcEeprom tmpl = FullImage();
  const cmcEeprom full = FullImage();
  const indImagePreparer preparer(tmpl, modelType);
  cmcEeprom image;
  for (auto _ : state) {
    image.Assign(full);
    preparer.PrepareImage(image, indImagePreparer::kSave);
    UnpackImage(image);
    benchmark::DoNotOptimize(image.Data());
  }
}
BENCHMARK(BM_PrepareForSaveThenUnpack)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_PackImage(benchmark::State& state) {
  cmcEeprom image = FullImage();
  for (auto _ : state) benchmark::DoNotOptimize(PackImage(image, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_PackImage)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_UnpackImage(benchmark::State& state) {
  cmcEeprom image = FullImage();
  PackImage(image, 2);
  for (auto _ : state) {
    UnpackImage(image);
    benchmark::DoNotOptimize(image.Data());
  }
}
BENCHMARK(BM_UnpackImage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
