#pragma once
// A clone driver on a virtual clock whose ports are the simulated radio (port 1, behind
// a fault injector) and an in-memory device the test feeds by hand (port 2). Results
// are copied as the callback delivers them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clone/cmcCloneDrv.h"
#include "clone/cmcFaultSerial.h"
#include "clone/cmcMemorySerial.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "clone/cmcSerialRef.h"
#include "clone/cmcSimRadio.h"
#include "runtime/cmcVirtualClock.h"
#include "runtime/cmcWaiter.h"
#include "support/VirtualWaiter.h"

inline constexpr int kRadioPort = 1;
inline constexpr int kDevicePort = 2;
inline constexpr uint32_t kRunLimitMs = 120000;

using Bytes = std::vector<uint8_t>;

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

inline Bytes Ascii(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct CloneRig {
  CloneRig() {
    table.SetEntry(kRadioPort, "sim:");
    table.SetEntry(kDevicePort, "mem:");
    factory.Register("sim:", [this](const std::string&) { return std::make_unique<cmcSerialRef>(radioFaults); });
    factory.Register("mem:", [this](const std::string&) { return std::make_unique<cmcSerialRef>(device); });
    device.SetAutoDrain(true);
    driver->SetPort(kRadioPort, "9600,n,8,1");
    driver->SetModelCodes(0x3621, 0x0001);
    driver->SetImageSize(cmcEeprom::kImageSize);
  }

  static void OnDone(void* context, dst_CDrv_Result& result) {
    auto* rig = static_cast<CloneRig*>(context);
    rig->results.push_back(result);
    rig->doneAt.push_back(rig->clock.NowMs());
  }

  bool StartInformation() { return driver->StartInformation(&OnDone, this); }
  bool StartRead(const cmcAddressRanges* ranges) { return driver->StartRead(ranges, &OnDone, this); }
  bool StartWrite(const cmcEeprom& image, const cmcAddressRanges& ranges) {
    return driver->StartWrite(image, ranges, &OnDone, this);
  }

  // Advances the clock in steps of 10 ms until a result arrives.
  const dst_CDrv_Result& RunToEnd(uint32_t limitMs = kRunLimitMs) {
    for (uint32_t t = 0; results.empty() && t < limitMs; t += 10) clock.Advance(10);
    if (results.empty()) results.emplace_back();
    return results.back();
  }
  // Advances 1 ms at a time until the driver is in the state; false at the limit.
  bool RunToState(int state, uint32_t limitMs = 10000) {
    for (uint32_t t = 0; t < limitMs; ++t) {
      if (driver->GetState() == state) return true;
      clock.Advance(1);
    }
    return false;
  }
  // The driver's bytes as the in-memory device took them, from offset on.
  Bytes WrittenToDevice(size_t from = 0) const {
    const auto& w = device.Written();
    return Bytes(w.begin() + static_cast<std::ptrdiff_t>(std::min(from, w.size())), w.end());
  }
  // The bytes the radio understood.
  Bytes ReceivedByRadio() const {
    const cmcBuff& r = radio.Received();
    return Bytes(r.Data(), r.Data() + r.GetLength());
  }

  cmcVirtualClock clock;
  VirtualWaiter waiter{clock};
  cmcPortTable table;
  cmcSerialFactory factory{table};
  cmcSimRadio radio{clock};
  cmcFaultSerial radioFaults{radio};
  cmcMemorySerial device;
  // Before the driver, which may still call back while it is destroyed.
  std::vector<dst_CDrv_Result> results;
  std::vector<uint32_t> doneAt;
  std::unique_ptr<cmcCloneDrv> driver = std::make_unique<cmcCloneDrv>(clock, clock, factory, waiter);
};
