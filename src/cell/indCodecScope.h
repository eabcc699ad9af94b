#pragma once
// The value codecs' context for one request of the dispatch (the host's overlay, cell
// cache, image, model family and events), handed back on leaving the scope: the
// dispatch result, the text colour and the alignment a codec asked for. Also the
// small steps the setting handlers share: restricted cells, centred dashes, and a
// channel record stored and announced.
#include <array>
#include <cstdint>
#include <string_view>

#include "cell/cmcChannelCodecContext.h"

class indCellRequest;

class indCodecScope {
 public:
  // Fatal when the host has no overlay or cell cache: every codec reads them.
  explicit indCodecScope(indCellRequest& request);
  ~indCodecScope();
  indCodecScope(const indCodecScope&) = delete;
  indCodecScope& operator=(const indCodecScope&) = delete;

  cmcChannelCodecContext context;

 private:
  indCellRequest& r_;
};

class indCellSteps {
 public:
  static constexpr uint8_t kAlignLeft = 0;
  static constexpr uint8_t kAlignCentre = 1;
  static constexpr uint8_t kAlignRight = 2;

  // A setting that does not apply: the text in the restricted colour; a typed key (1-126)
  // is swallowed and reported. True when the key was swallowed (the request then only draws).
  static bool Restrict(indCellRequest& r);
  // Draws silver; keys still act.
  static void Silver(indCellRequest& r);
  // A fixed text, centred, that takes no keys.
  static void Centred(indCellRequest& r, std::string_view text);
  static void Align(indCellRequest& r, uint8_t align);
  // Stores the loaded channel record and announces the row to the views.
  static void StoreChannel(indCellRequest& r);
  // The image's user-character table.
  static std::array<uint8_t, 32> UserTable(indCellRequest& r);
  static bool ImageBit(indCellRequest& r, int address, int bit);
};
