#pragma once
// `imcCloneDrv`, the model clone driver: the clone protocol driver plus the radio's
// service exchanges, all sent as E8 command frames: a single command with an optional
// one-byte answer, a table of commands, and the BPF sweep that steps a tuning value and
// records where the measured value peaks. It reuses the base driver's port, script,
// time-outs, frame reader and completion, and supplies the states 15 to 21.
#include <cstdint>
#include <span>
#include <vector>

#include "clone/cmcCloneDrv.h"
#include "clone/dst_AdjustState.h"

class cmcEvMan;
class cmcGTex;

class imcCloneDrv : public cmcCloneDrv {
 public:
  // Operations of this driver, as stored in the result record.
  static constexpr uint8_t kSingleCommand = 4;
  static constexpr uint8_t kCommandSequence = 5;
  static constexpr uint8_t kBpfSweep = 7;

  // Model states.
  enum ModelState : int {
    kSweepStep = 15,
    kNextEntry = 16,
    kSendCommand = 18,
    kAnswer = 19,
    kWait = 20,
    kEvaluate = 21,
  };

  // Service commands the sweep sends: set BPF A, set BPF B, read an A/D channel, and
  // the A/D channel the sweep measures.
  static constexpr int kSetBpfA = 19;
  static constexpr int kSetBpfB = 20;
  static constexpr int kReadAd = 3;
  static constexpr int kSweepAdChannel = 4;
  // Working image bytes of the two BPF settings.
  static constexpr int kAddrBpfA = 0x54;
  static constexpr int kAddrBpfB = 0x55;
  // The pause after each setting of a command sequence.
  static constexpr uint32_t kSequenceWaitMs = 50;
  static constexpr int kSingleStepMs = 4;
  static constexpr int kSlowSingleStepMs = 250;
  // The code byte that ends a command table.
  static constexpr uint8_t kEndOfTable = 0xFF;

  // One command table entry: the parameter is read when the entry is sent (none: 0);
  // the answer byte goes to answer (none: no answer is awaited).
  struct Command {
    uint8_t code = kEndOfTable;
    const uint8_t* parameter = nullptr;
    uint8_t* answer = nullptr;
  };

  // The overlay gives the sweep bounds and waits; the adjustment fields and the
  // working image are the model controller's; the event manager shows new values.
  // All must outlive the driver.
  imcCloneDrv(const cmcClock& clock, cmcTimerHost& timers, cmcSerialFactory& devices, cmcWaiter& waiter,
              cmcGTex& overlay, cmcEvMan& events, dst_AdjustState& adjust, cmcEeprom& working);

  // The low byte of parameter is sent; answer, when given, receives the answer byte.
  void SetSingleCommand(int code, int parameter, uint8_t* answer);
  // Copies the entries up to and including the first one whose code is FF; a table
  // without one is ended after its last entry.
  void SetCommandTable(std::span<const Command> table);
  bool IsCommandPending() const { return commandPending_; }

  // Each start returns false while busy.
  bool StartSingleCommand(Callback callback, void* context);
  bool StartCommandSequence(Callback callback, void* context);
  // Reads the sweep bounds from the overlay and sweeps from the minimum up to the
  // maximum, setting the selected BPF and measuring after each setting.
  bool StartBpfSweep(Callback callback, void* context);

  // The E8 frame of a command: FE FE EE EF E8, model code, sub-code, the command code,
  // the parameter as two upper-case ASCII hexadecimal digits, FD.
  static cmcBuff CommandFrame(int modelCode, int subCode, int code, int parameter);
  // The answer byte of an E8 answer frame (as the frame reader gives it: FE and the
  // bytes before FD), or -1 when it is malformed or from another radio family.
  static int DecodeAnswer(const cmcBuff& frame);

  // The sweep's bounds, as read at its last start.
  int SweepMinimum() const { return sweepMin_; }
  int SweepMaximum() const { return sweepMax_; }
  int SweepStep() const { return sweepStep_; }

 protected:
  int StepModelState(int state, bool& progress) override;
  int FirstModelState(int operation) override;

 private:
  // Runs one model state; sets atOnce when the next state runs in the same step.
  int RunModelState(int state, bool& progress, bool& atOnce);
  int StepSweep();
  int StepNextEntry();
  int StepSend();
  int StepAnswer(bool& progress, bool& atOnce);
  int StepWait(bool& progress, bool& atOnce);
  int StepEvaluate(bool& atOnce);
  void ReadSweepBounds();
  // Line 0 of key, or the line the tracking sub-state picks, as a number 0..255.
  int BoundOf(const char* key, int line);
  uint32_t WaitOf(const char* key);

  cmcGTex& overlay_;
  cmcEvMan& events_;
  dst_AdjustState& adjust_;
  cmcEeprom& working_;

  bool commandPending_ = false;
  int code_ = 0;
  int parameter_ = 0;
  uint8_t* answer_ = nullptr;
  std::vector<Command> table_;
  cmcTick wait_;
  int sweepMin_ = 0;
  int sweepMax_ = 0;
  int sweepStep_ = 1;
  int sweepValue_ = 0;
  uint8_t measured_ = 0;
  bool measureNext_ = false;
  bool firstSetting_ = false;
};
