#pragma once
// `indCloneMan`, the clone manager: the one object through which the application talks
// to the radio. It owns a clone driver (identification, read, write) and a model driver
// (adjustment), runs one exchange at a time across both, prepares the speed, password
// and mode script before each, keeps the windows disabled while it runs, shows progress,
// runs the model controller's hooks, reports failures through `ShowCloneError`, and calls
// the requester's completion callback exactly once per started exchange.
#include <cstdint>
#include <span>
#include <string>

#include "clone/cmcCloneDrv.h"
#include "clone/dst_AdjustState.h"
#include "clone/imcCloneDrv.h"

class cmcEvMan;
class cmcGTex;
class cmcPrompts;
class indCloneProgress;
class indCloneWindows;

class indCloneMan {
 public:
  using Callback = cmcCloneDrv::Callback;

  // Modes of the running exchange.
  static constexpr uint8_t kModeNone = 0;
  static constexpr uint8_t kModeIdentify = 1;
  static constexpr uint8_t kModeRead = 2;
  static constexpr uint8_t kModeWrite = 3;
  static constexpr uint8_t kModeAdjust = 4;

  // Result codes of the model controller's hooks: the identity refused (also without an
  // identity hook), the radio's data revision too new, the read data's content check
  // failed, the read data newer than this program edits.
  static constexpr uint8_t kIdentityRefused = 11;
  static constexpr uint8_t kNewerRadio = 14;
  static constexpr uint8_t kContentCheckFailed = 15;
  static constexpr uint8_t kNewerData = 16;

  // The remembered line speed of the radio.
  static constexpr int kSpeedUnknown = -1;
  static constexpr int kSpeedLow = 0;   // 9600 baud
  static constexpr int kSpeedHigh = 1;  // 38400 baud

  static constexpr int kProgressPeriodMs = 30;

  // Everything the manager and its drivers work with; none of it is owned, and all of
  // it must outlive the manager. The user's choices for the line (the COM port number,
  // the high speed setting, 0 or 1, and the clone password typed in) are read at the
  // start of every exchange, so they are held by reference.
  struct Services {
    const cmcClock& clock;
    cmcTimerHost& timers;
    cmcSerialFactory& devices;
    cmcWaiter& waiter;
    cmcGTex& overlay;
    cmcEvMan& events;
    const int& comPort;
    const int& comSpeedHigh;
    const std::string& clonePassword;
    cmcPrompts& prompts;
    dst_AdjustState& adjust;
    cmcEeprom& working;
  };

  explicit indCloneMan(const Services& services);
  ~indCloneMan();
  indCloneMan(const indCloneMan&) = delete;
  indCloneMan& operator=(const indCloneMan&) = delete;

  // The windows to disable and the progress display; nullptr for none.
  void SetWindows(indCloneWindows* windows) { windows_ = windows; }
  // Messages worded for the command line: a port by its number and device, advice
  // that names the command line's options instead of the desktop's port menu.
  void SetCommandLineWording(bool on) { commandLine_ = on; }
  void SetProgress(indCloneProgress* progress) { progress_ = progress; }

  // On both drivers.
  void SetModelCodes(int modelCode, int subCode);
  void SetImageSize(int size) { cloneDrv_.SetImageSize(size); }
  // Forwarded to the adjustment driver.
  void SetSingleCommand(int code, int parameter, uint8_t* answer) {
    adjustDrv_.SetSingleCommand(code, parameter, answer);
  }
  void SetCommandTable(std::span<const imcCloneDrv::Command> table) { adjustDrv_.SetCommandTable(table); }
  bool IsCommandPending() const { return adjustDrv_.IsCommandPending(); }

  // Hooks of the model controller, run on an identification's and a read's result
  // before anything else; they report a problem by setting the result's code.
  void SetIdentityHook(Callback hook, void* context);
  void SetPostReadHook(Callback hook, void* context);
  // Single adjustment commands give the main window the focus back afterwards.
  void SetFactoryAdjustMode(bool on) { factoryAdjustMode_ = on; }

  // Sends the clone password with the next read or write (the user confirmed it).
  void SetSendPassword(bool on) { sendPassword_ = on; }
  bool SendPassword() const { return sendPassword_; }
  // The clone driver's echo flag becomes the one preset into adjustment exchanges.
  void TakeEchoPresent() { echoRemembered_ = cloneDrv_.EchoPresent(); }
  int RememberedSpeed() const { return rememberedSpeed_; }
  // kSpeedUnknown makes the next exchange send its speed script again.
  void SetRememberedSpeed(int speed) { rememberedSpeed_ = speed; }

  // Either driver runs an exchange.
  bool IsBusy() const { return cloneDrv_.IsBusy() || adjustDrv_.IsBusy(); }
  uint8_t Mode() const { return mode_; }

  // Each start returns false, and changes nothing, while an exchange runs. Read: the
  // radio must send exactly the ranges when given. Write: the image is copied.
  bool Identify(Callback callback, void* context);
  bool Read(const cmcAddressRanges* ranges, Callback callback, void* context);
  bool Write(const cmcEeprom& image, const cmcAddressRanges& ranges, Callback callback, void* context);
  bool AdjustSingle(Callback callback, void* context);
  bool AdjustSweep(Callback callback, void* context);
  bool AdjustSequence(Callback callback, void* context);

  // Shows the message for a result code (nothing for 0): its headline, and the advice
  // that fits it; a time-out after the clone password was sent adds that a wrong
  // password looks the same. Failures that may have left the radio at another speed make the next
  // exchange send its speed script again.
  void ShowCloneError(int code);
  // The message text ShowCloneError shows for a code; empty for 0.
  std::string CloneErrorText(int code);

  // Progress of the running read or write.
  int TotalBytes() const { return totalBytes_; }
  int TransferredBytes() const { return cloneDrv_.DataBytesTransferred(); }
  int FilledSegments() const;

  // The main script: speed switch, optional password, mode, and the speed of the
  // exchange; text elements in parentheses reopen the port with those settings.
  static std::string MainScript(int modelCode, bool highSpeed, const std::string* password, bool forWrite);
  // The speed command element that leaves the radio at the given speed: at 38400 baud
  // down to 9600, or at 9600 baud up to 38400.
  static std::string SpeedElement(int modelCode, bool highSpeed);

  const cmcCloneDrv& CloneDriver() const { return cloneDrv_; }
  const imcCloneDrv& AdjustDriver() const { return adjustDrv_; }

 private:
  static void OnDriverDone(void* context, dst_CDrv_Result& result);
  void Complete(dst_CDrv_Result& result);
  void PrepareMainScript(bool highSpeed, bool withPassword, bool forWrite);
  void PrepareAdjustScript(bool highSpeed);
  // Common start: mode, callback and disabled windows; undone when the start fails.
  void Begin(uint8_t mode, Callback callback, void* context);
  bool Started(bool started);
  void OpenProgress();
  void OnProgressTick();
  std::string Text(const char* key, int line);

  cmcGTex& overlay_;
  const cmcSerialFactory& devices_;
  const int& comPort_;
  const int& comSpeedHigh_;
  const std::string& clonePassword_;
  cmcPrompts& prompts_;
  dst_AdjustState& adjust_;
  indCloneWindows* windows_ = nullptr;
  indCloneProgress* progress_ = nullptr;

  Callback callback_ = nullptr;
  void* context_ = nullptr;
  Callback identityHook_ = nullptr;
  void* identityContext_ = nullptr;
  Callback postReadHook_ = nullptr;
  void* postReadContext_ = nullptr;
  int totalBytes_ = 0;
  uint8_t mode_ = kModeNone;
  bool sendPassword_ = false;
  bool passwordSent_ = false;  // the running or last read or write sent the clone password
  bool commandLine_ = false;
  bool echoRemembered_ = false;
  bool factoryAdjustMode_ = false;
  bool progressOpen_ = false;
  bool closing_ = false;
  int modelCode_ = 0;
  int rememberedSpeed_ = kSpeedUnknown;
  // The COM port the remembered speed belongs to.
  int speedPort_ = 0;
  // The driver of the last exchange started, for the reason a port did not open.
  const cmcCloneDrv* lastDriver_ = nullptr;
  cmcTask progressTask_;
  // Last, so a driver destroyed mid-exchange still finds the rest of the manager.
  cmcCloneDrv cloneDrv_;
  imcCloneDrv adjustDrv_;
};
