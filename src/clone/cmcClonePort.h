#pragma once
// What the clone protocol driver needs of its serial port: open by number with a
// settings string, non-blocking reads, queued writes, the pending output count and the
// failed-write flag.
#include <cstdint>
#include <string>

class cmcClonePort {
 public:
  virtual ~cmcClonePort() = default;
  // False when already open or the port cannot be opened.
  virtual bool Open(int port, const std::string& settings) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Queues the bytes for sending; does nothing while closed.
  virtual void Write(const uint8_t* bytes, int count) = 0;
  // Takes up to max bytes that have arrived, never waiting.
  virtual int Read(uint8_t* destination, unsigned max) = 0;
  // Bytes accepted by Write and not yet sent on the line.
  virtual int PendingOutput() = 0;
  virtual bool WriteFailed() const = 0;
  virtual bool SetRts(int mode) = 0;
};
