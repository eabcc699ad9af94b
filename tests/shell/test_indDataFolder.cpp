// Where the programs find their data: beside themselves in the build tree, in
// ../share/rx93kit/ when installed under a prefix, and otherwise their own folder, where
// the missing file is then reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/indDataFolder.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(DataFolder, BesideTheProgramOrInstalledBesideItsBinFolder) {
  TempDir root;
  const std::string build = root.Dir() + "build/bin/";
  const std::string prefix = root.Dir() + "prefix/";
  const std::string empty = root.Dir() + "empty/bin/";
  for (const std::string& folder : {build, prefix + "bin/", prefix + "share/rx93kit/", empty})
    fs::create_directories(folder);
  std::ofstream(build + indDataFolder::kMarker) << "#\n";
  std::ofstream(prefix + "share/rx93kit/" + indDataFolder::kMarker) << "#\n";
  EXPECT_EQ(indDataFolder::For(build), build);
  EXPECT_EQ(indDataFolder::For(prefix + "bin/"), prefix + "bin/../share/rx93kit/");
  EXPECT_EQ(indDataFolder::For(empty), empty);
  // The test program's own folder is the build tree's.
  EXPECT_EQ(indDataFolder::OfExecutable("ignored"), fs::canonical("/proc/self/exe").parent_path().string() + "/");
}

}  // namespace
