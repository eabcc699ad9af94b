#include "clone/cmcComm.h"

#include <algorithm>

#include "clone/cmcSerialBackend.h"
#include "clone/cmcSerialFactory.h"

cmcComm::cmcComm(cmcTimerHost& timers, cmcSerialFactory& factory) : factory_(factory), pump_(timers) {
  pump_.SetCallback<&cmcComm::Pump>(this);
}

cmcComm::~cmcComm() { Close(); }

bool cmcComm::IsOpen() const { return backend_ && backend_->IsOpen(); }

bool cmcComm::Fail(cmcPortError::Kind kind, int sysError) {
  lastError_ = cmcPortError(kind, port_, path_, sysError);
  return false;
}

bool cmcComm::Open(int port, const std::string& settings) {
  if (IsOpen()) return false;
  port_ = port;
  writeFailed_ = false;
  path_ = factory_.PathOf(port);
  const auto parsed = cmcLineSettings::Parse(settings);
  if (!parsed) return Fail(cmcPortError::Kind::BadSettings);
  settings_ = *parsed;
  if (path_.empty()) return Fail(cmcPortError::Kind::NoDevice);

  backend_ = factory_.Create(path_);
  if (!backend_) return Fail(cmcPortError::Kind::NotFound);
  if (const int error = backend_->Open(path_)) {
    backend_.reset();
    return Fail(cmcPortError::Classify(error), error);
  }
  if (!backend_->Purge()) {
    Close();
    return Fail(cmcPortError::Kind::Failed);
  }
  if (!ApplySettings()) {
    Close();
    return Fail(cmcPortError::Kind::BadSettings);
  }
  lastError_ = cmcPortError();
  return true;
}

void cmcComm::Close() {
  pump_.SetPeriod(-1);
  if (backend_) backend_->Close();
  backend_.reset();
  transmit_.Clear();
  writeFailed_ = false;
}

bool cmcComm::ApplySettings() {
  if (!IsOpen()) return false;
  // DTR stays off; handshake and toggle modes keep RTS asserted, as the line then
  // carries no hardware flow control and the radio only needs RTS up.
  return backend_->Configure(settings_) && backend_->SetModemLines(rtsMode_ != kRtsDisable, false);
}

bool cmcComm::SetRts(int mode) {
  rtsMode_ = mode & 3;
  return ApplySettings();
}

void cmcComm::Write(const uint8_t* bytes, int count) {
  if (!IsOpen()) return;
  pump_.SetPeriod(-1);
  if (count > 0) transmit_.AppendData(bytes, count);
  pump_.SetPeriod(0);
  Pump();
}

int cmcComm::Read(uint8_t* destination, unsigned max) {
  if (!IsOpen()) return 0;
  const int waiting = InputWaiting();
  const int wanted = static_cast<int>(std::min<unsigned>(static_cast<unsigned>(waiting), max));
  if (wanted <= 0) return 0;
  return std::max(backend_->Read(destination, wanted), 0);
}

int cmcComm::InputWaiting() { return IsOpen() ? std::max(backend_->InputWaiting(), 0) : 0; }

int cmcComm::OutputWaiting() { return IsOpen() ? std::max(backend_->OutputWaiting(), 0) : 0; }

int cmcComm::PendingOutput() { return OutputWaiting() + transmit_.GetLength(); }

void cmcComm::Pump() {
  if (!IsOpen()) {
    pump_.SetPeriod(kIdlePeriodMs);
    return;
  }
  const int chunk = std::min(transmit_.GetLength(), kOutputQueueSize);
  if (OutputWaiting() > 0) {
    pump_.SetPeriod(kPumpPeriodMs);
    return;
  }
  if (chunk == 0) {
    pump_.SetPeriod(kIdlePeriodMs);
    return;
  }
  const int taken = std::max(backend_->Write(transmit_.Data(), chunk), 0);
  // Bytes the driver did take are on their way; keeping them would send them twice.
  for (int i = 0; i < taken; ++i) transmit_.PopFront();
  if (taken < chunk) {
    writeFailed_ = true;
    pump_.SetPeriod(kIdlePeriodMs);
  } else {
    pump_.SetPeriod(transmit_.GetLength() > 0 ? kPumpPeriodMs : kIdlePeriodMs);
  }
}
