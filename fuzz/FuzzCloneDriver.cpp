#include <cstdlib>
#include <vector>

#include "CloneRig.h"
#include "FuzzFatal.h"
#include "FuzzTargets.h"

namespace {

// The radio's answers arrive this many bytes every kStepMs.
constexpr size_t kChunk = 24;
constexpr uint32_t kStepMs = 10;
// Long after the longest time-out: an exchange still running then never ends.
constexpr uint32_t kLimitMs = 30 * 60 * 1000;

}  // namespace

int FuzzCloneDriver(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FuzzFatal::Catch([&] {
    CloneRig rig;
    rig.driver->SetPort(kDevicePort, "9600,n,8,1");
    cmcEeprom image;
    image.SetSize(cmcEeprom::kImageSize);
    const cmcAddressRanges ranges{{0x0000, 0x00FF}, {0x0200, 0x021F}};
    const int exchange = data[0] % 3;
    const bool started = exchange == 0   ? rig.StartInformation()
                         : exchange == 1 ? rig.StartRead(&ranges)
                                         : rig.StartWrite(image, ranges);
    if (!started) return;
    size_t at = 1;
    for (uint32_t t = 0; rig.results.empty() && t < kLimitMs; t += kStepMs) {
      if (at < size) {
        const size_t n = std::min(kChunk, size - at);
        rig.device.Feed(std::vector<uint8_t>(data + at, data + at + n));
        at += n;
      }
      rig.clock.Advance(kStepMs);
    }
    if (rig.results.empty()) std::abort();  // the exchange never ended
  });
  return 0;
}
