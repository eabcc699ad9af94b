#include "cli/indCliDump.h"

#include "cli/indCli.h"
#include "cli/indCliSession.h"
#include "cli/indCliSheets.h"
#include "shell/indSheetRender.h"

namespace {

void ListSheets(indCliSheets& sheets, std::ostream& out) {
  for (const auto& sheet : sheets.Tree()) out << sheet.ref << '\t' << sheet.caption << '\n';
}

// False, with the sheets the tree does know on err, for a sheet it does not.
bool KnownSheet(indCliSheets& sheets, const std::string& ref, std::ostream& err) {
  if (sheets.Knows(ref)) return true;
  err << "rx93kit-cli: unknown sheet '" << ref << "'; the sheets of this file are:\n";
  ListSheets(sheets, err);
  return false;
}

}  // namespace

int indCliDump::Run(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  indCliSession session(err, exeDir);
  indMain& main = session.Main();
  main.makerReserveMode = a.maker;
  if (main.OpenCloneFile(a.positional[0], false)) return main.LastFileError();
  indSheetRender render(main, session.Overlay(), session.Events(), session.Dispatch());
  if (a.positional.size() == 2) {
    indCliSheets sheets(session);
    if (!KnownSheet(sheets, a.positional[1], err)) return kCliUsageError;
    out << indSheetRender::Table(render.Render(a.positional[1]));
    return 0;
  }
  for (const auto& sheet : render.TreeSheets())
    out << "# " << sheet.caption << '\t' << sheet.ref << '\n'
        << indSheetRender::Table(render.Render(sheet.ref)) << std::flush;
  return 0;
}

int indCliDump::Sheets(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  indCliSession session(err, exeDir);
  session.Main().makerReserveMode = a.maker;
  if (session.Main().OpenCloneFile(a.positional[0], false)) return session.Main().LastFileError();
  indCliSheets sheets(session);
  ListSheets(sheets, out);
  return 0;
}

int indCliDump::Cells(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  indCliSession session(err, exeDir);
  session.Main().makerReserveMode = a.maker;
  if (session.Main().OpenCloneFile(a.positional[0], false)) return session.Main().LastFileError();
  indCliSheets sheets(session);
  if (!KnownSheet(sheets, a.positional[1], err)) return kCliUsageError;
  for (const auto& c : sheets.Cells(a.positional[1]))
    out << indCliSheets::BindingText(c.cell) << '\t' << c.caption << '\t' << c.shown << '\n';
  return 0;
}
