#pragma once
// The command line's program objects (indProgram on the command line's seams, the
// model controller started on its initial image), and the parsed arguments of one
// command.
#include <ostream>
#include <string>
#include <vector>

#include "cli/indCliSeams.h"
#include "shell/indProgram.h"

// The words of a command line after the command: positional words, "-o OUT" and
// "--maker".
struct dst_CliArgs {
  std::vector<std::string> positional;
  std::string output;
  bool maker = false;  // maker reserve mode on before the file is opened
  bool bad = false;    // an unknown option or a second or missing "-o" value
};

class indCliSession {
 public:
  indCliSession(std::ostream& err, const std::string& exeDir);

  static dst_CliArgs ParseArgs(const std::vector<std::string>& args);

  indMain& Main() { return program_.Main(); }
  cmcCliPrompts& Prompts() { return seams_.prompts; }
  indCellShell& CellHost() { return program_.CellHost(); }
  indActiveCell& Dispatch() { return program_.Dispatch(); }
  cmcGTex& Overlay() { return program_.Overlay(); }
  cmcEvMan& Events() { return program_.Events(); }

 private:
  indCliSeams seams_;
  indProgram program_;
};
