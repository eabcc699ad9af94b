#pragma once
// A private copy of the program's shipped data (overlays and initial clone files, as
// the build puts them beside the executables), optionally with overlay lines replaced
// or sections of its own put first, for tests that run the program's start-up and
// commands.
#include <filesystem>
#include <fstream>
#include <string>

#include "support/Slurp.h"
#include "support/TempDir.h"

class ProgramDir {
 public:
  ProgramDir() {
    for (const auto& entry : std::filesystem::directory_iterator(RX93_BIN_DIR)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".OVL" || ext == ".qcl")
        std::filesystem::copy_file(entry.path(), std::filesystem::path(temp_.Dir()) / entry.path().filename());
    }
  }

  // The folder with its trailing "/", as the programs take their own folder.
  std::string Dir() const { return temp_.Dir(); }
  std::string Write(const std::string& name, const std::string& bytes) const { return temp_.Write(name, bytes); }

  // Replaces line n of key in the main overlay.
  void SetKey(const std::string& key, const std::string& text, int n = 0) const {
    const std::string path = Dir() + kMainOverlay;
    std::string s = Slurp(path);
    const std::string head = "#" + key + "\n";
    const size_t at = s.find(head);
    if (at == std::string::npos) return;
    size_t lineStart = at + head.size();
    for (int i = 0; i < n; ++i) lineStart = s.find('\n', lineStart) + 1;
    const size_t lineEnd = s.find('\n', lineStart);
    s.replace(lineStart, lineEnd - lineStart, text);
    std::ofstream(path, std::ios::binary) << s;
  }

  // Puts whole sections ("#KEY" lines with their lines) before every key of the main
  // overlay, so that they win over the shipped definitions of the same keys.
  void PrependSections(const std::string& sections) const {
    const std::string path = Dir() + kMainOverlay;
    std::string s = Slurp(path);
    const size_t firstKey = s.rfind('#', 0) == 0 ? 0 : s.find("\n#") + 1;
    s.insert(firstKey, sections);
    std::ofstream(path, std::ios::binary) << s;
  }

  static constexpr const char* kMainOverlay = "RX93KITD_ENG.OVL";

 private:
  TempDir temp_;
};
