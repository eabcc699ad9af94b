#pragma once
// rx93kit-cli: the command-line tool on the same core as the desktop program. Each
// command builds the program's long-lived objects (settings in memory only, the
// overlays beside the executable, the event manager on a console loop and the model
// controller) and works on clone files as the desktop program's commands do.
#include <ostream>
#include <string>
#include <vector>

#include "cli/dst_CliTerminal.h"

// Exit status of a command line that cannot be understood.
inline constexpr int kCliUsageError = 64;

// Runs one command line (without the program name); exeDir ends with "/". Nobody is
// there to answer questions.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
// As above; the radio commands draw their progress bar on err when it is a terminal.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir,
           bool errIsTerminal);
// As above on the terminal's streams: questions are asked on its input when that is a
// terminal.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir,
           const dst_CliTerminal& terminal);
