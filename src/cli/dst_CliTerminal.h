#pragma once
// The streams a command-line command runs on beyond its output and error streams:
// where questions are answered and whether the streams are terminals (isatty), and how
// to turn the input's echo off while a password is typed.
#include <functional>
#include <istream>

struct dst_CliTerminal {
  std::istream* in = nullptr;  // where questions are answered; none: nobody to ask
  bool inIsTerminal = false;
  bool errIsTerminal = false;         // progress bars are drawn there
  std::function<void(bool on)> echo;  // turns the input's echo on and off; may be empty
};
