#pragma once
// `cmcCloneDrv`, the clone protocol driver: one exchange at a time with the radio
// (identification, read, write) as a state machine stepped every 10 ms by a task. It
// polls its port without blocking, guards every wait with a time-out, removes a cable's
// echo and ends every started operation by calling the completion callback exactly
// once with the `dst_CDrv_Result`, also when cancelled or destroyed mid-exchange.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "clone/cmcComm.h"
#include "clone/dst_CDrv_Result.h"
#include "image/cmcAddressRanges.h"
#include "image/cmcBuff.h"
#include "image/cmcEeprom.h"
#include "runtime/cmcClock.h"
#include "runtime/cmcTask.h"
#include "runtime/cmcTick.h"
#include "runtime/cmcWaiter.h"

class cmcCloneDrv {
 public:
  using Callback = void (*)(void* context, dst_CDrv_Result& result);

  // States; 15 to 21 belong to a derived model driver.
  enum State : int {
    kIdle = 0,
    kBegin = 2,
    kScript = 3,
    kOpen = 4,
    kInfoRequest = 5,
    kInfoAnswer = 6,
    kReadRequest = 7,
    kReceiveData = 8,
    kWriteRequest = 9,
    kWriteReady = 10,
    kSendData = 11,
    kBlockReady = 12,
    kSendEnd = 13,
    kEndAnswer = 14,
    kFirstModelState = 15,
    kLastModelState = 21,
    kDrain = 22,
    kFinish = 23,
  };

  static constexpr int kStepPeriodMs = 10;

  // The driver owns its port, made on the factory's devices. The factory and the
  // waiter are not owned and must outlive the driver.
  cmcCloneDrv(const cmcClock& clock, cmcTimerHost& timers, cmcSerialFactory& devices, cmcWaiter& waiter);
  virtual ~cmcCloneDrv();
  cmcCloneDrv(const cmcCloneDrv&) = delete;
  cmcCloneDrv& operator=(const cmcCloneDrv&) = delete;

  void SetModelCodes(int modelCode, int subCode);
  void SetImageSize(int size) { imageSize_ = size; }
  // Used at the next open.
  void SetPort(int portNumber, const std::string& settings);
  // Extra FE bytes before E0, E2 and E3.
  void SetCommandPreamble(int count) { commandPreamble_ = count; }
  // Extra FE bytes before each E4 frame after the first, and before the first.
  void SetDataPreambles(int later, int first);
  void SetDataPreambles(int count) { SetDataPreambles(count, count); }
  // Port settings "(...)" and hexadecimal command text run before the operation.
  void SetScript(const std::string& text) { script_ = text; }
  // Append the data frame count to E5, and expect it on a read's E5.
  void SetEndCounter(bool on) { endCounter_ = on; }
  void SetEchoPresent(bool on) { echoPresent_ = on; }
  void SetEchoDetection(bool on) { echoDetection_ = on; }
  // After E3, wait for FB before sending data.
  void SetWaitWriteReady(bool on) { waitWriteReady_ = on; }
  // Wait for FB whenever the next write address mod period equals offset (not at a
  // range start); 0 or less keeps the current value.
  void SetPacing(int period, int offset);
  // 0 or less keeps the current value.
  void SetDefaultTimeLimit(int ms);
  void SetWriteReadyTimeLimit(int ms);
  void SetScriptTimeLimit(int ms);
  void SetInformationTimeLimit(int ms);
  void SetEndAnswerTimeLimit(int ms);
  // Forwards the RTS mode to the port.
  bool SetRts(int mode) { return port_.SetRts(mode); }

  bool EchoPresent() const { return echoPresent_; }
  bool IsBusy() const { return state_ != kIdle; }
  int GetState() const { return state_; }
  // Memory bytes moved so far in this operation: the progress measure of a read or write.
  int DataBytesTransferred() const { return dataBytes_; }
  // Bytes moved over the line in this operation.
  int BytesMoved() const { return bytesMoved_; }
  // The port, for its number and the reason of a failed open.
  const cmcComm& Comm() const { return port_; }

  // Each start returns false while busy. Read: ranges, when given, are the addresses the
  // radio must send exactly. Write: the image is copied; its ranges are sent in order.
  bool StartInformation(Callback callback, void* context);
  bool StartRead(const cmcAddressRanges* ranges, Callback callback, void* context);
  bool StartWrite(const cmcEeprom& image, const cmcAddressRanges& ranges, Callback callback, void* context);

  // Ends a running operation at once with code 1: the port is closed and the callback
  // called. Inside the driver's own step it takes effect when the step returns.
  void Cancel();

 protected:
  // Runs one step of a state 15 to 21; returns the next state.
  virtual int StepModelState(int state, bool& progress);
  // The first state after opening the port for an operation other than 1, 2 and 3.
  virtual int FirstModelState(int operation);

  // Starts an operation: fresh result record, state 2, step task at periodMs.
  bool StartOperation(uint8_t operation, Callback callback, void* context, int periodMs = kStepPeriodMs);
  // Sends bytes and, with echo present, records them as awaited echo.
  void Send(const uint8_t* bytes, int count);
  void Send(const cmcBuff& bytes) { Send(bytes.Data(), bytes.GetLength()); }
  // Reads what has arrived (at most 256 bytes) into the receive queue; the count.
  int ReadInput();
  // Frame reader: the last frame completed by the input of this step (FE and the bytes
  // before FD), a single 00 for an overlong frame, empty when none completed.
  cmcBuff ReadFrame();

  dst_CDrv_Result& Result() { return *result_; }
  int Operation() const { return operation_; }
  int ModelCode() const { return modelCode_; }
  int SubCode() const { return subCode_; }
  int DefaultTimeLimit() const { return defaultLimitMs_; }
  cmcBuff& FrameBuffer() { return frame_; }
  cmcComm& Port() { return port_; }
  const cmcClock& Clock() const { return clock_; }
  // Data bytes counter, reused by model drivers as a table index.
  int& DataBytes() { return dataBytes_; }

 private:
  void OnTick();
  void Step();
  void Finish();
  // Runs Finish; false when its callback destroyed this driver.
  bool FinishAndSurvive();
  int RunState(int state, bool& progress);
  int OpenForOperation();
  // Closes the port, opens it with the settings and drops what arrives at once.
  bool OpenPort(const std::string& settings);
  void DropInput();
  // Whether everything sent has left the port; while not, progress only while it moves.
  bool OutputLeft(bool& progress);
  void DetectEcho();
  int StepScript(bool& progress);
  int StepInfoAnswer(bool& progress);
  int StepReceiveData(bool& progress);
  int StepWaitReady(int onReady, bool& progress);
  int StepSendData(bool& progress);
  int StepEndAnswer(bool& progress);
  void SendCommand(uint8_t command);
  void SendEnd();
  int CheckReceivedFrame(const cmcBuff& frame);
  int CheckCoverage() const;
  void BuildDataFrame();
  int TimeLimitOf(int state) const;
  void Fail(int& next, uint8_t code);

  const cmcClock& clock_;
  cmcWaiter& waiter_;

  // Configuration, kept between operations.
  int modelCode_ = 0;
  int subCode_ = 0;
  int imageSize_ = 1;
  int portNumber_ = 1;
  std::string settings_ = "9600,n,8,1";
  int commandPreamble_ = 0;
  int firstDataPreamble_ = 0;
  int laterDataPreamble_ = 0;
  bool endCounter_ = true;
  bool echoPresent_ = false;
  bool echoDetection_ = true;
  bool waitWriteReady_ = false;
  int pacingPeriod_ = 0;
  int pacingOffset_ = 0;
  int bytesPerFrame_ = 16;
  int defaultLimitMs_ = 1000;
  int scriptLimitMs_ = 1000;
  int infoLimitMs_ = 1000;
  int endAnswerLimitMs_ = 2000;
  int writeReadyLimitMs_ = 1000;
  std::string script_;

  // Run time.
  int state_ = kIdle;
  uint8_t operation_ = 0;
  std::unique_ptr<dst_CDrv_Result> result_;
  Callback callback_ = nullptr;
  void* context_ = nullptr;
  std::optional<cmcAddressRanges> ranges_;
  int rangeIndex_ = 0;
  int address_ = 0;
  int frameCount_ = 0;
  int bytesMoved_ = 0;
  int dataBytes_ = 0;
  int lastStepPort_ = 1;
  int lastPending_ = 0;
  // The clock's time when the bytes sent so far will have left the line.
  uint32_t lineClearAt_ = 0;
  bool inTick_ = false;
  bool cancelRequested_ = false;
  bool echoMatched_ = false;
  bool* destroyed_ = nullptr;
  cmcBuff receive_;
  cmcBuff frame_;
  cmcBuff echo_;
  uint8_t scratch_[256] = {};
  cmcTick timeout_;
  cmcTask task_;
  // Last, so it closes before the rest goes.
  cmcComm port_;
};
