#pragma once
// Where the programs find their shipped data (overlays, initial images): beside the
// executable, as the build tree lays them out, or in ../share/rx93kit/ relative to the
// executable's folder, as an installation under a prefix lays them out.
#include <string>

class indDataFolder {
 public:
  // The name of the file whose presence marks a data folder.
  static constexpr const char* kMarker = "RX93KITD.OVL";

  // The data folder for an executable in exeDir (ending with "/"); ends with "/". exeDir
  // itself when neither folder holds the data, so that the missing file is reported there.
  static std::string For(const std::string& exeDir);
  // The folder of the running executable, ending with "/"; argv0's folder when the
  // system cannot tell.
  static std::string OfExecutable(const char* argv0);
};
