#pragma once
// `cmcComm`, the serial port of the clone drivers: opens one port by number with a
// settings string, reads without blocking and sends through a transmit queue that
// its pump task hands to the driver in chunks of at most 1024 bytes, each only once
// the driver's output queue is empty. A short write by the driver sets write failed.
#include <cstdint>
#include <memory>
#include <string>

#include "clone/cmcLineSettings.h"
#include "clone/cmcPortError.h"
#include "image/cmcBuff.h"
#include "runtime/cmcTask.h"

class cmcSerialBackend;
class cmcSerialFactory;

class cmcComm {
 public:
  static constexpr int kInputQueueSize = 32000;
  // Also the largest chunk handed to the driver at once.
  static constexpr int kOutputQueueSize = 1024;
  static constexpr int kPumpPeriodMs = 10;
  static constexpr int kIdlePeriodMs = 255;
  // RTS modes of SetRts: held off, held on, handshake, toggle.
  static constexpr int kRtsDisable = 0;
  static constexpr int kRtsEnable = 1;
  static constexpr int kRtsHandshake = 2;
  static constexpr int kRtsToggle = 3;

  // Closed, 9600 baud, 8 data bits, no parity, one stop bit, RTS on; the pump task
  // runs on timers and is stopped. The factory is not owned and must outlive the port.
  cmcComm(cmcTimerHost& timers, cmcSerialFactory& factory);
  ~cmcComm();
  cmcComm(const cmcComm&) = delete;
  cmcComm& operator=(const cmcComm&) = delete;

  // Opens port number `port` with a settings string such as "9600,n,8,1". False when
  // the port is already open (it stays open) or any step fails; LastError says why.
  bool Open(int port, const std::string& settings);
  // Stops the pump, closes the device, empties the transmit queue, clears write failed.
  void Close();
  bool IsOpen() const;

  // Queues the bytes and runs a pump step at once; does nothing while closed.
  void Write(const uint8_t* bytes, int count);
  // Takes min(InputWaiting(), max) bytes without waiting; 0 when closed, when nothing
  // waits or when the read fails.
  int Read(uint8_t* destination, unsigned max);
  // Bytes waiting in the driver's input queue; 0 when closed or the query fails.
  int InputWaiting();
  // Bytes still in the driver's output queue; 0 when closed or the query fails.
  int OutputWaiting();
  // OutputWaiting() plus the transmit queue's length.
  int PendingOutput();
  bool WriteFailed() const { return writeFailed_; }

  // Sets the RTS mode (its low two bits) and applies the line settings again.
  bool SetRts(int mode);
  // Applies the line settings and modem lines (RTS by mode, DTR off) to the open port.
  bool ApplySettings();

  // The number last passed to Open.
  int PortNumber() const { return port_; }
  // The device path of the last Open.
  const std::string& DevicePath() const { return path_; }
  const cmcLineSettings& Settings() const { return settings_; }
  int RtsMode() const { return rtsMode_; }
  // Why the last Open failed; kind None after a successful one.
  const cmcPortError& LastError() const { return lastError_; }
  // Bytes accepted by Write and not yet handed to the driver.
  int TransmitQueueLength() const { return transmit_.GetLength(); }

 private:
  void Pump();
  bool Fail(cmcPortError::Kind kind, int sysError = 0);

  cmcSerialFactory& factory_;
  std::unique_ptr<cmcSerialBackend> backend_;
  int port_ = 0;
  std::string path_;
  bool writeFailed_ = false;
  cmcLineSettings settings_;
  int rtsMode_ = kRtsEnable;
  cmcBuff transmit_;
  cmcPortError lastError_;
  cmcTask pump_;
};
