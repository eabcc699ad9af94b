#pragma once
// Chooses the overlays by language. The language index overlay beside the executable
// lists the languages ("name<TAB>main overlay file" per line under "GI_Sys_Language");
// the chosen language's file becomes the main overlay, and the main overlay names the
// help overlay. Switching reopens the main overlay; the help store keeps its first map.
#include <string>

#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"

class cmcLanguages {
 public:
  // At most this many languages are offered.
  static constexpr int kMaxLanguages = 255;

  // exeDir is the executable's directory with its trailing "/"; the stores must
  // outlive this object.
  cmcLanguages(std::string exeDir, cmcGTex& index, cmcGTex& main, cmcHelpGTex& help);

  // Opens the index overlay, counts the languages, opens the main and help overlays of
  // the stored language (language 0 when the stored index is out of range) and returns
  // the index now in use. Missing or unreadable overlays are fatal at their first lookup.
  int Open(int storedIndex);
  int Count() const { return count_; }
  int Current() const { return current_; }
  // The display name of language i (field 0 of its line).
  std::string Name(int i);
  // Reopens the main overlay for another language and hands its help overlay name to
  // the help store. False, changing nothing, for the current or an unknown index.
  bool Switch(int newIndex);

 private:
  void OpenLanguage(int i);

  std::string dir_;
  cmcGTex& index_;
  cmcGTex& main_;
  cmcHelpGTex& help_;
  int count_ = 0;
  int current_ = 0;
};
