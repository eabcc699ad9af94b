#pragma once
// Runs one fuzz input with fatal errors turned into an exception that ends the input
// instead of the process.
#include <string>

#include "runtime/cmcFatal.h"

class FuzzFatal : public cmcFatalSink {
 public:
  struct Ended {
    std::string text;
  };
  void Report(const std::string& text) override { throw Ended{text}; }

  // Calls run with the sink installed (it stays installed for the process); true when
  // it ended fatally.
  template <typename Run>
  static bool Catch(Run run) {
    static FuzzFatal sink;
    cmcSetFatalSink(&sink);
    try {
      run();
    } catch (const Ended&) {
      return true;
    }
    return false;
  }
};
