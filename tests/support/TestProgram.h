#pragma once
// The program's process-wide objects (indProgram) over a private copy of the shipped
// data, on test seams: settings in memory, a virtual clock, scripted prompts and,
// when asked for, a clone manager whose port may be the demo radio on that clock.
// Every event delivered is recorded.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "clone/cmcDemoRadio.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "image/cmcQclFile.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "runtime/cmcVirtualClock.h"
#include "shell/indProgram.h"
#include "support/ProgramDir.h"
#include "support/VirtualWaiter.h"

struct Program {
  // What a clone manager runs on: the demo radio is served on the devices once
  // Install is called.
  struct Radio {
    explicit Radio(cmcVirtualClock& clock) : waiter(clock), demo(clock), services{clock, clock, devices, waiter} {}
    VirtualWaiter waiter;
    cmcPortTable ports;
    cmcSerialFactory devices{ports};
    cmcDemoRadio demo;
    indMain::CloneServices services;
  };

  explicit Program(const ProgramDir& dir, bool withRadio = false)
      : radio(withRadio ? std::make_unique<Radio>(clock) : nullptr),
        program({store,
                 guard,
                 {0, 0, 1280, 1024},
                 clock,
                 prompts,
                 dir.Dir(),
                 dir.Dir(),
                 radio ? &radio->services : nullptr}) {
    events.Listen(&Program::Record, this);
  }
  // A program made with a radio: the demo radio, holding the initial image of the
  // program's model type, becomes the port the clone commands use.
  cmcDemoRadio& ServeDemoRadio(const ProgramDir& dir) {
    radio->demo.Install(radio->ports, radio->devices);
    EXPECT_EQ(radio->demo.LoadInitialImage(dir.Dir(), main.ModelType(), prompts, mainOverlay), 0);
    environ.comPort = cmcDemoRadio::kPort;
    return radio->demo;
  }
  // Runs the clock until the clone command's exchanges are over; their outcome.
  int FinishClone() {
    for (uint32_t t = 0; main.CloneOutcome() == indMain::kCloneRunning && t < 600000; t += 10) clock.Advance(10);
    return main.CloneOutcome();
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
  cmcMemoryInstanceGuard guard{std::make_shared<cmcMemoryInstanceGuard::Registry>()};
  cmcVirtualClock clock;
  cmcScriptedPrompts prompts;
  std::unique_ptr<Radio> radio;
  indProgram program;
  indEnviron& environ = program.Environ();
  cmcGTex& mainOverlay = program.Overlay();
  cmcEvMan& events = program.Events();
  indMain& main = program.Main();
  indCellShell& cellHost = program.CellHost();
  indActiveCell& dispatch = program.Dispatch();
  std::vector<int> seen;  // the codes of every event delivered, in order

  struct Seen {
    int code;
    cmcEvMode mode;
    intptr_t sender, argument;
    std::string text;
  };
  std::vector<Seen> delivered;
};
