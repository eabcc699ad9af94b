#include "clone/cmcCloneDrv.h"

#include <algorithm>
#include <vector>

#include "clone/cmcCloneFrame.h"
#include "overlay/cmcTextUtil.h"

namespace {
using F = cmcCloneFrame;

constexpr int kReadChunk = 256;
// The line settles this long before an echo probe, and after opening for an exchange
// without echo detection; an echo probe waits this long for its bytes to come back.
constexpr uint32_t kSettleMs = 100;
// After its last byte has left, the far end of the line takes this long to have taken
// it in; only then may the port be reopened, which purges the line.
constexpr uint32_t kTurnaroundMs = 25;
constexpr int kBitsPerByte = 10;
constexpr int kMaxDrainBytes = 65535;
constexpr int kEchoProbeBytes = 4;
constexpr int kEchoLimitWhileSending = 128;
constexpr int kMaxPasses = 8;
constexpr int kCompactAbove = 4096;
// The longest frame buffer the frame reader and the data receiver keep growing.
constexpr int kReaderLimit = 520;
constexpr int kDataLimit = 521;
constexpr int kMinDataFrame = 12;
constexpr int kMaxDataFrame = 522;

bool StartsWith(const cmcBuff& frame, std::initializer_list<uint8_t> head) {
  if (frame.GetLength() < static_cast<int>(head.size())) return false;
  return std::equal(head.begin(), head.end(), frame.Data());
}
}  // namespace

cmcCloneDrv::cmcCloneDrv(const cmcClock& clock, cmcTimerHost& timers, cmcSerialFactory& devices, cmcWaiter& waiter)
    : clock_(clock), waiter_(waiter), timeout_(clock), task_(timers), port_(timers, devices) {}

cmcCloneDrv::~cmcCloneDrv() {
  if (destroyed_) *destroyed_ = true;
  destroyed_ = nullptr;
  if (IsBusy()) {
    result_->code = dst_CDrv_Result::kCancelled;
    Finish();
  }
}

void cmcCloneDrv::SetModelCodes(int modelCode, int subCode) {
  modelCode_ = modelCode;
  subCode_ = subCode;
}

void cmcCloneDrv::SetPort(int portNumber, const std::string& settings) {
  portNumber_ = portNumber;
  settings_ = settings;
}

void cmcCloneDrv::SetDataPreambles(int later, int first) {
  laterDataPreamble_ = later;
  firstDataPreamble_ = first;
}

void cmcCloneDrv::SetPacing(int period, int offset) {
  if (period > 0) pacingPeriod_ = period;
  if (offset > 0) pacingOffset_ = offset;
}

void cmcCloneDrv::SetDefaultTimeLimit(int ms) {
  if (ms > 0) defaultLimitMs_ = ms;
}
void cmcCloneDrv::SetWriteReadyTimeLimit(int ms) {
  if (ms > 0) writeReadyLimitMs_ = ms;
}
void cmcCloneDrv::SetScriptTimeLimit(int ms) {
  if (ms > 0) scriptLimitMs_ = ms;
}
void cmcCloneDrv::SetInformationTimeLimit(int ms) {
  if (ms > 0) infoLimitMs_ = ms;
}
void cmcCloneDrv::SetEndAnswerTimeLimit(int ms) {
  if (ms > 0) endAnswerLimitMs_ = ms;
}

bool cmcCloneDrv::StartInformation(Callback callback, void* context) {
  return StartOperation(dst_CDrv_Result::kInformation, callback, context);
}

bool cmcCloneDrv::StartRead(const cmcAddressRanges* ranges, Callback callback, void* context) {
  if (IsBusy()) return false;
  if (ranges)
    ranges_ = *ranges;
  else
    ranges_.reset();
  return StartOperation(dst_CDrv_Result::kRead, callback, context);
}

bool cmcCloneDrv::StartWrite(const cmcEeprom& image, const cmcAddressRanges& ranges, Callback callback, void* context) {
  if (IsBusy()) return false;
  // Every address sent is read from the image, so a range outside it is refused here.
  for (int i = 0; i < ranges.Count(); ++i)
    if (!image.IsValidAddress(ranges[i].start) || !image.IsValidAddress(ranges[i].end)) return false;
  ranges_ = ranges;
  if (!StartOperation(dst_CDrv_Result::kWrite, callback, context)) return false;
  result_->image.Assign(image);
  rangeIndex_ = 0;
  address_ = ranges.Count() > 0 ? ranges[0].start : 0;
  return true;
}

bool cmcCloneDrv::StartOperation(uint8_t operation, Callback callback, void* context, int periodMs) {
  if (IsBusy()) return false;
  callback_ = callback;
  context_ = context;
  bytesMoved_ = 0;
  dataBytes_ = 0;
  frameCount_ = 0;
  lastPending_ = 0;
  // Nothing of this operation is on the line yet.
  lineClearAt_ = clock_.NowMs() - kTurnaroundMs;
  cancelRequested_ = false;
  operation_ = operation;
  state_ = kBegin;
  result_ = std::make_unique<dst_CDrv_Result>();
  result_->operation = operation;
  result_->code = dst_CDrv_Result::kOpenFailed;
  result_->modelCode = modelCode_;
  result_->subCode = subCode_;
  result_->image.SetSize(imageSize_);
  result_->image.Fill(0);
  timeout_.Start(static_cast<uint32_t>(defaultLimitMs_));
  task_.SetCallback<&cmcCloneDrv::OnTick>(this);
  task_.SetPeriod(periodMs);
  return true;
}

void cmcCloneDrv::Cancel() {
  if (!IsBusy()) return;
  if (inTick_) {
    cancelRequested_ = true;
    return;
  }
  result_->code = dst_CDrv_Result::kCancelled;
  state_ = kFinish;
  if (!FinishAndSurvive()) return;
  if (state_ == kIdle) task_.SetPeriod(-1);
}

void cmcCloneDrv::OnTick() {
  inTick_ = true;
  if (state_ != kIdle) {
    const int before = state_;
    Step();
    // The radio's ready byte starts the next block in the same tick, not one tick
    // later, so the line does not idle between blocks.
    if ((before == kBlockReady || before == kWriteReady) && state_ == kSendData) Step();
  }
  if (state_ != kIdle && port_.WriteFailed()) {
    result_->code = dst_CDrv_Result::kPortWriteFailed;
    state_ = kFinish;
  }
  if (cancelRequested_ && state_ != kIdle) {
    result_->code = dst_CDrv_Result::kCancelled;
    state_ = kFinish;
  }
  cancelRequested_ = false;
  inTick_ = false;
  if (state_ == kFinish && !FinishAndSurvive()) return;
  if (state_ == kIdle) task_.SetPeriod(-1);
}

bool cmcCloneDrv::FinishAndSurvive() {
  bool destroyed = false;
  bool* outer = destroyed_;
  destroyed_ = &destroyed;
  Finish();
  if (destroyed) {
    // A callback further out may be watching too: tell it, and touch nothing more.
    if (outer) *outer = true;
    return false;
  }
  destroyed_ = outer;
  return true;
}

void cmcCloneDrv::Finish() {
  port_.Close();
  state_ = kIdle;
  std::unique_ptr<dst_CDrv_Result> record = std::move(result_);
  const Callback callback = callback_;
  void* const context = context_;
  callback_ = nullptr;
  context_ = nullptr;
  if (callback) {
    bool destroyed = false;
    bool* outer = destroyed_;
    destroyed_ = &destroyed;
    callback(context, *record);
    if (destroyed) {
      if (outer) *outer = true;
      return;
    }
    destroyed_ = outer;
  }
  record.reset();
  receive_.Clear();
  frame_.Clear();
  echo_.Clear();
}

void cmcCloneDrv::Step() {
  int next = state_ + 1;
  bool progress = true;
  const bool timedOut = timeout_.Remaining() == 0;

  if (portNumber_ != lastStepPort_) {
    lastStepPort_ = portNumber_;
    echoPresent_ = false;
  }

  // Echo cancellation. The drain state neither reads nor waits for echo: it only lets
  // queued output leave, and nothing would consume echo there.
  bool waitingForEcho = false;
  bool echoFailed = false;
  echoMatched_ = false;
  if (echoPresent_ && state_ != kDrain) {
    if (echo_.GetLength() > 0) {
      ReadInput();
      progress = false;
    }
    while (echo_.GetLength() > 0 && receive_.GetLength() > 0) {
      if (*echo_.Data() != *receive_.Data()) {
        Fail(next, dst_CDrv_Result::kEchoFailed);
        echoFailed = true;
        break;
      }
      echo_.PopFront();
      receive_.PopFront();
      progress = true;
      echoMatched_ = true;
    }
    if (echo_.GetLength() == 0) echo_.Clear();
    waitingForEcho = state_ == kSendData ? echo_.GetLength() > kEchoLimitWhileSending : echo_.GetLength() > 0;
  } else if (!echoPresent_) {
    echo_.Clear();
  }

  if (!echoFailed) {
    if (waitingForEcho)
      next = state_;
    else
      next = RunState(state_, progress);
  }
  // A model state that answers 0 or an unknown state must still end through the drain,
  // so the callback runs.
  if (next <= 1 || next > kFinish) next = kDrain;
  if (next != state_) progress = true;

  if (progress) {
    timeout_.Start(static_cast<uint32_t>(TimeLimitOf(next)));
  } else if (timedOut) {
    if (state_ == kDrain) {
      // Output that never leaves must not hold the driver forever.
      if (result_->code == dst_CDrv_Result::kSuccess) result_->code = dst_CDrv_Result::kTimeOut;
      next = kFinish;
    } else {
      const bool echoMissing = echoPresent_ && echo_.GetLength() > 0;
      Fail(next, echoMissing ? dst_CDrv_Result::kEchoFailed : dst_CDrv_Result::kTimeOut);
      // The drain gets a time limit of its own.
      timeout_.Start(static_cast<uint32_t>(TimeLimitOf(next)));
    }
  }

  if (receive_.GetLength() > kCompactAbove) receive_.Compact();
  if (echo_.GetLength() > kCompactAbove) echo_.Compact();
  state_ = next;
}

int cmcCloneDrv::RunState(int state, bool& progress) {
  switch (state) {
    case kBegin:
      return kScript;
    case kScript:
      return StepScript(progress);
    case kOpen:
      return OpenForOperation();
    case kInfoRequest:
      SendCommand(F::kInfoRequest);
      return kInfoAnswer;
    case kInfoAnswer:
      return StepInfoAnswer(progress);
    case kReadRequest:
      SendCommand(F::kReadRequest);
      frame_.Clear();
      return kReceiveData;
    case kReceiveData:
      return StepReceiveData(progress);
    case kWriteRequest:
      SendCommand(F::kWriteRequest);
      frame_.Clear();
      return waitWriteReady_ ? kWriteReady : kSendData;
    case kWriteReady:
    case kBlockReady:
      return StepWaitReady(kSendData, progress);
    case kSendData:
      return StepSendData(progress);
    case kSendEnd:
      SendEnd();
      return kEndAnswer;
    case kEndAnswer:
      return StepEndAnswer(progress);
    case kDrain:
      if (port_.PendingOutput() > 0) {
        progress = false;
        return kDrain;
      }
      return kFinish;
    default:
      if (state >= kFirstModelState && state <= kLastModelState) return StepModelState(state, progress);
      return kDrain;
  }
}

int cmcCloneDrv::StepModelState(int, bool&) { return kIdle; }

int cmcCloneDrv::FirstModelState(int) { return kInfoRequest; }

int cmcCloneDrv::TimeLimitOf(int state) const {
  switch (state) {
    case kScript:
      return script_.empty() ? defaultLimitMs_ : scriptLimitMs_;
    case kInfoAnswer:
      return infoLimitMs_;
    case kWriteReady:
      return writeReadyLimitMs_;
    case kEndAnswer:
      return endAnswerLimitMs_;
    default:
      return defaultLimitMs_;
  }
}

void cmcCloneDrv::Fail(int& next, uint8_t code) {
  result_->code = code;
  next = kDrain;
}

void cmcCloneDrv::Send(const uint8_t* bytes, int count) {
  // A closed port sends nothing, so nothing may be awaited as echo either.
  if (count <= 0 || !port_.IsOpen()) return;
  port_.Write(bytes, count);
  if (echoPresent_) echo_.AppendData(bytes, count);
  // When the last of these bytes will have left the line at its speed.
  const uint32_t now = clock_.NowMs();
  const int baud = std::max(port_.Settings().baud, 1);
  const uint32_t lineMs = static_cast<uint32_t>((static_cast<int64_t>(count) * kBitsPerByte * 1000 + baud - 1) / baud);
  lineClearAt_ = (static_cast<int32_t>(lineClearAt_ - now) > 0 ? lineClearAt_ : now) + lineMs;
}

int cmcCloneDrv::ReadInput() {
  const int n = port_.Read(scratch_, kReadChunk);
  if (n <= 0) return 0;
  receive_.AppendData(scratch_, n);
  bytesMoved_ += n;
  return n;
}

cmcBuff cmcCloneDrv::ReadFrame() {
  cmcBuff result;
  ReadInput();
  while (receive_.GetLength() > 0) {
    const uint8_t b = static_cast<uint8_t>(receive_.PopFront());
    if (b == F::kStart) {
      frame_.Clear();
      frame_.AppendByte(b);
    } else if (frame_.GetLength() == 0) {
      // Bytes outside a frame are dropped.
    } else if (b == F::kEnd) {
      result.Assign(frame_);
      frame_.Clear();
    } else if (frame_.GetLength() > kReaderLimit) {
      frame_.Clear();
      result.SetData(nullptr, 0);
      result.AppendByte(0);
      break;
    } else {
      frame_.AppendByte(b);
    }
  }
  return result;
}

bool cmcCloneDrv::OpenPort(const std::string& settings) {
  port_.Close();
  if (!port_.Open(portNumber_, settings)) return false;
  DropInput();
  return true;
}

void cmcCloneDrv::DropInput() {
  for (int i = 0; i < kMaxDrainBytes; ++i)
    if (port_.Read(scratch_, 1) <= 0) break;
}

bool cmcCloneDrv::OutputLeft(bool& progress) {
  const int pending = port_.PendingOutput();
  if (pending > 0) {
    // Waiting counts as progress only while the output moves.
    progress = pending < lastPending_;
    lastPending_ = pending;
    return false;
  }
  // A port's queue empties before the bytes are through the line: the device's own
  // buffers and the far end still hold them for their line time and a turnaround.
  return static_cast<int32_t>(clock_.NowMs() - (lineClearAt_ + kTurnaroundMs)) >= 0;
}

void cmcCloneDrv::DetectEcho() {
  echoPresent_ = false;
  static const uint8_t kProbe[kEchoProbeBytes] = {F::kStart, F::kStart, F::kStart, F::kStart};
  for (int attempt = 0; attempt < 2; ++attempt) {
    waiter_.Wait(kSettleMs);
    uint32_t begin = clock_.NowMs();
    for (int i = 0; i < kMaxDrainBytes && clock_.NowMs() - begin < kSettleMs; ++i)
      if (port_.Read(scratch_, kReadChunk) <= 0) break;

    port_.Write(kProbe, kEchoProbeBytes);
    int seen = 0;
    begin = clock_.NowMs();
    for (;;) {
      const int n = port_.Read(scratch_, kReadChunk);
      seen += static_cast<int>(std::count(scratch_, scratch_ + std::max(n, 0), F::kStart));
      if (seen >= kEchoProbeBytes || clock_.NowMs() - begin >= kSettleMs) break;
      waiter_.Wait(1);
    }
    if (seen >= kEchoProbeBytes) {
      echoPresent_ = true;
      return;
    }
    if (seen == 0) return;
  }
  // Some but not all probe bytes came back both times: a cable that echoes unreliably
  // is treated as echoing, so the mismatch is reported instead of misread as data.
  echoPresent_ = true;
}

int cmcCloneDrv::OpenForOperation() {
  port_.Close();
  if (!port_.Open(portNumber_, settings_)) {
    result_->code = dst_CDrv_Result::kOpenFailed;
    return kDrain;
  }
  // The echo probe lets the line settle first; without one the exchange waits here.
  if (!echoDetection_) waiter_.Wait(kSettleMs);
  DropInput();
  if (echoDetection_) DetectEcho();
  switch (operation_) {
    case dst_CDrv_Result::kInformation:
      return kInfoRequest;
    case dst_CDrv_Result::kRead:
      return kReadRequest;
    case dst_CDrv_Result::kWrite:
      return kWriteRequest;
    default:
      return FirstModelState(operation_);
  }
}

int cmcCloneDrv::StepScript(bool& progress) {
  const bool hadElement = !script_.empty();
  if (hadElement) {
    if (script_[0] == '(') {
      // A settings element reopens the port with these settings, once the element before
      // has left the line: the reopen purges it, and the speed may change.
      if (!OutputLeft(progress)) return kScript;
      const size_t close = script_.find(')');
      const std::string settings = script_.substr(1, close == std::string::npos ? std::string::npos : close - 1);
      script_.erase(0, close == std::string::npos ? std::string::npos : close + 1);
      if (!OpenPort(settings)) {
        script_.clear();
        result_->code = dst_CDrv_Result::kOpenFailed;
        return kDrain;
      }
    } else {
      const size_t open = script_.find('(');
      const std::vector<uint8_t> bytes = cmcHexToBytes(std::string_view(script_).substr(0, open));
      script_.erase(0, open);
      Send(bytes.data(), static_cast<int>(bytes.size()));
      lastPending_ = port_.PendingOutput();
    }
  }
  if (!script_.empty()) return kScript;
  if (!OutputLeft(progress)) {
    progress = progress || hadElement;
    return kScript;
  }
  return kOpen;
}

void cmcCloneDrv::SendCommand(uint8_t command) {
  cmcBuff out;
  out.AppendFill(F::kStart, commandPreamble_);
  const uint8_t frame[] = {F::kStart,
                           F::kStart,
                           F::kRadio,
                           F::kController,
                           command,
                           static_cast<uint8_t>(modelCode_ >> 8),
                           static_cast<uint8_t>(modelCode_),
                           static_cast<uint8_t>(subCode_ >> 8),
                           static_cast<uint8_t>(subCode_),
                           F::kEnd};
  out.AppendData(frame, sizeof frame);
  Send(out);
}

int cmcCloneDrv::StepInfoAnswer(bool& progress) {
  const cmcBuff frame = ReadFrame();
  if (frame.GetLength() == 0) {
    progress = false;
    return kInfoAnswer;
  }
  const uint8_t* d = frame.Data();
  if (frame.GetLength() >= 8 && StartsWith(frame, {F::kStart, F::kController, F::kRadio, F::kInfoAnswer}) &&
      F::IsPackedBcd(d + 4, 4)) {
    result_->modelCode = d[4] << 8 | d[5];
    result_->subCode = d[6] << 8 | d[7];
    result_->information.SetData(d + 8, frame.GetLength() - 8);
    result_->code = dst_CDrv_Result::kSuccess;
  } else {
    result_->code = dst_CDrv_Result::kBadFrame;
  }
  return kDrain;
}

int cmcCloneDrv::StepReceiveData(bool& progress) {
  // While data streams in, only a complete data frame is progress.
  progress = false;
  ReadInput();
  while (receive_.GetLength() > 0) {
    const uint8_t b = static_cast<uint8_t>(receive_.PopFront());
    if (b == F::kStart) {
      frame_.Clear();
      frame_.AppendByte(b);
    } else if (frame_.GetLength() == 0) {
      // Bytes outside a frame are dropped.
    } else if (b == F::kEnd) {
      const int check = CheckReceivedFrame(frame_);
      frame_.Clear();
      if (check == 1) {
        ++frameCount_;
        progress = true;
        continue;
      }
      result_->code = static_cast<uint8_t>(check != 0 ? check : ranges_ ? CheckCoverage() : 0);
      return kDrain;
    } else if (frame_.GetLength() > kDataLimit) {
      result_->code = dst_CDrv_Result::kBadFrame;
      return kDrain;
    } else {
      frame_.AppendByte(b);
    }
  }
  return kReceiveData;
}

int cmcCloneDrv::CheckReceivedFrame(const cmcBuff& frame) {
  const int length = frame.GetLength();
  if (length < kMinDataFrame || length > kMaxDataFrame || !StartsWith(frame, {F::kStart, F::kController, F::kRadio}))
    return dst_CDrv_Result::kBadFrame;
  const uint8_t* d = frame.Data();
  const uint8_t command = d[3];
  if (command == F::kData) {
    cmcBuff bytes;
    if (!F::DecodeHexText(d + 4, length - 4, bytes)) return dst_CDrv_Result::kBadFrame;
    const uint8_t* b = bytes.Data();
    const int n = b[2];
    if (bytes.GetLength() != n + 4) return dst_CDrv_Result::kBadFrame;
    if (F::Checksum(b, n + 4) != 0) return dst_CDrv_Result::kBadFrame;
    const int address = b[0] << 8 | b[1];
    cmcEeprom& image = result_->image;
    if (address + n > imageSize_ || (n > 0 && !image.IsValidAddress(address + n - 1))) return dst_CDrv_Result::kOutside;
    image.WriteBlock(address, b + 3, n);
    cmcBuff& loaded = result_->loaded;
    const int needed = (address + n + 7) / 8;
    if (loaded.GetLength() < needed) loaded.AppendFill(0, needed - loaded.GetLength());
    for (int a = address; a < address + n; ++a) loaded.Data()[a >> 3] |= static_cast<uint8_t>(1 << (a & 7));
    dataBytes_ += n;
    return 1;
  }
  if (command == F::kEndOfData) {
    cmcBuff expected;
    expected.AppendData(reinterpret_cast<const uint8_t*>(F::kMakerText.data()), static_cast<int>(F::kMakerText.size()));
    if (endCounter_) F::AppendHexByte(expected, static_cast<uint8_t>(frameCount_));
    const int maker = static_cast<int>(F::kMakerText.size());
    if (length != 4 + expected.GetLength() || !std::equal(d + 4, d + 4 + maker, expected.Data()))
      return dst_CDrv_Result::kBadFrame;
    if (!std::equal(d + 4 + maker, d + length, expected.Data() + maker)) return dst_CDrv_Result::kBadCounter;
    return 0;
  }
  return dst_CDrv_Result::kBadFrame;
}

int cmcCloneDrv::CheckCoverage() const {
  const int size = std::max(imageSize_, 0);
  std::vector<bool> required(static_cast<size_t>(size), false);
  bool missing = false;
  for (int i = 0; i < ranges_->Count(); ++i) {
    const cmcAddressRange& r = (*ranges_)[i];
    // Addresses the image cannot hold can never arrive.
    if (r.start < 0 || r.end >= size) missing = true;
    for (int a = std::max(r.start, 0); a <= std::min(r.end, size - 1); ++a) required[static_cast<size_t>(a)] = true;
  }
  bool extra = false;
  for (int a = 0; a < size; ++a) {
    const bool loaded = result_->IsLoaded(a);
    if (loaded && !required[static_cast<size_t>(a)]) extra = true;
    if (!loaded && required[static_cast<size_t>(a)]) missing = true;
  }
  if (extra) return dst_CDrv_Result::kOutside;
  return missing ? dst_CDrv_Result::kMissing : dst_CDrv_Result::kSuccess;
}

int cmcCloneDrv::StepWaitReady(int onReady, bool& progress) {
  ReadInput();
  const int b = receive_.PopFront();
  if (b == F::kReady) return onReady;
  if (b == F::kRefused) {
    result_->code = dst_CDrv_Result::kBadFrame;
    return kDrain;
  }
  progress = false;
  return state_;
}

void cmcCloneDrv::BuildDataFrame() {
  const cmcAddressRange& range = (*ranges_)[rangeIndex_];
  const int n = std::min(bytesPerFrame_ - address_ % bytesPerFrame_, range.end - address_ + 1);
  frame_.AppendFill(F::kStart, frameCount_ == 0 ? firstDataPreamble_ : laterDataPreamble_);
  const uint8_t head[] = {F::kStart, F::kStart, F::kRadio, F::kController, F::kData};
  frame_.AppendData(head, sizeof head);
  uint8_t data[256];
  for (int i = 0; i < n; ++i) data[i] = result_->image.GetByte(address_ + i);
  F::AppendDataText(frame_, address_, data, n);
  frame_.AppendByte(F::kEnd);
  ++frameCount_;
  address_ += n;
  dataBytes_ += n;
}

int cmcCloneDrv::StepSendData(bool& progress) {
  const int count = ranges_->Count();
  const int pendingBefore = port_.PendingOutput();
  int next = kSendData;
  bool moved = false;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    bool stop = false;
    if (rangeIndex_ >= count) {
      if (port_.PendingOutput() == 0 && frame_.GetLength() == 0) next = kSendEnd;
      stop = true;
    } else if (address_ > (*ranges_)[rangeIndex_].end) {
      ++rangeIndex_;
      if (rangeIndex_ < count) address_ = (*ranges_)[rangeIndex_].start;
      moved = true;
    } else {
      BuildDataFrame();
    }

    const bool boundary = pacingPeriod_ != 0 && rangeIndex_ < count && address_ != (*ranges_)[rangeIndex_].start &&
                          address_ % pacingPeriod_ == pacingOffset_;
    // Flow control: hold frames while the port is well filled, but never the frame
    // that reaches a pacing boundary: the radio answers FB only once it has that block.
    const int d = frame_.GetLength();
    if (next != kSendData || d == 0 || (port_.PendingOutput() > 4 * d && !boundary)) {
      stop = true;
    } else {
      Send(frame_);
      frame_.Clear();
      bytesMoved_ += d;
      moved = true;
    }

    if (boundary) {
      next = kBlockReady;
      stop = true;
    }
    if (stop) break;
  }
  // The step counts as progress only when something moved: echo confirmed, a frame
  // sent, a range finished, or the port's pending output shrinking.
  const int pendingAfter = port_.PendingOutput();
  progress = echoMatched_ || moved || pendingAfter < pendingBefore || pendingAfter < lastPending_;
  lastPending_ = pendingAfter;
  return next;
}

void cmcCloneDrv::SendEnd() {
  cmcBuff out;
  const uint8_t head[] = {F::kStart, F::kStart, F::kRadio, F::kController, F::kEndOfData};
  out.AppendData(head, sizeof head);
  out.AppendData(reinterpret_cast<const uint8_t*>(F::kMakerText.data()), static_cast<int>(F::kMakerText.size()));
  if (endCounter_) F::AppendHexByte(out, static_cast<uint8_t>(frameCount_));
  out.AppendByte(F::kEnd);
  Send(out);
}

int cmcCloneDrv::StepEndAnswer(bool& progress) {
  const cmcBuff frame = ReadFrame();
  if (frame.GetLength() == 0) {
    progress = false;
    return kEndAnswer;
  }
  const bool ok =
      frame.GetLength() == 5 && StartsWith(frame, {F::kStart, F::kController, F::kRadio, F::kEndAnswer, 0x00});
  result_->code = ok ? dst_CDrv_Result::kSuccess : dst_CDrv_Result::kBadEndAnswer;
  return kDrain;
}
