#pragma once
// The command line's dump command: opens a clone file as the other commands do and
// prints one sheet, or every sheet the tree offers for the file's model, as text
// tables (indSheetRender). A sheet whose keys are missing ends in the overlay
// store's fatal error.
#include <ostream>
#include <string>

struct dst_CliArgs;

class indCliDump {
 public:
  // dump FILE [SHEET] [--maker]: returns 0, or the clone file result code.
  static int Run(const dst_CliArgs& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
};
