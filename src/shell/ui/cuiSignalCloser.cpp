#include "shell/ui/cuiSignalCloser.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace {

int gPipe[2] = {-1, -1};

void OnPosixSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(gPipe[1], &byte, 1);
}

}  // namespace

cuiSignalCloser::cuiSignalCloser(QWidget* window) : window_(window) {
  if (gPipe[0] < 0 && pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &cuiSignalCloser::OnSignal);
  struct sigaction sa {};
  sa.sa_handler = OnPosixSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
}

cuiSignalCloser::~cuiSignalCloser() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
}

void cuiSignalCloser::OnSignal() {
  char buffer[16];
  while (read(gPipe[0], buffer, sizeof buffer) > 0) {
  }
  if (window_)
    window_->close();
  else
    QCoreApplication::quit();
}
