// The screenshots of the clone commands' windows in docs/screenshots/, at 1x and 2x:
// the progress window during a read, the information box after a clone information,
// and the port chooser with its list of ports open. Labelled "screenshots".
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QTimer>

#include "clone/ui/cuiPortChooser.h"
#include "clone/ui/cuiProgressWindow.h"
#include "help/ui/cuiInformation.h"
#include "shell/ui/cuiCloneDialogs.h"
#include "support/DesktopRig.h"
#include "support/ScreenshotSave.h"

namespace {

using screenshots::Save;

// A USB cable, a second one without a stable name, and the demo radio.
struct SomePorts : cmcPortDiscovery {
  std::vector<cmcPortInfo> List() override {
    return {{33,
             "/dev/ttyUSB0",
             "FT232R USB UART (ttyUSB0)",
             {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XQ1-if00-port0"}},
            {65, "/dev/ttyACM0", "CP2102N USB to UART Bridge Controller (ttyACM0)", {}},
            {cmcDemoRadio::kPort, cmcSerialFactory::kSimulatedRadioPath, "", {}}};
  }
};

struct WithDemoRadio {
  WithDemoRadio() {
    rig.p.environ.pHelpView = 0;
    rig.p.environ.winWidth = 1000;
    rig.p.environ.winHeight = 640;
    rig.discovery = &ports;
    rig.Build();
    rig.p.ServeDemoRadio(rig.dir);
  }
  void Trigger(const char* label) {
    auto* action = rig.window->menuBar()->findChild<QAction*>(QString::fromLatin1(label));
    ASSERT_NE(action, nullptr) << label;
    action->trigger();
  }
  SomePorts ports;
  DesktopRig rig{true};
};

TEST(Screenshots, ProgressWindowDuringARead) {
  WithDemoRadio on;
  on.rig.p.radio->demo.Radio().SetRate(4);
  on.Trigger("CL_Menu_Clone_Read");
  cuiProgressWindow& progress = *on.rig.window->CloneDialogs()->Progress();
  for (int ms = 0; ms < 600000 && progress.Filled() < 21; ++ms) on.rig.p.clock.Advance(1);
  ASSERT_TRUE(progress.isVisible());
  Save(*on.rig.window, "progress-window", &progress);
  on.rig.p.FinishClone();
}

TEST(Screenshots, InformationBox) {
  WithDemoRadio on;
  on.Trigger("CL_Menu_Clone_Info");
  ASSERT_EQ(on.rig.p.FinishClone(), 0);
  auto* box = on.rig.window->findChild<cuiInformation*>("InformationBox");
  ASSERT_TRUE(box);
  Save(*on.rig.window, "information-box", box);
  box->close();
}

TEST(Screenshots, PortChooser) {
  WithDemoRadio on;
  on.rig.p.environ.comPort = 33;
  bool saved = false;
  QTimer::singleShot(20, [&] {
    auto* chooser = qobject_cast<cuiPortChooser*>(QApplication::activeModalWidget());
    ASSERT_TRUE(chooser);
    chooser->List()->showPopup();
    QWidget* popup = chooser->List()->view()->window();
    // Under the list, as on a screen wide enough for it (the offscreen one is narrow).
    popup->move(chooser->List()->mapToGlobal(QPoint(0, chooser->List()->height())));
    Save(*on.rig.window, "port-chooser", {chooser, popup});
    chooser->List()->hidePopup();
    chooser->reject();
    saved = true;
  });
  on.Trigger("CL_Menu_Port_ComList2");
  EXPECT_TRUE(saved);
}

}  // namespace
