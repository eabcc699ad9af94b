#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "FuzzFatal.h"
#include "FuzzSession.h"
#include "FuzzTargets.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellGrid.h"
#include "cell/indActiveCell.h"
#include "cli/indCliSheets.h"
#include "image/cmcEeprom.h"

namespace {

// Popup editors stay closed: the text is what is typed.
class ClosedGrid : public cmcCellGrid {
 public:
  void OpenChooser(cmcCellCapsule&, const std::string&, int, int, const std::string&) override {}
  void OpenSegmentText(cmcCellCapsule&, std::span<const uint8_t>, bool, int, std::span<const uint8_t>) override {}
  void OpenCharacterEditor(cmcCellCapsule&, int, uint16_t) override {}
};

// A model type's session, every cell its tree's sheets show, and its image as opened.
struct Model {
  explicit Model(int family) : session(FuzzSession(family)) {
    indCliSheets sheets(session);
    for (const auto& sheet : sheets.Tree()) {
      for (const auto& c : sheets.Cells(sheet.ref)) {
        cells.push_back(c.cell);
        cells.back().base = nullptr;  // the sheet's basic cell is gone with the sheet
      }
    }
    initial.Assign(session.Main().Working());
  }
  indCliSession& session;
  std::vector<cmcCellObj> cells;
  cmcEeprom initial;
};

}  // namespace

int FuzzTypedText(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static std::array<std::unique_ptr<Model>, 4> models;
  const size_t family = data[0] % models.size();
  if (!models[family]) models[family] = std::make_unique<Model>(static_cast<int>(family));
  Model& model = *models[family];
  if (model.cells.empty()) return 0;
  cmcCellObj cell = model.cells[(size_t{data[1]} << 8 | data[2]) % model.cells.size()];
  FuzzFatal::Catch([&] {
    model.session.Main().Working().Assign(model.initial);
    ClosedGrid grid;
    cmcCellCapsule c;
    c.cell = &cell;
    c.grid = &grid;
    c.inputKind = cmcCellCapsule::kInputText;
    c.inputText.assign(reinterpret_cast<const char*>(data + 3), size - 3);
    model.session.Dispatch().Dispatch(c, false);
    model.session.Dispatch().CellText(cell, 0);
  });
  return 0;
}
