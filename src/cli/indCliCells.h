#pragma once
// The command line's cell commands, run on a clone file through the active cell
// dispatch as a sheet runs it: get prints cells, set commits typed texts, key sends
// keys. A cell is written as a binding, [CATEGORY.]LABEL[INDEX]; channel indexes
// count across all banks. Unknown names, labels without a handler, restricted
// settings and refused input are reported on stderr, and then nothing is written.
#include <ostream>
#include <string>

struct dst_CliArgs;

// Exit status of a cell command that met a bad cell or a refused edit.
inline constexpr int kCliCellError = 65;

class indCliCells {
 public:
  // get FILE CELL...: one line per cell, the binding, a tab and the text shown.
  static int Get(const dst_CliArgs& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
  // set FILE -o OUT CELL=TEXT...: commits each text as typed, then saves as Save does.
  static int Set(const dst_CliArgs& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
  // key FILE -o OUT CELL KEY...: sends the keys (space, backspace, enter or one
  // character), following jumps and repeat keys; an in-place editor that opens takes
  // the following keys and commits on enter or at the end.
  static int Key(const dst_CliArgs& args, std::ostream& out, std::ostream& err, const std::string& exeDir);
};
