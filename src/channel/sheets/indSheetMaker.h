#pragma once
// Makes the program's sheets on its services: the kind of sheet a reference names (a
// bank sheet for the tag "St_ChBank", a memory sheet for an option text beginning
// with "M", the plain kind for common and plain sheets, whose model conditions the
// definition applies) and the sheet model built over it for a view. The sheet host and
// the memory channel window build every sheet through it, so all are built alike.
#include <functional>
#include <memory>
#include <string>

#include "channel/sheets/indSheetKind.h"
#include "sheet/cmcSheetModel.h"

class cmcColumnWidthStore;
class cmcEeprom;
class cmcEvMan;
class cmcGTexBase;
class cmcSheetView;
class cmcTextMeasure;
class cmcWaiter;

class indSheetMaker {
 public:
  // None of it is owned; all of it outlives the maker and its sheets.
  struct Services {
    cmcGTexBase& overlay;  // the main overlay: sections, texts and cell models
    cmcEvMan& events;
    cmcEeprom& image;                           // the working image the bank arithmetic reads
    const cmcEeprom& defaults;                  // the initial image fresh records come from
    cmcSheetModel::Answer answer;               // the value layer
    std::function<cmcSheetDef::Model()> model;  // what the model conditions test, at each build
    const cmcTextMeasure& measure;
    std::function<int()> zoom = {};  // the display zoom in percent; none: 100
    cmcColumnWidthStore* widths = nullptr;
    cmcWaiter* waiter = nullptr;
    std::function<bool()> busy = {};  // a batch operation over channels is running
  };

  // A sheet and its kind; the model goes first, while the hooks it calls still exist.
  struct Sheet {
    std::unique_ptr<indSheetKind> hooks;
    std::unique_ptr<cmcSheetModel> model;
    ~Sheet() { model.reset(); }
    Sheet() = default;
    Sheet(Sheet&&) = default;
    Sheet& operator=(Sheet&&) = default;
  };

  explicit indSheetMaker(Services services) : services_(std::move(services)) {}

  // The kind of sheet the reference names, made for its bank or list.
  std::unique_ptr<indSheetKind> KindOf(const std::string& ref) const;
  // The sheet the reference names, built for the view at the remembered position.
  Sheet Open(const std::string& ref, cmcSheetView& view, const cmcSheetModel::Position& at = {}) const;
  // A sheet over hooks the caller keeps, built for the view; modelSheet: the model
  // sheet variant (a column of width 0 takes no cursor).
  std::unique_ptr<cmcSheetModel> Build(const std::string& ref, cmcSheetView& view, cmcSheetHooks& hooks,
                                       const cmcSheetModel::Position& at = {}, bool modelSheet = false) const;

  const Services& Seams() const { return services_; }

 private:
  Services services_;
};
