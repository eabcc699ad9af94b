#pragma once
// Shows the About box when event 3 arrives, once that event's delivery is over (the
// box is modal and must not run inside the event manager's turn); closing the box
// sends event 59, so that a floating memory channel window comes back above the main
// window.
#include <QObject>
#include <QPointer>

class QWidget;
class cmcEvMan;
class cmcGTex;
class indEnviron;
struct cmcEvent;

class cuiAboutCommand : public QObject {
  Q_OBJECT
 public:
  // owner: the window the box is centred on; it owns this object.
  cuiAboutCommand(cmcEvMan& events, cmcGTex& overlay, const indEnviron& environ, QWidget* owner);
  ~cuiAboutCommand() override;

  // Shows the box and waits until it is closed.
  void Open();

 private:
  void OnEvent(cmcEvent& event);

  cmcEvMan& events_;
  cmcGTex& overlay_;
  const indEnviron& environ_;
  QPointer<QWidget> owner_;
  bool open_ = false;
};
