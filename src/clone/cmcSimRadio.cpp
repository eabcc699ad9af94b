#include "clone/cmcSimRadio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "clone/cmcCloneFrame.h"
#include "clone/cmcSerialFactory.h"
#include "clone/cmcSerialRef.h"

namespace {
using F = cmcCloneFrame;

// A frame the radio keeps collecting before it gives up on it.
constexpr int kMaxFrame = 600;
constexpr int kTimerPeriodMs = 1;

void AppendHex(cmcBuff& out, uint8_t value, bool lowercase) {
  const char* digits = lowercase ? "0123456789abcdef" : "0123456789ABCDEF";
  out.AppendByte(static_cast<uint8_t>(digits[value >> 4]));
  out.AppendByte(static_cast<uint8_t>(digits[value & 15]));
}

int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Text(const uint8_t* bytes, int count) {
  return count > 0 ? std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count)) : std::string();
}
}  // namespace

cmcSimRadio::cmcSimRadio(cmcTimerHost& timers) : timer_(timers) {
  image_.SetSize(cmcEeprom::kImageSize);
  timer_.SetCallback<&cmcSimRadio::OnTimer>(this);
}

void cmcSimRadio::SetWritePacing(int period, int offset) {
  writePacingPeriod_ = period;
  writePacingOffset_ = offset;
}

void cmcSimRadio::SetServiceHandler(uint8_t code, ServiceHandler handler) {
  if (handler)
    handlers_[code] = std::move(handler);
  else
    handlers_.erase(code);
}

void cmcSimRadio::Serve(cmcSerialFactory& factory) {
  factory.Register(cmcSerialFactory::kSimulatedRadioPath,
                   [this](const std::string&) { return std::make_unique<cmcSerialRef>(*this); });
}

int cmcSimRadio::Open(const std::string&) {
  if (open_) return EBUSY;
  open_ = true;
  ++openCount_;
  Purge();
  return 0;
}

void cmcSimRadio::Close() {
  Purge();
  open_ = false;
}

bool cmcSimRadio::Configure(const cmcLineSettings& settings) {
  lineBaud_ = settings.baud;
  return open_;
}

bool cmcSimRadio::SetModemLines(bool rts, bool) {
  rts_ = rts;
  return open_;
}

bool cmcSimRadio::Purge() {
  uplink_.Clear();
  downlink_.Clear();
  available_.Clear();
  return open_;
}

int cmcSimRadio::Write(const uint8_t* bytes, int count) {
  if (!open_) return -1;
  if (uplinkRate_ <= 0) {
    for (int i = 0; i < count; ++i) TakeIn(bytes[i]);
  } else {
    uplink_.AppendData(bytes, count);
    ScheduleTimer();
  }
  return count;
}

int cmcSimRadio::Read(uint8_t* destination, int max) {
  if (!open_) return -1;
  const int n = std::min(max, available_.GetLength());
  for (int i = 0; i < n; ++i) destination[i] = static_cast<uint8_t>(available_.PopFront());
  return std::max(n, 0);
}

void cmcSimRadio::ScheduleTimer() {
  if (timer_.IsStopped()) timer_.SetPeriod(kTimerPeriodMs);
}

void cmcSimRadio::OnTimer() {
  for (int i = 0; i < uplinkRate_ && uplink_.GetLength() > 0; ++i) TakeIn(static_cast<uint8_t>(uplink_.PopFront()));
  for (int i = 0; i < rate_ && downlink_.GetLength() > 0; ++i)
    available_.AppendByte(static_cast<uint8_t>(downlink_.PopFront()));
  if (uplink_.GetLength() == 0 && downlink_.GetLength() == 0) timer_.SetPeriod(-1);
}

void cmcSimRadio::Deliver(uint8_t b) {
  if (!open_) return;
  if (rate_ <= 0) {
    available_.AppendByte(b);
  } else {
    downlink_.AppendByte(b);
    ScheduleTimer();
  }
}

void cmcSimRadio::EmitByte(uint8_t b) {
  const int index = ownBytes_++;
  if (index == faults_.dropByte) return;
  if (index == faults_.corruptByte) b ^= faults_.corruptMask;
  Deliver(b);
}

void cmcSimRadio::Emit(const uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) EmitByte(bytes[i]);
}

void cmcSimRadio::EmitFrame(const cmcBuff& body) {
  const uint8_t start[] = {F::kStart, F::kStart};
  Emit(start, 2);
  Emit(body.Data(), body.GetLength());
  EmitByte(F::kEnd);
}

void cmcSimRadio::TakeIn(uint8_t b) {
  // The cable's echo comes back whatever the radio makes of the byte.
  if (echo_ == Echo::All || (echo_ == Echo::EveryOther && echoCount_++ % 2 == 0)) Deliver(b);
  // At another line speed than its own the radio hears only noise.
  if (radioBaud_ != 0 && lineBaud_ != radioBaud_) return;
  received_.AppendByte(b);
  if (b == F::kStart) {
    frame_.Clear();
    frame_.AppendByte(b);
  } else if (frame_.GetLength() == 0) {
    // Outside a frame.
  } else if (b == F::kEnd) {
    HandleFrame();
    frame_.Clear();
  } else if (frame_.GetLength() >= kMaxFrame) {
    frame_.Clear();
  } else {
    frame_.AppendByte(b);
  }
}

void cmcSimRadio::HandleFrame() {
  const uint8_t* d = frame_.Data();
  if (frame_.GetLength() < 4 || d[1] != F::kRadio || d[2] != F::kController) return;
  if (faults_.noAnswer || silent_) return;
  switch (d[3]) {
    case F::kInfoRequest:
      HandleInfo();
      break;
    case F::kReadRequest:
      HandleRead();
      break;
    case F::kWriteRequest:
      HandleWrite();
      break;
    case F::kData:
      HandleData();
      break;
    case F::kEndOfData:
      HandleEnd();
      break;
    case F::kService:
      HandleService();
      break;
    default:
      break;
  }
}

std::vector<uint8_t> cmcSimRadio::InformationRecord() const {
  std::vector<uint8_t> info(kInfoSize, 0);
  // Texts are blank-padded to their field; longer ones are cut.
  const auto putText = [&info](int at, size_t length, const std::string& text) {
    for (size_t i = 0; i < length; ++i)
      info[static_cast<size_t>(at) + i] = static_cast<uint8_t>(i < text.size() ? text[i] : ' ');
  };
  info[0] = kInfoSize;
  putText(kInfoComment1, 16, identity_.comment1);
  putText(kInfoComment2, 16, identity_.comment2);
  info[kInfoFirmware] = identity_.firmwareRevision;
  info[kInfoDataRevision] = identity_.dataRevision;
  putText(kInfoSerial, 12, identity_.serial);
  info[kInfoChecksum] = static_cast<uint8_t>(identity_.checksum >> 8);
  info[kInfoChecksum + 1] = static_cast<uint8_t>(identity_.checksum);
  info[kInfoFlags] = identity_.flags;
  putText(kInfoModel, 8, identity_.model);
  char highest[8];
  std::snprintf(highest, sizeof highest, "%04X", static_cast<unsigned>(identity_.highestAddress & 0xFFFF));
  std::copy(highest, highest + 4, info.begin() + kInfoHighest);
  return info;
}

void cmcSimRadio::HandleInfo() {
  const int model = faults_.answerModelCode >= 0 ? faults_.answerModelCode : identity_.modelCode;
  cmcBuff body;
  const uint8_t head[] = {F::kController,
                          F::kRadio,
                          F::kInfoAnswer,
                          static_cast<uint8_t>(model >> 8),
                          static_cast<uint8_t>(model),
                          static_cast<uint8_t>(identity_.subCode >> 8),
                          static_cast<uint8_t>(identity_.subCode)};
  body.AppendData(head, sizeof head);
  const std::vector<uint8_t> info = InformationRecord();
  body.AppendData(info.data(), static_cast<int>(info.size()));
  EmitFrame(body);
  ++infoAnswers_;
}

bool cmcSimRadio::Locked() const {
  return (identity_.flags & kFlagPassword) != 0 && (identity_.flags & kFlagNotEnforced) == 0 && !unlocked_;
}

void cmcSimRadio::HandleRead() {
  // A locked radio ignores the read.
  if (Locked()) return;
  ++dataPhases_;
  const int frameSize = std::clamp(readFrameSize_, 1, 255);
  int frames = 0;
  for (int r = 0; r < readRanges_.Count(); ++r) {
    const cmcAddressRange range = readRanges_[r];
    for (int address = range.start; address <= range.end;) {
      if (frames == faults_.stopAfterFrames) {
        silent_ = true;
        return;
      }
      const int n = std::min(frameSize - address % frameSize, range.end - address + 1);
      cmcBuff raw;
      raw.AppendByte(static_cast<uint8_t>(address >> 8));
      raw.AppendByte(static_cast<uint8_t>(address));
      raw.AppendByte(static_cast<uint8_t>(n));
      // Addresses the image lacks read as erased memory.
      for (int i = 0; i < n; ++i)
        raw.AppendByte(image_.IsValidAddress(address + i) ? image_.GetByte(address + i) : 0xFF);
      uint8_t checksum = F::Checksum(raw.Data(), raw.GetLength());
      if (frames == faults_.badChecksumFrame) ++checksum;
      raw.AppendByte(checksum);
      cmcBuff body;
      const uint8_t head[] = {F::kController, F::kRadio, F::kData};
      body.AppendData(head, sizeof head);
      for (int i = 0; i < raw.GetLength(); ++i) AppendHex(body, raw.Data()[i], faults_.lowercaseHex);
      EmitFrame(body);
      ++frames;
      address += n;
    }
  }
  cmcBuff end;
  const uint8_t head[] = {F::kController, F::kRadio, F::kEndOfData};
  end.AppendData(head, sizeof head);
  end.AppendData(reinterpret_cast<const uint8_t*>(F::kMakerText.data()), static_cast<int>(F::kMakerText.size()));
  if (faults_.endCounter == EndCounter::Correct) AppendHex(end, static_cast<uint8_t>(frames), false);
  if (faults_.endCounter == EndCounter::Wrong) AppendHex(end, static_cast<uint8_t>(frames + 1), false);
  EmitFrame(end);
  unlocked_ = false;
  ++readsServed_;
}

void cmcSimRadio::HandleWrite() {
  if (Locked() || faults_.refuseWrite) {
    EmitByte(F::kRefused);
    return;
  }
  session_ = Session::Write;
  ++dataPhases_;
  writeFrames_ = 0;
  badWriteFrames_ = 0;
  writeEndCounter_.clear();
  EmitByte(F::kReady);
}

void cmcSimRadio::HandleData() {
  if (session_ != Session::Write) return;
  const uint8_t* text = frame_.Data() + 4;
  const int length = frame_.GetLength() - 4;
  cmcBuff raw;
  bool ok = length % 2 == 0 && length >= 8;
  for (int i = 0; ok && i < length; i += 2) {
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    ok = high >= 0 && low >= 0;
    raw.AppendByte(static_cast<uint8_t>(high << 4 | low));
  }
  ok = ok && raw.GetLength() == raw.Data()[2] + 4 && F::Checksum(raw.Data(), raw.GetLength()) == 0;
  if (!ok) {
    ++badWriteFrames_;
    return;
  }
  const int address = raw.Data()[0] << 8 | raw.Data()[1];
  const int n = raw.Data()[2];
  image_.WriteBlock(address, raw.Data() + 3, n);
  ++writeFrames_;
  if (writeFrames_ == faults_.stopAfterFrames) {
    silent_ = true;
    return;
  }
  if (writePacingPeriod_ > 0 && (address + n) % writePacingPeriod_ == writePacingOffset_) EmitByte(F::kReady);
}

void cmcSimRadio::HandleEnd() {
  if (session_ != Session::Write) return;
  const int maker = static_cast<int>(F::kMakerText.size());
  if (frame_.GetLength() >= 4 + maker)
    writeEndCounter_ = Text(frame_.Data() + 4 + maker, frame_.GetLength() - 4 - maker);
  session_ = Session::None;
  unlocked_ = false;
  ++writesServed_;
  cmcBuff body;
  if (faults_.endAnswer) {
    body.AppendData(faults_.endAnswer->data(), static_cast<int>(faults_.endAnswer->size()));
  } else {
    const uint8_t answer[] = {F::kController, F::kRadio, F::kEndAnswer, 0x00};
    body.AppendData(answer, sizeof answer);
  }
  EmitFrame(body);
}

int cmcSimRadio::ServiceCommand::Parameter() const {
  if (payload.size() != 2) return -1;
  const int high = HexValue(payload[0]);
  const int low = HexValue(payload[1]);
  return high < 0 || low < 0 ? -1 : high << 4 | low;
}

int cmcSimRadio::Setting(uint8_t code) const {
  const auto it = settings_.find(code);
  return it == settings_.end() ? -1 : it->second;
}

void cmcSimRadio::HandleService() {
  const uint8_t* d = frame_.Data();
  if (frame_.GetLength() < 9) return;
  ServiceCommand command;
  command.modelCode = d[4] << 8 | d[5];
  command.subCode = d[6] << 8 | d[7];
  command.code = d[8];
  command.payload.assign(d + 9, d + frame_.GetLength());
  serviceLog_.push_back(command);

  const auto handler = handlers_.find(command.code);
  const std::optional<uint8_t> answer =
      handler != handlers_.end() ? handler->second(*this, command) : RunBuiltInService(command);
  if (answer) EmitServiceAnswer(command.code, *answer);
}

void cmcSimRadio::EmitServiceAnswer(uint8_t code, uint8_t answer) {
  cmcBuff body;
  const uint8_t head[] = {F::kController,
                          F::kRadio,
                          F::kService,
                          static_cast<uint8_t>(identity_.modelCode >> 8),
                          static_cast<uint8_t>(identity_.modelCode),
                          static_cast<uint8_t>(identity_.subCode >> 8),
                          static_cast<uint8_t>(identity_.subCode),
                          code};
  body.AppendData(head, sizeof head);
  AppendHex(body, answer, faults_.lowercaseHex);
  EmitFrame(body);
}

std::optional<uint8_t> cmcSimRadio::RunBuiltInService(const ServiceCommand& command) {
  const std::string text = Text(command.payload.data(), static_cast<int>(command.payload.size()));
  const int parameter = command.Parameter();
  switch (command.code) {
    case kServiceSpeed:
      // "27" drops the radio to 9600 baud, "09" raises it to 38400.
      if (radioBaud_ != 0 && text == "27") radioBaud_ = 9600;
      if (radioBaud_ != 0 && text == "09") radioBaud_ = 38400;
      return std::nullopt;
    case kServicePassword: {
      // Length, checksum, then the characters.
      const auto& p = command.payload;
      if (p.size() < 2 || p[0] != p.size() - 2) return std::nullopt;
      const uint8_t* chars = p.data() + 2;
      const int count = p[0];
      if (F::Checksum(chars, count) == p[1] && Text(chars, count) == password_) unlocked_ = true;
      return std::nullopt;
    }
    case kServiceMode:
      mode_ = text;
      return std::nullopt;
    case kServiceReadAd:
      if (parameter < 0) return std::nullopt;
      return adReader_ ? adReader_(*this, parameter) : adReadings_[parameter];
    default:
      break;
  }
  if (parameter < 0) return std::nullopt;
  settings_[command.code] = parameter;
  if (command.code == kServiceWriteAddress) writeAddress_ = parameter;
  if (command.code == kServiceWriteValue && image_.IsValidAddress(writeAddress_))
    image_.SetByte(writeAddress_, static_cast<uint8_t>(parameter));
  return std::nullopt;
}
