#pragma once
// rx93kit-cli's radio commands (ports, info, read, write): the program's long-lived
// objects with a clone manager on a real-time loop, its port chosen by the options (a
// port number, a device path, or the demo radio in-process), its messages worded for the
// command line, the questions answered by the options or asked on a terminal. read
// checks that its file can be made before the radio is read and saves the data beside
// the working folder when saving fails; write compares the radio's model type with the
// file's first. Exit status: the outcome of the command's exchanges.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cmcTextProgress.h"
#include "cli/dst_CliTerminal.h"
#include "cli/indCliSeams.h"
#include "clone/cmcDemoRadio.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "clone/cmcSleepWaiter.h"

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
    bool modelCheck = true;  // write reads the radio first to compare its model type
    // Why the command line cannot be used; empty when it can.
    std::string problem;
  };

  static bool IsCommand(const std::string& name);
  static const char* Usage();
  static Options Parse(const std::vector<std::string>& args);
  // Runs a parsed radio command without a problem; the exit status. Progress bars go
  // to err when it is a terminal; questions are asked on the terminal's input.
  static int Run(const Options& options, std::ostream& out, std::ostream& err, const std::string& exeDir,
                 const dst_CliTerminal& terminal);
  // ports: one line per serial device found and the simulated radio: its number, device,
  // description and by-id names, tab-separated. The folders are parameters for tests.
  static int Ports(std::ostream& out, const std::string& devDir = "/dev",
                   const std::string& sysTtyDir = "/sys/class/tty", const std::string& byIdDir = "/dev/serial/by-id");
  // The radio information record as text, one field a line.
  static std::string InfoText(const indMain& main);

  // The options' port, speed and answers; out receives the clone information.
  indCliRadio(const Options& options, std::ostream& out, std::ostream& err, const std::string& exeDir,
              const dst_CliTerminal& terminal);

  // The commands; each returns its exit status.
  int Info();
  int Read(const std::string& path);
  int Write(const std::string& path);
  // Runs the loop until the running command's exchanges are over; its outcome.
  int WaitForOutcome();

  indMain& Main() { return program_.Main(); }
  cmcEventLoop& Loop() { return seams_.loop; }
  cmcDemoRadio& DemoRadio() { return demo_; }

 private:
  // Saves what was read where the working folder is, under a name no file has; the path,
  // or empty when that fails too.
  std::string SaveElsewhere();
  // The model type's name as the tree shows it.
  std::string ModelName(int type);
  // After a write refused before any exchange: the sheets whose checks carry an error
  // mark, each as its caption and its reference, which the sheet marks give on screen.
  void ReportCheckErrors();

  class View : public indMainView {
   public:
    View(std::ostream& out, const indMain& main) : out_(out), main_(main) {}
    void ShowCloneInfo(const std::string&, const std::string&) override { out_ << InfoText(main_); }

   private:
    std::ostream& out_;
    const indMain& main_;
  };

  std::ostream& err_;
  bool modelCheck_;
  indCliSeams seams_;
  cmcPortTable ports_;
  cmcSerialFactory devices_;
  cmcDemoRadio demo_;  // outlives the program: an exchange still running ends on it
  cmcSleepWaiter waiter_;
  cmcTextProgress progress_;
  indMain::CloneServices line_;
  indProgram program_;
  View view_;
};
