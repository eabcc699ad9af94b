// rx93kit: the desktop program. main wires the process-wide objects in their fixed
// order (environment, overlays, event manager) and runs the message loop; they are
// destroyed in reverse order, the environment writing the settings back last.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <clocale>

#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcLanguages.h"
#include "runtime/cmcEvMan.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"
#include "shell/ui/cuiFatalBox.h"
#include "shell/ui/cuiInstanceGuard.h"
#include "shell/ui/cuiMainWindow.h"
#include "shell/ui/cuiQtClock.h"
#include "shell/ui/cuiQtPrompts.h"
#include "shell/ui/cuiQtSettingsStore.h"
#include "shell/ui/cuiSignalCloser.h"

namespace {

indEnviron::Rect PrimaryWorkArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {0, 0, 1024, 768};
  const QRect a = screen->availableGeometry();
  return {a.left(), a.top(), a.width(), a.height()};
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Qt takes the locale from the environment; numbers in overlays, clone files and
  // cells always use "." as the decimal point, so the C library must too.
  std::setlocale(LC_NUMERIC, "C");
  cuiFatalBox fatalBox;
  cmcSetFatalSink(&fatalBox);
  const std::string exeDir = QCoreApplication::applicationDirPath().toStdString() + "/";

  cuiQtSettingsStore store;
  cuiInstanceGuard guard;
  indEnviron environment(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store, guard,
                         PrimaryWorkArea());
  if (!environment.OwnsInstance()) {
    // Another instance runs: it asks for the user's attention, this one leaves at once.
    guard.AlertOwner();
    return 0;
  }

  cmcGTex mainOverlay;
  cmcGTex indexOverlay;
  cmcHelpGTex helpOverlay;
  cuiQtClock clock;
  cmcEvMan events(clock);

  cmcLanguages languages(exeDir, indexOverlay, mainOverlay, helpOverlay);
  environment.language = languages.Open(environment.language);
  mainOverlay.GetText("GI_Sys_AppTitle");  // a missing title ends the program before any window shows

  cuiQtPrompts prompts;
  indMain model(mainOverlay, environment, events, prompts, exeDir,
                QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString());
  model.StartUp();

  cuiMainWindow window(environment, model);
  model.SetView(&window);
  prompts.SetOwner(&window);
  window.RefreshCaption();
  fatalBox.SetOwner(&window);
  QObject::connect(&guard, &cuiInstanceGuard::alertRequested, &window, &cuiMainWindow::AskForAttention);
  cuiSignalCloser closer(&window);
  window.show();

  const int status = app.exec();
  model.SetView(nullptr);
  fatalBox.SetOwner(nullptr);
  return status;
}
