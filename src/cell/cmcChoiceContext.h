#pragma once
// What the choice-list and code codecs read besides the request: the main overlay,
// the sheet cell cache that holds the choice lists, the working image, the model
// family and extended mode, and where posted events go. The codecs answer the
// dispatch result and a text colour here; the caller clears both per request.
#include <cstdint>
#include <optional>

class cmcEeprom;
class cmcEvMan;
class cmcFCache;
class cmcGTex;

struct cmcChoiceContext {
  // The colour of a value that is not available or not in force.
  static constexpr uint32_t kRestrictedColour = 32896;

  cmcGTex* overlay = nullptr;
  cmcFCache* cache = nullptr;
  cmcEeprom* image = nullptr;
  int modelType = 0;  // 0 LMR, 1 PMR, 2 QarnPmr, 3 dPMR446; others behave as 0
  bool extendedMode = false;
  cmcEvMan* events = nullptr;  // may be null: nothing is posted

  // Answers.
  uint8_t result = 0;                  // a dispatch result of cmcCodecCommon
  std::optional<uint32_t> textColour;  // set when the codec colours the text

  // The family with 4 and 5 taken as LMR.
  int Family() const { return modelType >= 0 && modelType <= 3 ? modelType : 0; }
};
