#include "clone/indCloneMan.h"

#include <cstdio>
#include <vector>

#include "clone/cmcCloneFrame.h"
#include "clone/cmcSerialFactory.h"
#include "clone/indCloneProgress.h"
#include "clone/indCloneWindows.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcPrompts.h"

namespace {
constexpr const char* kLowSettings = "9600,N,8,1";
constexpr const char* kHighSettings = "38400,N,8,1";
constexpr int kLowCommandPreamble = 12;
constexpr int kHighCommandPreamble = 48;
constexpr int kPacingPeriod = 128;
constexpr int kDefaultTimeLimitMs = 1000;
constexpr int kWriteTimeLimitMs = 2000;
constexpr int kWriteReadyTimeLimitMs = 5000;

constexpr const char* kTitleKey = "GI_Sys_AppTitle";
constexpr const char* kHeadKey = "GI_Mess_CloneErr_Head";
constexpr const char* kCheckKey = "GI_Mess_CloneErr_Check";
// The command line's wording: the port by its number and device, and advice without the
// desktop program's port menu.
constexpr const char* kHeadCommandLineKey = "GI_Mess_CloneErr_Head_Cli";
constexpr const char* kCheckCommandLineKey = "GI_Mess_CloneErr_Check_Cli";
constexpr int kPortAdviceLine = 2;
constexpr const char* kPasswordHintKey = "GI_Mess_CloneErr_WrongPassword";
// On the command line a device the user may not open gets the udev rule's installation.
constexpr const char* kUdevHintKey = "GI_Mess_PortErr_UdevHint";
// The head key has a line for every code up to this one, then one for any other code.
constexpr int kLastKnownCode = 17;

// Service commands of the main script and the characters they carry.
constexpr uint8_t kSpeedCommand = 0x01;
constexpr uint8_t kPasswordCommand = 0x99;
constexpr uint8_t kModeCommand = 0x55;

std::string Format(const char* format, int a, int b, int c, int d) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

// A speed command at the given settings, behind 20 FE bytes: "27" at 38400 baud takes
// the radio down to 9600, "09" at 9600 baud takes it up to 38400.
std::string SpeedCommand(const char* settings, int modelCode, char first, char second) {
  std::string element = std::string("(") + settings + ")";
  for (int i = 0; i < 20; ++i) element += "FE";
  return element + Format(" EEEF E8 %04X%04X %02X ", modelCode & 0xFFFF, 0, kSpeedCommand, 0) +
         Format("%02X%02X FD", first, second, 0, 0);
}

std::string Replace(std::string text, const std::string& placeholder, const std::string& value) {
  const size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
  return text;
}
}  // namespace

indCloneMan::indCloneMan(const Services& s)
    : overlay_(s.overlay),
      devices_(s.devices),
      comPort_(s.comPort),
      comSpeedHigh_(s.comSpeedHigh),
      clonePassword_(s.clonePassword),
      prompts_(s.prompts),
      adjust_(s.adjust),
      progressTask_(s.timers),
      cloneDrv_(s.clock, s.timers, s.devices, s.waiter),
      adjustDrv_(s.clock, s.timers, s.devices, s.waiter, s.overlay, s.events, s.adjust, s.working) {
  progressTask_.SetCallback<&indCloneMan::OnProgressTick>(this);
}

indCloneMan::~indCloneMan() {
  // A driver destroyed mid-exchange still completes it; then only the requester hears.
  closing_ = true;
}

void indCloneMan::SetModelCodes(int modelCode, int subCode) {
  modelCode_ = modelCode;
  cloneDrv_.SetModelCodes(modelCode, subCode);
  adjustDrv_.SetModelCodes(modelCode, subCode);
}

void indCloneMan::SetIdentityHook(Callback hook, void* context) {
  identityHook_ = hook;
  identityContext_ = context;
}

void indCloneMan::SetPostReadHook(Callback hook, void* context) {
  postReadHook_ = hook;
  postReadContext_ = context;
}

std::string indCloneMan::SpeedElement(int modelCode, bool highSpeed) {
  return highSpeed ? SpeedCommand(kLowSettings, modelCode, '0', '9') : SpeedCommand(kHighSettings, modelCode, '2', '7');
}

std::string indCloneMan::MainScript(int modelCode, bool highSpeed, const std::string* password, bool forWrite) {
  const int model = modelCode & 0xFFFF;
  std::string script = SpeedElement(model, false);
  script += std::string("(") + kLowSettings + ")";
  if (password) {
    const auto* chars = reinterpret_cast<const uint8_t*>(password->data());
    const int count = static_cast<int>(password->size());
    script += Format("FEFE EEEF E8 %04X%04X %02X ", model, 0, kPasswordCommand, 0);
    cmcBuff bytes;
    cmcCloneFrame::AppendHexByte(bytes, static_cast<uint8_t>(count));
    cmcCloneFrame::AppendHexByte(bytes, cmcCloneFrame::Checksum(chars, count));
    for (int i = 0; i < count; ++i) cmcCloneFrame::AppendHexByte(bytes, chars[i]);
    script.append(reinterpret_cast<const char*>(bytes.Data()), static_cast<size_t>(bytes.GetLength()));
    script += " FD";
  }
  script += Format("FEFE EEEF E8 %04X%04X %02X %02X", model, 0, kModeCommand, '0') +
            Format("%02X FD", forWrite ? '1' : '0', 0, 0, 0);
  script += SpeedElement(model, highSpeed);
  return script;
}

void indCloneMan::PrepareMainScript(bool highSpeed, bool withPassword, bool forWrite) {
  cloneDrv_.SetPort(comPort_, highSpeed ? kHighSettings : kLowSettings);
  cloneDrv_.SetCommandPreamble(highSpeed ? kHighCommandPreamble : kLowCommandPreamble);
  cloneDrv_.SetDataPreambles(0);
  cloneDrv_.SetScript(MainScript(modelCode_, highSpeed, withPassword ? &clonePassword_ : nullptr, forWrite));
  passwordSent_ = withPassword;
  cloneDrv_.SetEchoPresent(false);
  cloneDrv_.SetEndCounter(true);
  cloneDrv_.SetWaitWriteReady(true);
  cloneDrv_.SetPacing(kPacingPeriod, 0);
  cloneDrv_.SetDefaultTimeLimit(kDefaultTimeLimitMs);
  rememberedSpeed_ = highSpeed ? kSpeedHigh : kSpeedLow;
  speedPort_ = comPort_;
}

void indCloneMan::PrepareAdjustScript(bool highSpeed) {
  const int speed = highSpeed ? kSpeedHigh : kSpeedLow;
  // A speed remembered for another port says nothing about the radio on this one.
  if (speed != rememberedSpeed_ || comPort_ != speedPort_) {
    rememberedSpeed_ = speed;
    speedPort_ = comPort_;
    adjustDrv_.SetScript(SpeedElement(modelCode_, highSpeed));
    adjustDrv_.SetCommandPreamble(0);
    adjustDrv_.SetDataPreambles(0);
  }
  // Always the current port at the remembered speed, so an exchange after a read or
  // write at that speed finds the radio where the read or write left it.
  adjustDrv_.SetPort(comPort_, highSpeed ? kHighSettings : kLowSettings);
  adjustDrv_.SetEndCounter(true);
}

void indCloneMan::Begin(uint8_t mode, Callback callback, void* context) {
  mode_ = mode;
  callback_ = callback;
  context_ = context;
  lastDriver_ = mode == kModeAdjust ? static_cast<const cmcCloneDrv*>(&adjustDrv_) : &cloneDrv_;
  if (windows_) windows_->SetWindowsEnabled(false);
}

bool indCloneMan::Started(bool started) {
  if (started) return true;
  mode_ = kModeNone;
  callback_ = nullptr;
  context_ = nullptr;
  // The script prepared for this start never ran.
  rememberedSpeed_ = kSpeedUnknown;
  if (windows_) windows_->SetWindowsEnabled(true);
  return false;
}

bool indCloneMan::Identify(Callback callback, void* context) {
  if (IsBusy()) return false;
  PrepareMainScript(false, false, false);
  cloneDrv_.SetRts(cmcComm::kRtsEnable);
  Begin(kModeIdentify, callback, context);
  cloneDrv_.SetEchoDetection(true);
  return Started(cloneDrv_.StartInformation(&OnDriverDone, this));
}

bool indCloneMan::Read(const cmcAddressRanges* ranges, Callback callback, void* context) {
  if (IsBusy()) return false;
  totalBytes_ = 0;
  if (ranges)
    for (int i = 0; i < ranges->Count(); ++i) totalBytes_ += (*ranges)[i].end - (*ranges)[i].start + 1;
  const bool withPassword = sendPassword_;
  PrepareMainScript(comSpeedHigh_ != 0, withPassword, false);
  cloneDrv_.SetRts(cmcComm::kRtsEnable);
  sendPassword_ = false;
  cloneDrv_.SetEchoDetection(true);
  Begin(kModeRead, callback, context);
  if (!Started(cloneDrv_.StartRead(ranges, &OnDriverDone, this))) {
    sendPassword_ = withPassword;
    return false;
  }
  OpenProgress();
  return true;
}

bool indCloneMan::Write(const cmcEeprom& image, const cmcAddressRanges& ranges, Callback callback, void* context) {
  if (IsBusy()) return false;
  totalBytes_ = 0;
  for (int i = 0; i < ranges.Count(); ++i) totalBytes_ += ranges[i].end - ranges[i].start + 1;
  const bool withPassword = sendPassword_;
  PrepareMainScript(comSpeedHigh_ != 0, withPassword, true);
  cloneDrv_.SetRts(cmcComm::kRtsEnable);
  sendPassword_ = false;
  cloneDrv_.SetEchoDetection(true);
  cloneDrv_.SetWriteReadyTimeLimit(kWriteReadyTimeLimitMs);
  cloneDrv_.SetDefaultTimeLimit(kWriteTimeLimitMs);
  Begin(kModeWrite, callback, context);
  if (!Started(cloneDrv_.StartWrite(image, ranges, &OnDriverDone, this))) {
    sendPassword_ = withPassword;
    return false;
  }
  OpenProgress();
  return true;
}

bool indCloneMan::AdjustSingle(Callback callback, void* context) {
  if (IsBusy()) return false;
  PrepareAdjustScript(adjust_.itemSelector != dst_AdjustState::kSelectNone);
  adjustDrv_.SetEchoPresent(echoRemembered_);
  Begin(kModeAdjust, callback, context);
  adjustDrv_.SetEchoDetection(false);
  return Started(adjustDrv_.StartSingleCommand(&OnDriverDone, this));
}

bool indCloneMan::AdjustSweep(Callback callback, void* context) {
  if (IsBusy()) return false;
  PrepareAdjustScript(true);
  adjustDrv_.SetEchoPresent(echoRemembered_);
  Begin(kModeAdjust, callback, context);
  adjustDrv_.SetEchoDetection(false);
  return Started(adjustDrv_.StartBpfSweep(&OnDriverDone, this));
}

bool indCloneMan::AdjustSequence(Callback callback, void* context) {
  if (IsBusy()) return false;
  PrepareAdjustScript(true);
  adjustDrv_.SetEchoPresent(false);
  Begin(kModeAdjust, callback, context);
  adjustDrv_.SetEchoDetection(true);
  return Started(adjustDrv_.StartCommandSequence(&OnDriverDone, this));
}

void indCloneMan::OpenProgress() {
  if (progress_) {
    progress_->Open();
    progressOpen_ = true;
  }
  progressTask_.SetPeriod(kProgressPeriodMs);
}

int indCloneMan::FilledSegments() const { return indCloneProgress::FilledSegments(TransferredBytes(), totalBytes_); }

void indCloneMan::OnProgressTick() {
  if (!cloneDrv_.IsBusy()) {
    progressTask_.SetPeriod(-1);
    return;
  }
  if (progressOpen_) progress_->Update(TransferredBytes(), totalBytes_, FilledSegments());
}

void indCloneMan::OnDriverDone(void* context, dst_CDrv_Result& result) {
  static_cast<indCloneMan*>(context)->Complete(result);
}

void indCloneMan::Complete(dst_CDrv_Result& result) {
  const Callback callback = callback_;
  void* const context = context_;
  callback_ = nullptr;
  context_ = nullptr;
  if (closing_) {
    mode_ = kModeNone;
    if (callback) callback(context, result);
    return;
  }

  if (result.operation == dst_CDrv_Result::kInformation) {
    if (identityHook_)
      identityHook_(identityContext_, result);
    else
      result.code = kIdentityRefused;
  } else if (result.operation == dst_CDrv_Result::kRead) {
    if (postReadHook_)
      postReadHook_(postReadContext_, result);
    else
      result.code = dst_CDrv_Result::kMissing;
  }

  ShowCloneError(result.code);

  progressTask_.SetPeriod(-1);
  if (windows_) windows_->SetWindowsEnabled(true);
  if (progressOpen_) {
    if (windows_) windows_->FocusMainWindow();
    progress_->Close();
    progressOpen_ = false;
  }
  const bool single = result.operation == imcCloneDrv::kSingleCommand;
  if (single && factoryAdjustMode_ && windows_) windows_->FocusMainWindow();

  // The mode is cleared before the requester hears, so that it may start the next
  // exchange from its callback.
  const uint8_t code = result.code;
  mode_ = kModeNone;
  if (callback) callback(context, result);
  if (!single && code != dst_CDrv_Result::kSuccess) {
    adjust_.state = dst_AdjustState::kIdle;
    adjust_.subState = 0;
  }
}

std::string indCloneMan::Text(const char* key, int line) { return overlay_.GetLine(key, line); }

std::string indCloneMan::CloneErrorText(int code) {
  if (code == dst_CDrv_Result::kSuccess) return std::string();
  std::string text;
  if (code < 0 || code > kLastKnownCode) {
    text = Replace(Text(kHeadKey, kLastKnownCode + 1), "%1", std::to_string(code));
  } else {
    text = Text(kHeadKey, code);
  }
  std::vector<int> advice = {0, 1, 2, 3};
  switch (code) {
    case dst_CDrv_Result::kOpenFailed: {
      if (commandLine_) {
        const std::string path = devices_.PathOf(comPort_);
        text = Replace(Text(kHeadCommandLineKey, path.empty() ? 1 : 0), "%2", path);
      }
      text = Replace(text, "%1", std::to_string(comPort_));
      // Why the device refused, when the port says: a missing device or permission.
      const cmcPortError& reason = lastDriver_ ? lastDriver_->Comm().LastError() : cmcPortError();
      if (reason.GetKind() != cmcPortError::Kind::None)
        text += "\n" + reason.Text([this](const std::string& key) { return overlay_.GetText(key); });
      if (commandLine_ && reason.GetKind() == cmcPortError::Kind::NoPermission) text += "\n" + Text(kUdevHintKey, 0);
      break;
    }
    case dst_CDrv_Result::kBadEndAnswer:
      advice = {0, 2, 3};
      break;
    case kIdentityRefused:
      advice = {0, 1, 2, 3, 4, 5};
      break;
    case kNewerRadio:
      advice = {0, 4, 5};
      break;
    case kNewerData:
      advice = {};
      break;
    default:
      break;
  }
  // A radio given a wrong clone password does not answer at all.
  if (code == dst_CDrv_Result::kTimeOut && passwordSent_) text += "\n" + Text(kPasswordHintKey, 0);
  if (advice.empty()) return text;
  text += "\n";
  for (int line : advice)
    text += "\n" + (commandLine_ && line == kPortAdviceLine ? Text(kCheckCommandLineKey, 0) : Text(kCheckKey, line));
  return text;
}

void indCloneMan::ShowCloneError(int code) {
  if (code == dst_CDrv_Result::kSuccess) return;
  prompts_.Show(cmcPromptIcon::Error, Text(kTitleKey, 0), CloneErrorText(code));
  // After these failures the radio may be left at either speed.
  if (code != dst_CDrv_Result::kBadEndAnswer && code != kIdentityRefused && code != kNewerRadio && code != kNewerData)
    rememberedSpeed_ = kSpeedUnknown;
}
