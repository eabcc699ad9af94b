#pragma once
// The codecs of text cells: radio texts in the radio's character codes (drawn in
// segments, edited in the segment text window), user-character masks (edited in the
// segment character editor), plain space-padded texts, and the clone password. Each
// fills the request's output text and selection, sets the dispatch result and
// returns whether the value changed.
#include <cstdint>
#include <span>

class cmcCellCapsule;

class cmcTextCodecs {
 public:
  // The key label the segment character editor is opened with.
  static constexpr int kCharacterEditorKeyLabel = 15;
  // The longest clone password.
  static constexpr size_t kMaxPasswordLength = 16;

  // A radio text field; zeroTerminated fields are padded with 0, others with spaces.
  // userTable: the 16 user-character masks, high byte first.
  static bool RadioTextCodec(cmcCellCapsule& request, std::span<uint8_t> field, std::span<const uint8_t> userTable,
                             bool zeroTerminated, uint8_t& result);
  // The 2-byte segment mask of a user character, high byte first.
  static bool UserCharacterCodec(cmcCellCapsule& request, std::span<uint8_t, 2> mask, uint8_t& result);
  // A space-padded field of plain characters.
  static bool PlainTextCodec(cmcCellCapsule& request, std::span<uint8_t> field, uint8_t& result);
  // The clone password: out receives the current bytes, or the password entered in
  // the password dialog, zero-padded.
  static bool ClonePasswordCodec(cmcCellCapsule& request, std::span<const uint8_t> current, std::span<uint8_t> out,
                                 uint8_t& result);
};
