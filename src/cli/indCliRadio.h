#pragma once
// rx93kit-cli's radio commands (info, read, write): a session of the program's
// long-lived objects with a clone manager on a real-time loop, its port chosen by the
// options (a port number, a device path, or the demo radio in-process), the questions
// answered by the options. Exit status: the outcome of the command's exchanges.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cmcTextProgress.h"
#include "clone/cmcDemoRadio.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "clone/cmcSleepWaiter.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcLanguages.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcEventLoop.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcStreamPrompts.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"

class indCliRadio {
 public:
  // Exit status when the clone file to write cannot be used or the one read cannot be
  // saved (the file's message is on stderr).
  static constexpr int kExitFileError = 21;

  struct Options {
    std::string command;
    std::vector<std::string> positional;
    std::string output;
    int port = 0;
    std::string device;
    bool simulated = false;
    std::optional<bool> highSpeed;
    std::optional<std::string> password;
    bool yes = false;
    // Why the command line cannot be used; empty when it can.
    std::string problem;
  };

  static bool IsCommand(const std::string& name);
  static const char* Usage();
  static Options Parse(const std::vector<std::string>& args);
  // Runs a parsed radio command without a problem; the exit status. Progress bars go
  // to err when it is a terminal.
  static int Run(const Options& options, std::ostream& out, std::ostream& err, const std::string& exeDir,
                 bool errIsTerminal);
  // The radio information record as text, one field a line.
  static std::string InfoText(const indMain& main);

  // The options' port, speed and answers; out receives the clone information.
  indCliRadio(const Options& options, std::ostream& out, std::ostream& err, const std::string& exeDir,
              bool errIsTerminal);

  // The commands; each returns its exit status.
  int Info();
  int Read(const std::string& path);
  int Write(const std::string& path);
  // Runs the loop until the running command's exchanges are over; its outcome.
  int WaitForOutcome();

  indMain& Main() { return main_; }
  cmcEventLoop& Loop() { return loop_; }
  cmcDemoRadio& DemoRadio() { return demo_; }

 private:
  class View : public indMainView {
   public:
    View(std::ostream& out, const indMain& main) : out_(out), main_(main) {}
    void ShowCloneInfo(const std::string&, const std::string&) override { out_ << InfoText(main_); }

   private:
    std::ostream& out_;
    const indMain& main_;
  };

  cmcMemorySettingsStore store_;  // the command line never touches the user's settings
  cmcMemoryInstanceGuard guard_;
  indEnviron environ_;
  cmcGTex mainOverlay_;
  cmcGTex indexOverlay_;
  cmcHelpGTex helpOverlay_;
  cmcEventLoop loop_;
  cmcEvMan events_;
  cmcStreamPrompts prompts_;
  cmcLanguages languages_;
  cmcPortTable ports_;
  cmcSerialFactory devices_;
  cmcDemoRadio demo_;
  cmcSleepWaiter waiter_;
  cmcTextProgress progress_;
  indMain main_;
  View view_;
};
