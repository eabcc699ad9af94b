#include "channel/sheets/indSheetMaker.h"

#include <algorithm>

#include "channel/sheets/indBankSheet.h"
#include "channel/sheets/indMemorySheet.h"
#include "sheet/cmcSheetRef.h"

std::unique_ptr<indSheetKind> indSheetMaker::KindOf(const std::string& ref) const {
  const cmcSheetRef sheet(ref);
  const Services& s = services_;
  switch (sheet.SheetKind()) {
    case cmcSheetRef::Kind::kBank:
      return std::make_unique<indBankSheet>(s.overlay, s.events, s.image, s.defaults, std::max(sheet.Bank(), 0));
    case cmcSheetRef::Kind::kMemory:
      return std::make_unique<indMemorySheet>(s.events, s.image, s.defaults);
    default:
      return std::make_unique<indSheetKind>();
  }
}

std::unique_ptr<cmcSheetModel> indSheetMaker::Build(const std::string& ref, cmcSheetView& view, cmcSheetHooks& hooks,
                                                    const cmcSheetModel::Position& at, bool modelSheet) const {
  const Services& s = services_;
  auto model = std::make_unique<cmcSheetModel>(cmcSheetModel::Seams{.overlay = s.overlay,
                                                                    .view = view,
                                                                    .hooks = hooks,
                                                                    .answer = s.answer,
                                                                    .events = &s.events,
                                                                    .widths = s.widths,
                                                                    .waiter = s.waiter,
                                                                    .busy = s.busy},
                                               ref, s.model ? s.model() : cmcSheetDef::Model());
  model->SetModelSheet(modelSheet);
  model->SetRememberedPosition(at);
  model->Build({.measure = &s.measure, .zoomPercent = s.zoom ? s.zoom() : 100});
  return model;
}

indSheetMaker::Sheet indSheetMaker::Open(const std::string& ref, cmcSheetView& view,
                                         const cmcSheetModel::Position& at) const {
  Sheet sheet;
  sheet.hooks = KindOf(ref);
  sheet.model = Build(ref, view, *sheet.hooks, at);
  sheet.hooks->Attach(sheet.model.get());
  return sheet;
}
