// rx93kit: the desktop program. main gives the process-wide objects (indProgram) the
// Qt seams, shows the opening window, builds the main window over them and runs the
// message loop; the objects go in the reverse order, the settings written last.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <clocale>
#include <string>
#include <vector>

#include "clone/cmcSleepWaiter.h"
#include "clone/ui/cuiQtPortDiscovery.h"
#include "shell/indCloneLine.h"
#include "shell/indDataFolder.h"
#include "shell/indProgram.h"
#include "shell/ui/cuiFatalBox.h"
#include "shell/ui/cuiIcons.h"
#include "shell/ui/cuiInstanceGuard.h"
#include "shell/ui/cuiMainWindow.h"
#include "shell/ui/cuiOpeningWindow.h"
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
  // The mode switches are looked for among all arguments, before Qt takes its own out.
  const std::vector<std::string> arguments(argv, argv + argc);
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("rx93kit"));
  QApplication::setWindowIcon(cuiIcons::Application());
  // Qt takes the locale from the environment; numbers in overlays, clone files and
  // cells always use "." as the decimal point, so the C library must too.
  std::setlocale(LC_NUMERIC, "C");
  cuiFatalBox fatalBox;
  cmcSetFatalSink(&fatalBox);
  const std::string exeDir = indDataFolder::For(QCoreApplication::applicationDirPath().toStdString() + "/");

  cuiQtSettingsStore store;
  cuiInstanceGuard guard;
  cuiQtClock clock;
  cuiQtPrompts prompts;
  cmcSleepWaiter waiter;
  indCloneLine line(clock, clock);  // the radio's port: outlives the program, which may end an exchange on it
  indProgram program({store, guard, PrimaryWorkArea(), clock, prompts, exeDir,
                      QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString(),
                      &line.Services()});
  if (!program.OwnsInstance()) {
    // Another instance runs: it asks for the user's attention, this one leaves at once.
    guard.AlertOwner();
    return 0;
  }
  const QString title = QString::fromStdString(program.Overlay().GetText("GI_Sys_AppTitle"));
  QGuiApplication::setApplicationDisplayName(title);

  line.Start(store, program, exeDir, prompts);
  cuiQtPortDiscovery discovery(line.Ports());

  int status = 0;
  {
    cuiMainWindow window({program, clock, prompts, &waiter, &discovery, arguments});
    prompts.SetOwner(&window);
    fatalBox.SetOwner(&window);
    QObject::connect(&guard, &cuiInstanceGuard::alertRequested, &window, &cuiMainWindow::AskForAttention);
    cuiSignalCloser closer(&window);

    cuiOpeningWindow opening(&window, title, QString::fromStdString(program.Environ().ShownRevision()));
    // Closed by the window manager (or a signal) instead of a click or its timer: the
    // program ends.
    closer.SetWindow(&opening);
    if (opening.exec() == QDialog::Accepted) {
      closer.SetWindow(&window);
      window.BuildUi();
      status = app.exec();
    }
    prompts.SetOwner(nullptr);
    fatalBox.SetOwner(nullptr);
  }
  // Devices the port chooser numbered keep their numbers.
  line.SaveTable(store, program.Environ().UserKey());
  return status;
}
