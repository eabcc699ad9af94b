#include "shell/ui/cuiCloneDialogs.h"

#include <QMainWindow>

#include "clone/cmcPortDiscovery.h"
#include "clone/indCloneMan.h"
#include "clone/ui/cuiPortChooser.h"
#include "clone/ui/cuiProgressWindow.h"
#include "help/ui/cuiInformation.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indEnviron.h"
#include "shell/indProgram.h"
#include "shell/ui/cuiPasswordDialog.h"
#include "shell/ui/cuiWindowLock.h"

namespace {

// The chooser's source when the program was given none: no ports.
class NoPorts : public cmcPortDiscovery {
 public:
  std::vector<cmcPortInfo> List() override { return {}; }
};

}  // namespace

cuiCloneDialogs::cuiCloneDialogs(const Seams& seams)
    : s_(seams), lock_(std::make_unique<cuiWindowLock>(seams.window)), progress_(new cuiProgressWindow(&seams.window)) {
  indMain& main = s_.program.Main();
  if (indCloneMan* clone = main.CloneMan()) {
    clone->SetWindows(lock_.get());
    clone->SetProgress(progress_);
  }
  main.SetClonePasswordDialog(
      [this] { return cuiPasswordDialog::AskClonePassword(s_.program.Overlay(), s_.prompts, &s_.window); });
  main.SetAdjustPasswordDialog([this] { return ShowAdjustPasswordDialog(); });
}

cuiCloneDialogs::~cuiCloneDialogs() {
  // An information box still open goes first: it unlocks through the lock.
  for (cuiInformation* box : s_.window.findChildren<cuiInformation*>()) delete box;
  indMain& main = s_.program.Main();
  if (indCloneMan* clone = main.CloneMan()) {
    clone->SetWindows(nullptr);
    clone->SetProgress(nullptr);
  }
  main.SetClonePasswordDialog({});
  main.SetAdjustPasswordDialog({});
  delete progress_;
}

bool cuiCloneDialogs::Locked() const { return lock_->Locked(); }

void cuiCloneDialogs::ShowCloneInfo(const std::string& sheet, const std::string& caption) {
  cuiInformation* box = cuiInformation::Open(&s_.window, caption, s_.program.Maker(), sheet, lock_.get());
  if (!box) return;
  // Popup help leaves its topic alone while a sheet window is open.
  indMain& main = s_.program.Main();
  main.sheetWindowOpen = true;
  QObject::connect(box, &QObject::destroyed, &s_.window, [&main] { main.sheetWindowOpen = false; });
}

void cuiCloneDialogs::ShowComPortDialog(int kind) {
  NoPorts none;
  cmcPortDiscovery& ports = s_.discovery ? *s_.discovery : none;
  indEnviron& environ = s_.program.Environ();
  if (const auto chosen =
          cuiPortChooser::Ask(kind, environ.comPort, ports, s_.program.Overlay(), s_.prompts, &s_.window))
    environ.comPort = *chosen;
  s_.program.Events().Send(kEvMchWinRaise);
}

std::optional<std::string> cuiCloneDialogs::ShowReadWritePasswordDialog(const std::string& current) {
  return cuiPasswordDialog::AskReadWritePassword(s_.program.Overlay(), s_.prompts, &s_.window, current);
}

bool cuiCloneDialogs::ShowAdjustPasswordDialog() {
  return cuiPasswordDialog::AskAdjustPassword(s_.program.Overlay(), s_.prompts, &s_.window,
                                              s_.program.Environ().adjustModeCode);
}
