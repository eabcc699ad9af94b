#pragma once
// Files dropped on the main window: exactly one file whose extension equals the clone
// file extension (line 0 of "GI_Sys_Dialog_FOpen") in any letter case opens as with
// the Open command, asking about unsaved changes first; several files, or another
// extension, show their message ("GI_Mess_FileErr_MultiFileDrop",
// "GI_Mess_FileErr_FileFormat") in a warning box, unless the message is empty, and
// open nothing.
#include <string>
#include <vector>

class cmcGTex;
class cmcPrompts;
class indMain;

class indFileDrop {
 public:
  static constexpr int kOpened = 0;  // also when the open itself failed or was cancelled
  static constexpr int kSeveralFiles = 1;
  static constexpr int kNotACloneFile = 2;

  indFileDrop(indMain& main, cmcGTex& overlay, cmcPrompts& prompts)
      : main_(main), overlay_(overlay), prompts_(prompts) {}

  // Handles one drop of local file paths; returns kOpened or the error shown.
  int Drop(const std::vector<std::string>& paths);

  // The error a drop of these paths gives before anything is opened.
  static int Check(const std::vector<std::string>& paths, const std::string& extension);

 private:
  indMain& main_;
  cmcGTex& overlay_;
  cmcPrompts& prompts_;
};
