#include "shell/indCloneLine.h"

#include "shell/indProgram.h"

indCloneLine::indCloneLine(const cmcClock& clock, cmcTimerHost& timers)
    : demo_(timers), services_{clock, timers, devices_, waiter_} {}

void indCloneLine::Start(const cmcSettingsStore& store, indProgram& program, const std::string& exeDir,
                         cmcPrompts& prompts) {
  ports_.Load(store, program.Environ().UserKey());
  demo_.Install(ports_, devices_);
  demo_.LoadInitialImage(exeDir, program.Main().ModelType(), prompts, program.Overlay());
}

bool indCloneLine::SaveTable(cmcSettingsStore& store, const std::string& userKey) const {
  return ports_.Save(store, userKey);
}
