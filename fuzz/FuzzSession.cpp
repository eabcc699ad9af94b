#include "FuzzSession.h"

#include <stdlib.h>

#include <array>
#include <memory>
#include <ostream>
#include <streambuf>

namespace {

// A stream that drops everything.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

const char* const kInitialFiles[] = {"RX93LMR.qcl", "RX93PMR.qcl", "RX93QPMR.qcl", "RX93DPMR.qcl"};

}  // namespace

std::string FuzzDataFolder() { return RX93_FUZZ_DATA_DIR; }

std::string FuzzScratchFolder() {
  std::string pattern = "/tmp/rx93kit-fuzz-XXXXXX";
  if (!::mkdtemp(pattern.data())) return "/tmp/";
  return pattern + "/";
}

indCliSession& FuzzSession(int family) {
  static NullBuffer buffer;
  static std::ostream discard(&buffer);
  static std::array<std::unique_ptr<indCliSession>, 4> sessions;
  auto& session = sessions.at(static_cast<size_t>(family));
  if (!session) {
    session = std::make_unique<indCliSession>(discard, FuzzDataFolder());
    session->Main().OpenCloneFile(FuzzDataFolder() + kInitialFiles[family], false);
  }
  return *session;
}
