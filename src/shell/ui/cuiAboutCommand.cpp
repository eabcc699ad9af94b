#include "shell/ui/cuiAboutCommand.h"

#include <QTimer>
#include <QWidget>

#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indAboutText.h"
#include "shell/ui/cuiAboutBox.h"

cuiAboutCommand::cuiAboutCommand(cmcEvMan& events, cmcGTex& overlay, const indEnviron& environ, QWidget* owner)
    : QObject(owner), events_(events), overlay_(overlay), environ_(environ), owner_(owner) {
  setObjectName("AboutCommand");
  events_.Listen<&cuiAboutCommand::OnEvent>(this);
}

cuiAboutCommand::~cuiAboutCommand() { events_.Unlisten<&cuiAboutCommand::OnEvent>(this); }

void cuiAboutCommand::OnEvent(cmcEvent& event) {
  if (event.code != kEvShowAbout) return;
  QTimer::singleShot(0, this, &cuiAboutCommand::Open);
}

void cuiAboutCommand::Open() {
  // A second request while the box is up (a quick double click) shows no second box.
  if (open_) return;
  open_ = true;
  {
    cuiAboutBox box(indAboutText(overlay_, environ_), owner_.data());
    box.exec();
  }
  open_ = false;
  events_.Send(kEvMchWinRaise);
}
