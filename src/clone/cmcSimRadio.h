#pragma once
// `cmcSimRadio`, a simulated radio on a simulated clone cable, run by the timers of the
// driver's clock: it answers identification, streams reads from its own image, stores
// writes, takes service commands (speed, password, mode, and a table of handlers for
// the model's commands, with built-in adjustment commands: A/D readings, settings and
// byte writes), and can echo, pace its output and inject faults on request.
// It is a serial backend, so `cmcComm` opens it through the port table's "sim:" entry.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "clone/cmcSerialBackend.h"
#include "image/cmcAddressRanges.h"
#include "image/cmcBuff.h"
#include "image/cmcEeprom.h"
#include "runtime/cmcTask.h"

class cmcSerialFactory;

class cmcSimRadio : public cmcSerialBackend {
 public:
  static constexpr int kInfoSize = 78;
  // Offsets in the information record.
  static constexpr int kInfoComment1 = 1;
  static constexpr int kInfoComment2 = 17;
  static constexpr int kInfoFirmware = 33;
  static constexpr int kInfoDataRevision = 35;
  static constexpr int kInfoSerial = 37;
  static constexpr int kInfoChecksum = 49;
  static constexpr int kInfoFlags = 53;
  static constexpr int kInfoHighest = 62;
  static constexpr int kInfoModel = 66;
  // Flag bits: the radio has a clone password; the password is not enforced.
  static constexpr uint8_t kFlagPassword = 0x08;
  static constexpr uint8_t kFlagNotEnforced = 0x10;

  // Built-in service commands.
  static constexpr uint8_t kServiceSpeed = 0x01;
  static constexpr uint8_t kServicePassword = 0x99;
  static constexpr uint8_t kServiceMode = 0x55;
  // Built-in adjustment commands: read an A/D channel (answered), set the address of
  // the next byte write, write that byte into the image. Every other code stores its
  // parameter as the command's setting (0: the working channel, 5 to 20: the items).
  static constexpr uint8_t kServiceReadAd = 0x03;
  static constexpr uint8_t kServiceWriteAddress = 0x40;
  static constexpr uint8_t kServiceWriteValue = 0x41;

  struct Identity {
    int modelCode = 0x3621;
    int subCode = 0x0001;
    std::string serial = "202401000123";  // 12 characters: year, month, running number
    uint8_t dataRevision = 1;
    int highestAddress = 0x7D7F;
    uint8_t flags = 0;                // also bit 0 stun and kill, bit 1 over-voltage detection
    std::string model = "RX-93";      // the model name, up to 8 characters
    uint8_t firmwareRevision = 0x10;  // major and minor in the high and low nibble
    int checksum = 0;                 // the firmware checksum word
    std::string comment1, comment2;   // the radio's two comments, up to 16 characters each
  };

  enum class Echo { Off, All, EveryOther };
  enum class EndCounter { Correct, Missing, Wrong };

  // Faults, all off by default. Byte positions count the radio's own bytes from 0
  // (echo excluded); frame numbers count the data frames of a read from 0.
  struct Faults {
    bool noAnswer = false;
    int dropByte = -1;
    int corruptByte = -1;
    uint8_t corruptMask = 0x01;
    int badChecksumFrame = -1;
    // Read data frames and service answers carry lower-case hexadecimal digits.
    bool lowercaseHex = false;
    // Read: data frames sent before falling silent; write: data frames taken before
    // falling silent. -1 never.
    int stopAfterFrames = -1;
    // The E1 answer carries this model code instead of the identity's (-1: no).
    int answerModelCode = -1;
    EndCounter endCounter = EndCounter::Correct;
    bool refuseWrite = false;
    // Replaces the E6 00 answer to a write's end frame (the frame's bytes after FE FE).
    std::optional<std::vector<uint8_t>> endAnswer;
  };

  // A service command (E8) as received: model code, sub-code, the command code and the
  // bytes after it.
  struct ServiceCommand {
    int modelCode = 0;
    int subCode = 0;
    uint8_t code = 0;
    std::vector<uint8_t> payload;
    // The parameter: the payload's two hexadecimal digits as a byte, or -1.
    int Parameter() const;
  };
  // Answers a service command: the answer byte, or nothing when it needs no answer.
  using ServiceHandler = std::function<std::optional<uint8_t>(cmcSimRadio& radio, const ServiceCommand& command)>;
  // The reading of an A/D channel, given the radio's settings.
  using AdReader = std::function<uint8_t(const cmcSimRadio& radio, int channel)>;

  explicit cmcSimRadio(cmcTimerHost& timers);
  cmcSimRadio(const cmcSimRadio&) = delete;
  cmcSimRadio& operator=(const cmcSimRadio&) = delete;

  // Serves the factory's simulated-radio path with this radio; it must outlive the
  // factory's use of it.
  void Serve(cmcSerialFactory& factory);

  // The cable side, as a serial device sees it. The radio keeps its state across opens.
  int Open(const std::string& path) override;
  bool IsOpen() const override { return open_; }
  void Close() override;
  // The line speed set here is the one the radio must run at to understand the bytes.
  bool Configure(const cmcLineSettings& settings) override;
  bool SetModemLines(bool rts, bool dtr) override;
  bool Purge() override;
  // Bytes to the computer that have arrived so far.
  int Read(uint8_t* destination, int max) override;
  // Bytes from the computer; all are taken (-1 while closed).
  int Write(const uint8_t* bytes, int count) override;
  int InputWaiting() override { return open_ ? available_.GetLength() : -1; }
  // Bytes from the computer the radio has not taken in yet.
  int OutputWaiting() override { return open_ ? uplink_.GetLength() : -1; }

  // Configuration.
  Identity& GetIdentity() { return identity_; }
  Faults& GetFaults() { return faults_; }
  cmcEeprom& Image() { return image_; }
  void SetEcho(Echo echo) { echo_ = echo; }
  // Bytes per virtual ms the radio sends (0: at once) and takes in from the computer.
  void SetRate(int bytesPerMs) { rate_ = bytesPerMs; }
  void SetUplinkRate(int bytesPerMs) { uplinkRate_ = bytesPerMs; }
  // What a read sends; the radio's whole EEPROM area by default.
  void SetReadRanges(const cmcAddressRanges& ranges) { readRanges_ = ranges; }
  // Bytes per read data frame (1..255), frames kept within multiples of it.
  void SetReadFrameSize(int bytes) { readFrameSize_ = bytes; }
  // During a write, send FB after each frame that reaches address mod period == offset.
  void SetWritePacing(int period, int offset);
  // A clone password the radio checks when its flags enforce one.
  void SetPassword(const std::string& password) { password_ = password; }
  // The line speed the radio runs at; 0 makes it understand every speed.
  void SetRadioBaud(int baud) { radioBaud_ = baud; }
  int RadioBaud() const { return radioBaud_; }
  // Handler for a service command code; replaces a built-in one. Empty removes it.
  void SetServiceHandler(uint8_t code, ServiceHandler handler);
  // A/D readings: a fixed value per channel (0 by default), or a reader that derives
  // them from the settings; an empty reader restores the fixed values.
  void SetAdReading(int channel, uint8_t value) { adReadings_[static_cast<uint8_t>(channel)] = value; }
  void SetAdReader(AdReader reader) { adReader_ = std::move(reader); }

  // What happened.
  // The information record the radio answers with.
  std::vector<uint8_t> InformationRecord() const;
  // Every byte the radio understood from the computer, in order.
  const cmcBuff& Received() const { return received_; }
  const std::vector<ServiceCommand>& ServiceLog() const { return serviceLog_; }
  int WriteFramesStored() const { return writeFrames_; }
  // Identifications answered, reads sent to their end frame, writes ended by E5.
  int InfoAnswers() const { return infoAnswers_; }
  int ReadsServed() const { return readsServed_; }
  int WritesServed() const { return writesServed_; }
  // Read and write requests taken up: each starts a data phase.
  int DataPhasesStarted() const { return dataPhases_; }
  int BadWriteFrames() const { return badWriteFrames_; }
  // The frame count text a write's end frame carried ("" without one).
  const std::string& WriteEndCounter() const { return writeEndCounter_; }
  bool Unlocked() const { return unlocked_; }
  // The last mode selected by service command 55 ("00" read, "01" write).
  const std::string& Mode() const { return mode_; }
  int OpenCount() const { return openCount_; }
  bool Rts() const { return rts_; }
  // The last parameter of a service command that stores a setting; -1 when none came.
  int Setting(uint8_t code) const;

 private:
  enum class Session { None, Write };

  void OnTimer();
  void ScheduleTimer();
  void TakeIn(uint8_t b);
  void HandleFrame();
  void HandleInfo();
  void HandleRead();
  void HandleWrite();
  void HandleData();
  void HandleEnd();
  void HandleService();
  std::optional<uint8_t> RunBuiltInService(const ServiceCommand& command);
  void EmitServiceAnswer(uint8_t code, uint8_t answer);
  bool Locked() const;
  void Emit(const uint8_t* bytes, int count);
  void EmitByte(uint8_t b);
  void EmitFrame(const cmcBuff& body);
  void Deliver(uint8_t b);

  Identity identity_;
  Faults faults_;
  cmcEeprom image_;
  Echo echo_ = Echo::Off;
  int rate_ = 0;
  int uplinkRate_ = 0;
  cmcAddressRanges readRanges_ = cmcAddressRanges::EepromArea();
  int readFrameSize_ = 16;
  int writePacingPeriod_ = 128;
  int writePacingOffset_ = 0;
  std::string password_;
  int radioBaud_ = 9600;
  int lineBaud_ = 9600;
  std::map<uint8_t, ServiceHandler> handlers_;
  uint8_t adReadings_[256] = {};
  AdReader adReader_;
  std::map<uint8_t, int> settings_;
  int writeAddress_ = 0;

  bool open_ = false;
  int openCount_ = 0;
  bool rts_ = false;
  bool silent_ = false;
  bool unlocked_ = false;
  Session session_ = Session::None;
  std::string mode_;
  int echoCount_ = 0;
  int ownBytes_ = 0;
  int writeFrames_ = 0;
  int infoAnswers_ = 0;
  int readsServed_ = 0;
  int writesServed_ = 0;
  int dataPhases_ = 0;
  int badWriteFrames_ = 0;
  std::string writeEndCounter_;
  cmcBuff frame_;
  cmcBuff uplink_;
  cmcBuff downlink_;
  cmcBuff available_;
  cmcBuff received_;
  std::vector<ServiceCommand> serviceLog_;
  cmcTask timer_;
};
