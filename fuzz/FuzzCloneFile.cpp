#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "FuzzFatal.h"
#include "FuzzSession.h"
#include "FuzzTargets.h"

int FuzzCloneFile(const uint8_t* data, size_t size) {
  static const std::string dir = FuzzScratchFolder();
  const std::string in = dir + "in.qcl";
  {
    std::ofstream file(in, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  FuzzFatal::Catch([&] {
    indCliSession& session = FuzzSession(0);
    session.Main().OpenCloneFile(in, false);
    if (session.Main().LastFileError() == 0) session.Main().SaveCloneFile(dir + "out.qcl");
  });
  return 0;
}
