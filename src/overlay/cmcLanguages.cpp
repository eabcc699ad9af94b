#include "overlay/cmcLanguages.h"

#include <utility>

#include "overlay/cmcTextUtil.h"

namespace {
constexpr const char* kIndexName = "RX93KITD";
constexpr const char* kLanguageKey = "GI_Sys_Language";
constexpr const char* kHelpOvlKey = "GI_Sys_MyHelpOvl";
}  // namespace

cmcLanguages::cmcLanguages(std::string exeDir, cmcGTex& index, cmcGTex& main, cmcHelpGTex& help)
    : dir_(std::move(exeDir)), index_(index), main_(main), help_(help) {}

int cmcLanguages::Open(int storedIndex) {
  index_.SetFile(dir_ + kIndexName + ".OVL");
  count_ = 0;
  while (count_ < kMaxLanguages) {
    const std::string line = index_.GetLine(kLanguageKey, count_);
    if (!line.empty() && line[0] == '#') break;
    ++count_;
  }
  // A negative index cannot name a language either.
  current_ = storedIndex >= 0 && storedIndex < count_ ? storedIndex : 0;
  OpenLanguage(current_);
  return current_;
}

std::string cmcLanguages::Name(int i) { return cmcField(index_.GetLine(kLanguageKey, i), 0, '\t'); }

bool cmcLanguages::Switch(int newIndex) {
  if (newIndex == current_ || newIndex < 0 || newIndex >= count_) return false;
  current_ = newIndex;
  OpenLanguage(current_);
  return true;
}

void cmcLanguages::OpenLanguage(int i) {
  main_.SetFile(dir_ + cmcField(index_.GetLine(kLanguageKey, i), 1, '\t'));
  help_.SetFile(dir_ + main_.GetText(kHelpOvlKey));
}
