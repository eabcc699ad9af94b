#include "cell/indSettingRows.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcCodeCodecs.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcDigitCodecs.h"
#include "cell/cmcFlagCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/cmcTimerCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indCodecScope.h"
#include "channel/datChBlockHost.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"
#include "runtime/cmcFatal.h"

namespace {

constexpr int kPlainFlags = 0;  // flags shown as digits

// The row of each label registered through a table, and how it takes the text shown.
struct Registration {
  const indSettingRow* row = nullptr;
  indShownText shown = indShownText::kIgnored;
};
std::array<Registration, indCellHandlers::kSlots>& Registered() {
  static std::array<Registration, indCellHandlers::kSlots> rows{};
  return rows;
}

bool InRecord(indIn in) { return in == indIn::kSettings || in == indIn::kScanSet || in == indIn::kChannel; }

int32_t FieldMask(const indBitField& f) { return f.width >= 16 ? 0xFFFF : (1 << f.width) - 1; }

// The bytes a field's address counts in: the image, or the loaded record's bytes.
class Bytes {
 public:
  Bytes(const indCellRequest& r, indIn in, int base)
      : r_(const_cast<indCellRequest&>(r)), in_(in), base_(in == indIn::kTable ? base : 0) {}
  uint8_t Get(int at) const {
    if (in_ == indIn::kSettings) return r_.record.settings[static_cast<size_t>(at)];
    if (in_ == indIn::kScanSet) return r_.record.scanSet[static_cast<size_t>(at)];
    return r_.host.Image().GetByte(base_ + at);
  }
  void Set(int at, uint8_t b) {
    if (in_ == indIn::kSettings)
      r_.record.settings[static_cast<size_t>(at)] = b;
    else if (in_ == indIn::kScanSet)
      r_.record.scanSet[static_cast<size_t>(at)] = b;
    else
      r_.host.Image().SetByte(base_ + at, b);
  }
  // A run of image bytes, for the codecs that work on the bytes in place.
  std::span<uint8_t> Span(const indBitField& f) {
    cmcEeprom& image = r_.host.Image();
    const int at = base_ + f.address;
    if (f.width <= 0 || !image.IsValidAddress(at) || !image.IsValidAddress(at + f.width - 1))
      cmcFatal("Setting outside the image. (" + std::to_string(at) + ")");
    return {image.Data() + at, static_cast<size_t>(f.width)};
  }

 private:
  indCellRequest& r_;
  indIn in_;
  int base_;
};

int32_t ReadField(const Bytes& bytes, const indBitField& f) {
  if (f.width >= 16) return bytes.Get(f.address) << 8 | bytes.Get(f.address + 1);
  return (bytes.Get(f.address) >> f.shift) & FieldMask(f);
}

void WriteField(Bytes& bytes, const indBitField& f, int32_t v) {
  if (f.width >= 16) {
    bytes.Set(f.address, static_cast<uint8_t>(v >> 8));
    bytes.Set(f.address + 1, static_cast<uint8_t>(v));
    return;
  }
  const int mask = FieldMask(f) << f.shift;
  bytes.Set(f.address, static_cast<uint8_t>((bytes.Get(f.address) & ~mask) | ((v << f.shift) & mask)));
}

void WritePlace(indCellRequest& r, const indPlace& at, int base, int32_t value) {
  if (at.in == indIn::kChannel) {
    at.field.put(r.record, value);
    return;
  }
  Bytes bytes(r, at.in, base);
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
    WriteField(bytes, f, part);
    rest -= part * f.weight;
  }
}

std::span<const uint8_t> UserTable(indCellRequest& r) {
  return Bytes(r, indIn::kImage, 0)
      .Span(Run(cmcImageMap::kUserChars, cmcImageMap::kUserCharSize * cmcImageMap::kUserCharCount));
}

// Digits one per nibble, the first in the high nibble of the first byte.
std::vector<uint8_t> ReadDigits(std::span<const uint8_t> bytes, int count) {
  std::vector<uint8_t> digits(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const uint8_t b = bytes[static_cast<size_t>(i / 2)];
    digits[static_cast<size_t>(i)] = i % 2 == 0 ? b >> 4 : b & 0x0F;
  }
  return digits;
}

void WriteDigits(std::span<uint8_t> bytes, const std::vector<uint8_t>& digits) {
  for (size_t i = 0; i < digits.size(); ++i) {
    uint8_t& b = bytes[i / 2];
    const uint8_t d = digits[i] & 0x0F;
    b = static_cast<uint8_t>(i % 2 == 0 ? (b & 0x0F) | d << 4 : (b & 0xF0) | d);
  }
}

bool IsFieldCodec(indCodecKind kind) {
  return kind == indCodecKind::kRadioText || kind == indCodecKind::kPlainText ||
         kind == indCodecKind::kZeroFilledText || kind == indCodecKind::kDigits;
}

// Runs a codec that works on the image bytes in place; answers whether they changed.
bool RunFieldCodec(indCellRequest& r, const indSettingRow& row, int base, cmcChoiceContext& x) {
  const indBitField& f = row.at.parts[0];
  const std::span<uint8_t> field = Bytes(r, row.at.in, base).Span(f);
  switch (row.codec.kind) {
    case indCodecKind::kRadioText:
      return cmcTextCodecs::RadioTextCodec(r.capsule, field, UserTable(r), row.codec.variant, x.result);
    case indCodecKind::kPlainText:
      return cmcTextCodecs::PlainTextCodec(r.capsule, field, x.result);
    case indCodecKind::kZeroFilledText:
      return FixedTextCodec(x, r.capsule, field);
    case indCodecKind::kDigits: {
      std::vector<uint8_t> digits = ReadDigits(field, f.width);
      if (!DigitStringCodec(x, r.capsule, digits, false)) return false;
      WriteDigits(field, digits);
      return true;
    }
    default:
      return false;
  }
}

// Timers show as many decimals as their scale resolves: the zeros beyond them are dropped.
int TimerZeros(int scale) { return scale >= 1000 ? 0 : scale >= 100 ? 1 : scale >= 10 ? 2 : 3; }

double PowerOfTen(int n) {
  double p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

bool RunValueCodec(indCellRequest& r, const indSettingRow& row, cmcChoiceContext& x, int32_t& v) {
  const indCodecRule& c = row.codec;
  cmcCellCapsule& q = r.capsule;
  switch (c.kind) {
    case indCodecKind::kChoice:
      return ChoiceCodecFlex0(x, q, c.list, v);
    case indCodecKind::kChoiceMark:
      return ChoiceCodecMark(x, q, c.list, v);
    case indCodecKind::kByteChoice: {
      uint8_t b = static_cast<uint8_t>(v);
      const bool changed = ChoiceCodecByte(x, q, c.list, b);
      v = b;
      return changed;
    }
    case indCodecKind::kTypedChoice:
      return TypedChoiceCodec(x, q, c.list, c.keyLabel, v);
    case indCodecKind::kInteger:
      return IntegerCodec(x, q, v, cmcIntegerRule{.min = c.min, .max = c.max});
    case indCodecKind::kTimer:
      return TimerCodec(x, q, v,
                        cmcTimerRule{.scale = c.scale,
                                     .min = c.min,
                                     .max = c.max,
                                     .offAllowed = c.offAllowed,
                                     .zerosToRemove = TimerZeros(c.scale)});
    case indCodecKind::kMinuteSecond:
      return MinuteSecondCodec(
          x, q, v,
          cmcMinuteSecondRule{
              .minSeconds = c.min, .maxSeconds = c.max, .resolution = c.scale, .offAllowed = c.offAllowed});
    case indCodecKind::kDecimal: {
      // Divided, not multiplied by a unit, so that the limits are the very numbers written.
      const double units = PowerOfTen(c.scale);
      return DecimalCodec(x, q, v,
                          cmcDecimalRule{.storedDecimals = c.scale,
                                         .shownDecimals = c.shown,
                                         .min = c.min / units,
                                         .max = c.max / units,
                                         .step = c.step / units,
                                         .stepping = c.stepping});
    }
    case indCodecKind::kPadded:
      return PaddedIntegerCodec(x, q, v, {4, c.min, c.max, false});
    case indCodecKind::kNibbles: {
      uint32_t n = static_cast<uint32_t>(v);
      const bool changed = NibbleNumberCodec(x, q, n, c.shown > 0 ? c.shown : row.at.parts[0].width / 4);
      v = static_cast<int32_t>(n);
      return changed;
    }
    case indCodecKind::kSingleDigit:
      return SingleDigitCodec(x, q, v, c.variant);
    case indCodecKind::kFlagSet: {
      uint32_t bits = static_cast<uint32_t>(v);
      const bool changed = FlagSetCodec(x, q, bits, c.min, c.max > 0 ? c.max : indFiveToneCapacity(r), kPlainFlags);
      v = static_cast<int32_t>(bits);
      return changed;
    }
    default:
      return false;
  }
}

// The handler pattern for one row, once.
bool RunOnce(indCellRequest& r, const indSettingRow& row, int base) {
  cmcEeprom& image = r.host.Image();
  if ((row.effects & kDigitalTimers) && !(image.GetByte(cmcImageMap::kSheetAccess) & 0x10)) return false;
  const indCodecRule& c = row.codec;
  if (c.kind == indCodecKind::kFixedText) {
    cmcCodecCommon::ShowText(r.capsule, c.list);
    return false;
  }
  if (c.kind == indCodecKind::kFirstEntry) {
    cmcCodecCommon::ShowText(r.capsule, cmcChoiceList(r.codec, c.list, Flex0).TextOf(0));
    return false;
  }
  const indIn in = row.at.in;
  if ((in == indIn::kSettings || in == indIn::kScanSet) && !indRecordInRange(r)) indRefuseKeys(r, false);

  bool changed = false;
  int32_t v = 0;
  {
    indCodecScope codec(r);
    if (IsFieldCodec(c.kind)) {
      changed = RunFieldCodec(r, row, base, codec.context);
    } else {
      v = indReadRow(r, row, base) / row.divisor;
      const int32_t old = v;
      changed = RunValueCodec(r, row, codec.context, v);
      if (changed && (v != old || InRecord(in))) WritePlace(r, row.at, base, v * row.divisor);
    }
  }
  if (changed) {
    if (in == indIn::kChannel)
      indCellSteps::StoreChannel(r);
    else if (InRecord(in))
      r.record.Store();
    if (row.effects & kLayoutChange) r.mask |= indCellRequest::kMaskLayout;
    if (row.effects & kRefreshCells) r.host.BlockHost().Post(datChBlockHost::kEvRefreshAll, 0);
  }
  if (r.Key() == 0 && r.capsule.inputKind == cmcCellCapsule::kInputKey && v == 0) {
    if (row.effects & kInfiniteAtZero) r.SetText(r.codec.overlay->GetText("GI_AppInd_CounterInfinite"));
    if (row.effects & kOffAtZero) r.SetText(r.codec.overlay->GetText(kTimerOffKey));
  }
  if ((row.effects & kSilverUnlessSet) && indReadRow(r, {0, row.condition, {}}, 0) == 0)
    r.SetTextColour(indCellRequest::kSilver);
  return changed;
}

// Committing the text the cell shows changes nothing: the request is first run as a
// redraw, and the commit goes ahead only when the text typed differs from it.
template <typename Handler>
void GuardCommit(indCellRequest& r, Handler run) {
  cmcCellCapsule& q = r.capsule;
  if (q.inputKind == cmcCellCapsule::kInputText) {
    cmcCellGrid* grid = q.grid;
    cmcCellCanvas* canvas = q.canvas;
    q.inputKind = cmcCellCapsule::kInputKey;
    q.grid = nullptr;
    q.canvas = nullptr;
    run();
    const bool same = cmcTrim(q.outputText) == cmcTrim(q.inputText);
    q.grid = grid;
    q.canvas = canvas;
    q.outputText.clear();
    r.result = indCellRequest::kResultDone;
    if (!same) q.inputKind = cmcCellCapsule::kInputText;
  }
  run();
}

void RunRegistered(indCellRequest& r) {
  if (r.label < 0 || r.label >= indCellHandlers::kSlots) return;
  const Registration& registered = Registered()[static_cast<size_t>(r.label)];
  if (registered.row) indRunRow(r, *registered.row, 0, registered.shown);
}

}  // namespace

const indSettingRow* indFindRow(std::span<const indSettingRow> table, int label) {
  const auto it =
      std::find_if(table.begin(), table.end(), [label](const indSettingRow& row) { return row.label == label; });
  return it == table.end() ? nullptr : &*it;
}

int32_t indReadRow(const indCellRequest& r, const indSettingRow& row, int base) {
  if (row.at.in == indIn::kChannel) return row.at.field.get(r.record);
  const Bytes bytes(r, row.at.in, base);
  int32_t v = 0;
  for (const indBitField& f : row.at.parts)
    if (f.address >= 0) v += ReadField(bytes, f) * f.weight;
  return v;
}

bool indRunRow(indCellRequest& r, const indSettingRow& row, int base, indShownText shown) {
  if (shown == indShownText::kNormalised) return RunOnce(r, row, base);
  bool changed = false;
  GuardCommit(r, [&] { changed = RunOnce(r, row, base); });
  return changed;
}

void indRegisterRows(indCellHandlers& table, std::span<const indSettingRow> rows, indShownText shown) {
  for (const indSettingRow& row : rows) {
    Registered()[static_cast<size_t>(row.label)] = {&row, shown};
    table.Set(row.label, RunRegistered);
  }
}

bool indRecordText(indCellRequest& r, std::span<uint8_t> field) {
  if (!indRecordInRange(r)) indRefuseKeys(r, false);
  if (!cmcTextCodecs::RadioTextCodec(r.capsule, field, UserTable(r), false, r.result)) return false;
  r.record.Store();
  return true;
}

bool indImageText(indCellRequest& r, int address, int length) {
  return cmcTextCodecs::RadioTextCodec(r.capsule, Bytes(r, indIn::kImage, 0).Span(Run(address, length)), UserTable(r),
                                       false, r.result);
}

int indFiveToneCapacity(const indCellRequest& r) {
  return std::clamp<int>(r.host.Image().GetByte(cmcImageMap::kFiveToneCapacity), 1, 8);
}

bool indRecordInRange(const indCellRequest& r) {
  const datChKindInfo& info = datChKindOf(r.record.kind);
  return r.record.index >= info.first && r.record.index <= info.last;
}

void indRunCommitGuarded(indCellRequest& r, void (*handler)(indCellRequest&)) {
  GuardCommit(r, [&] { handler(r); });
}

void indRefuseKeys(indCellRequest& r, bool report) {
  if (report && r.TypingKey()) r.editRestricted = true;
  r.RefuseTyped();
  r.capsule.keyCode = 0;
  r.capsule.inputKind = cmcCellCapsule::kInputKey;
}

bool indOnItsRecord(indCellRequest& r, int kind) {
  if (kind == datChKind::kNone || r.kind == kind) return true;
  r.SetText("");
  return false;
}
