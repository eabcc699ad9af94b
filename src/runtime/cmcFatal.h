#pragma once
// Fatal configuration and programming errors: the text goes to the installed sink
// (a message box in the app, stderr elsewhere), then the process ends at once with
// exit status 3 without running destructors, so nothing is saved.
#include <string>

class cmcFatalSink {
 public:
  virtual ~cmcFatalSink() = default;
  // Shows the text; returns when the user has dismissed it. A sink may throw instead,
  // and the process then goes on where the exception is caught (the fuzz targets do).
  virtual void Report(const std::string& text) = 0;
};

// Installs the sink used by cmcFatal (nullptr restores the stderr sink).
void cmcSetFatalSink(cmcFatalSink* sink);

[[noreturn]] void cmcFatal(const std::string& text);

// The exit status of every fatal error.
inline constexpr int kFatalExitStatus = 3;
