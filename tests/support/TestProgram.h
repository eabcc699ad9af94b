#pragma once
// The program's long-lived objects (settings in memory, the overlays, a virtual clock
// for the event manager, scripted prompts and the model controller) over a private
// copy of the shipped data, with every event delivered recorded.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "image/cmcQclFile.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcLanguages.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "runtime/cmcVirtualClock.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"
#include "support/ProgramDir.h"

struct Program {
  explicit Program(const ProgramDir& dir)
      : guard(std::make_shared<cmcMemoryInstanceGuard::Registry>()),
        environ(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store, guard,
                indEnviron::Rect{0, 0, 1280, 1024}),
        events(clock),
        languages(dir.Dir(), indexOverlay, mainOverlay, helpOverlay),
        main(mainOverlay, environ, events, prompts, dir.Dir(), dir.Dir()) {
    languages.Open(0);
    events.Listen(&Program::Record, this);
    main.StartUp();
  }
  static void Record(void* self, cmcEvent& e) {
    auto* p = static_cast<Program*>(self);
    p->seen.push_back(e.code);
    p->delivered.push_back({e.code, e.mode, e.sender, e.argument, e.Text()});
  }

  // Saves a copy of the working image with one change made by edit.
  template <typename Edit>
  std::string SaveVariant(const ProgramDir& dir, const std::string& name, Edit edit) {
    cmcEeprom image;
    image.Assign(main.Working());
    edit(image);
    cmcScriptedPrompts quiet;
    cmcQclFile file(quiet, mainOverlay);
    file.AttachImage(image);
    file.SetModelCodes(0x3621, 1);
    file.SetMapRevision(1);
    const std::string path = dir.Dir() + name;
    EXPECT_EQ(file.Write(path, cmcAddressRanges::EepromArea()), 0);
    return path;
  }

  cmcMemorySettingsStore store;
  cmcMemoryInstanceGuard guard;
  indEnviron environ;
  cmcGTex mainOverlay, indexOverlay;
  cmcHelpGTex helpOverlay;
  cmcVirtualClock clock;
  cmcEvMan events;
  cmcScriptedPrompts prompts;
  cmcLanguages languages;
  indMain main;
  std::vector<int> seen;  // the codes of every event delivered, in order

  struct Seen {
    int code;
    cmcEvMode mode;
    intptr_t sender, argument;
    std::string text;
  };
  std::vector<Seen> delivered;
};
