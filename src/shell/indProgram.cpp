#include "shell/indProgram.h"

#include "cell/cmcRadioText.h"

indProgram::indProgram(const Seams& seams)
    : environ_(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, seams.store, seams.guard,
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
}

indProgram::Parts::~Parts() { cmcRadioText::SetSegmentModel(nullptr); }
