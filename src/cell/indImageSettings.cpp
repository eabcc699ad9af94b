#include "cell/indImageSettings.h"

#include <algorithm>

#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcChoiceContext.h"
#include "cell/cmcDigitCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/cmcTimerCodecs.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "runtime/cmcFatal.h"

namespace {

constexpr int kUserTableSize = 32;  // 16 masks of 2 bytes

std::span<uint8_t> Bytes(cmcEeprom& image, int address, int count) {
  if (count <= 0 || !image.IsValidAddress(address) || !image.IsValidAddress(address + count - 1))
    cmcFatal("Out of EEPROM image address (setting table).");
  return {image.Data() + address, static_cast<size_t>(count)};
}

// Timers show the decimals their scale resolves: none for whole seconds, one for
// tenths, two for hundredths, three for milliseconds.
int ZerosFor(int scale) { return scale == 1 ? 3 : scale == 10 ? 2 : scale == 100 ? 1 : 0; }

}  // namespace

cmcChoiceContext indImageSettings::ContextFor(indCellRequest& r) {
  cmcChoiceContext context = r.host.CodecContext();
  if (!context.overlay || !context.cache || !context.image) cmcFatal("The value codecs were given no overlay.");
  return context;
}

void indImageSettings::Answer(indCellRequest& r, const cmcChoiceContext& context) {
  r.result = context.result;
  if (context.textColour) r.SetTextColour(*context.textColour);
}

std::span<const uint8_t> indImageSettings::UserCharacters(cmcEeprom& image) {
  return Bytes(image, datChKindOf(datChKind::kUserChar).regions[0].base, kUserTableSize);
}

int indImageSettings::Field(const cmcEeprom& image, int address, int bit, int width) {
  if (width == 16) return (image.GetByte(address) << 8) | image.GetByte(address + 1);
  const int byte = image.GetByte(address);
  if (width >= 8) return byte;
  return (byte >> bit) & ((1 << width) - 1);
}

void indImageSettings::SetField(cmcEeprom& image, int address, int bit, int width, int value) {
  if (width == 16) {
    image.SetByte(address, static_cast<uint8_t>(value >> 8));
    image.SetByte(address + 1, static_cast<uint8_t>(value));
  } else if (width >= 8) {
    image.SetByte(address, static_cast<uint8_t>(value));
  } else {
    const int mask = ((1 << width) - 1) << bit;
    const int byte = image.GetByte(address);
    image.SetByte(address, static_cast<uint8_t>((byte & ~mask) | ((value << bit) & mask)));
  }
}

const indImageSetting* indImageSettings::Find(std::span<const indImageSetting> table, int label) {
  const auto it =
      std::find_if(table.begin(), table.end(), [label](const indImageSetting& s) { return s.label == label; });
  return it == table.end() ? nullptr : &*it;
}

bool indImageSettings::Run(indCellRequest& r, const indImageSetting& s, int base) {
  cmcEeprom& image = r.host.Image();
  const int at = base + s.address;
  cmcChoiceContext context = ContextFor(r);
  bool changed = false;
  switch (s.codec) {
    case indCodec::Choice: {
      int32_t v = Field(image, at, s.bit, s.width);
      changed = ChoiceCodecFlex0(context, r.capsule, s.list, v);
      if (changed) SetField(image, at, s.bit, s.width, v);
      break;
    }
    case indCodec::Timer: {
      int32_t v = Field(image, at, s.bit, s.width);
      changed = TimerCodec(context, r.capsule, v,
                           {.scale = s.scale, .min = s.min, .max = s.max, .zerosToRemove = ZerosFor(s.scale)});
      if (changed) SetField(image, at, s.bit, s.width, v);
      break;
    }
    case indCodec::Integer: {
      int32_t v = Field(image, at, s.bit, s.width);
      changed = IntegerCodec(context, r.capsule, v, {.min = s.min, .max = s.max});
      if (changed) SetField(image, at, s.bit, s.width, v);
      break;
    }
    case indCodec::Nibbles: {
      uint32_t v = static_cast<uint32_t>(Field(image, at, s.bit, s.width));
      changed = NibbleNumberCodec(context, r.capsule, v, s.width / 4);
      if (changed) SetField(image, at, s.bit, s.width, static_cast<int>(v));
      break;
    }
    case indCodec::RadioText: {
      changed = cmcTextCodecs::RadioTextCodec(r.capsule, Bytes(image, at, s.width), UserCharacters(image), true,
                                              context.result);
      break;
    }
    case indCodec::FixedText:
      changed = FixedTextCodec(context, r.capsule, Bytes(image, at, s.width));
      break;
  }
  Answer(r, context);
  return changed;
}
