#pragma once
// The app's fatal-error sink: the text on stderr (for logs) and in a top-most
// error box captioned with the executable's file name, owned by the main window
// when there is one. cmcFatal ends the process with status 3 once it is closed.
#include <QPointer>
#include <QWidget>

#include "runtime/cmcFatal.h"

class cuiFatalBox : public cmcFatalSink {
 public:
  void Report(const std::string& text) override;
  // The window that owns the box; none before the main window exists.
  void SetOwner(QWidget* owner) { owner_ = owner; }

 private:
  QPointer<QWidget> owner_;
};
