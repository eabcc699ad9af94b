// The clone manager against the simulated radio behind a line tap: the scripts on the
// wire at their speeds, the remembered speed, one exchange at a time, the completion
// order with hooks, windows and progress, and the clone error messages.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CloneRig.h"
#include "LineTap.h"
#include "clone/indCloneMan.h"
#include "clone/indCloneProgress.h"
#include "clone/indCloneWindows.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcScriptedPrompts.h"

namespace {

using R = dst_CDrv_Result;
using Segment = LineTap::Run;

Bytes Fe(int n) { return Bytes(static_cast<size_t>(n), 0xFE); }
// A service command as the scripts send it: model code, then always 0000.
Bytes Service(int model, Bytes tail) {
  return Concat(
      {{0xEE, 0xEF, 0xE8, static_cast<uint8_t>(model >> 8), static_cast<uint8_t>(model), 0x00, 0x00}, tail, {0xFD}});
}
Bytes SpeedTo9600(int model) { return Concat({Fe(20), Service(model, {0x01, '2', '7'})}); }
Bytes SpeedTo38400(int model) { return Concat({Fe(20), Service(model, {0x01, '0', '9'})}); }
Bytes Mode(int model, char mode) { return Concat({Fe(2), Service(model, {0x55, '0', static_cast<uint8_t>(mode)})}); }
const Bytes kProbe = Fe(4);
const Bytes kE2 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x36, 0x21, 0x00, 0x01, 0xFD};
const Bytes kE3 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x36, 0x21, 0x00, 0x01, 0xFD};

struct ManRig : indCloneWindows, indCloneProgress {
  // Records message boxes in the rig's log as they are shown.
  struct Prompts : cmcScriptedPrompts {
    explicit Prompts(std::vector<std::string>& l) : log(l) {}
    cmcPromptAnswer Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                        const std::string& text) override {
      log.push_back("message");
      return cmcScriptedPrompts::Ask(icon, buttons, caption, text);
    }
    std::vector<std::string>& log;
  };

  ManRig() {
    table.SetEntry(kRadioPort, "sim:");
    factory.Register("sim:", [this](const std::string&) { return std::make_unique<cmcSerialRef>(tap); });
    overlay.SetFile((std::filesystem::path(RX93_BIN_DIR) / "RX93KITD_ENG.OVL").string());
    working.SetSize(cmcEeprom::kImageSize);
    line.comPort = kRadioPort;
    line.comSpeedHigh = 0;
    man.SetWindows(this);
    man.SetProgress(this);
    man.SetModelCodes(0x3621, 0x0001);
    man.SetImageSize(cmcEeprom::kImageSize);
  }

  // indCloneWindows and indCloneProgress
  void SetWindowsEnabled(bool enabled) override { log.push_back(enabled ? "enable" : "disable"); }
  void FocusMainWindow() override { log.push_back("focus"); }
  void Open() override { log.push_back("open"); }
  void Update(int transferred, int total, int filled) override {
    log.push_back("update");
    updates.push_back({transferred, total, filled});
  }
  void Close() override { log.push_back("close"); }

  static void OnDone(void* self, R& result) {
    auto* rig = static_cast<ManRig*>(self);
    rig->log.push_back("done:" + std::to_string(result.code));
    rig->results.push_back(result);
    rig->modeInCallback = rig->man.Mode();
    rig->busyInCallback = rig->man.IsBusy();
    if (rig->then) std::exchange(rig->then, nullptr)();
  }
  static void IdentityHook(void* self, R& result) {
    auto* rig = static_cast<ManRig*>(self);
    rig->log.push_back("identity");
    if (rig->hookCode >= 0) result.code = static_cast<uint8_t>(rig->hookCode);
  }
  static void PostReadHook(void* self, R& result) {
    static_cast<ManRig*>(self)->log.push_back("post-read");
    (void)result;
  }

  // The hooks get the rig itself as their context.
  void UseIdentityHook() { man.SetIdentityHook(&IdentityHook, this); }
  void UsePostReadHook() { man.SetPostReadHook(&PostReadHook, this); }

  bool Identify() { return man.Identify(&OnDone, this); }
  bool Read(const cmcAddressRanges& ranges) { return man.Read(&ranges, &OnDone, this); }
  bool Write(const cmcEeprom& image, const cmcAddressRanges& ranges) { return man.Write(image, ranges, &OnDone, this); }
  bool Single() { return man.AdjustSingle(&OnDone, this); }
  bool Sweep() { return man.AdjustSweep(&OnDone, this); }
  bool Sequence() { return man.AdjustSequence(&OnDone, this); }

  // Runs until the count of completed exchanges reaches n.
  const R& RunUntil(size_t n) {
    for (uint32_t t = 0; results.size() < n && t < kRunLimitMs; t += 10) clock.Advance(10);
    if (results.size() < n) results.resize(n);
    return results[n - 1];
  }
  const R& RunToEnd() { return RunUntil(results.size() + 1); }

  // The log without progress updates.
  std::vector<std::string> Steps() const {
    std::vector<std::string> out;
    for (const std::string& s : log)
      if (s != "update") out.push_back(s);
    return out;
  }
  std::string Line(const char* key, int n) { return overlay.GetLine(key, n); }

  struct Progress {
    int transferred, total, filled;
  };

  cmcVirtualClock clock;
  VirtualWaiter waiter{clock};
  cmcPortTable table;
  cmcSerialFactory factory{table};
  cmcSimRadio radio{clock};
  LineTap tap{radio};
  cmcGTex overlay;
  cmcEvMan events{clock};
  // The user's line choices the manager reads at every start.
  struct Line {
    int comPort = 1;
    int comSpeedHigh = 1;
    std::string clonePassword;
  } line;
  std::vector<std::string> log;
  Prompts prompts{log};
  dst_AdjustState adjust;
  cmcEeprom working;
  std::vector<R> results;
  std::vector<Progress> updates;
  std::function<void()> then;
  int hookCode = -1;
  uint8_t modeInCallback = 99;
  bool busyInCallback = true;
  indCloneMan man{{clock, clock, factory, waiter, overlay, events, line.comPort, line.comSpeedHigh, line.clonePassword,
                   prompts, adjust, working}};
};

struct CloneManTest : ::testing::Test, ManRig {};

TEST_F(CloneManTest, AReadAtLowSpeedWithoutPasswordSwitchesSpeedSelectsReadModeAndSendsE2) {
  const cmcAddressRanges ranges{{0, 0xFF}};
  radio.SetReadRanges(ranges);
  UsePostReadHook();
  ASSERT_TRUE(Read(ranges));
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  const std::vector<Segment> expected = {
      {38400, SpeedTo9600(0x3621)},
      {9600, Mode(0x3621, '0')},
      {38400, SpeedTo9600(0x3621)},
      {9600, Concat({kProbe, Fe(12), kE2})},
  };
  EXPECT_EQ(tap.runs, expected);
  EXPECT_EQ(radio.Mode(), "00");
  EXPECT_EQ(man.RememberedSpeed(), indCloneMan::kSpeedLow);
}

uint8_t Pattern(int address) { return static_cast<uint8_t>(address * 5 + 1); }

TEST_F(CloneManTest, AWriteAtHighSpeedWithPasswordUnlocksSelectsWriteModeAndRaisesTheSpeed) {
  line.comSpeedHigh = 1;
  line.clonePassword = "AB";
  radio.GetIdentity().flags = cmcSimRadio::kFlagPassword;
  radio.SetPassword("AB");
  man.SetSendPassword(true);
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  for (int a = 0; a < image.GetSize(); ++a) image.SetByte(a, Pattern(a));
  ASSERT_TRUE(Write(image, {{0x200, 0x2FF}}));
  EXPECT_EQ(RunToEnd().code, R::kSuccess);

  ASSERT_EQ(tap.runs.size(), 4u);
  EXPECT_EQ(tap.runs[0], (Segment{38400, SpeedTo9600(0x3621)}));
  EXPECT_EQ(tap.runs[1],
            (Segment{9600, Concat({Fe(2), Service(0x3621, {0x99, 0x02, 0x7D, 'A', 'B'}), Mode(0x3621, '1')})}));
  EXPECT_EQ(tap.runs[2], (Segment{9600, SpeedTo38400(0x3621)}));
  const Bytes head = Concat({kProbe, Fe(48), kE3});
  EXPECT_EQ(tap.runs[3].baud, 38400);
  EXPECT_EQ(Bytes(tap.runs[3].bytes.begin(), tap.runs[3].bytes.begin() + static_cast<std::ptrdiff_t>(head.size())),
            head);
  for (int a = 0x200; a <= 0x2FF; ++a) ASSERT_EQ(radio.Image().GetByte(a), Pattern(a)) << a;
  EXPECT_EQ(man.RememberedSpeed(), indCloneMan::kSpeedHigh);

  // The password went with that write only: the next read sends none, and the radio,
  // locked again, ignores it.
  EXPECT_FALSE(man.SendPassword());
  const size_t before = radio.ServiceLog().size();
  UsePostReadHook();
  ASSERT_TRUE(Read({{0, 0xFF}}));
  EXPECT_EQ(RunToEnd().code, R::kTimeOut);
  for (size_t i = before; i < radio.ServiceLog().size(); ++i)
    EXPECT_NE(radio.ServiceLog()[i].code, cmcSimRadio::kServicePassword);
}

struct PasswordCase {
  const char* name;
  std::string password;
  Bytes element;  // after command 99: length, checksum, characters
};

TEST(CloneManScript, ThePasswordCommandCarriesLengthChecksumAndCharactersSummingToZero) {
  const PasswordCase cases[] = {
      {"two letters", "AB", {0x02, 0x7D, 'A', 'B'}},
      {"characters summing to 256 give checksum 00", "dd8", {0x03, 0x00, 'd', 'd', '8'}},
      {"sixteen characters", "0123456789ABCDEF", {}},
  };
  for (const PasswordCase& c : cases) {
    const std::string script = indCloneMan::MainScript(0x3621, false, &c.password, false);
    const size_t from = script.find(" 99 ");
    ASSERT_NE(from, std::string::npos) << c.name;
    const size_t to = script.find(" FD", from);
    const std::vector<uint8_t> bytes = cmcHexToBytes(script.substr(from + 4, to - from - 4));
    ASSERT_EQ(bytes.size(), c.password.size() + 2) << c.name;
    EXPECT_EQ(bytes[0], c.password.size()) << c.name;
    uint8_t sum = 0;
    for (size_t i = 1; i < bytes.size(); ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    EXPECT_EQ(sum, 0) << c.name;
    if (!c.element.empty()) {
      EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), c.element) << c.name;
    }
  }
  EXPECT_EQ(indCloneMan::MainScript(0x3621, false, nullptr, false).find(" 99 "), std::string::npos);
}

Bytes Command(int code, int parameter) {
  cmcBuff frame = imcCloneDrv::CommandFrame(0, 0, code, parameter);
  return Bytes(frame.Data(), frame.Data() + frame.GetLength());
}

TEST_F(CloneManTest, AdjustmentCommandsAtTheSameSpeedSendTheSpeedScriptOnlyBeforeTheFirst) {
  man.SetModelCodes(0, 0);
  adjust.itemSelector = dst_AdjustState::kSelectNone;  // low speed
  man.SetSingleCommand(20, 100, nullptr);
  ASSERT_TRUE(Single());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  man.SetSingleCommand(20, 101, nullptr);
  ASSERT_TRUE(Single());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  // During a sweep the commands go at high speed.
  adjust.itemSelector = dst_AdjustState::kSelectBpfA;
  man.SetSingleCommand(19, 7, nullptr);
  ASSERT_TRUE(Single());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);

  const std::vector<Segment> expected = {
      {38400, SpeedTo9600(0)}, {9600, Command(20, 100)}, {9600, Command(20, 101)},
      {9600, SpeedTo38400(0)}, {38400, Command(19, 7)},
  };
  EXPECT_EQ(tap.runs, expected);
  EXPECT_EQ(radio.Setting(19), 7);
}

TEST_F(CloneManTest, AReadTimeOutShowsHeadline5WithAdviceAndTheNextExchangeSwitchesSpeedAgain) {
  radio.GetFaults().noAnswer = true;
  UsePostReadHook();
  ASSERT_TRUE(Read({{0, 0xFF}}));
  EXPECT_EQ(RunToEnd().code, R::kTimeOut);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].icon, cmcPromptIcon::Error);
  EXPECT_EQ(prompts.asked[0].caption, "RX-93KIT Dealer");
  EXPECT_EQ(prompts.asked[0].text,
            "The radio did not answer in time.\n\n"
            "Check that the radio is switched on and connected to the clone cable.\n"
            "Check that the clone cable is plugged in firmly at both ends.\n"
            "Check that the port chosen in the Port menu is the port of the clone cable.\n"
            "Close any other program that may be using the port, then try again.");
  EXPECT_EQ(man.RememberedSpeed(), indCloneMan::kSpeedUnknown);

  radio.GetFaults().noAnswer = false;
  tap.runs.clear();
  man.SetSingleCommand(2, 1, nullptr);
  ASSERT_TRUE(Single());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  ASSERT_EQ(tap.runs.size(), 2u);
  EXPECT_EQ(tap.runs[0], (Segment{38400, SpeedTo9600(0x3621)}));
}

struct MessageCase {
  int code;
  std::vector<int> advice;
  bool forgetsSpeed;
};

TEST_F(CloneManTest, EachCodeShowsItsHeadlineAndItsAdviceLines) {
  const MessageCase cases[] = {
      {2, {0, 1, 2, 3}, true},         {4, {0, 1, 2, 3}, true}, {6, {0, 1, 2, 3}, true},  {10, {0, 2, 3}, false},
      {11, {0, 1, 2, 3, 4, 5}, false}, {14, {0, 4, 5}, false},  {15, {0, 1, 2, 3}, true}, {16, {}, false},
      {17, {0, 1, 2, 3}, true},
  };
  for (const MessageCase& c : cases) {
    prompts.asked.clear();
    man.SetRememberedSpeed(indCloneMan::kSpeedLow);
    man.ShowCloneError(c.code);
    ASSERT_EQ(prompts.asked.size(), 1u) << c.code;
    std::string headline = Line("GI_Mess_CloneErr_Head", c.code);
    if (c.code == 2) headline = "COM port 1 could not be opened.";
    std::string expected = headline;
    if (!c.advice.empty()) expected += "\n";
    for (int line : c.advice) expected += "\n" + Line("GI_Mess_CloneErr_Check", line);
    EXPECT_EQ(prompts.asked[0].text, expected) << c.code;
    EXPECT_EQ(prompts.asked[0].caption, Line("GI_Sys_AppTitle", 0)) << c.code;
    EXPECT_EQ(man.RememberedSpeed(), c.forgetsSpeed ? indCloneMan::kSpeedUnknown : indCloneMan::kSpeedLow) << c.code;
  }
  prompts.asked.clear();
  man.ShowCloneError(0);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(man.CloneErrorText(200).substr(0, 48), "The exchange with the radio failed (error 200).\n");
}

TEST_F(CloneManTest, APortThatCannotOpenNamesThePortAndWhyItFailed) {
  cmcMemorySerial unplugged;
  unplugged.SetOpenError(ENOENT);
  table.SetEntry(3, "mem:usb0");
  factory.Register("mem:", [&unplugged](const std::string&) { return std::make_unique<cmcSerialRef>(unplugged); });
  line.comPort = 3;
  UseIdentityHook();
  ASSERT_TRUE(Identify());
  EXPECT_EQ(RunToEnd().code, R::kOpenFailed);
  ASSERT_EQ(prompts.asked.size(), 1u);
  const std::string& text = prompts.asked[0].text;
  EXPECT_EQ(
      text.substr(0, text.find("\n\n")),
      "COM port 3 could not be opened.\nThe serial device mem:usb0 does not exist. Check that the cable is plugged in, "
      "or choose another port.");
}

// On the command line a port is named by its number and device, and the advice names
// the command line's options, never the desktop program's port menu or COM ports.
TEST_F(CloneManTest, CommandLineWordingNamesTheDevice) {
  cmcMemorySerial unplugged;
  unplugged.SetOpenError(ENOENT);
  table.SetEntry(3, "mem:usb0");
  factory.Register("mem:", [&unplugged](const std::string&) { return std::make_unique<cmcSerialRef>(unplugged); });
  man.SetCommandLineWording(true);
  struct Case {
    int port;
    const char* headline;
  } cases[] = {{3, "Port 3 (mem:usb0) could not be opened."}, {200, "Port 200 could not be opened."}};
  for (const Case& c : cases) {
    line.comPort = c.port;
    const std::string text = man.CloneErrorText(R::kOpenFailed);
    EXPECT_EQ(text.substr(0, text.find('\n')), c.headline);
    EXPECT_EQ(text.find("COM"), std::string::npos) << text;
    EXPECT_EQ(text.find("Port menu"), std::string::npos) << text;
    EXPECT_NE(text.find(Line("GI_Mess_CloneErr_Check_Cli", 0)), std::string::npos) << text;
  }
}

// A device the user may not open: the command line adds how to install the udev rule
// that gives the logged-in user access; the desktop program's text stays as it is.
TEST_F(CloneManTest, ADeviceWithoutPermissionPointsTheCommandLineToTheUdevRule) {
  cmcMemorySerial locked;
  locked.SetOpenError(EACCES);
  table.SetEntry(3, "mem:usb0");
  factory.Register("mem:", [&locked](const std::string&) { return std::make_unique<cmcSerialRef>(locked); });
  line.comPort = 3;
  const std::string hint = Line("GI_Mess_PortErr_UdevHint", 0);
  ASSERT_NE(hint.find("60-rx93kit.rules"), std::string::npos);
  for (const bool commandLine : {false, true}) {
    man.SetCommandLineWording(commandLine);
    UseIdentityHook();
    ASSERT_TRUE(Identify());
    EXPECT_EQ(RunToEnd().code, R::kOpenFailed);
    const std::string text = man.CloneErrorText(R::kOpenFailed);
    EXPECT_NE(text.find("no permission"), std::string::npos) << text;
    EXPECT_EQ(text.find(hint) != std::string::npos, commandLine) << text;
  }
}

// A radio given a wrong clone password stays silent, so a time-out after the password
// was sent says that a wrong password looks the same; without a password it does not.
TEST_F(CloneManTest, ATimeOutAfterThePasswordMentionsAWrongPassword) {
  const std::string hint = Line("GI_Mess_CloneErr_WrongPassword", 0);
  EXPECT_EQ(man.CloneErrorText(R::kTimeOut).find(hint), std::string::npos);
  man.SetSendPassword(true);
  ASSERT_TRUE(Read({{0, 0xFF}}));
  RunToEnd();
  EXPECT_NE(man.CloneErrorText(R::kTimeOut).find(hint), std::string::npos);
  EXPECT_EQ(man.CloneErrorText(R::kBadFrame).find(hint), std::string::npos);
}

TEST_F(CloneManTest, NoExchangeStartsWhileOneRuns) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  const std::function<bool()> starts[] = {
      [this] { return Identify(); },
      [this] {
        return Read({{0, 0xFF}});
      },
      [this, &image] {
        return Write(image, {{0x200, 0x2FF}});
      },
      [this] { return Single(); },
      [this] { return Sweep(); },
      [this] { return Sequence(); },
  };
  // One exchange on each driver in turn: an identification, then an adjustment command.
  UseIdentityHook();
  for (int running = 0; running < 2; ++running) {
    log.clear();
    man.SetSingleCommand(2, 1, nullptr);
    ASSERT_TRUE(running == 0 ? Identify() : Single());
    ASSERT_TRUE(man.IsBusy());
    const uint8_t mode = man.Mode();
    for (size_t i = 0; i < std::size(starts); ++i) {
      EXPECT_FALSE(starts[i]()) << running << " " << i;
      EXPECT_EQ(man.Mode(), mode);
    }
    EXPECT_EQ(RunToEnd().code, R::kSuccess);
    EXPECT_EQ(Steps().front(), "disable");
    EXPECT_EQ(std::count(log.begin(), log.end(), "disable"), 1);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.starts_with("done"); }), 1);
  }
}

TEST_F(CloneManTest, TheIdentityHookRunsFirstThenTheMessageTheWindowsAndTheCallbackOnce) {
  UseIdentityHook();
  hookCode = 14;
  ASSERT_TRUE(Identify());
  EXPECT_EQ(RunToEnd().code, 14);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"disable", "identity", "message", "enable", "done:14"}));
  EXPECT_EQ(prompts.asked[0].text.substr(0, prompts.asked[0].text.find('\n')), Line("GI_Mess_CloneErr_Head", 14));
  EXPECT_EQ(modeInCallback, indCloneMan::kModeNone);
  EXPECT_FALSE(busyInCallback);
  clock.Advance(5000);
  EXPECT_EQ(results.size(), 1u);
}

TEST_F(CloneManTest, WithoutHooksAnIdentificationGives11AndAReadGives8) {
  ASSERT_TRUE(Identify());
  EXPECT_EQ(RunToEnd().code, indCloneMan::kIdentityRefused);
  radio.SetReadRanges({{0, 0xFF}});
  ASSERT_TRUE(Read({{0, 0xFF}}));
  EXPECT_EQ(RunToEnd().code, R::kMissing);
}

TEST_F(CloneManTest, AReadShowsProgressAndClosesItAfterThePostReadHook) {
  const cmcAddressRanges ranges{{0, 0x1FF}};
  radio.SetReadRanges(ranges);
  radio.SetRate(2);
  UsePostReadHook();
  ASSERT_TRUE(Read(ranges));
  EXPECT_EQ(man.TotalBytes(), 0x200);
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"disable", "open", "post-read", "enable", "focus", "close", "done:0"}));
  ASSERT_FALSE(updates.empty());
  EXPECT_TRUE(std::any_of(updates.begin(), updates.end(),
                          [](const Progress& p) { return p.transferred > 0 && p.transferred < p.total; }));
  for (const Progress& p : updates) {
    EXPECT_EQ(p.total, 0x200);
    EXPECT_EQ(p.filled, indCloneProgress::FilledSegments(p.transferred, p.total));
  }
}

TEST(CloneManProgress, TheBarFillsTransferredTimes33OverTotalSegments) {
  struct Case {
    int transferred, total, filled;
  };
  const Case cases[] = {{0, 0, 0},          {10, 0, 0},     {0, 32128, 0}, {50, 100, 16},
                        {16064, 32128, 16}, {100, 100, 33}, {3, 100, 0},   {4, 100, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(indCloneProgress::FilledSegments(c.transferred, c.total), c.filled) << c.transferred << "/" << c.total;
}

TEST_F(CloneManTest, ACallbackMayStartTheNextExchange) {
  UseIdentityHook();
  UsePostReadHook();
  radio.SetReadRanges({{0, 0xFF}});
  then = [this] { EXPECT_TRUE(Read({{0, 0xFF}})); };
  ASSERT_TRUE(Identify());
  EXPECT_EQ(RunUntil(1).code, R::kSuccess);
  EXPECT_EQ(man.Mode(), indCloneMan::kModeRead);
  EXPECT_TRUE(man.IsBusy());
  EXPECT_EQ(RunUntil(2).code, R::kSuccess);
  EXPECT_EQ(man.Mode(), indCloneMan::kModeNone);
}

TEST_F(CloneManTest, FailuresResetTheAdjustmentStateExceptAfterASingleCommand) {
  radio.GetFaults().noAnswer = true;
  uint8_t five = 5, reading = 0;
  const imcCloneDrv::Command table[] = {{3, &five, &reading}, {0xFF, nullptr, nullptr}};
  struct Case {
    const char* name;
    std::function<bool()> start;
    bool resets;
  };
  const Case cases[] = {
      {"single command",
       [&] {
         man.SetSingleCommand(3, 5, &reading);
         return Single();
       },
       false},
      {"sequence",
       [&] {
         man.SetCommandTable(table);
         return Sequence();
       },
       true},
      {"sweep", [&] { return Sweep(); }, true},
  };
  for (const Case& c : cases) {
    adjust.state = dst_AdjustState::kAfterAdjustRead;
    adjust.subState = 3;
    ASSERT_TRUE(c.start()) << c.name;
    EXPECT_EQ(RunToEnd().code, R::kTimeOut) << c.name;
    EXPECT_EQ(adjust.state, c.resets ? 0 : dst_AdjustState::kAfterAdjustRead) << c.name;
    EXPECT_EQ(adjust.subState, c.resets ? 0 : 3) << c.name;
  }
}

TEST_F(CloneManTest, InFactoryAdjustmentModeASingleCommandGivesTheFocusBack) {
  for (bool factory : {false, true}) {
    log.clear();
    man.SetFactoryAdjustMode(factory);
    man.SetSingleCommand(2, 1, nullptr);
    ASSERT_TRUE(Single());
    EXPECT_EQ(RunToEnd().code, R::kSuccess);
    const std::vector<std::string> expected = factory ? std::vector<std::string>{"disable", "enable", "focus", "done:0"}
                                                      : std::vector<std::string>{"disable", "enable", "done:0"};
    EXPECT_EQ(Steps(), expected) << factory;
  }
}

TEST_F(CloneManTest, AManagerDestroyedMidExchangeStillCallsTheRequesterOnceAndShowsNothing) {
  auto early = std::make_unique<indCloneMan>(indCloneMan::Services{clock, clock, factory, waiter, overlay, events,
                                                                   line.comPort, line.comSpeedHigh, line.clonePassword,
                                                                   prompts, adjust, working});
  early->SetWindows(this);
  early->SetModelCodes(0x3621, 1);
  ASSERT_TRUE(early->Identify(&OnDone, static_cast<ManRig*>(this)));
  clock.Advance(20);
  log.clear();
  early.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"done:1"}));
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_FALSE(radio.IsOpen());
}

TEST_F(CloneManTest, ASweepOnAnEchoingCableUsesTheEchoFlagTakenAfterARead) {
  radio.SetEcho(cmcSimRadio::Echo::All);
  radio.SetReadRanges({{0, 0xFF}});
  UsePostReadHook();
  ASSERT_TRUE(Read({{0, 0xFF}}));
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_TRUE(man.CloneDriver().EchoPresent());
  man.TakeEchoPresent();

  radio.SetAdReader([](const cmcSimRadio& r, int) -> uint8_t {
    const int v = r.Setting(imcCloneDrv::kSetBpfA);
    return static_cast<uint8_t>(v <= 128 ? v : 256 - v);
  });
  adjust.itemSelector = dst_AdjustState::kSelectBpfA;
  ASSERT_TRUE(Sweep());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_TRUE(man.AdjustDriver().EchoPresent());
  EXPECT_EQ(adjust.bpf[0].highest, 128);
  EXPECT_EQ(adjust.bpf[0].first, 128);
  EXPECT_EQ(adjust.bpf[0].last, 128);
  EXPECT_EQ(working.GetByte(imcCloneDrv::kAddrBpfA), 255);
  EXPECT_EQ(radio.RadioBaud(), 38400);
}

TEST_F(CloneManTest, AnAdUpdateSequenceReadsEveryChannelIntoItsReading) {
  uint8_t channels[3] = {1, 5, 18};
  uint8_t readings[3] = {};
  for (int i = 0; i < 3; ++i) radio.SetAdReading(channels[i], static_cast<uint8_t>(0x10 * (i + 1)));
  const imcCloneDrv::Command table[] = {
      {3, &channels[0], &readings[0]}, {3, &channels[1], &readings[1]}, {3, &channels[2], &readings[2]}, {}};
  man.SetCommandTable(table);
  EXPECT_TRUE(man.IsCommandPending());
  ASSERT_TRUE(Sequence());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(Bytes(readings, readings + 3), Bytes({0x10, 0x20, 0x30}));
}

}  // namespace
