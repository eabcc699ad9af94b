#pragma once
// The command line's program objects, in the order the desktop program creates them:
// settings in memory only, the overlays beside the executable, the event manager on a
// console loop, stream prompts on stderr and the model controller started on its
// initial image; and the parsed arguments of one command.
#include <ostream>
#include <string>
#include <vector>

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

  indMain& Main() { return main_; }
  indEnviron& Environ() { return environ_; }
  cmcGTex& Overlay() { return mainOverlay_; }
  cmcEvMan& Events() { return events_; }
  cmcStreamPrompts& Prompts() { return prompts_; }

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
