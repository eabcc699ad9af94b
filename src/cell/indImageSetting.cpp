#include "cell/indImageSetting.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcDigitCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/cmcTimerCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "channel/datChBlockHost.h"
#include "image/cmcEeprom.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcFatal.h"

namespace {

// The row of each label registered through a table.
std::array<const indImageSetting*, indCellHandlers::kSlots>& Rows() {
  static std::array<const indImageSetting*, indCellHandlers::kSlots> rows{};
  return rows;
}

int32_t FieldMask(const indBitField& f) { return f.width >= 16 ? 0xFFFF : (1 << f.width) - 1; }

int32_t ReadField(const cmcEeprom& image, const indBitField& f) {
  if (f.width >= 16) return image.GetByte(f.address) << 8 | image.GetByte(f.address + 1);
  return (image.GetByte(f.address) >> f.shift) & FieldMask(f);
}

void WriteField(cmcEeprom& image, const indBitField& f, int32_t v) {
  if (f.width >= 16) {
    image.SetByte(f.address, static_cast<uint8_t>(v >> 8));
    image.SetByte(f.address + 1, static_cast<uint8_t>(v));
    return;
  }
  const int mask = FieldMask(f) << f.shift;
  const int b = image.GetByte(f.address);
  image.SetByte(f.address, static_cast<uint8_t>((b & ~mask) | ((v << f.shift) & mask)));
}

std::span<uint8_t> Field(cmcEeprom& image, const indBitField& f) {
  if (!image.IsValidAddress(f.address) || !image.IsValidAddress(f.address + f.width - 1))
    cmcFatal("Setting outside the image. (" + std::to_string(f.address) + ")");
  return {image.Data() + f.address, static_cast<size_t>(f.width)};
}

std::span<const uint8_t> UserTable(cmcEeprom& image) { return Field(image, Run(kUserCharacters, kUserCharactersSize)); }

// Digits one per nibble, the first in the high nibble of the first byte.
std::vector<uint8_t> ReadDigits(const cmcEeprom& image, const indBitField& f) {
  std::vector<uint8_t> digits(static_cast<size_t>(f.width));
  for (int i = 0; i < f.width; ++i) {
    const uint8_t b = image.GetByte(f.address + i / 2);
    digits[static_cast<size_t>(i)] = i % 2 == 0 ? b >> 4 : b & 0x0F;
  }
  return digits;
}

void WriteDigits(cmcEeprom& image, const indBitField& f, const std::vector<uint8_t>& digits) {
  for (int i = 0; i < f.width; ++i) {
    const int at = f.address + i / 2;
    const uint8_t d = digits[static_cast<size_t>(i)] & 0x0F;
    const uint8_t b = image.GetByte(at);
    image.SetByte(at, static_cast<uint8_t>(i % 2 == 0 ? (b & 0x0F) | d << 4 : (b & 0xF0) | d));
  }
}

// Runs a codec that works on the image bytes in place; answers whether they changed.
bool RunFieldCodec(indCellRequest& r, const indImageSetting& row) {
  cmcEeprom& image = r.host.Image();
  const indBitField& f = row.at.parts[0];
  switch (row.codec.kind) {
    case indCodecKind::kRadioText:
      return cmcTextCodecs::RadioTextCodec(r.capsule, Field(image, f), UserTable(image), false, r.codec.result);
    case indCodecKind::kPlainText:
      return cmcTextCodecs::PlainTextCodec(r.capsule, Field(image, f), r.codec.result);
    case indCodecKind::kDigits: {
      std::vector<uint8_t> digits = ReadDigits(image, f);
      if (!DigitStringCodec(r.codec, r.capsule, digits, false)) return false;
      WriteDigits(image, f, digits);
      return true;
    }
    default:
      return false;
  }
}

bool RunValueCodec(indCellRequest& r, const indImageSetting& row, int32_t& v) {
  const indCodecRule& c = row.codec;
  cmcChoiceContext& x = r.codec;
  switch (c.kind) {
    case indCodecKind::kChoice:
      return ChoiceCodecFlex0(x, r.capsule, c.list, v);
    case indCodecKind::kByteChoice: {
      uint8_t b = static_cast<uint8_t>(v);
      const bool changed = ChoiceCodecByte(x, r.capsule, c.list, b);
      v = b;
      return changed;
    }
    case indCodecKind::kTypedChoice:
      return TypedChoiceCodec(x, r.capsule, c.list, Flex1, v);
    case indCodecKind::kInteger:
      return IntegerCodec(x, r.capsule, v, cmcIntegerRule{.min = c.min, .max = c.max});
    case indCodecKind::kTimer: {
      // As many decimals as the scale resolves: the zeros beyond them are dropped.
      const int zeros = c.scale >= 1000 ? 0 : c.scale >= 100 ? 1 : c.scale >= 10 ? 2 : 3;
      return TimerCodec(
          x, r.capsule, v,
          cmcTimerRule{
              .scale = c.scale, .min = c.min, .max = c.max, .offAllowed = c.offAllowed, .zerosToRemove = zeros});
    }
    case indCodecKind::kMinuteSecond:
      return MinuteSecondCodec(
          x, r.capsule, v,
          cmcMinuteSecondRule{
              .minSeconds = c.min, .maxSeconds = c.max, .resolution = c.scale, .offAllowed = c.offAllowed});
    case indCodecKind::kDecimal: {
      double unit = 1;
      for (int i = 0; i < c.scale; ++i) unit /= 10;
      return DecimalCodec(x, r.capsule, v,
                          cmcDecimalRule{.storedDecimals = c.scale,
                                         .shownDecimals = c.shown,
                                         .min = c.min * unit,
                                         .max = c.max * unit,
                                         .step = unit,
                                         .stepping = c.stepping});
    }
    case indCodecKind::kHexNumber: {
      uint32_t n = static_cast<uint32_t>(v);
      const bool changed = NibbleNumberCodec(x, r.capsule, n, row.at.parts[0].width / 4);
      v = static_cast<int32_t>(n);
      return changed;
    }
    default:
      return false;
  }
}

bool IsFieldCodec(indCodecKind kind) {
  return kind == indCodecKind::kRadioText || kind == indCodecKind::kPlainText || kind == indCodecKind::kDigits;
}

void RunRegistered(indCellRequest& r) {
  const indImageSetting* row =
      r.label >= 0 && r.label < indCellHandlers::kSlots ? Rows()[static_cast<size_t>(r.label)] : nullptr;
  if (row) RunImageSetting(r, *row);
}

}  // namespace

int32_t ReadPlace(const indCellRequest& r, const indPlace& at) {
  int32_t v = 0;
  for (const indBitField& f : at.parts)
    if (f.address >= 0) v += ReadField(r.host.Image(), f) * f.weight;
  return v;
}

void WritePlace(indCellRequest& r, const indPlace& at, int32_t value) {
  std::array<const indBitField*, 3> order{};
  int n = 0;
  for (const indBitField& f : at.parts)
    if (f.address >= 0) order[static_cast<size_t>(n++)] = &f;
  // Heaviest field first; at most three, so a plain insertion sort.
  for (int i = 1; i < n; ++i)
    for (int j = i; j > 0 && order[static_cast<size_t>(j)]->weight > order[static_cast<size_t>(j - 1)]->weight; --j)
      std::swap(order[static_cast<size_t>(j)], order[static_cast<size_t>(j - 1)]);
  int32_t rest = value;
  for (int i = 0; i < n; ++i) {
    const indBitField& f = *order[static_cast<size_t>(i)];
    const int32_t part = (rest / f.weight) & FieldMask(f);
    WriteField(r.host.Image(), f, part);
    rest -= part * f.weight;
  }
}

void RunImageSetting(indCellRequest& r, const indImageSetting& row) {
  cmcEeprom& image = r.host.Image();
  if ((row.effects & kDigitalTimers) && !(image.GetByte(kDigitalTimerFlags) & 0x10)) return;
  const indCodecRule& c = row.codec;
  if (c.kind == indCodecKind::kFixedText) {
    cmcCodecCommon::ShowText(r.capsule, c.list);
    return;
  }
  if (c.kind == indCodecKind::kFirstEntry) {
    cmcCodecCommon::ShowText(r.capsule, cmcChoiceList(r.codec, c.list, Flex0).TextOf(0));
    return;
  }

  bool changed = false;
  int32_t v = 0;
  if (IsFieldCodec(c.kind)) {
    changed = RunFieldCodec(r, row);
  } else {
    v = ReadPlace(r, row.at) / row.divisor;
    const int32_t old = v;
    changed = RunValueCodec(r, row, v);
    if (changed && v != old) WritePlace(r, row.at, v * row.divisor);
  }
  if (changed) {
    if (row.effects & kLayoutChange) r.mask |= indCellRequest::kMaskLayout;
    if (row.effects & kRefreshCells) r.host.BlockHost().Post(datChBlockHost::kEvRefreshAll, 0);
  }
  r.TakeCodecAnswer();
  if (r.Key() == 0 && r.capsule.inputKind == cmcCellCapsule::kInputKey && v == 0) {
    if (row.effects & kInfiniteAtZero) r.SetText(r.codec.overlay->GetText("GI_AppInd_CounterInfinite"));
    if (row.effects & kOffAtZero) r.SetText(r.codec.overlay->GetText(kTimerOffKey));
  }
  if ((row.effects & kSilverUnlessSet) && ReadPlace(r, row.condition) == 0) r.SetTextColour(indCellRequest::kSilver);
}

void RegisterImageSettings(indCellHandlers& table, const indImageSetting* rows, int count) {
  for (int i = 0; i < count; ++i) {
    const indImageSetting& row = rows[i];
    Rows()[static_cast<size_t>(row.label)] = &row;
    table.Set(row.label, RunRegistered);
  }
}
