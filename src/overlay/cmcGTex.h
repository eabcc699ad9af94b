#pragma once
// The overlay store for the main and language index overlays and for the small
// in-memory overlays of the special editors. Its source is a file, replaceable at
// any time (a language change), or an array of lines set once on a fresh store.
#include <span>
#include <string>
#include <string_view>

#include "overlay/cmcGTexBase.h"

class cmcGTex : public cmcGTexBase {
 public:
  // Forgets all keys and cached lines and reads the file from now on, opening it on
  // first use. Returns 1.
  int SetFile(const std::string& path);
  // Only on a store without a source: serves these lines (they must include
  // "#End_Of_Ovl" and outlive the store) and returns 1; otherwise changes nothing, 0.
  int SetLines(std::span<const std::string> lines);
  // Line 0 of the key.
  std::string GetText(std::string_view key) { return GetLine(key, 0); }
};
