#pragma once
// The POSIX terminal backend: opens a tty device non-blocking and exclusively
// (TIOCEXCL, and an advisory flock that holds against root's processes too; a device
// locked by another process is EBUSY), configures raw 8-bit transfer without flow control, counts the queues
// with FIONREAD and TIOCOUTQ and drives RTS and DTR with TIOCMBIS and TIOCMBIC.
// Devices without modem lines (pseudo-terminals) accept the line changes silently.
#include "clone/cmcSerialBackend.h"

struct termios;

class cmcPosixSerial : public cmcSerialBackend {
 public:
  cmcPosixSerial() = default;
  ~cmcPosixSerial() override;
  cmcPosixSerial(const cmcPosixSerial&) = delete;
  cmcPosixSerial& operator=(const cmcPosixSerial&) = delete;

  int Open(const std::string& path) override;
  bool IsOpen() const override { return fd_ >= 0; }
  void Close() override;
  bool Configure(const cmcLineSettings& settings) override;
  bool SetModemLines(bool rts, bool dtr) override;
  bool Purge() override;
  int Read(uint8_t* destination, int max) override;
  int Write(const uint8_t* bytes, int count) override;
  int InputWaiting() override;
  int OutputWaiting() override;

  // The open file descriptor (-1 while closed), for event loops that wait on it.
  int Handle() const { return fd_; }
  // The termios speed constant of a baud rate; 0 when the rate is not supported.
  static unsigned SpeedCode(int baud);
  // Turns tio into raw transfer with the settings; false when the terminal interface
  // cannot express them (an unsupported rate, 4-bit characters).
  static bool MakeRaw(const cmcLineSettings& settings, termios& tio);

 private:
  int fd_ = -1;
  cmcLineSettings settings_;
};
