#pragma once
// The program's process-wide objects, wired once for the desktop program, the
// command-line tool and the tests: made in their fixed order and destroyed in the
// reverse one, so that the environment writes the settings back last. The platform
// comes in as seams (settings store, instance guard, timer host, prompts, and the
// clone manager's line when one is wanted). When another process owns the instance,
// only the environment is made. The sheets on screen (the sheet maker and the model
// controller's sheet side) are made on demand, on the window's measure and view, and
// go first.
#include <memory>
#include <optional>
#include <string>

#include "cell/cmcSegmentModel.h"
#include "cell/indActiveCell.h"
#include "channel/sheets/indSheetMaker.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcLanguages.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcColumnWidthStore.h"
#include "shell/indCellShell.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"
#include "shell/indSheetHost.h"

class cmcClock;
class cmcInstanceGuard;
class cmcPrompts;
class cmcSettingsStore;
class cmcSheetView;
class cmcTextMeasure;
class cmcTimerHost;
class cmcWaiter;

class indProgram {
 public:
  // None of it is owned; all of it must outlive the program.
  struct Seams {
    cmcSettingsStore& store;
    cmcInstanceGuard& guard;
    indEnviron::Rect workArea;  // the primary screen's available area
    cmcTimerHost& timers;       // the event manager's dispatch turn runs on it
    cmcPrompts& prompts;
    std::string exeDir;                             // the folder of the overlays and initial images, ending with "/"
    std::string desktopDir;                         // the working folder when none is stored
    const indMain::CloneServices* clone = nullptr;  // none: the model controller has no clone manager
  };

  // The environment, then, when this process owns the instance: the main, language
  // index and help overlays, the event manager, the languages opened (a main overlay
  // without the application's title is fatal), the model controller started on its
  // initial image, the cell host and the dispatch.
  explicit indProgram(const Seams& seams);
  indProgram(const indProgram&) = delete;
  indProgram& operator=(const indProgram&) = delete;

  // False when another process owns the instance; then only Environ() may be used.
  bool OwnsInstance() const { return parts_.has_value(); }

  indEnviron& Environ() { return environ_; }
  cmcGTex& Overlay() { return parts_->mainOverlay; }
  cmcGTex& IndexOverlay() { return parts_->indexOverlay; }
  cmcHelpGTex& HelpOverlay() { return parts_->helpOverlay; }
  cmcEvMan& Events() { return parts_->events; }
  cmcLanguages& Languages() { return parts_->languages; }
  indMain& Main() { return *parts_->main; }
  indCellShell& CellHost() { return *parts_->cellHost; }
  indActiveCell& Dispatch() { return *parts_->dispatch; }

  // What the sheets on screen need beyond the seams above; none of it is owned.
  struct SheetSeams {
    const cmcClock& clock;  // the clock of the timers given above
    const cmcTextMeasure& measure;
    cmcSheetView& view;  // the sheet pane's
    cmcWaiter* waiter = nullptr;
  };
  // Makes the column width store, the sheet maker (zoom from "FontSize Percentage")
  // and the sheet host over them; once. The host is started by the caller.
  indSheetHost& OpenSheets(const SheetSeams& sheets);
  bool SheetsOpen() const { return parts_ && parts_->host; }
  indSheetHost& Host() { return *parts_->host; }
  const indSheetMaker& Maker() const { return *parts_->maker; }

 private:
  // Everything after the environment, in the order it is made.
  struct Parts {
    Parts(indEnviron& environ, const Seams& seams);
    // Radio texts are drawn in the display characters of these segments meanwhile.
    ~Parts();
    Parts(const Parts&) = delete;
    Parts& operator=(const Parts&) = delete;

    cmcGTex mainOverlay;
    cmcGTex indexOverlay;
    cmcHelpGTex helpOverlay;
    cmcEvMan events;
    cmcLanguages languages;
    // Made once the languages are open.
    cmcSegmentModel segments;
    std::optional<indMain> main;
    std::optional<indCellShell> cellHost;
    std::optional<indActiveCell> dispatch;
    // Made by OpenSheets; destroyed before everything above.
    std::optional<cmcColumnWidthStore> widths;
    std::optional<indSheetMaker> maker;
    std::optional<indSheetHost> host;
  };

  cmcSettingsStore& store_;
  cmcTimerHost& timers_;
  indEnviron environ_;
  std::optional<Parts> parts_;
};
