#pragma once
// A main overlay of small choice lists with its cell cache, an image, a recording
// grid and helpers that turn the request into a key, a typed text or a chooser answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/ChooserGrid.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcChoiceContext.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcFCache.h"
#include "image/cmcEeprom.h"
#include "overlay/cmcGTex.h"

class ChoiceFixture : public ::testing::Test {
 protected:
  explicit ChoiceFixture(const std::vector<std::string>& lines) : lines_(lines) {
    overlay_.SetLines(lines_);
    image_.SetSize(cmcEeprom::kImageSize);
    context_.overlay = &overlay_;
    context_.cache = &cache_;
    context_.image = &image_;
    request_.cell = &cell_;
  }

  // A fresh request on the cell with label, for the next call.
  void Fresh() {
    request_.Reset();
    request_.cell = &cell_;
    context_.result = cmcCodecCommon::kResultDone;
    context_.textColour.reset();
  }
  void Draw() { Fresh(); }
  void Press(int key, bool withGrid = true) {
    Fresh();
    request_.keyCode = key;
    request_.grid = withGrid ? &grid_ : nullptr;
  }
  void Type(const std::string& text) {
    Fresh();
    request_.inputKind = cmcCellCapsule::kInputText;
    request_.inputText = text;
    request_.grid = &grid_;
  }
  // The answer of a chooser whose chosen cell has this label and index.
  void Answer(uint32_t label, int32_t index, bool withGrid = true) {
    Fresh();
    chosen_.label = label;
    chosen_.index = index;
    answer_.cell = &chosen_;
    request_.inputKind = cmcCellCapsule::kInputPopupAnswer;
    request_.parent = &answer_;
    request_.grid = withGrid ? &grid_ : nullptr;
  }

  std::vector<std::string> lines_;
  cmcGTex overlay_;
  cmcFCache cache_{overlay_};
  cmcEeprom image_;
  cmcChoiceContext context_;
  ChooserGrid grid_;
  cmcCellObj cell_;
  cmcCellObj chosen_;
  cmcCellCapsule answer_;
  cmcCellCapsule request_;
};
