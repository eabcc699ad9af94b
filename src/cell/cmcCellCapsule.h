#pragma once
// A cell with its context, handed to the value dispatch by sheets, menus and trees,
// and the fields the dispatch answers in. The UI objects are opaque here: the core
// never looks into them. Reset and copy leave the bank index alone.
#include <array>
#include <cstdint>
#include <string>

class cmcCellObj;
class cmcCellCanvas;
class cmcCellGrid;
class cmcSheetModel;

class cmcCellCapsule {
 public:
  // Called with a probe capsule and a flag (the change mask) to repaint related cells.
  using RepaintFn = void (*)(void* context, cmcCellCapsule& probe, int flag);
  // Called to reopen the in-place editor on the current cell with the output text.
  using ReopenEditorFn = void (*)(void* context, cmcCellCapsule& capsule);

  // state bits
  static constexpr uint8_t kCurrent = 0x01;
  static constexpr uint8_t kPrinting = 0x02;
  static constexpr uint8_t kWarningMark = 0x04;
  static constexpr uint8_t kErrorMark = 0x08;
  // input kinds
  static constexpr uint8_t kInputKey = 0;
  static constexpr uint8_t kInputText = 1;
  static constexpr uint8_t kInputPopupAnswer = 2;
  // multi-selection bits
  static constexpr uint8_t kMultiActive = 0x01;
  static constexpr uint8_t kMultiApplyRange = 0x02;
  // key code of an activation (double click on the current cell)
  static constexpr int32_t kKeyActivate = 256;

  struct JumpRequest {
    uint32_t set = 0;
    uint32_t category = 0;
    uint32_t label = 0;
    int32_t index = 0;
  };

  cmcCellCapsule* parent = nullptr;  // the capsule that opened this sheet, or a popup's chosen cell
  int32_t bankIndex = 0;             // set only when the dispatch probes a cell for its marks
  void* owner = nullptr;             // the grid or menu owner control
  cmcCellGrid* grid = nullptr;
  cmcCellObj* cell = nullptr;              // the dispatch writes menu flags and alignment into it
  cmcCellCanvas* canvas = nullptr;         // the drawing surface while drawing
  void* imageList = nullptr;               // images of the warning and error marks
  std::array<int32_t, 4>* rect = nullptr;  // left, top, right, bottom
  int32_t selStart = 0;
  int32_t selLength = 0;
  int32_t keyCode = 0;          // character, kKeyActivate, virtual key << 8, or 0 for text and commands
  int32_t commandArgument = 0;  // label of the chosen popup menu item
  std::string inputText;
  std::string outputText;
  // Why typed input (input kind 1) was refused or pulled into the cell's limits, and
  // what the cell takes; empty when it was taken as typed. Written by the codec that
  // refused it; the dispatch clears it on entry.
  std::string refusal;
  // Set by a codec that read the typed text (input kind 1), whether it took it or not;
  // typed text that no codec read was not for this cell.
  bool typedRead = false;
  uint8_t state = 0;
  uint8_t markPosition = 0;  // 1 left edge, 2 right edge, 3 after the text, 0 by alignment
  uint8_t inputKind = kInputKey;
  JumpRequest jump;
  int32_t repeatKey = 0;
  cmcSheetModel* sheet = nullptr;  // the sheet that made the request; opaque here
  uint8_t multiSelection = 0;
  int32_t rangeLow = 0;
  int32_t rangeHigh = 0;
  RepaintFn repaint = nullptr;
  void* repaintContext = nullptr;
  ReopenEditorFn reopenEditor = nullptr;
  void* reopenEditorContext = nullptr;

  cmcCellCapsule() = default;
  cmcCellCapsule(const cmcCellCapsule&) = delete;
  cmcCellCapsule& operator=(const cmcCellCapsule&) = delete;

  // Clears every field but the bank index.
  void Reset();
  // Copies every field of source, texts included, but the bank index.
  void CopyFrom(const cmcCellCapsule& source);
};
