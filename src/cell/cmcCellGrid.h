#pragma once
// What the cell engine may ask of the interactive grid that made a request: open a
// popup editor on the requesting cell, or ask in a modal dialog. The answer comes back later as a new request
// with input kind 2. A request without a grid never opens anything. The desktop
// sheets implement it; tests record the calls.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

class cmcCellCapsule;

class cmcCellGrid {
 public:
  virtual ~cmcCellGrid() = default;
  // A chooser on the choice list listKey whose entries carry keyLabel, with value
  // preselected; extra is a text the chooser shows beside the list (may be empty).
  virtual void OpenChooser(cmcCellCapsule& request, const std::string& listKey, int keyLabel, int value,
                           const std::string& extra) = 0;
  // The segment text window on a copy of a radio text (character codes), the whole text
  // selected or the caret at its end; it draws with the field length and the
  // user-character table (16 masks, high byte first). Answers with the editable form.
  virtual void OpenSegmentText(cmcCellCapsule&, std::span<const uint8_t> /*codes*/, bool /*selectAll*/,
                               int /*fieldLength*/, std::span<const uint8_t> /*userTable*/) {}
  // The segment character editor on a segment mask; answers with the mask in decimal.
  virtual void OpenCharacterEditor(cmcCellCapsule&, int /*keyLabel*/, uint16_t /*mask*/) {}
  // The flag-bits editor on the flags first … last of pattern (flag k is bit 26 - k),
  // headed in headerStyle, built from sheetKey in the main overlay or, when it is
  // empty, its own sheet. Answers with the pattern in decimal.
  virtual void OpenFlagEditor(cmcCellCapsule&, uint32_t /*pattern*/, int /*first*/, int /*last*/, int /*headerStyle*/,
                              const std::string& /*sheetKey*/) {}
  // The modal read/write password dialog (the password asked twice), prefilled with
  // current; the entered password (at most 16 characters) on OK, nothing on Cancel.
  virtual std::optional<std::string> AskReadWritePassword(const std::string& /*current*/) { return std::nullopt; }
  // Puts text on the system clipboard.
  virtual void SetClipboardText(const std::string&) {}
};
