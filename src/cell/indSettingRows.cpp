#include "cell/indSettingRows.h"

#include <algorithm>

#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcCodeCodecs.h"
#include "cell/cmcDigitCodecs.h"
#include "cell/cmcFlagCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/cmcTimerCodecs.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "overlay/cmcTextUtil.h"

namespace {

const uint8_t* RecordBytes(const datCh& record, indAt at) {
  return at == indAt::ScanSet ? record.scanSet.data() : record.settings.data();
}
uint8_t* RecordBytes(datCh& record, indAt at) {
  return at == indAt::ScanSet ? record.scanSet.data() : record.settings.data();
}

uint8_t ByteAt(const indCellRequest& r, const indSettingRow& row, int offset) {
  if (row.at == indAt::Image) return r.host.Image().GetByte(row.where + offset);
  return RecordBytes(r.record, row.at)[row.where + offset];
}

void SetByteAt(indCellRequest& r, const indSettingRow& row, int offset, uint8_t b) {
  if (row.at == indAt::Image)
    r.host.Image().SetByte(row.where + offset, b);
  else
    RecordBytes(r.record, row.at)[row.where + offset] = b;
}

constexpr int kPlainFlags = 0;           // flags shown as digits
constexpr int kUserCharacters = 0xA12E;  // 16 segment masks of 2 bytes
constexpr int kUserTableSize = 32;

std::span<const uint8_t> UserTable(const indCellRequest& r) {
  return {r.host.Image().Data() + kUserCharacters, kUserTableSize};
}

// Trailing zeros a timer drops so that it shows as many decimals as its scale resolves.
int TimerZeros(int scale) {
  int zeros = 3;
  for (int s = scale; s >= 10 && zeros > 0; s /= 10) --zeros;
  return zeros;
}

}  // namespace

const indSettingRow* indFindRow(std::span<const indSettingRow> table, int label) {
  const auto it =
      std::find_if(table.begin(), table.end(), [label](const indSettingRow& row) { return row.label == label; });
  return it == table.end() ? nullptr : &*it;
}

int32_t indReadRow(const indCellRequest& r, const indSettingRow& row) {
  if (row.bits == 16) return (ByteAt(r, row, 0) << 8) | ByteAt(r, row, 1);
  const int mask = (1 << row.bits) - 1;
  return (ByteAt(r, row, 0) >> row.low) & mask;
}

void indWriteRow(indCellRequest& r, const indSettingRow& row, int32_t v) {
  if (row.bits == 16) {
    SetByteAt(r, row, 0, static_cast<uint8_t>(v >> 8));
    SetByteAt(r, row, 1, static_cast<uint8_t>(v));
    return;
  }
  const int mask = ((1 << row.bits) - 1) << row.low;
  const int b = (ByteAt(r, row, 0) & ~mask) | ((v << row.low) & mask);
  SetByteAt(r, row, 0, static_cast<uint8_t>(b));
}

bool indCodecRow(indCellRequest& r, const indSettingRow& row, int32_t& v) {
  cmcChoiceContext& c = r.codec;
  cmcCellCapsule& q = r.capsule;
  const auto min = static_cast<int32_t>(row.min);
  const auto max = static_cast<int32_t>(row.max);
  bool changed = false;
  switch (row.codec) {
    case indCodec::Choice:
      changed = ChoiceCodecFlex0(c, q, row.list, v);
      break;
    case indCodec::Timer:
      changed = TimerCodec(c, q, v, {row.scale, min, max, row.off, TimerZeros(row.scale)});
      break;
    case indCodec::Integer:
      changed = IntegerCodec(c, q, v, {.min = min, .max = max});
      break;
    case indCodec::Decimal:
      changed = DecimalCodec(c, q, v, {row.scale, row.shown, row.min, row.max, row.step, true, 0});
      break;
    case indCodec::Padded:
      changed = PaddedIntegerCodec(c, q, v, {4, min, max, false});
      break;
    case indCodec::MinuteSecond:
      changed = MinuteSecondCodec(c, q, v, {min, max, row.scale, row.off});
      break;
    case indCodec::Nibbles: {
      auto u = static_cast<uint32_t>(v);
      changed = NibbleNumberCodec(c, q, u, row.shown);
      v = static_cast<int32_t>(u);
      break;
    }
    case indCodec::SingleDigit:
      changed = SingleDigitCodec(c, q, v, false);
      break;
    case indCodec::FlagSet: {
      auto u = static_cast<uint32_t>(v);
      changed = FlagSetCodec(c, q, u, min, max > 0 ? max : indFiveToneCapacity(r), kPlainFlags);
      v = static_cast<int32_t>(u);
      break;
    }
  }
  r.TakeCodecAnswer();
  return changed;
}

bool indRunRow(indCellRequest& r, const indSettingRow& row) {
  if (row.at != indAt::Image && !indRecordInRange(r)) indRefuseKeys(r, false);
  int32_t v = indReadRow(r, row);
  if (!indCodecRow(r, row, v)) return false;
  indWriteRow(r, row, v);
  if (row.at != indAt::Image) r.record.Store();
  return true;
}

bool indRecordText(indCellRequest& r, std::span<uint8_t> field) {
  if (!indRecordInRange(r)) indRefuseKeys(r, false);
  if (!cmcTextCodecs::RadioTextCodec(r.capsule, field, UserTable(r), false, r.result)) return false;
  r.record.Store();
  return true;
}

bool indImageText(indCellRequest& r, int address, int length) {
  std::span<uint8_t> field(r.host.Image().Data() + address, static_cast<size_t>(length));
  return cmcTextCodecs::RadioTextCodec(r.capsule, field, UserTable(r), false, r.result);
}

int indFiveToneCapacity(const indCellRequest& r) {
  return std::clamp<int>(r.host.Image().GetByte(cmcFiveToneAdr::kCapacity), 1, 8);
}

bool indRecordInRange(const indCellRequest& r) {
  const datChKindInfo& info = datChKindOf(r.record.kind);
  return r.record.index >= info.first && r.record.index <= info.last;
}

void indRunCommitGuarded(indCellRequest& r, void (*handler)(indCellRequest&)) {
  cmcCellCapsule& q = r.capsule;
  if (q.inputKind == cmcCellCapsule::kInputText) {
    cmcCellGrid* grid = q.grid;
    cmcCellCanvas* canvas = q.canvas;
    q.inputKind = cmcCellCapsule::kInputKey;
    q.grid = nullptr;
    q.canvas = nullptr;
    handler(r);
    const bool same = cmcTrim(q.outputText) == cmcTrim(q.inputText);
    q.grid = grid;
    q.canvas = canvas;
    q.outputText.clear();
    r.result = indCellRequest::kResultDone;
    if (!same) q.inputKind = cmcCellCapsule::kInputText;
  }
  handler(r);
}

void indRefuseKeys(indCellRequest& r, bool report) {
  if (report && r.TypingKey()) r.editRestricted = true;
  r.capsule.keyCode = 0;
  r.capsule.inputKind = cmcCellCapsule::kInputKey;
}

bool indOnItsRecord(indCellRequest& r, int kind) {
  if (kind == datChKind::kNone || r.kind == kind) return true;
  r.SetText("");
  return false;
}
