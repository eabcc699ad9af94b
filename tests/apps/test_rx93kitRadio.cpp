// End to end: the desktop program (in-process, offscreen, on the real clock) against
// rx93kit-radio serving a pseudo-terminal, which the settings map to a port number
// through the port table's explicit entries. A dealer's round: read the radio, save the
// file, open it again, edit one channel through the sheet, write it back; the radio's
// memory then holds the written image byte for byte.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenuBar>
#include <QTimer>
#include <functional>

#include "channel/datCh.h"
#include "channel/datChKinds.h"
#include "clone/cmcDemoRadio.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSleepWaiter.h"
#include "image/cmcImageMap.h"
#include "radio/ChildProcess.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "shell/indCloneLine.h"
#include "shell/indEnviron.h"
#include "shell/indProgram.h"
#include "shell/ui/cuiMainWindow.h"
#include "shell/ui/cuiQtClock.h"
#include "support/DesktopEdits.h"
#include "support/ProgramDir.h"
#include "support/QtApplication.h"

namespace {

constexpr int kRadioPort = 200;
constexpr int kExchangeLimitMs = 180000;

class DesktopRadio : public ::testing::Test {
 protected:
  DesktopRadio() {
    EnsureApp();
    // The user's settings map the port to the radio's pseudo-terminal.
    cmcPortTable table;
    table.SetEntry(kRadioPort, radio_.FirstLine());
    EXPECT_TRUE(table.Save(store_, indEnviron::kUserKey));
  }

  // Runs the real event loop for ms, or until done says so (asked every 20 ms).
  static void RunFor(
      int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
      if (elapsed.elapsed() >= ms || done()) loop.quit();
    });
    look.start(20);
    loop.exec();
  }
  int Finish(indMain& main) {
    RunFor(kExchangeLimitMs, [&] { return main.CloneOutcome() != indMain::kCloneRunning; });
    return main.CloneOutcome();
  }
  static void Trigger(cuiMainWindow& w, const char* label) {
    auto* action = w.menuBar()->findChild<QAction*>(QString::fromLatin1(label));
    ASSERT_NE(action, nullptr) << label;
    action->trigger();
  }

  ProgramDir dir_;
  std::string saved_ = dir_.Dir() + "radio-memory.qcl";
  ChildProcess radio_{"rx93kit-radio", {"--type", "0", "--save", saved_}};
  cmcMemorySettingsStore store_;
};

TEST_F(DesktopRadio, ReadSaveReopenEditOneChannelAndWrite) {
  cmcMemoryInstanceGuard guard{std::make_shared<cmcMemoryInstanceGuard::Registry>()};
  cuiQtClock clock;
  cmcScriptedPrompts prompts;
  cmcSleepWaiter waiter;
  indCloneLine line(clock, clock);
  indProgram program({store_, guard, {0, 0, 1280, 1024}, clock, prompts, dir_.Dir(), dir_.Dir(), &line.Services()});
  line.Start(store_, program, dir_.Dir(), prompts);
  ASSERT_EQ(line.Ports().Path(kRadioPort), radio_.FirstLine()) << "the entry of the settings";
  indMain& main = program.Main();
  program.Environ().comPort = kRadioPort;

  cuiMainWindow window({program, clock, prompts, &waiter});
  window.BuildUi();
  const auto settle = [] { RunFor(600); };
  settle();

  // Read.
  Trigger(window, "CL_Menu_Clone_Read");
  ASSERT_EQ(Finish(main), 0) << radio_.Stderr();
  ASSERT_EQ(main.ModelType(), 0);
  cmcEeprom read;
  read.Assign(main.Mirror());

  // Save, open again, edit one channel in the bank sheet.
  const std::string file = dir_.Dir() + "dealer.qcl";
  ASSERT_FALSE(main.SaveCloneFile(file));
  ASSERT_FALSE(main.OpenCloneFile(file, false));
  settle();
  ASSERT_EQ(main.FileName(), file);
  ASSERT_TRUE(desktop::OpenThroughTree(window, desktop::kLmrBank0, settle));
  const int channel = desktop::TypeFirstChannelFrequency(window, "451.125");
  ASSERT_GE(channel, 0);
  datCh edited(&main.Working());
  edited.Load(datChKind::kLmr, channel);
  ASSERT_EQ(edited.freqR, 451'125'000u);

  // Write: the radio saves its memory as it answers the end of the write.
  prompts.asked.clear();
  Trigger(window, "CL_Menu_Clone_Write");
  ASSERT_EQ(Finish(main), 0) << radio_.Stderr();
  ASSERT_FALSE(prompts.asked.empty());
  EXPECT_EQ(prompts.asked.back().text, program.Overlay().GetText("GI_Mess_CloneWrite_Succeeded"));

  // What the write sends: the working image prepared for the radio, its data revision
  // the radio's; below the written range the radio keeps what it had.
  cmcEeprom expected;
  expected.Assign(main.Working());
  main.PrepareImage(expected, indMain::kPrepareWrite);
  expected.SetByte(cmcImageMap::kHeaderDataRevision, main.RadioInfo()[indMain::kInfoDataRevision]);
  const cmcAddressRange written = main.CloneRanges()[0];
  cmcEeprom radio;
  radio.SetSize(cmcEeprom::kImageSize);
  ASSERT_EQ(cmcDemoRadio::ReadCloneFile(saved_, radio, prompts, program.Overlay()), 0);
  for (int a = 0; a < cmcEeprom::kEepromSize; ++a) {
    const bool inWrite = a >= written.start && a <= written.end;
    ASSERT_EQ(radio.GetByte(a), inWrite ? expected.GetByte(a) : read.GetByte(a)) << "address " << a;
  }
  // Opened as a clone file, the radio's memory shows the edited channel.
  ASSERT_FALSE(main.OpenCloneFile(saved_, false));
  datCh onRadio(&main.Working());
  onRadio.Load(datChKind::kLmr, channel);
  EXPECT_EQ(onRadio.freqR, 451'125'000u);
}

}  // namespace
