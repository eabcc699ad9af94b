#pragma once
// The line the desktop program's clone manager runs on: the port table with the
// explicit entries kept in the settings (a by-id link, a pseudo-terminal, any device
// path), the device factory over it, the demo radio served on its own port, and a
// sleeping waiter for the protocol's fixed pauses. It is made before the program,
// whose model controller takes its Services, and started once the program exists.
#include <string>

#include "clone/cmcDemoRadio.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "clone/cmcSleepWaiter.h"
#include "shell/indMain.h"

class cmcPrompts;
class cmcSettingsStore;
class indProgram;

class indCloneLine {
 public:
  // The clock and timers must outlive the line.
  indCloneLine(const cmcClock& clock, cmcTimerHost& timers);
  indCloneLine(const indCloneLine&) = delete;
  indCloneLine& operator=(const indCloneLine&) = delete;

  const indMain::CloneServices& Services() const { return services_; }

  // Takes the table's explicit entries from the settings and serves the demo radio
  // on its port, its memory the initial image of the program's model type (a file
  // problem is reported through prompts and leaves the radio blank).
  void Start(const cmcSettingsStore& store, indProgram& program, const std::string& exeDir, cmcPrompts& prompts);
  // Writes the table's explicit entries back; false when the store refused.
  bool SaveTable(cmcSettingsStore& store, const std::string& userKey) const;

  cmcPortTable& Ports() { return ports_; }
  cmcDemoRadio& Demo() { return demo_; }

 private:
  cmcSleepWaiter waiter_;
  cmcPortTable ports_;
  cmcSerialFactory devices_{ports_};
  cmcDemoRadio demo_;
  indMain::CloneServices services_;
};
