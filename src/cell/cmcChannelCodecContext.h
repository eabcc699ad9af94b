#pragma once
// What the frequency, tone and attribute codecs read and answer besides the request:
// all of the choice codecs' context (overlay, cell cache, image, model family, events,
// result and text colour) and the text alignment a codec asks for. The caller clears
// the answers per request.
#include <cstdint>
#include <optional>

#include "cell/cmcChoiceContext.h"

class cmcCellCapsule;
class cmcCellObj;

struct cmcChannelCodecContext : cmcChoiceContext {
  // Alignments, as the cell layout numbers them.
  static constexpr uint8_t kAlignCentre = 1;
  static constexpr uint8_t kAlignRight = 2;

  // Answer: set when the codec places the text; otherwise the cell's own alignment holds.
  std::optional<uint8_t> textAlign;

  // Opens the in-place editor on the request's output text and selection: through the
  // request's reopen-editor callback when it has one, else by answering result 2.
  void ReopenEditor(cmcCellCapsule& request);
  // The chosen cell of a chooser answer (input kind 2), or nullptr.
  static const cmcCellObj* ChosenCell(const cmcCellCapsule& request);
};
