#pragma once
// The choice fixture for the frequency, tone and attribute codecs: their context
// (cleared with every request), an in-memory channel record on the fixture's image,
// and a reopen-editor callback that records the text the editor reopens with.
#include <optional>
#include <string>
#include <vector>

#include "cell/ChoiceFixture.h"
#include "cell/cmcChannelCodecContext.h"
#include "channel/datCh.h"

class ChannelCodecFixture : public ChoiceFixture {
 protected:
  explicit ChannelCodecFixture(const std::vector<std::string>& lines) : ChoiceFixture(lines) {
    codec_.overlay = &overlay_;
    codec_.cache = &cache_;
    codec_.image = &image_;
    channel_.Bind(&image_);
    channel_.kind = 1;
  }

  void Draw() {
    ChoiceFixture::Draw();
    Clear();
  }
  void Press(int key, bool withGrid = true) {
    ChoiceFixture::Press(key, withGrid);
    Clear();
  }
  void Type(const std::string& text) {
    ChoiceFixture::Type(text);
    Clear();
  }
  void Answer(uint32_t label, int32_t index, bool withGrid = true) {
    ChoiceFixture::Answer(label, index, withGrid);
    Clear();
  }

  // A channel in use with these frequencies in hertz (0 and 0: not in use).
  void Channel(uint32_t receive, uint32_t transmit) {
    channel_.freqR = receive;
    channel_.freqT = transmit;
    channel_.inUse = receive != 0;
  }

  cmcChannelCodecContext codec_;
  datCh channel_;
  bool withReopen_ = true;               // requests carry the reopen-editor callback
  std::optional<std::string> reopened_;  // the text the editor was reopened with

 private:
  void Clear() {
    codec_.result = cmcCodecCommon::kResultDone;
    codec_.textColour.reset();
    codec_.textAlign.reset();
    reopened_.reset();
    if (withReopen_) {
      request_.reopenEditor = &Reopened;
      request_.reopenEditorContext = this;
    }
  }
  static void Reopened(void* self, cmcCellCapsule& request) {
    static_cast<ChannelCodecFixture*>(self)->reopened_ = request.outputText;
  }
};
