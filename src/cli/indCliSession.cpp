#include "cli/indCliSession.h"

indCliSession::indCliSession(std::ostream& err, const std::string& exeDir)
    : seams_(err, false), program_(seams_.For(exeDir)) {}

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
