#pragma once
// The byte-stream seam under `cmcComm`: one serial device opened by path, read without
// blocking, written with a bounded wait, with queue counts, modem lines and purge. The
// POSIX terminal, the in-memory test device, the fault injector and the simulated radio
// implement it. Open reports an errno value so callers can tell why a device failed.
#include <cstdint>
#include <string>

#include "clone/cmcLineSettings.h"

class cmcSerialBackend {
 public:
  virtual ~cmcSerialBackend() = default;

  // Opens the device exclusively for reading and writing; 0 on success, else an errno
  // value (ENOENT: no such device, EACCES: no permission, EBUSY: in use, ...).
  virtual int Open(const std::string& path) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // Applies raw 8-bit transfer with the given line settings; false when refused.
  virtual bool Configure(const cmcLineSettings& settings) = 0;
  // Drives the RTS and DTR lines; devices without modem lines accept and ignore this.
  virtual bool SetModemLines(bool rts, bool dtr) = 0;
  // Discards everything in both directions.
  virtual bool Purge() = 0;

  // Takes up to max bytes that have arrived, never waiting: the count, 0 when nothing
  // waits, -1 when the read failed.
  virtual int Read(uint8_t* destination, int max) = 0;
  // Hands bytes to the driver, waiting at most the write time-out of the configured
  // settings: the count taken (fewer on a time-out), -1 when the write failed at once.
  virtual int Write(const uint8_t* bytes, int count) = 0;
  // Bytes waiting in the input queue, -1 when the query failed.
  virtual int InputWaiting() = 0;
  // Bytes the driver has not sent yet, -1 when the query failed.
  virtual int OutputWaiting() = 0;
};
