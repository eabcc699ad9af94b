#include "shell/indCli.h"

#include <functional>
#include <map>
#include <memory>

#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcLanguages.h"
#include "shell/cmcEvMan.h"
#include "shell/cmcEventLoop.h"
#include "shell/cmcMemoryInstanceGuard.h"
#include "shell/cmcMemorySettingsStore.h"
#include "shell/cmcStreamPrompts.h"
#include "shell/indCliRadio.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"

namespace {

constexpr char kUsage[] =
    "usage: rx93kit-cli COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  check FILE              open FILE as the desktop program's Open does; the exit status\n"
    "                          is the clone file result code (0 accepted, 1-9 refused)\n"
    "  normalize FILE -o OUT   open FILE as Open does and save it to OUT as Save does\n"
    "  --help                  show this text\n";

// The program's long-lived objects, in the order the desktop program creates them.
class Session {
 public:
  Session(std::ostream& err, const std::string& exeDir)
      : guard_(std::make_shared<cmcMemoryInstanceGuard::Registry>()),
        environ_(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store_, guard_,
                 indEnviron::Rect{0, 0, 1024, 768}),
        events_(loop_),
        prompts_(err, false),
        languages_(exeDir, indexOverlay_, mainOverlay_, helpOverlay_),
        main_(mainOverlay_, environ_, events_, prompts_, exeDir, std::string()) {
    environ_.language = languages_.Open(environ_.language);
    main_.StartUp();
  }
  indMain& Main() { return main_; }

 private:
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
  indMain main_;
};

struct Args {
  std::vector<std::string> positional;
  std::string output;
  bool bad = false;
};

Args ParseArgs(const std::vector<std::string>& args) {
  Args a;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (i + 1 >= args.size() || !a.output.empty()) a.bad = true;
      if (i + 1 < args.size()) a.output = args[++i];
    } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
      a.bad = true;
    } else {
      a.positional.push_back(args[i]);
    }
  }
  return a;
}

int Usage(std::ostream& err, const std::string& problem) {
  err << "rx93kit-cli: " << problem << "\n" << kUsage << "\n" << indCliRadio::Usage();
  return kCliUsageError;
}

int Check(const Args& a, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() != 1 || !a.output.empty()) return Usage(err, "check takes one FILE");
  Session s(err, exeDir);
  s.Main().OpenCloneFile(a.positional[0], false);
  return s.Main().LastFileError();
}

int Normalize(const Args& a, std::ostream& err, const std::string& exeDir) {
  if (a.bad || a.positional.size() != 1 || a.output.empty()) return Usage(err, "normalize takes FILE -o OUT");
  Session s(err, exeDir);
  if (s.Main().OpenCloneFile(a.positional[0], false)) return s.Main().LastFileError();
  s.Main().SaveCloneFile(a.output);
  return s.Main().LastFileError();
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  return RunCli(args, out, err, exeDir, false);
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir,
           bool errIsTerminal) {
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
    return indCliRadio::Run(options, out, err, exeDir, errIsTerminal);
  }
  using Command = std::function<int(const Args&, std::ostream&, const std::string&)>;
  static const std::map<std::string, Command> commands = {{"check", Check}, {"normalize", Normalize}};
  const auto it = commands.find(command);
  if (it == commands.end()) return Usage(err, "unknown command '" + command + "'");
  return it->second(ParseArgs(args), err, exeDir);
}
