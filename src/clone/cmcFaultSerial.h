#pragma once
// A fault injector in front of another backend (not owned): it can refuse to open,
// take only a budget of written bytes in total and then short-write, and drop or
// corrupt chosen bytes of the written or the read stream, counted from the first
// byte through it. Without faults set it passes everything through unchanged.
#include <cstdint>
#include <map>
#include <set>

#include "clone/cmcSerialBackend.h"

class cmcFaultSerial : public cmcSerialBackend {
 public:
  explicit cmcFaultSerial(cmcSerialBackend& inner) : inner_(inner) {}

  int Open(const std::string& path) override;
  bool IsOpen() const override { return inner_.IsOpen(); }
  void Close() override { inner_.Close(); }
  bool Configure(const cmcLineSettings& settings) override { return inner_.Configure(settings); }
  bool SetModemLines(bool rts, bool dtr) override { return inner_.SetModemLines(rts, dtr); }
  bool Purge() override { return inner_.Purge(); }
  int Read(uint8_t* destination, int max) override;
  int Write(const uint8_t* bytes, int count) override;
  int InputWaiting() override { return inner_.InputWaiting(); }
  int OutputWaiting() override { return inner_.OutputWaiting(); }

  // Every Open fails with this errno value (0: pass through).
  void RefuseOpen(int sysError) { openError_ = sysError; }
  // After n bytes in total have been taken, writes take nothing more.
  void FailAfterWritten(int64_t n) { writeBudget_ = n; }
  // The byte at this index of the written stream never reaches the device.
  void DropWritten(int64_t index) { dropWritten_.insert(index); }
  // The byte at this index of the written stream is XOR-ed with mask.
  void CorruptWritten(int64_t index, uint8_t mask) { corruptWritten_[index] = mask; }
  // The byte at this index of the read stream is lost.
  void DropRead(int64_t index) { dropRead_.insert(index); }
  void CorruptRead(int64_t index, uint8_t mask) { corruptRead_[index] = mask; }

  int64_t BytesWritten() const { return writtenIndex_; }
  int64_t BytesRead() const { return readIndex_; }

 private:
  cmcSerialBackend& inner_;
  int openError_ = 0;
  int64_t writeBudget_ = -1;
  std::set<int64_t> dropWritten_;
  std::map<int64_t, uint8_t> corruptWritten_;
  std::set<int64_t> dropRead_;
  std::map<int64_t, uint8_t> corruptRead_;
  int64_t writtenIndex_ = 0;
  int64_t readIndex_ = 0;
};
