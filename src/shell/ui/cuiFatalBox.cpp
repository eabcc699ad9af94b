#include "shell/ui/cuiFatalBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>

void cuiFatalBox::Report(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  if (!QApplication::instance() || QApplication::platformName() == "offscreen") return;
  const QString caption = QFileInfo(QApplication::applicationFilePath()).fileName();
  QMessageBox box(QMessageBox::Critical, caption, QString::fromUtf8(text.c_str()), QMessageBox::Ok, owner_.data());
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.exec();
}
