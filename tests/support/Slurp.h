#pragma once
// The whole content of a file, read as bytes; empty when it cannot be read.
#include <fstream>
#include <sstream>
#include <string>

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
