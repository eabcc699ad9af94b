#include "cli/indCliDump.h"

#include "cli/indCliSession.h"
#include "shell/indSheetRender.h"

int indCliDump::Run(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  indCliSession session(err, exeDir);
  indMain& main = session.Main();
  main.makerReserveMode = a.maker;
  if (main.OpenCloneFile(a.positional[0], false)) return main.LastFileError();
  indSheetRender render(main, session.Overlay(), session.Events(), session.Dispatch());
  if (a.positional.size() == 2) {
    out << indSheetRender::Table(render.Render(a.positional[1]));
    return 0;
  }
  for (const auto& sheet : render.TreeSheets())
    out << "# " << sheet.caption << '\t' << sheet.ref << '\n'
        << indSheetRender::Table(render.Render(sheet.ref)) << std::flush;
  return 0;
}
