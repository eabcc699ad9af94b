#pragma once
// The seams the command line gives the program's objects: settings in memory only (the
// command line never touches the user's settings), an instance claim of its own, a
// console event loop as clock and timer host, and prompts on the error stream that ask
// on a terminal.
#include <memory>
#include <ostream>
#include <string>

#include "cli/cmcCliPrompts.h"
#include "runtime/cmcEventLoop.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "shell/indProgram.h"

class indCliSeams {
 public:
  // yes answers every question OK.
  indCliSeams(std::ostream& err, bool yes, const dst_CliTerminal& terminal = {})
      : guard(std::make_shared<cmcMemoryInstanceGuard::Registry>()), prompts(err, terminal, yes, "--password") {}

  // The program's seams on these; exeDir ends with "/". clone: none for the file commands.
  indProgram::Seams For(const std::string& exeDir, const indMain::CloneServices* clone = nullptr) {
    return {store, guard, {0, 0, 1024, 768}, loop, prompts, exeDir, std::string(), clone};
  }

  cmcMemorySettingsStore store;
  cmcMemoryInstanceGuard guard;
  cmcEventLoop loop;
  cmcCliPrompts prompts;
};
