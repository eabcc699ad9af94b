// rx93kit-mkinitial DESCRIPTION OUT.qcl: builds a model type's initial clone file from
// its readable description and refuses to write one that Open and Save would change.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "image/cmcQclFile.h"
#include "shell/indInitialImageBuilder.h"

int main(int argc, char** argv) {
  const std::string self = "rx93kit-mkinitial";
  if (argc != 3) {
    std::cerr << "usage: " << self << " DESCRIPTION OUT.qcl\n";
    return 2;
  }
  const std::string descriptionPath = argv[1];
  const std::string outPath = argv[2];
  std::ifstream in(descriptionPath, std::ios::binary);
  if (!in) {
    std::cerr << self << ": cannot read " << descriptionPath << "\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();

  indInitialImageBuilder builder;
  if (!builder.Build(text.str())) {
    std::cerr << descriptionPath << ": " << builder.ErrorText() << "\n";
    return 1;
  }
  if (const int address = builder.FirstUnsavedAddress(); address >= 0) {
    std::cerr << descriptionPath << ": opening and saving the file would change address " << address;
    const int described = builder.DescribedAddressOf(address);
    if (described >= 0 && described != address) std::cerr << " (described at " << described << ")";
    std::cerr << "; describe the settings as saving leaves them\n";
    return 1;
  }
  if (const int code = builder.WriteCloneFile(outPath); code != cmcQclFile::kOk) {
    std::cerr << self << ": cannot write " << outPath << " (clone file error " << code << ")\n";
    return 1;
  }
  return 0;
}
