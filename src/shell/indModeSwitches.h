#pragma once
// The two modes the command line turns on, looked at once at the end of start-up:
// maker reserve ("/" and a 7-letter code) and factory adjustment ("/" and a 26-letter
// code). Every argument, the program path included, is lowercased and compared whole
// with each switch; other arguments are ignored. A mode is entered only when it is not
// on already and its caution (OK/Cancel) is confirmed. Maker reserve shows the maker
// branch of the tree (the tree is rebuilt) and asks the window for its status panel;
// factory adjustment puts the full tool bar and the adjustment read in place (event 2
// refreshes what the menus and tool bars show). Both stay on until the program ends.
#include <functional>
#include <string>
#include <utility>
#include <vector>

class cmcEvMan;
class cmcGTex;
class cmcPrompts;
class indMain;
class indSheetHost;

class indModeSwitches {
 public:
  static constexpr const char* kMakerReserveSwitch = "/zlkmakr";
  static constexpr const char* kFactoryAdjustSwitch = "/zlkfactoryadjustmentenable";

  struct Seams {
    indMain& main;
    cmcGTex& overlay;
    cmcPrompts& prompts;
    cmcEvMan& events;
    indSheetHost* sheets = nullptr;  // none: no tree to rebuild
  };
  // What the window adds when a mode comes on.
  struct Hooks {
    std::function<void(const std::string& text)> makerPanel;  // line 0 of "GI_StatusPanel_Maker"
  };

  indModeSwitches(const Seams& seams, Hooks hooks = {}) : s_(seams), hooks_(std::move(hooks)) {}

  // Enters the modes the arguments name, maker reserve first.
  void Evaluate(const std::vector<std::string>& arguments);

  // Whether one of the arguments is the switch (any letter case, the whole argument).
  static bool Given(const std::vector<std::string>& arguments, const std::string& code);

 private:
  bool Confirmed(const char* cautionKey);
  void EnterMakerReserve();
  void EnterFactoryAdjust();

  Seams s_;
  Hooks hooks_;
};
