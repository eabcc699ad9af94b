#pragma once
// A sheet model over an in-memory overlay that holds one sheet "S" (its style, basic
// cell and "_Cells" lines as a test writes them) and any further sections, measured
// with the fixed measure (8 x 16 pixels a character), a recording view and waiter,
// and an answer the test scripts. Every request the model makes is recorded; bound
// cells show "L<label>:<index>" unless the test's draw answer says otherwise.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcWaiter.h"
#include "sheet/cmcFixedMeasure.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetModel.h"
#include "support/RecordingSheetView.h"

struct RecordingWaiter : cmcWaiter {
  void Wait(uint32_t ms) override { waits.push_back(static_cast<int>(ms)); }
  std::vector<int> waits;
};

struct SheetRig {
  // One request as the model made it.
  struct Request {
    bool act;
    uint32_t label;
    int32_t index;
    int32_t key;
    int32_t command;
    uint8_t inputKind;
    std::string text;
    bool operator==(const Request&) const = default;
  };

  SheetRig(const std::vector<std::string>& cells, const std::string& style = "", const std::string& basic = "",
           const std::vector<std::string>& sections = {}, std::string ref = "S") {
    lines = {"#S_Style", style, "#S_BasicCell", basic, "#S_Cells"};
    lines.insert(lines.end(), cells.begin(), cells.end());
    lines.push_back("#");
    lines.insert(lines.end(), sections.begin(), sections.end());
    lines.push_back("#End_Of_Ovl");
    overlay.SetLines(lines);
    ref_ = std::move(ref);
  }

  // Makes the model (a fresh one each time) without building it.
  cmcSheetModel& Make(cmcSheetDef::Model model = {}) {
    sheet.reset();
    sheet = std::make_unique<cmcSheetModel>(Seams(), ref_, model);
    return *sheet;
  }
  cmcSheetModel::Seams Seams() {
    return {.overlay = overlay,
            .view = view,
            .hooks = *hooks,
            .answer = [this](cmcCellCapsule& c, bool act) { return Answer(c, act); },
            .events = events,
            .widths = widths,
            .waiter = &waiter,
            .busy = [this] { return busy; }};
  }
  // Makes the model unless there is one, builds it and shows it in a client area.
  cmcSheetModel& Build(cmcSheetModel::BuildOptions options = {}, int clientWidth = 800, int clientHeight = 600) {
    if (!sheet) Make();
    if (!options.measure) options.measure = &measure;
    sheet->SetClientSize(clientWidth, clientHeight);
    sheet->Build(options);
    view.Clear();
    return *sheet;
  }

  uint8_t Answer(cmcCellCapsule& c, bool act) {
    const cmcCellObj& cell = *c.cell;
    if (act || recordDraws)
      requests.push_back({act, cell.label, cell.index, c.keyCode, c.commandArgument, c.inputKind, c.inputText});
    if (!act) {
      c.outputText = "L" + std::to_string(cell.label) + ":" + std::to_string(cell.index);
      if (onDraw) onDraw(c);
      return 0;
    }
    return onAct ? onAct(c) : 0;
  }
  // The user actions the model sent.
  std::vector<Request> Acts() const {
    std::vector<Request> acts;
    for (const auto& r : requests)
      if (r.act) acts.push_back(r);
    return acts;
  }
  cmcSheetCoord At() const { return {sheet->Col(), sheet->Row()}; }

  std::vector<std::string> lines;
  cmcGTex overlay;
  RecordingSheetView view;
  cmcSheetHooks plainHooks;
  cmcSheetHooks* hooks = &plainHooks;
  RecordingWaiter waiter;
  cmcFixedMeasure measure;
  cmcEvMan* events = nullptr;
  cmcColumnWidthStore* widths = nullptr;
  bool busy = false;
  bool recordDraws = false;
  std::function<uint8_t(cmcCellCapsule&)> onAct;
  std::function<void(cmcCellCapsule&)> onDraw;
  std::vector<Request> requests;
  std::unique_ptr<cmcSheetModel> sheet;

 private:
  std::string ref_;
};
