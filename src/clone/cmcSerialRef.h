#pragma once
// A backend that forwards every call to another, long-lived backend it does not own,
// so a factory creator can hand out a device that outlives each open (a test device,
// a fault injector, the simulated radio).
#include "clone/cmcSerialBackend.h"

class cmcSerialRef : public cmcSerialBackend {
 public:
  explicit cmcSerialRef(cmcSerialBackend& target) : target_(target) {}

  int Open(const std::string& path) override { return target_.Open(path); }
  bool IsOpen() const override { return target_.IsOpen(); }
  void Close() override { target_.Close(); }
  bool Configure(const cmcLineSettings& settings) override { return target_.Configure(settings); }
  bool SetModemLines(bool rts, bool dtr) override { return target_.SetModemLines(rts, dtr); }
  bool Purge() override { return target_.Purge(); }
  int Read(uint8_t* destination, int max) override { return target_.Read(destination, max); }
  int Write(const uint8_t* bytes, int count) override { return target_.Write(bytes, count); }
  int InputWaiting() override { return target_.InputWaiting(); }
  int OutputWaiting() override { return target_.OutputWaiting(); }

 private:
  cmcSerialBackend& target_;
};
