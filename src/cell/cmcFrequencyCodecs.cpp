#include "cell/cmcFrequencyCodecs.h"

#include <optional>
#include <string>
#include <string_view>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcFrequency.h"
#include "cell/cmcPmrPresetTable.h"
#include "channel/datCh.h"
#include "overlay/cmcGTex.h"

const std::array<const char*, kPmr446Channels + 1> kPmr446Frequencies = {
    "446.006250", "446.018750", "446.031250", "446.043750", "446.056250", "446.068750", "446.081250",
    "446.093750", "446.103125", "446.109375", "446.115625", "446.121875", "446.128125", "446.134375",
    "446.140625", "446.146875", "446.153125", "446.159375", "446.165625", "446.171875", "446.178125",
    "446.184375", "446.190625", "446.196875", "#",
};

namespace {

constexpr const char* kFrequencyList = "GI_Sheet_Sel_Mch_Freq";
// Where the preset chooser opens when the channel matches no preset row.
constexpr int kDefaultPresetRow = 80;

bool IsDigit(int32_t c) { return c >= '0' && c <= '9'; }

// Space and backspace act as Enter on the frequency cells.
int32_t EffectiveKey(const cmcCellCapsule& request) {
  const int32_t key = request.keyCode;
  return key == cmcCodecCommon::kKeySpace || key == cmcCodecCommon::kKeyBackspace ? cmcCodecCommon::kKeyEnter : key;
}

// The editor's text when it opens on ".": the frequency with the caret just after the
// dot, or a lone "." on a channel that shows no frequency yet.
void EditorOnDot(cmcCellCapsule& request, bool inUse, uint32_t hertz) {
  request.outputText = inUse ? FrequencyText(hertz) : ".";
  request.selStart = static_cast<int32_t>(request.outputText.find('.') + 1);
  request.selLength = 0;
}

void EditorOnText(cmcCellCapsule& request, std::string text) {
  request.outputText = std::move(text);
  request.selStart = 0;
  request.selLength = static_cast<int32_t>(request.outputText.size());
}

// What a frequency cell shows when no editor is open: nothing on a channel not in
// use, "<-" centred for a transmit frequency equal to the receive one, else the
// frequency right-aligned; a blank one (not in use, or transmit inhibited) restricted.
void ShowFrequency(cmcChannelCodecContext& context, cmcCellCapsule& request, const datCh& channel, bool receiveSide,
                   uint32_t hertz, bool blank) {
  if (!channel.inUse) {
    cmcCodecCommon::ShowText(request, "");
    return;
  }
  if (!receiveSide && ClampFrequency(channel.freqT) == ClampFrequency(channel.freqR)) {
    cmcCodecCommon::ShowText(request, "<-");
    context.textAlign = cmcChannelCodecContext::kAlignCentre;
  } else {
    cmcCodecCommon::ShowText(request, FrequencyText(hertz));
    context.textAlign = cmcChannelCodecContext::kAlignRight;
  }
  if (blank) context.textColour = cmcChannelCodecContext::kRestrictedColour;
}

// The frequency cell's colour and alignment while its editor is open.
void MarkEditor(cmcChannelCodecContext& context, bool blank) {
  context.textAlign = cmcChannelCodecContext::kAlignRight;
  if (blank) context.textColour = cmcChannelCodecContext::kRestrictedColour;
}

// The preset row of a channel: on a preset channel or one not in use the row whose
// texts match its frequencies, else (or when none matches) the default row.
int PresetRowOf(const datCh& channel, uint32_t receive) {
  if (!channel.preset && channel.inUse) return kDefaultPresetRow;
  const std::string rx = FrequencyText(receive);
  const std::string tx = FrequencyText(ClampFrequency(channel.freqT));
  for (int row = 0; row < kPmrPresetRows; ++row)
    if (rx == kPmrPresetTable[row].receive && tx == kPmrPresetTable[row].transmit) return row;
  return kDefaultPresetRow;
}

// The receive frequency of a preset row, when its text is one the typed band accepts.
std::optional<uint32_t> PresetReceive(int row) {
  if (row < 0 || row >= kPmrPresetRows) return std::nullopt;
  const std::optional<uint32_t> f = ParseTypedFrequency(kPmrPresetTable[row].receive);
  if (!f || !InTypedBand(*f)) return std::nullopt;
  return f;
}

}  // namespace

bool FrequencyCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide) {
  const uint32_t old = ClampFrequency(receiveSide ? channel.freqR : channel.freqT);
  const bool wasInUse = channel.inUse;
  const bool wasBlank = receiveSide ? !channel.inUse : channel.inhT;
  const bool equal = ClampFrequency(channel.freqR) == ClampFrequency(channel.freqT);
  uint32_t v = old;
  bool blank = wasBlank;

  if (cmcCodecCommon::ReadsTyped(request)) {
    std::string refusal;
    if (const std::optional<uint32_t> typed = ParseTypedFrequency(request.inputText, refusal)) {
      const int64_t checked = BandCheck(*context.overlay, *typed);
      if (InTypedBand(checked)) {
        v = ClampFrequency(checked);
        blank = false;
      } else {
        refusal = checked < 0 ? kRefusedBandReason : TypedBandReason(receiveSide ? "receive" : "transmit");
      }
    }
    if (!refusal.empty()) cmcCodecCommon::Refuse(request, refusal);
  }

  bool editor = false;
  if (cmcCodecCommon::IsInteractiveKey(request)) {
    const int32_t key = EffectiveKey(request);
    editor = true;
    if (key == '.') {
      EditorOnDot(request, wasInUse, v);
    } else if (key == '=' && !receiveSide) {
      EditorOnText(request, FrequencyText(ClampFrequency(channel.freqR)));
    } else if (IsDigit(key)) {
      cmcCodecCommon::OpenEditorOnKey(request);
    } else if (key == cmcCodecCommon::kKeyEnter) {
      EditorOnText(request, wasInUse ? FrequencyText(v) : std::string());
    } else {
      editor = false;
    }
    if (editor) context.result = cmcCodecCommon::kResultEditor;
  }

  const bool changed = v != old || (receiveSide && blank != wasBlank);
  if (changed) {
    if (receiveSide) {
      channel.freqR = v;
      // A simplex channel stays simplex; a new channel starts simplex.
      if (equal || !wasInUse) channel.freqT = ClampToTypedBand(v);
      if (!wasInUse) channel.inhR = blank;
      channel.inUse = !blank;
    } else {
      channel.freqT = ClampToTypedBand(v);
    }
  }

  if (editor)
    MarkEditor(context, blank);
  else
    ShowFrequency(context, request, channel, receiveSide, receiveSide ? v : ClampFrequency(channel.freqT), blank);
  return changed;
}

bool PmrFrequencyCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, int& presetResult) {
  presetResult = 0;
  const uint32_t old = ClampFrequency(channel.freqR);
  const bool wasInUse = channel.inUse;
  uint32_t v = old;
  bool blank = !wasInUse;
  int chosenRow = -1;
  bool editor = false;

  if (cmcCodecCommon::ReadsTyped(request)) {
    std::string refusal;
    const std::optional<uint32_t> typed = ParseTypedFrequency(request.inputText, refusal);
    if (typed && InTypedBand(*typed)) {
      v = ClampFrequency(*typed);
      blank = false;
    } else {
      cmcCodecCommon::Refuse(request, typed ? TypedBandReason("receive") : refusal);
    }
  } else if (const cmcCellObj* chosen = cmcChannelCodecContext::ChosenCell(request)) {
    if (chosen->label == FlexAdjCh) {
      // The chooser's "other frequency" entry: type one.
      request.outputText.clear();
      request.selStart = request.selLength = 0;
      context.ReopenEditor(request);
      editor = true;
    } else if (chosen->label == Flex0 || chosen->label == FlexLockCh) {
      if (const std::optional<uint32_t> f = PresetReceive(chosen->index)) {
        v = *f;
        blank = false;
        chosenRow = chosen->index;
      }
    }
  } else if (cmcCodecCommon::IsInteractiveKey(request)) {
    const int32_t key = EffectiveKey(request);
    if (key == '.' || key == '=' || IsDigit(key)) {
      if (key == '.') {
        EditorOnDot(request, wasInUse, v);
      } else if (IsDigit(key)) {
        cmcCodecCommon::OpenEditorOnKey(request);
      } else {
        request.outputText.clear();
        request.selStart = request.selLength = 0;
      }
      context.ReopenEditor(request);
      editor = true;
    } else if (key == cmcCodecCommon::kKeyEnter) {
      request.grid->OpenChooser(request, kFrequencyList, Flex0, PresetRowOf(channel, v), {});
      context.result = cmcCodecCommon::kResultPopup;
    }
  }

  uint32_t rowTransmit = 0;
  if (chosenRow >= 0) {
    const std::optional<uint32_t> tx = ParseTypedFrequency(kPmrPresetTable[chosenRow].transmit);
    rowTransmit = ClampToTypedBand(tx.value_or(v));
  }
  // Choosing a row is a change unless the channel already is that preset: the rows
  // 1-40 and 81-88 share their receive frequencies.
  const bool alreadyThatRow = chosenRow >= 0 && channel.preset && channel.presetNo == chosenRow + 1 &&
                              ClampFrequency(channel.freqT) == rowTransmit;
  const bool changed = v != old || blank != !wasInUse || (chosenRow >= 0 && !alreadyThatRow);
  if (changed) {
    channel.freqR = v;
    channel.freqT = chosenRow >= 0 ? rowTransmit : ClampToTypedBand(v);
    presetResult = chosenRow >= 0 ? chosenRow + 1 : kPmrPresetTyped;
    if (!wasInUse) channel.inhR = blank;
    channel.inUse = !blank;
  }

  if (editor)
    MarkEditor(context, blank);
  else
    ShowFrequency(context, request, channel, true, v, blank);
  return changed;
}

bool Pmr446FrequencyCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel,
                          bool& freeFrequency) {
  const uint32_t old = ClampFrequency(channel.freqR);
  const bool wasInUse = channel.inUse;
  const bool equal = old == ClampFrequency(channel.freqT);
  uint32_t v = old;
  bool blank = !wasInUse;
  bool editor = false;
  bool flagChanged = false;

  if (cmcCodecCommon::ReadsTyped(request)) {
    std::string refusal = "frequencies are typed in MHz, such as 446.00625";
    if (const std::optional<uint32_t> typed = ParseTypedFrequency(request.inputText, refusal); typed && *typed > 0) {
      v = ClampFrequency(*typed);
      blank = false;
    } else {
      cmcCodecCommon::Refuse(request, refusal);
    }
  } else if (const cmcCellObj* chosen = cmcChannelCodecContext::ChosenCell(request)) {
    if (chosen->label == FlexAdjCh) {
      freeFrequency = true;
      flagChanged = true;
      request.outputText.clear();
      request.selStart = request.selLength = 0;
      context.ReopenEditor(request);
      editor = true;
    } else if (chosen->label == Flex0 && chosen->index >= 0 && chosen->index < kPmr446Channels) {
      if (const std::optional<uint32_t> f = ParseTypedFrequency(kPmr446Frequencies[chosen->index])) {
        v = *f;
        blank = false;
        flagChanged = freeFrequency;
        freeFrequency = false;
      }
    }
  } else if (cmcCodecCommon::IsInteractiveKey(request)) {
    const int32_t key = EffectiveKey(request);
    if (key == cmcCodecCommon::kKeyEnter || IsDigit(key)) {
      const std::string shown = FrequencyText(v);
      int position = 0;
      for (int i = 0; i < kPmr446Channels; ++i)
        if (shown == kPmr446Frequencies[i]) position = i;
      request.grid->OpenChooser(request, kFrequencyList, Flex0, position, {});
      context.result = cmcCodecCommon::kResultPopup;
    }
  }

  const bool valueChanged = v != old || blank != !wasInUse;
  if (valueChanged) {
    channel.freqR = v;
    if ((v != old && equal) || !wasInUse) channel.freqT = v;
    channel.inUse = !blank;
  }

  if (editor)
    MarkEditor(context, blank);
  else
    ShowFrequency(context, request, channel, true, v, blank);
  return valueChanged || flagChanged;
}
