#include "clone/imcCloneDrv.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "clone/cmcCloneFrame.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"

namespace {
using F = cmcCloneFrame;

constexpr int kMinAnswerFrame = 11;
// Model codes of the radio family an answer may carry.
constexpr int kFamilyModelCodes[] = {0x3621, 0x2926, 0x3179};

constexpr const char* kAllMin = "GI_Sys_Adjust_BPF_All_Min";
constexpr const char* kAllMax = "GI_Sys_Adjust_BPF_All_Max";
constexpr const char* kAllStep = "GI_Sys_Adjust_BPF_All_Step";
constexpr const char* kIndMin = "GI_Sys_Adjust_BPF_Ind_Min";
constexpr const char* kIndMax = "GI_Sys_Adjust_BPF_Ind_Max";
constexpr const char* kIndStep = "GI_Sys_Adjust_BPF_Ind_Step";
constexpr const char* kFirstWaitKey = "GI_Sys_Adjust_BPF_Set_First_Wait";
constexpr const char* kWaitKey = "GI_Sys_Adjust_BPF_Set_Wait";

int UpperHexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A decimal number at the start of the text; 0 when it has no digits.
long Decimal(const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); }
}  // namespace

imcCloneDrv::imcCloneDrv(const cmcClock& clock, cmcTimerHost& timers, cmcSerialFactory& devices, cmcWaiter& waiter,
                         cmcGTex& overlay, cmcEvMan& events, dst_AdjustState& adjust, cmcEeprom& working)
    : cmcCloneDrv(clock, timers, devices, waiter),
      overlay_(overlay),
      events_(events),
      adjust_(adjust),
      working_(working),
      wait_(clock) {}

void imcCloneDrv::SetSingleCommand(int code, int parameter, uint8_t* answer) {
  code_ = code;
  parameter_ = parameter;
  answer_ = answer;
  commandPending_ = true;
}

void imcCloneDrv::SetCommandTable(std::span<const Command> table) {
  table_.clear();
  for (const Command& entry : table) {
    table_.push_back(entry);
    if (entry.code == kEndOfTable) break;
  }
  if (table_.empty() || table_.back().code != kEndOfTable) table_.push_back(Command{});
  commandPending_ = true;
}

bool imcCloneDrv::StartSingleCommand(Callback callback, void* context) {
  const int period = adjust_.state == dst_AdjustState::kAfterAdjustRead ? kSlowSingleStepMs : kSingleStepMs;
  return StartOperation(kSingleCommand, callback, context, period);
}

bool imcCloneDrv::StartCommandSequence(Callback callback, void* context) {
  return StartOperation(kCommandSequence, callback, context);
}

bool imcCloneDrv::StartBpfSweep(Callback callback, void* context) {
  if (IsBusy()) return false;
  ReadSweepBounds();
  sweepValue_ = sweepMin_;
  measureNext_ = false;
  firstSetting_ = true;
  commandPending_ = true;
  return StartOperation(kBpfSweep, callback, context);
}

cmcBuff imcCloneDrv::CommandFrame(int modelCode, int subCode, int code, int parameter) {
  cmcBuff frame;
  const uint8_t head[] = {F::kStart,
                          F::kStart,
                          F::kRadio,
                          F::kController,
                          F::kService,
                          static_cast<uint8_t>(modelCode >> 8),
                          static_cast<uint8_t>(modelCode),
                          static_cast<uint8_t>(subCode >> 8),
                          static_cast<uint8_t>(subCode),
                          static_cast<uint8_t>(code)};
  frame.AppendData(head, sizeof head);
  F::AppendHexByte(frame, static_cast<uint8_t>(parameter));
  frame.AppendByte(F::kEnd);
  return frame;
}

int imcCloneDrv::DecodeAnswer(const cmcBuff& frame) {
  if (frame.GetLength() < kMinAnswerFrame) return -1;
  const uint8_t* d = frame.Data();
  if (d[0] != F::kStart || d[1] != F::kController || d[2] != F::kRadio || d[3] != F::kService) return -1;
  const int model = d[4] << 8 | d[5];
  if (std::find(std::begin(kFamilyModelCodes), std::end(kFamilyModelCodes), model) == std::end(kFamilyModelCodes))
    return -1;
  const int high = UpperHexValue(d[9]);
  const int low = UpperHexValue(d[10]);
  if (high < 0 || low < 0) return -1;
  return high << 4 | low;
}

int imcCloneDrv::FirstModelState(int operation) {
  switch (operation) {
    case kSingleCommand:
      return kSendCommand;
    case kCommandSequence:
      return kNextEntry;
    case kBpfSweep:
      return kSweepStep;
    default:
      return kInfoRequest;
  }
}

int imcCloneDrv::StepModelState(int state, bool& progress) {
  for (;;) {
    bool atOnce = false;
    const int next = RunModelState(state, progress, atOnce);
    if (!atOnce) return next;
    state = next;
  }
}

int imcCloneDrv::RunModelState(int state, bool& progress, bool& atOnce) {
  switch (state) {
    case kSweepStep:
      atOnce = true;
      return StepSweep();
    case kNextEntry:
      return StepNextEntry();
    case kSendCommand:
      return StepSend();
    case kAnswer:
      return StepAnswer(progress, atOnce);
    case kWait:
      return StepWait(progress, atOnce);
    case kEvaluate:
      return StepEvaluate(atOnce);
    default:
      return kIdle;
  }
}

int imcCloneDrv::StepSweep() {
  if (!measureNext_) {
    code_ = adjust_.itemSelector == dst_AdjustState::kSelectBpfA ? kSetBpfA : kSetBpfB;
    parameter_ = sweepValue_;
    answer_ = nullptr;
  } else {
    code_ = kReadAd;
    parameter_ = kSweepAdChannel;
    answer_ = &measured_;
  }
  measureNext_ = !measureNext_;
  return kSendCommand;
}

int imcCloneDrv::StepNextEntry() {
  int& index = DataBytes();
  if (index < 0 || index >= static_cast<int>(table_.size()) || table_[static_cast<size_t>(index)].code == kEndOfTable) {
    Result().code = dst_CDrv_Result::kSuccess;
    return kDrain;
  }
  const Command& entry = table_[static_cast<size_t>(index++)];
  code_ = entry.code;
  parameter_ = entry.parameter ? *entry.parameter : 0;
  answer_ = entry.answer;
  return kSendCommand;
}

int imcCloneDrv::StepSend() {
  Send(CommandFrame(ModelCode(), SubCode(), code_, parameter_));
  int next = kDrain;
  if (answer_) {
    next = kAnswer;
  } else if (Operation() == kBpfSweep) {
    wait_.Start(WaitOf(firstSetting_ ? kFirstWaitKey : kWaitKey));
    firstSetting_ = false;
    next = kWait;
  } else if (Operation() == kCommandSequence) {
    wait_.Start(kSequenceWaitMs);
    next = kWait;
  } else {
    Result().code = dst_CDrv_Result::kSuccess;
  }
  // The answer is read from a clean frame buffer.
  FrameBuffer().Clear();
  commandPending_ = false;
  return next;
}

int imcCloneDrv::StepAnswer(bool& progress, bool& atOnce) {
  const cmcBuff frame = ReadFrame();
  if (frame.GetLength() == 0) {
    progress = false;
    return kAnswer;
  }
  const int answer = DecodeAnswer(frame);
  if (answer < 0) {
    // A foreign answer is no progress: a valid one may still come before the time-out.
    Result().code = dst_CDrv_Result::kBadFrame;
    progress = false;
    return kAnswer;
  }
  *answer_ = static_cast<uint8_t>(answer);
  switch (Operation()) {
    case kBpfSweep:
      atOnce = true;
      return kEvaluate;
    case kCommandSequence:
      return kNextEntry;
    default:
      Result().code = dst_CDrv_Result::kSuccess;
      return kDrain;
  }
}

int imcCloneDrv::StepWait(bool&, bool& atOnce) {
  // The pause is the driver's own doing, so it counts as progress.
  if (wait_.Remaining() > 0) return kWait;
  if (Operation() == kBpfSweep) {
    atOnce = true;
    return kSweepStep;
  }
  return kNextEntry;
}

int imcCloneDrv::StepEvaluate(bool& atOnce) {
  dst_AdjustState::BpfStats& stats = adjust_.StatsOfSelector();
  const uint8_t value = static_cast<uint8_t>(sweepValue_);
  if (measured_ >= stats.highest) {
    if (measured_ > stats.highest) {
      stats.first = value;
      stats.highest = measured_;
    }
    stats.last = value;
  }
  working_.SetByte(adjust_.itemSelector == dst_AdjustState::kSelectBpfA ? kAddrBpfA : kAddrBpfB, value);
  events_.Send(kEvRefreshLiveCells);
  if (sweepValue_ >= sweepMax_) {
    Result().code = dst_CDrv_Result::kSuccess;
    return kDrain;
  }
  sweepValue_ = std::min(sweepValue_ + sweepStep_, sweepMax_);
  atOnce = true;
  return kSweepStep;
}

void imcCloneDrv::ReadSweepBounds() {
  if (adjust_.allChannels) {
    sweepMin_ = BoundOf(kAllMin, 0);
    sweepMax_ = BoundOf(kAllMax, 0);
    sweepStep_ = BoundOf(kAllStep, 0);
  } else {
    // The tracking procedure sweeps at its points with bounds of their own.
    const int sub = adjust_.subState;
    const int line = adjust_.state == dst_AdjustState::kBpfTracking && sub >= 2 && sub <= 6 ? sub - 1 : 0;
    sweepMin_ = BoundOf(kIndMin, line);
    sweepMax_ = BoundOf(kIndMax, line);
    sweepStep_ = BoundOf(kIndStep, line);
  }
  sweepStep_ = std::max(sweepStep_, 1);
}

int imcCloneDrv::BoundOf(const char* key, int line) {
  return static_cast<int>(std::clamp(Decimal(overlay_.GetLine(key, line)), 0L, 255L));
}

uint32_t imcCloneDrv::WaitOf(const char* key) {
  return static_cast<uint32_t>(std::clamp(Decimal(overlay_.GetText(key)), 0L, 3600000L));
}
