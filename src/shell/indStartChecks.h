#pragma once
// The checks the desktop program runs once its main window is built: the self check
// of the image size (fatal when the image is smaller than the map) and the
// pre-release notice that line 0 of "GI_Sys_BRC" asks for (read as a number, an
// empty or non-numeric line counting as 1; 0 suppresses it).
#include <string_view>

class cmcGTex;
class cmcPrompts;
class indMain;

namespace indStartChecks {

// Ends the process through the fatal sink when the working image is smaller than the map.
void SelfCheck(const indMain& main);

// Whether a "GI_Sys_BRC" line asks for the notice.
bool PreReleaseNoticeWanted(std::string_view line);

// Shows the warning "<title> Beta Version", captioned "<title>(Beta)", when the overlay
// asks for it; true when it was shown.
bool ShowPreReleaseNotice(cmcGTex& overlay, cmcPrompts& prompts);

}  // namespace indStartChecks
