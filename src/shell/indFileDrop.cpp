#include "shell/indFileDrop.h"

#include <algorithm>
#include <cctype>

#include "overlay/cmcGTex.h"
#include "runtime/cmcPrompts.h"
#include "shell/indMain.h"

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The extension of the path's file name part, without its dot; empty for none.
std::string ExtensionOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot + 1);
}

}  // namespace

int indFileDrop::Check(const std::vector<std::string>& paths, const std::string& extension) {
  if (paths.size() > 1) return kSeveralFiles;
  if (paths.empty()) return kNotACloneFile;
  return Lower(ExtensionOf(paths.front())) == Lower(extension) ? kOpened : kNotACloneFile;
}

int indFileDrop::Drop(const std::vector<std::string>& paths) {
  const int error = Check(paths, overlay_.GetLine("GI_Sys_Dialog_FOpen", 0));
  if (error == kOpened) {
    main_.OpenCloneFile(paths.front(), true);
    return kOpened;
  }
  const std::string text =
      overlay_.GetLine(error == kSeveralFiles ? "GI_Mess_FileErr_MultiFileDrop" : "GI_Mess_FileErr_FileFormat", 0);
  if (!text.empty()) prompts_.Show(cmcPromptIcon::Warning, overlay_.GetLine("GI_Sys_AppTitle", 0), text);
  return error;
}
