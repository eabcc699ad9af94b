#pragma once
// Serves a radio backend (the simulated radio) on the master side of a pseudo-terminal,
// whose slave is the serial device a program opens. The pty plays the cable: bytes cross
// each way at the line rate of the speed the slave is set to (10 bits a byte), the radio
// hears that speed, and it is open exactly while the program has the slave open; what
// it sends meanwhile is lost, as on a real line.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

class cmcSerialBackend;

class cmcPtyRadio {
 public:
  // Bytes on the wire and their line time since the last TakeStats.
  struct Stats {
    long long bytesIn = 0;   // from the program to the radio
    long long bytesOut = 0;  // from the radio to the program
    double lineMs = 0;
  };

  // A monotonic clock in microseconds: a byte at 38400 baud takes 260 of them.
  using MicroClock = std::function<uint64_t()>;

  // The radio is not owned and must outlive the object.
  cmcPtyRadio(MicroClock clock, cmcSerialBackend& radio);
  ~cmcPtyRadio();
  cmcPtyRadio(const cmcPtyRadio&) = delete;
  cmcPtyRadio& operator=(const cmcPtyRadio&) = delete;

  // Creates the pseudo-terminal with a raw slave; 0, or the errno value of the failure.
  int Open();
  const std::string& SlavePath() const { return slavePath_; }

  // One turn of the line: waits at most waitMs for the program (less while bytes are
  // under way), takes what it sent, and moves each way the bytes whose line time has
  // passed.
  void Turn(int waitMs);

  bool SlaveOpen() const { return slaveOpen_; }
  // No byte of either direction is under way.
  bool Idle() const { return intake_.empty() && output_.empty(); }
  // The speed the slave is set to, in baud.
  int LineBaud() const { return baud_; }
  Stats TakeStats();
  // The figures since the last TakeStats, left in place.
  const Stats& PeekStats() const { return stats_; }

 private:
  struct Paced {
    uint64_t startUs = 0;
    long long sent = 0;
    int baud = 0;
    // Bytes whose line time has passed since the direction became busy at this speed.
    long long Due(uint64_t now) const;
    // When the next byte's line time has passed.
    uint64_t NextUs() const;
  };

  // Waits at most waitUs for the program to open the slave.
  void AwaitOpen(uint64_t waitUs);
  void ReadSpeed();
  void TakeFromProgram();
  void FeedRadio(uint64_t now);
  void SendToProgram(uint64_t now);
  void Restart(Paced& line, uint64_t now, int baud);
  // How long the next turn may wait for the program, in microseconds.
  uint64_t WaitUs(int waitMs) const;

  MicroClock clock_;
  cmcSerialBackend& radio_;
  int master_ = -1;
  // Notices of the slave's opens (inotify), or -1.
  int opens_ = -1;
  std::string slavePath_;
  bool slaveOpen_ = false;
  bool closePending_ = false;
  int baud_ = 9600;
  int radioBaud_ = 0;
  // Bytes from the program with the speed they were sent at, not yet at the radio.
  std::deque<std::pair<uint8_t, int>> intake_;
  // Bytes from the radio not yet at the program.
  std::deque<uint8_t> output_;
  Paced in_;
  Paced out_;
  Stats stats_;
};
