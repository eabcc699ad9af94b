#pragma once
// An in-memory serial device for tests: bytes written go into a driver output queue
// that drains only when told (or at once in auto-drain mode) and are kept in a log;
// input is fed by the test, or looped back from the drained output. It can refuse to
// open, take fewer bytes per write than offered, and fail any of its operations.
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "clone/cmcSerialBackend.h"

class cmcMemorySerial : public cmcSerialBackend {
 public:
  int Open(const std::string& path) override;
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  bool Configure(const cmcLineSettings& settings) override;
  bool SetModemLines(bool rts, bool dtr) override;
  bool Purge() override;
  int Read(uint8_t* destination, int max) override;
  int Write(const uint8_t* bytes, int count) override;
  int InputWaiting() override;
  int OutputWaiting() override;

  // Faults and behaviour.
  void SetOpenError(int sysError) { openError_ = sysError; }
  void SetConfigureFails(bool fails) { configureFails_ = fails; }
  void SetPurgeFails(bool fails) { purgeFails_ = fails; }
  void SetQueriesFail(bool fail) { queriesFail_ = fail; }
  void SetReadFails(bool fails) { readFails_ = fails; }
  void SetWriteFails(bool fails) { writeFails_ = fails; }
  // Each Write takes at most this many bytes (a negative value: no limit).
  void SetWriteLimit(int limit) { writeLimit_ = limit; }
  // Drain the output queue inside every Write, as a fast line does.
  void SetAutoDrain(bool on) { autoDrain_ = on; }
  // Drained output comes back as input, as an echoing cable does.
  void SetLoopback(bool on) { loopback_ = on; }

  // Input arriving from the line.
  void Feed(const std::vector<uint8_t>& bytes);
  // Sends up to count queued output bytes onto the line (all when negative).
  void DrainOutput(int count = -1);

  // What was observed.
  const std::string& OpenedPath() const { return path_; }
  int OpenCount() const { return openCount_; }
  int PurgeCount() const { return purgeCount_; }
  const std::optional<cmcLineSettings>& Configured() const { return configured_; }
  bool Rts() const { return rts_; }
  bool Dtr() const { return dtr_; }
  // Every byte the device took, in order.
  const std::vector<uint8_t>& Written() const { return written_; }
  // The byte count offered to each Write call.
  const std::vector<int>& WriteCalls() const { return writeCalls_; }
  // The output queue length at the start of each Write call.
  const std::vector<int>& QueuedAtWrite() const { return queuedAtWrite_; }

 private:
  bool open_ = false;
  int openError_ = 0;
  bool configureFails_ = false;
  bool purgeFails_ = false;
  bool queriesFail_ = false;
  bool readFails_ = false;
  bool writeFails_ = false;
  int writeLimit_ = -1;
  bool autoDrain_ = false;
  bool loopback_ = false;
  std::string path_;
  int openCount_ = 0;
  int purgeCount_ = 0;
  std::optional<cmcLineSettings> configured_;
  bool rts_ = false;
  bool dtr_ = false;
  std::deque<uint8_t> input_;
  std::deque<uint8_t> output_;
  std::vector<uint8_t> written_;
  std::vector<int> writeCalls_;
  std::vector<int> queuedAtWrite_;
};
