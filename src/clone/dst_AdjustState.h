#pragma once
// `dst_AdjustState`: the model controller's adjustment fields that the model clone
// driver and the clone manager read and change during adjustment exchanges: the
// adjustment state and sub-state, the BPF being swept and the sweep statistics.
#include <cstdint>

struct dst_AdjustState {
  // Adjustment states the drivers look at.
  static constexpr uint8_t kIdle = 0;
  static constexpr uint8_t kAfterAdjustRead = 15;  // single commands step every 250 ms
  static constexpr uint8_t kBpfTracking = 24;      // the sweep bounds follow the sub-state
  // Item selector values: BPF A, BPF B, no sweep.
  static constexpr uint8_t kSelectBpfA = 0;
  static constexpr uint8_t kSelectBpfB = 1;
  static constexpr uint8_t kSelectNone = 7;

  // One BPF's sweep statistics: the highest reading so far, and the first and the last
  // value at which it was reached.
  struct BpfStats {
    uint8_t highest = 0;
    uint8_t first = 0;
    uint8_t last = 0;
    void Clear() { *this = BpfStats(); }
  };

  uint8_t state = kIdle;
  uint8_t subState = 0;
  uint8_t itemSelector = kSelectNone;
  // Sweep both BPFs: the sweep bounds come from the all-channels keys.
  bool allChannels = false;
  // Set A (selector 0) and set B (any other selector).
  BpfStats bpf[2];

  BpfStats& StatsOfSelector() { return bpf[itemSelector == kSelectBpfA ? 0 : 1]; }
};
