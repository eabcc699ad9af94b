#pragma once
// A serial device in front of another that records what the computer sends as runs of
// bytes, one per open and line speed, so a test can check which bytes went out at
// which speed.
#include <cstdint>
#include <vector>

#include "clone/cmcSerialBackend.h"

struct LineTap : cmcSerialBackend {
  struct Run {
    int baud = 0;
    std::vector<uint8_t> bytes;
    bool operator==(const Run&) const = default;
  };

  explicit LineTap(cmcSerialBackend& target) : target_(target) {}

  int Open(const std::string& path) override {
    fresh_ = true;
    return target_.Open(path);
  }
  bool IsOpen() const override { return target_.IsOpen(); }
  void Close() override { target_.Close(); }
  bool Configure(const cmcLineSettings& settings) override {
    if (settings.baud != baud_) fresh_ = true;
    baud_ = settings.baud;
    return target_.Configure(settings);
  }
  bool SetModemLines(bool rts, bool dtr) override { return target_.SetModemLines(rts, dtr); }
  bool Purge() override { return target_.Purge(); }
  int Read(uint8_t* destination, int max) override { return target_.Read(destination, max); }
  int Write(const uint8_t* bytes, int count) override {
    const int n = target_.Write(bytes, count);
    if (n <= 0) return n;
    if (fresh_ || runs.empty()) runs.push_back({baud_, {}});
    fresh_ = false;
    runs.back().bytes.insert(runs.back().bytes.end(), bytes, bytes + n);
    return n;
  }
  int InputWaiting() override { return target_.InputWaiting(); }
  int OutputWaiting() override { return target_.OutputWaiting(); }

  std::vector<Run> runs;

 private:
  cmcSerialBackend& target_;
  int baud_ = 0;
  bool fresh_ = true;
};
