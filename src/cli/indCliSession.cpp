#include "cli/indCliSession.h"

#include <memory>

indCliSession::indCliSession(std::ostream& err, const std::string& exeDir)
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

dst_CliArgs indCliSession::ParseArgs(const std::vector<std::string>& args) {
  dst_CliArgs a;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (i + 1 >= args.size() || !a.output.empty()) a.bad = true;
      if (i + 1 < args.size()) a.output = args[++i];
    } else if (args[i] == "--maker") {
      a.maker = true;
    } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
      a.bad = true;
    } else {
      a.positional.push_back(args[i]);
    }
  }
  return a;
}
