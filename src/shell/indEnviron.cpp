#include "shell/indEnviron.h"

#include <algorithm>

namespace {

constexpr cmcSettingsRoot kUser = cmcSettingsRoot::CurrentUser;

// One stored value bound to the field that holds it: an integer or a text.
struct Item {
  const char* name;
  int indEnviron::*number;
  std::string indEnviron::*text;
};

constexpr Item Int(const char* name, int indEnviron::*field) { return {name, field, nullptr}; }
constexpr Item Text(const char* name, std::string indEnviron::*field) { return {name, nullptr, field}; }

// "Global" in reading and writing order; the unlock flags follow separately.
const Item kGlobal[] = {
    Int("BBT", &indEnviron::bbt),
    Int("ComPort", &indEnviron::comPort),
    Int("ComSpeedHigh", &indEnviron::comSpeedHigh),
    Text("Current Directory", &indEnviron::currentDirectory),
    Int("MCH View", &indEnviron::mchView),
    Int("DockFloatCheck", &indEnviron::dockFloatCheck),
    Int("AlignCheck", &indEnviron::alignCheck),
    Int("FloatingCheck", &indEnviron::floatingCheck),
    Int("PHelp AlignCheck", &indEnviron::pHelpAlignCheck),
    Int("PHelp FloatingCheck", &indEnviron::pHelpFloatingCheck),
    Int("PHelp View", &indEnviron::pHelpView),
};

const Item kViewOption[] = {
    Int("FontSize Percentage", &indEnviron::fontSizePercentage),
    Int("Toolbar Visible", &indEnviron::toolbarVisible),
    Int("FontSize Printer", &indEnviron::fontSizePrinter),
};

const Item kWindowPosition[] = {
    Int("Left", &indEnviron::winLeft),
    Int("Top", &indEnviron::winTop),
    Int("Width", &indEnviron::winWidth),
    Int("Height", &indEnviron::winHeight),
    Int("SplitterV", &indEnviron::splitterV),
    Int("DockMemWinTop", &indEnviron::dockMemWinTop),
    Int("DockMemWinLeft", &indEnviron::dockMemWinLeft),
    Int("DockMemWinHeight", &indEnviron::dockMemWinHeight),
    Int("DockMemWinWidth", &indEnviron::dockMemWinWidth),
    Int("DockMchWinTop", &indEnviron::dockMchWinTop),
    Int("DockMchWinLeft", &indEnviron::dockMchWinLeft),
    Int("DockMchWinHeight", &indEnviron::dockMchWinHeight),
    Int("DockMchWinWidth", &indEnviron::dockMchWinWidth),
    Int("DockPHelpWinTop", &indEnviron::dockPHelpWinTop),
    Int("DockPHelpWinLeft", &indEnviron::dockPHelpWinLeft),
    Int("DockPHelpWinHeight", &indEnviron::dockPHelpWinHeight),
    Int("DockPHelpWinWidth", &indEnviron::dockPHelpWinWidth),
    Int("FloatPHelpWinHeight", &indEnviron::floatPHelpWinHeight),
    Int("FloatPHelpWinWidth", &indEnviron::floatPHelpWinWidth),
    Int("S_MemWinHeight", &indEnviron::sMemWinHeight),
    Int("S_MemWinHeightWithMCH", &indEnviron::sMemWinHeightWithMCH),
    Int("S_MemWinHeightWithHelp", &indEnviron::sMemWinHeightWithHelp),
    Int("S_MemWinHeightWithMCHandHelp", &indEnviron::sMemWinHeightWithMCHandHelp),
    Int("S_MchWinHeight", &indEnviron::sMchWinHeight),
    Int("S_MchWinHeightWithHelp", &indEnviron::sMchWinHeightWithHelp),
    Int("S_HelpWinHeight", &indEnviron::sHelpWinHeight),
    Int("S_HelpWinHeightWithMCH", &indEnviron::sHelpWinHeightWithMCH),
};

const Item kPassword[] = {
    Text("MakerReserveMode", &indEnviron::makerReserveModeCode),
    Text("AdjustMode", &indEnviron::adjustModeCode),
    Text("MKRMode", &indEnviron::mkrModeCode),
};

const Item kMachine[] = {
    Text("UserName", &indEnviron::userName),
    Text("CompanyName", &indEnviron::companyName),
    Text("SerialNumber", &indEnviron::serialNumber),
    Text("Revision", &indEnviron::revision),
};

// The five stored values of a sub-window record, "<name>_<field>".
constexpr std::array<const char*, 5> kWindowFields = {"Left", "Top", "Width", "Height", "WindowState"};

constexpr const char* kGlobalKey = "Global";
constexpr const char* kRecentKey = "Recent File List";
constexpr const char* kViewOptionKey = "View Option";
constexpr const char* kWindowPositionKey = "Window Position";
constexpr const char* kSetupKey = "Setup";
constexpr const char* kEditFormKey = "EditForm Position";
constexpr const char* kPasswordKey = "Password";

std::string RecentName(int i) { return "Recent" + std::to_string(i); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

indEnviron::indEnviron(std::string mutexName, std::string userKey, std::string machineKey, cmcSettingsStore& store,
                       cmcInstanceGuard& guard, Rect workArea)
    : mutexName_(std::move(mutexName)),
      userKey_(std::move(userKey)),
      machineKey_(std::move(machineKey)),
      store_(store),
      guard_(guard),
      workArea_(workArea) {
  const Rect geometry = DefaultGeometry(workArea_);
  winLeft = geometry.left;
  winTop = geometry.top;
  winWidth = geometry.width;
  winHeight = geometry.height;

  owns_ = guard_.Claim(mutexName_);
  if (owns_) {
    if (!LoadUserSettings() || bbt != kMarker) ResetSettings();
    // Installation information does not depend on the user's settings being complete.
    LoadMachineValues();
  }
  mchDockRequest = floatingCheck == 0;
  pHelpDockRequest = pHelpFloatingCheck == 0;
  if (pHelpAlignCheck == 0) pHelpAlignCheck = 2;
  closing = false;
}

indEnviron::~indEnviron() { Save(); }

std::string indEnviron::SubKey(const char* subkey) const { return userKey_ + "\\" + subkey; }

bool indEnviron::LoadUserSettings() {
  auto read = [this](const std::string& key, const Item& item) {
    if (item.number) {
      auto v = store_.ReadInt(kUser, key, item.name);
      if (v) this->*item.number = *v;
      return v.has_value();
    }
    auto v = store_.ReadText(kUser, key, item.name);
    if (v) this->*item.text = *v;
    return v.has_value();
  };
  auto readAll = [&](const char* subkey, const auto& items) {
    const std::string key = SubKey(subkey);
    return std::all_of(std::begin(items), std::end(items), [&](const Item& item) { return read(key, item); });
  };

  if (!readAll(kGlobalKey, kGlobal)) return false;
  comPort = std::clamp(comPort, 1, 256);
  comSpeedHigh = std::clamp(comSpeedHigh, 0, 1);
  const std::string global = SubKey(kGlobalKey);
  for (size_t i = 0; i < kUnlockFlagNames.size(); ++i) {
    if (auto v = store_.ReadInt(kUser, global, kUnlockFlagNames[i])) unlockFlags[i] = *v;
    unlockFlagsRead_[i] = unlockFlags[i];
  }

  const std::string recentKey = SubKey(kRecentKey);
  for (int i = 0; i < kRecentCapacity; ++i) {
    auto path = store_.ReadText(kUser, recentKey, RecentName(i));
    if (!path) return false;
    recent.Append(*path);
  }

  if (!readAll(kViewOptionKey, kViewOption)) return false;
  fontSizePercentage = std::clamp(fontSizePercentage, 25, 1000);
  fontSizePrinter = std::clamp(fontSizePrinter, 8, 12);

  if (!readAll(kWindowPositionKey, kWindowPosition)) return false;

  const std::string setup = SubKey(kSetupKey);
  auto model = store_.ReadInt(kUser, setup, "ModelType");
  if (!model) return false;
  modelType = *model & 0xFF;
  auto lang = store_.ReadInt(kUser, setup, "Language");
  if (!lang) return false;
  language = *lang;

  // An absent access code keeps its built-in default rather than resetting everything.
  const std::string password = SubKey(kPasswordKey);
  for (const Item& item : kPassword)
    if (auto v = store_.ReadText(kUser, password, item.name)) this->*item.text = DecodeCode(*v);
  return true;
}

void indEnviron::LoadMachineValues() {
  for (const Item& item : kMachine) {
    auto v = store_.ReadText(cmcSettingsRoot::LocalMachine, machineKey_, item.name);
    if (!v) break;
    this->*item.text = *v;
  }
  // Nothing installs a machine-wide revision on a fresh system: the program's own
  // release stands in, so the opening window and the About box always name one.
  if (revision.empty()) revision = kRelease;
}

void indEnviron::ResetSettings() {
  bbt = kMarker;
  comPort = 1;
  comSpeedHigh = 1;
  currentDirectory.clear();
  clonePassword.clear();
  recent.Clear();
  fontSizePercentage = 100;
  toolbarVisible = 1;
  fontSizePrinter = 10;
  const Rect geometry = DefaultGeometry(workArea_);
  winLeft = geometry.left;
  winTop = geometry.top;
  winWidth = geometry.width;
  winHeight = geometry.height;
  splitterV = 180;
  modelType = 1;
  language = 0;
  userName.clear();
  companyName.clear();
  serialNumber.clear();
  revision.clear();
  makerReserveModeCode = kDefaultMakerReserveCode;
  adjustModeCode.clear();
  mkrModeCode = kDefaultMkrCode;
  mchView = 0;
  dockFloatCheck = 0;
  pHelpFloatingCheck = 0;
}

void indEnviron::Save() {
  if (!owns_) return;
  if (bbt == kMarker) {
    // What was written before a refused write stays written.
    WriteSettings();
    store_.Flush();
  }
  guard_.Release();
  owns_ = false;
}

bool indEnviron::WriteSettings() {
  auto write = [this](const std::string& key, const Item& item) {
    return item.number ? store_.WriteInt(kUser, key, item.name, this->*item.number)
                       : store_.WriteText(kUser, key, item.name, this->*item.text);
  };
  auto writeAll = [&](const char* subkey, const auto& items) {
    const std::string key = SubKey(subkey);
    return std::all_of(std::begin(items), std::end(items), [&](const Item& item) { return write(key, item); });
  };

  if (!writeAll(kGlobalKey, kGlobal)) return false;
  const std::string global = SubKey(kGlobalKey);
  for (size_t i = 0; i < kUnlockFlagNames.size(); ++i)
    if (unlockFlags[i] != unlockFlagsRead_[i] && !store_.WriteInt(kUser, global, kUnlockFlagNames[i], unlockFlags[i]))
      return false;

  const std::string recentKey = SubKey(kRecentKey);
  for (int i = 0; i < kRecentCapacity; ++i)
    if (!store_.WriteText(kUser, recentKey, RecentName(i), recent.DisplayName(i, ""))) return false;

  if (!writeAll(kViewOptionKey, kViewOption)) return false;
  if (!writeAll(kWindowPositionKey, kWindowPosition)) return false;

  const std::string setup = SubKey(kSetupKey);
  if (!store_.WriteInt(kUser, setup, "ModelType", modelType)) return false;

  const std::string editForm = SubKey(kEditFormKey);
  for (const WindowRecord& r : windows_) {
    const std::array<int, 5> values = {r.left, r.top, r.width, r.height, r.windowState};
    for (size_t i = 0; i < values.size(); ++i)
      if (!store_.WriteInt(kUser, editForm, r.name + "_" + kWindowFields[i], values[i])) return false;
  }

  if (!store_.WriteInt(kUser, setup, "Language", language)) return false;

  const std::string password = SubKey(kPasswordKey);
  for (const Item& item : kPassword)
    if (!store_.WriteText(kUser, password, item.name, EncodeCode(this->*item.text))) return false;
  return true;
}

indEnviron::WindowRecord* indEnviron::GetWindowRecord(const std::string& name) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](const WindowRecord& r) { return r.name == name; });
  if (it != windows_.end()) return &*it;
  if (!owns_) return nullptr;

  const std::string key = SubKey(kEditFormKey);
  std::array<int, 5> values{};
  for (size_t i = 0; i < values.size(); ++i) {
    auto v = store_.ReadInt(kUser, key, name + "_" + kWindowFields[i]);
    if (!v) return nullptr;
    values[i] = *v;
  }
  WindowRecord& r = windows_.emplace_front();
  r.name = name;
  r.left = values[0];
  r.top = values[1];
  r.width = values[2];
  r.height = values[3];
  r.windowState = values[4];
  return &r;
}

indEnviron::WindowRecord& indEnviron::StoreWindowRecord(const std::string& name, int left, int top, int width,
                                                        int height, int windowState,
                                                        const std::array<int, 4>& further) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](const WindowRecord& r) { return r.name == name; });
  if (it == windows_.end()) {
    windows_.emplace_front().name = name;
  } else {
    windows_.splice(windows_.begin(), windows_, it);
  }
  WindowRecord& r = windows_.front();
  r.left = left;
  r.top = top;
  r.width = width;
  r.height = height;
  r.windowState = windowState;
  r.further = further;
  return r;
}

int32_t indEnviron::ReadInt(cmcSettingsRoot root, const std::string& key, const std::string& name) const {
  return store_.ReadInt(root, key, name).value_or(-1);
}

bool indEnviron::WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name, int32_t value) {
  return store_.WriteInt(root, key, name, value);
}

bool indEnviron::DeleteKey(cmcSettingsRoot root, const std::string& key, const std::string& subkey) {
  return store_.DeleteKey(root, key, subkey);
}

std::string indEnviron::EncodeCode(const std::string& code) {
  if (code.empty()) return "00";
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(code.size() * 2);
  for (unsigned char c : code) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 0x0F];
  }
  return hex;
}

std::string indEnviron::DecodeCode(const std::string& hex) {
  std::string bytes;
  int high = -1;
  for (char c : hex) {
    const int d = HexDigit(c);
    if (d < 0) continue;
    if (high < 0) {
      high = d;
    } else {
      bytes += static_cast<char>(high << 4 | d);
      high = -1;
    }
  }
  if (high >= 0) bytes += static_cast<char>(high << 4);
  return bytes.substr(0, bytes.find('\0'));
}

indEnviron::Rect indEnviron::DefaultGeometry(const Rect& workArea) {
  Rect r;
  r.width = std::min(workArea.width * 9 / 10, 1024);
  r.height = std::min(workArea.height * 9 / 10, 768);
  r.left = workArea.left + (workArea.width - r.width) / 2;
  r.top = workArea.top + (workArea.height - r.height) * 3 / 10;
  return r;
}
