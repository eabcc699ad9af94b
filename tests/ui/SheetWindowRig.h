#pragma once
// A sheet window over the program's objects and shipped data, offscreen: the pane's
// own measure sizes the sheets the maker builds, and the pane shows the one opened.
#include <QApplication>
#include <QTest>
#include <memory>
#include <string>

#include "cell/indActiveCell.h"
#include "channel/sheets/indSheetMaker.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiSheet.h"
#include "support/QtApplication.h"
#include "support/TestProgram.h"

struct SheetWindowRig {
  static constexpr const char* kLmrBank = "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0";

  SheetWindowRig() {
    pane->resize(1400, 900);
    pane->show();
  }
  ~SheetWindowRig() {
    pane->SetModel(nullptr);
    sheet = {};
  }

  void Open(const std::string& ref) {
    pane->SetModel(nullptr);
    sheet = maker.Open(ref, *pane);
    pane->SetModel(sheet.model.get());
    QApplication::processEvents();  // the title bar takes its place
  }
  cmcSheetModel& Model() { return *sheet.model; }
  QWidget* Grid() { return pane->Grid(); }
  QWidget* Viewport() { return pane->Grid()->viewport(); }
  // The first column whose row holds a cell with that label.
  int ColumnOf(uint32_t label, int row) {
    for (int c = 0; c < Model().ColCount(); ++c)
      if (Model().Def().CellAt(c, row).label == label) return c;
    return -1;
  }
  QPoint Centre(int col, int row) { return pane->Grid()->CellRect(col, row).center(); }

  ProgramDir dir;
  Program p{dir};
  bool app = (EnsureApp(), true);
  std::unique_ptr<cuiSheet> pane = std::make_unique<cuiSheet>();
  indSheetMaker maker{{.overlay = p.mainOverlay,
                       .events = p.events,
                       .image = p.main.Working(),
                       .defaults = p.main.Initial(),
                       .answer = [this](cmcCellCapsule& c, bool act) { return p.dispatch.Dispatch(c, act); },
                       .model = [this] { return p.main.SheetModel(); },
                       .measure = pane->Measure()}};
  indSheetMaker::Sheet sheet;
};
