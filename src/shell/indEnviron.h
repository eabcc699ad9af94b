#pragma once
// The environment, created before every other long-lived object: it claims the
// single-instance guard and, only when this process owns it, loads every persisted
// setting at construction and writes them all back in Save() (run by the destructor
// at the latest). Settings are plain fields that other modules read and change; the
// recent file list and the sub-window geometry records live here too.
#include <array>
#include <cstdint>
#include <list>
#include <string>

#include "runtime/cmcInstanceGuard.h"
#include "runtime/cmcSettingsStore.h"
#include "shell/cmcRecent.h"

class indEnviron {
 public:
  static constexpr const char* kMutexName = "Zelk RX-93KIT(Dealer) APP Exclusive Mutex";
  static constexpr const char* kUserKey = "Software\\Zelk\\RX-93KIT(Dealer)";
  static constexpr const char* kMachineKey = "Software\\Zelk\\RX-93KIT(Dealer)";
  // The "BBT" value of a valid settings set; any other value resets the settings.
  static constexpr int32_t kMarker = 753951;
  static constexpr int kRecentCapacity = 10;
  // Value names of the unlock flags of the frequency choice entries 60, 61 and 62.
  static constexpr std::array<const char*, 3> kUnlockFlagNames = {"QvLk60Fr", "QvLk61Fr", "QvLk62Fr"};
  // Built-in access codes used when none is stored.
  static constexpr const char* kDefaultMakerReserveCode = "hwzmrtk";
  static constexpr const char* kDefaultMkrCode = "pqrxkitmakerzl";

  // A screen rectangle: the work area given at construction, or a window's bounds.
  struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
  };

  // The remembered geometry of one sub-window.
  struct WindowRecord {
    std::string name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int windowState = 0;
    std::array<int, 4> further{-1, -1, -1, -1};
    int open = 0;
  };

  // workArea: the primary screen's available area, for the default main window geometry.
  indEnviron(std::string mutexName, std::string userKey, std::string machineKey, cmcSettingsStore& store,
             cmcInstanceGuard& guard, Rect workArea);
  ~indEnviron();
  indEnviron(const indEnviron&) = delete;
  indEnviron& operator=(const indEnviron&) = delete;

  // True while this process holds the single-instance claim (until Save has run).
  bool OwnsInstance() const { return owns_; }
  // Writes every setting back when this process owns the instance and the marker is
  // valid, stopping silently at the first refused write; then releases the claim.
  // Runs once: later calls (and the destructor's) do nothing.
  void Save();

  // The record of the named sub-window, read from the stored positions on first use;
  // nullptr when there is none.
  WindowRecord* GetWindowRecord(const std::string& name);
  // Updates or creates the record and moves it to the front; the open flag is kept.
  WindowRecord& StoreWindowRecord(const std::string& name, int left, int top, int width, int height, int windowState,
                                  const std::array<int, 4>& further);

  // One stored integer, or -1 when the key or the value does not exist.
  int32_t ReadInt(cmcSettingsRoot root, const std::string& key, const std::string& name) const;
  bool WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name, int32_t value);
  // Deletes the subkey of key with everything below it.
  bool DeleteKey(cmcSettingsRoot root, const std::string& key, const std::string& subkey);

  // The program's release ("major.minor"), the revision when the machine names none.
  static constexpr const char* kRelease = RX93_RELEASE;
  // The installed revision as shown: its first four characters.
  std::string ShownRevision() const { return revision.substr(0, 4); }

  // Access codes as stored: two upper-case hexadecimal digits per character, "00" for
  // the empty code. Decoding ignores non-hex characters and ends at a zero byte.
  static std::string EncodeCode(const std::string& code);
  static std::string DecodeCode(const std::string& hex);
  // The default main window bounds: 90 % of the work area, at most 1024 x 768,
  // centred horizontally and placed at 30 % of the free height.
  static Rect DefaultGeometry(const Rect& workArea);

  const std::string& MutexName() const { return mutexName_; }
  const std::string& UserKey() const { return userKey_; }
  const std::string& MachineKey() const { return machineKey_; }

  // "Global"
  int32_t bbt = kMarker;
  int comPort = 1;       // 1..256
  int comSpeedHigh = 1;  // 0 or 1
  std::string currentDirectory;
  int mchView = 0;             // memory channel window wanted
  int dockFloatCheck = 0;      // memory channel window's check box
  int alignCheck = 0;          // memory channel window dock side
  int floatingCheck = 0;       // memory channel window floats
  int pHelpAlignCheck = 0;     // popup help dock side; 0 becomes 2 at construction
  int pHelpFloatingCheck = 0;  // popup help window floats
  int pHelpView = 1;           // popup help window wanted
  std::array<int, 3> unlockFlags{0, 0, 0};

  // "Recent File List"
  cmcRecent recent{kRecentCapacity};

  // "View Option"
  int fontSizePercentage = 100;  // 25..1000
  int toolbarVisible = 1;        // any value but 0 means on
  int fontSizePrinter = 10;      // 8..12

  // "Window Position"
  int winLeft = 0;
  int winTop = 0;
  int winWidth = 0;
  int winHeight = 0;
  int splitterV = 180;
  int dockMemWinTop = 0;
  int dockMemWinLeft = 0;
  int dockMemWinHeight = 0;  // when not 0: the sheet pane's initial height
  int dockMemWinWidth = 0;
  int dockMchWinTop = 0;
  int dockMchWinLeft = 0;
  int dockMchWinHeight = 0;
  int dockMchWinWidth = 0;
  int dockPHelpWinTop = 0;
  int dockPHelpWinLeft = 0;
  int dockPHelpWinHeight = 0;  // when not 0: the help pane's initial height
  int dockPHelpWinWidth = 0;
  int floatPHelpWinHeight = 0;
  int floatPHelpWinWidth = 0;
  int sMemWinHeight = 0;  // pane heights per layout; 0 means not yet known
  int sMemWinHeightWithMCH = 0;
  int sMemWinHeightWithHelp = 0;
  int sMemWinHeightWithMCHandHelp = 0;
  int sMchWinHeight = 0;
  int sMchWinHeightWithHelp = 0;
  int sHelpWinHeight = 0;
  int sHelpWinHeightWithMCH = 0;

  // "Setup"
  int modelType = 1;  // low byte of the stored value
  int language = 0;

  // "Password", decoded; an empty adjustment code means no password is asked.
  std::string makerReserveModeCode = kDefaultMakerReserveCode;
  std::string adjustModeCode;
  std::string mkrModeCode = kDefaultMkrCode;

  // Installation information, read only; missing values stay empty.
  std::string userName;
  std::string companyName;
  std::string serialNumber;
  std::string revision;

  // Held in memory only.
  std::string clonePassword;  // typed in the clone password dialog
  bool mchDockRequest = true;
  bool pHelpDockRequest = true;
  bool closing = false;

 private:
  std::string SubKey(const char* subkey) const;
  bool LoadUserSettings();
  void LoadMachineValues();
  void ResetSettings();
  bool WriteSettings();

  std::string mutexName_;
  std::string userKey_;
  std::string machineKey_;
  cmcSettingsStore& store_;
  cmcInstanceGuard& guard_;
  Rect workArea_;
  bool owns_ = false;
  std::array<int, 3> unlockFlagsRead_{0, 0, 0};
  std::list<WindowRecord> windows_;
};
