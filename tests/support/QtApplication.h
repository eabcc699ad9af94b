#pragma once
// The Qt application of a test program that needs one: made on first use, offscreen
// under the test run, and kept for the life of the process.
#include <QApplication>

inline void EnsureApp() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char arg0[] = "test_ui";
  static char* argv[] = {arg0, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}
