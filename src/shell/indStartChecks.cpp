#include "shell/indStartChecks.h"

#include <cstdlib>
#include <string>

#include "overlay/cmcGTex.h"
#include "runtime/cmcFatal.h"
#include "runtime/cmcPrompts.h"
#include "shell/indMain.h"

namespace indStartChecks {

void SelfCheck(const indMain& main) {
  if (main.Working().GetSize() < indMain::kImageSize) cmcFatal("Self Check Error.\nEEPROM Map is too large.");
}

bool PreReleaseNoticeWanted(std::string_view line) {
  const std::string text(line);
  const char* begin = text.c_str();
  char* end = nullptr;
  const long value = std::strtol(begin, &end, 10);
  // Nothing read counts as the default, 1.
  if (end == begin) return true;
  return value != 0;
}

bool ShowPreReleaseNotice(cmcGTex& overlay, cmcPrompts& prompts) {
  if (!PreReleaseNoticeWanted(overlay.GetLine("GI_Sys_BRC", 0))) return false;
  const std::string title = overlay.GetText("GI_Sys_AppTitle");
  prompts.Show(cmcPromptIcon::Warning, title + "(Beta)", title + " Beta Version");
  return true;
}

}  // namespace indStartChecks
