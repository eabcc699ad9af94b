#include <algorithm>
#include <vector>

#include "FuzzFatal.h"
#include "FuzzTargets.h"
#include "clone/cmcSimRadio.h"
#include "runtime/cmcVirtualClock.h"

int FuzzSimRadio(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FuzzFatal::Catch([&] {
    cmcVirtualClock clock;
    cmcSimRadio radio{clock};
    if (data[0] & 1) radio.SetPassword("AB");
    radio.SetEcho(data[0] & 2 ? cmcSimRadio::Echo::All : cmcSimRadio::Echo::Off);
    radio.SetRate(data[0] & 4 ? 1 : 1000);
    // A short image to stream: the parser is what is fuzzed, not the volume of a read.
    radio.SetReadRanges({{0x0000, 0x003F}, {0x0200, 0x020F}});
    radio.Open("sim:");
    std::vector<uint8_t> answer(4096);
    // Pieces of 1 to 32 bytes, their length taken from the byte before them.
    for (size_t at = 1; at < size;) {
      const size_t n = std::min<size_t>(1 + data[at - 1] % 32, size - at);
      radio.Write(data + at, static_cast<int>(n));
      at += n;
      clock.Advance(5);
      while (radio.Read(answer.data(), static_cast<int>(answer.size())) > 0) {
      }
    }
    for (int i = 0; i < 50; ++i) {
      clock.Advance(100);
      while (radio.Read(answer.data(), static_cast<int>(answer.size())) > 0) {
      }
    }
  });
  return 0;
}
