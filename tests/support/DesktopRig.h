#pragma once
// The desktop program's main window over the program's objects on test seams (a
// private copy of the shipped data, settings in memory, the virtual clock, scripted
// prompts), offscreen. Settings may be changed before Build; the virtual clock runs
// the tree's change delay and the periodic task. Made with a radio, the program has a
// clone manager whose port may be the demo radio (Program::ServeDemoRadio).
#include <QApplication>
#include <QCoreApplication>
#include <memory>
#include <string>

#include "channel/sheets/indSheetMaker.h"
#include "clone/cmcPortDiscovery.h"
#include "shell/indSheetHost.h"
#include "shell/ui/cuiMainWindow.h"
#include "support/ProgramDir.h"
#include "support/QtApplication.h"
#include "support/TestProgram.h"

struct DesktopRig {
  // The tree's change delay and a little more.
  static constexpr uint32_t kSettleMs = 400;

  explicit DesktopRig(bool withRadio = false) : p(dir, withRadio) { EnsureApp(); }
  ~DesktopRig() { window.reset(); }

  // Makes the window and runs its setup: shown, the first node's sheet open.
  cuiMainWindow& Build() {
    window = std::make_unique<cuiMainWindow>(cuiMainWindow::Seams{p.program, p.clock, p.prompts, nullptr, discovery});
    window->BuildUi();
    Settle();
    return *window;
  }
  // Lets the delays run out and Qt deliver what is pending.
  void Settle() {
    QCoreApplication::processEvents();
    p.clock.Advance(kSettleMs);
    QCoreApplication::processEvents();
    window->RunIdle();
    QCoreApplication::processEvents();
  }
  indSheetHost& Host() { return window->Host(); }
  std::string Shown() { return Host().Current() ? Host().Current()->model->Ref() : ""; }

  ProgramDir dir;
  Program p;
  cmcPortDiscovery* discovery = nullptr;  // the port chooser's ports, set before Build
  std::unique_ptr<cuiMainWindow> window;
};
