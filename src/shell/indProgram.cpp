#include "shell/indProgram.h"

#include "cell/cmcRadioText.h"
#include "shell/indWarningChecks.h"

indProgram::indProgram(const Seams& seams)
    : store_(seams.store),
      timers_(seams.timers),
      environ_(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, seams.store, seams.guard,
               seams.workArea) {
  if (environ_.OwnsInstance()) parts_.emplace(environ_, seams);
}

indProgram::Parts::Parts(indEnviron& environ, const Seams& seams)
    : events(seams.timers), languages(seams.exeDir, indexOverlay, mainOverlay, helpOverlay) {
  environ.language = languages.Open(environ.language);
  // Every message is captioned with the title: without it the program ends here,
  // before anything is loaded or shown.
  mainOverlay.GetText("GI_Sys_AppTitle");
  segments = cmcSegmentModel::FromOverlay(mainOverlay);
  cmcRadioText::SetSegmentModel(&segments);
  if (seams.clone)
    main.emplace(mainOverlay, environ, events, seams.prompts, seams.exeDir, seams.desktopDir, *seams.clone);
  else
    main.emplace(mainOverlay, environ, events, seams.prompts, seams.exeDir, seams.desktopDir);
  main->StartUp();
  cellHost.emplace(*main, environ, mainOverlay, events, seams.prompts, seams.exeDir);
  dispatch.emplace(*cellHost);
  // A clone write is refused while a check carries an error mark; with sheets open the
  // checks also mark the tree, so the user sees where the errors are.
  main->SetWarningErrorCount([this] {
    const auto result =
        host ? host->RunWarningChecks() : indWarningChecks(mainOverlay, *dispatch).Run(main->ModelType());
    return static_cast<int>(result.errors.size());
  });
}

indSheetHost& indProgram::OpenSheets(const SheetSeams& sheets) {
  Parts& p = *parts_;
  if (p.host) return *p.host;
  indMain& main = *p.main;
  indActiveCell& dispatch = *p.dispatch;
  p.widths.emplace(store_, p.mainOverlay, environ_.UserKey());
  p.maker.emplace(
      indSheetMaker::Services{.overlay = p.mainOverlay,
                              .events = p.events,
                              .image = main.Working(),
                              .defaults = main.Initial(),
                              .answer = [&dispatch](cmcCellCapsule& c, bool act) { return dispatch.Dispatch(c, act); },
                              .model = [&main] { return main.SheetModel(); },
                              .measure = sheets.measure,
                              .zoom = [this] { return environ_.fontSizePercentage; },
                              .widths = &*p.widths,
                              .waiter = sheets.waiter,
                              .busy = [&main] { return main.bulkDelete; }});
  p.host.emplace(indSheetHost::Seams{main, environ_, p.mainOverlay, p.events, dispatch, *p.cellHost, sheets.clock,
                                     timers_, *p.maker, sheets.view});
  return *p.host;
}

indProgram::Parts::~Parts() { cmcRadioText::SetSegmentModel(nullptr); }
