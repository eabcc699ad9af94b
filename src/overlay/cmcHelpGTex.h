#pragma once
// The overlay store of the help map: maps a command key or a cell label name to a
// help topic. Its file is set once; later names are ignored, so the map first opened
// stays in use for the whole run.
#include <string>
#include <string_view>

#include "overlay/cmcGTexBase.h"

class cmcHelpGTex : public cmcGTexBase {
 public:
  // Only on a store without a source: takes the file and returns 1; otherwise 0.
  int SetFile(const std::string& path);
  // The topic of item in a section of "item<TAB>topic" lines closed by a lone "#";
  // the last matching line wins, a match without a topic ends the search, and an
  // item that is not listed gives the empty topic.
  std::string FindTopic(std::string_view section, std::string_view item);
};
