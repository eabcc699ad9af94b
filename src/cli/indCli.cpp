#include "cli/indCli.h"

#include <functional>
#include <map>

#include "cli/indCliCells.h"
#include "cli/indCliDump.h"
#include "cli/indCliRadio.h"
#include "cli/indCliSession.h"

namespace {

constexpr char kUsage[] =
    "usage: rx93kit-cli COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  check FILE                   open FILE as the desktop program's Open does; the exit\n"
    "                               status is the clone file result code (0 accepted, 1-9 refused)\n"
    "  normalize FILE -o OUT        open FILE as Open does and save it to OUT as Save does\n"
    "  get FILE CELL...             print each cell: its binding, a tab and the text shown\n"
    "  set FILE -o OUT CELL=TEXT... enter each TEXT into its cell as typed, then save to OUT\n"
    "  key FILE -o OUT CELL KEY...  press the keys on the cell as on a sheet (space, backspace,\n"
    "                               enter or one character; an editor that opens takes the\n"
    "                               following keys and is committed at the end), then save\n"
    "  dump FILE [SHEET] [--maker]  print SHEET, a sheet reference as the tree names it (e.g.\n"
    "                               \"[St_ChBank]GI_Sheet_Mch_Lmr,Bank 3\"), as a table: one line\n"
    "                               per row, its cells' texts tab-separated; without SHEET every\n"
    "                               sheet of the tree for the file's model, each after a line\n"
    "                               \"# CAPTION<tab>SHEET\"; --maker turns maker reserve mode on\n"
    "  sheets FILE [--maker]        list the tree's sheets for the file's model: SHEET<tab>CAPTION\n"
    "  cells FILE SHEET [--maker]   list the cells of SHEET: CELL<tab>CAPTION<tab>TEXT, the names\n"
    "                               get, set and key take\n"
    "  --help                       show this text\n"
    "\n"
    "A CELL is written [CATEGORY.]LABEL[INDEX], as in CT_Mch.CL_Mch_FreqR[5], or as the cells\n"
    "command lists it; a LABEL without its CATEGORY takes the one the file's sheets give it.\n"
    "Channel indexes count across all banks. A choice cell takes the text of any of its\n"
    "choices. Unknown names, indexes out of range, labels not handled yet, restricted settings,\n"
    "settings the file's model type does not store and refused input are reported on stderr\n"
    "with the reason and exit status 65, and OUT is then not written.\n";

using dst_CliCommand = std::function<int(const dst_CliArgs&, std::ostream&, std::ostream&, const std::string&)>;

int Usage(std::ostream& err, const std::string& problem) {
  err << "rx93kit-cli: " << problem << "\n" << kUsage << "\n" << indCliRadio::Usage();
  return kCliUsageError;
}

int Check(const dst_CliArgs& a, std::ostream&, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() != 1 || !a.output.empty()) return Usage(err, "check takes one FILE");
  indCliSession s(err, exeDir);
  s.Main().OpenCloneFile(a.positional[0], false);
  return s.Main().LastFileError();
}

int Normalize(const dst_CliArgs& a, std::ostream&, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() != 1 || a.output.empty()) return Usage(err, "normalize takes FILE -o OUT");
  indCliSession s(err, exeDir);
  if (s.Main().OpenCloneFile(a.positional[0], false)) return s.Main().LastFileError();
  s.Main().SaveCloneFile(a.output);
  return s.Main().LastFileError();
}

int Get(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() < 2 || !a.output.empty()) return Usage(err, "get takes FILE CELL...");
  return indCliCells::Get(a, out, err, exeDir);
}

int Set(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() < 2 || a.output.empty()) return Usage(err, "set takes FILE -o OUT CELL=TEXT...");
  return indCliCells::Set(a, out, err, exeDir);
}

int Key(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() < 3 || a.output.empty()) return Usage(err, "key takes FILE -o OUT CELL KEY...");
  return indCliCells::Key(a, out, err, exeDir);
}

int Dump(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.empty() || a.positional.size() > 2 || !a.output.empty())
    return Usage(err, "dump takes FILE [SHEET] [--maker]");
  return indCliDump::Run(a, out, err, exeDir);
}

int Sheets(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() != 1 || !a.output.empty()) return Usage(err, "sheets takes FILE [--maker]");
  return indCliDump::Sheets(a, out, err, exeDir);
}

int Cells(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() != 2 || !a.output.empty()) return Usage(err, "cells takes FILE SHEET [--maker]");
  return indCliDump::Cells(a, out, err, exeDir);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  return RunCli(args, out, err, exeDir, dst_CliTerminal{});
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir,
           bool errIsTerminal) {
  dst_CliTerminal terminal;
  terminal.errIsTerminal = errIsTerminal;
  return RunCli(args, out, err, exeDir, terminal);
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir,
           const dst_CliTerminal& terminal) {
  if (args.empty()) return Usage(err, "no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage << "\n" << indCliRadio::Usage();
    return 0;
  }
  // The radio commands take options of their own.
  if (indCliRadio::IsCommand(command)) {
    const indCliRadio::Options options = indCliRadio::Parse(args);
    if (!options.problem.empty()) return Usage(err, options.problem);
    return indCliRadio::Run(options, out, err, exeDir, terminal);
  }
  static const std::map<std::string, dst_CliCommand> commands = {
      {"check", Check}, {"normalize", Normalize}, {"get", Get},       {"set", Set},
      {"key", Key},     {"dump", Dump},           {"sheets", Sheets}, {"cells", Cells}};
  const auto it = commands.find(command);
  if (it == commands.end()) return Usage(err, "unknown command '" + command + "'");
  const dst_CliArgs parsed = indCliSession::ParseArgs(args);
  if (parsed.maker && command != "dump" && command != "sheets" && command != "cells")
    return Usage(err, "--maker is an option of dump, sheets and cells only");
  return it->second(parsed, out, err, exeDir);
}
