#pragma once
// What the fuzz targets over the program's objects share: a command-line session per
// model type on its shipped initial image (made once, kept), with its messages
// discarded, and a scratch folder of the process's own.
#include <string>

#include "cli/indCliSession.h"

// The session of model type family (0-3) on its initial image.
indCliSession& FuzzSession(int family);
// The shipped data folder, ending with "/".
std::string FuzzDataFolder();
// A folder of this process's own for files, ending with "/".
std::string FuzzScratchFolder();
