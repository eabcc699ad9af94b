#pragma once
// The command line's sheet commands, on a clone file opened as the other commands open
// it: dump prints one sheet, or every sheet the tree offers for the file's model, as
// text tables; sheets lists the tree's sheet references with their captions; cells
// lists a sheet's bound cells with their captions and texts, so that cell names can be
// found. A sheet the tree does not know is refused with the list of those it does.
#include <ostream>
#include <string>

struct dst_CliArgs;

class indCliDump {
 public:
  // dump FILE [SHEET] [--maker]: returns 0, the clone file result code, or the usage
  // error status for an unknown sheet.
  static int Run(const dst_CliArgs& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
  // sheets FILE [--maker]: one line per sheet, its reference, a tab and its caption.
  static int Sheets(const dst_CliArgs& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
  // cells FILE SHEET [--maker]: one line per bound cell, CELL, a tab, its caption, a tab
  // and its text.
  static int Cells(const dst_CliArgs& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
};
