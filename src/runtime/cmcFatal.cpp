#include "runtime/cmcFatal.h"

#include <cstdio>
#include <cstdlib>

namespace {

class StderrSink : public cmcFatalSink {
 public:
  void Report(const std::string& text) override {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
  }
};

StderrSink gStderrSink;
cmcFatalSink* gSink = &gStderrSink;

}  // namespace

void cmcSetFatalSink(cmcFatalSink* sink) { gSink = sink ? sink : &gStderrSink; }

void cmcFatal(const std::string& text) {
  // A sink that itself fails fatally must not recurse.
  static bool reporting = false;
  if (!reporting) {
    reporting = true;
    // A sink that leaves by an exception lets its catcher go on; the next fatal error
    // reports again.
    struct Reset {
      ~Reset() { reporting = false; }
    } reset;
    gSink->Report(text);
  }
  std::fflush(nullptr);
  std::_Exit(kFatalExitStatus);
}
