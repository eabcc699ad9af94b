// Unpacking and packing of the list record kinds 5–20 from and into their region bytes.
#include <algorithm>
#include <cstddef>

#include "channel/datCh.h"
#include "channel/datChBits.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "image/cmcNibble.h"

namespace {

void CopyIn(std::array<uint8_t, 16>& to, const uint8_t* from, int n) { std::copy(from, from + n, to.begin()); }
void CopyOut(const std::array<uint8_t, 16>& from, uint8_t* to, int n) { std::copy(from.begin(), from.begin() + n, to); }

template <size_t N>
void SettingsIn(std::array<uint8_t, N>& to, const uint8_t* from, int n) {
  std::copy(from, from + n, to.begin());
}
template <size_t N>
void SettingsOut(const std::array<uint8_t, N>& from, uint8_t* to, int n) {
  std::copy(from.begin(), from.begin() + n, to);
}

void DigitsIn(std::array<uint8_t, 24>& to, const uint8_t* from, int n) {
  for (int i = 0; i < n; ++i) to[static_cast<size_t>(i)] = static_cast<uint8_t>(GetNibble(from, i));
}
void DigitsOut(const std::array<uint8_t, 24>& from, uint8_t* to, int n) {
  for (int i = 0; i < n; ++i) SetNibble(to, i, from[static_cast<size_t>(i)]);
}

// Frequencies are words in tenths of a hertz.
double TenthsIn(const uint8_t* b) { return datGetWord(b) / 10.0; }
void TenthsOut(uint8_t* b, double hz) {
  const double tenths = hz * 10.0 + 0.5;
  datSetWord(b, tenths <= 0 ? 0 : (tenths >= 65535 ? 65535 : static_cast<int>(tenths)));
}

constexpr int kToneSelBit(int n) { return 7 - n % 8; }

}  // namespace

void datCh::UnpackList() {
  uint8_t* r0 = raw[0].data();
  uint8_t* r1 = raw[1].data();
  switch (kind) {
    case datChKind::kUserChar:
      mask = datGetWord(r0);
      break;
    case datChKind::kDtmf:
      CopyIn(name, r0, 8);
      DigitsIn(digits, r0 + 8, 24);
      dtmfLength = r0[20];
      break;
    case datChKind::kScanList:
      CopyIn(name, r0, 8);
      SettingsIn(scanSet, r0 + 8, 6);
      SettingsIn(scanRef, r0 + 14, 4);
      break;
    case datChKind::kTonePair:
      toneR.Unpack(r0);
      toneT.Unpack(r0 + 2);
      break;
    case datChKind::kRx5Tone:
      DigitsIn(digits, r0, 8);
      CopyIn(name, r1, 8);
      SettingsIn(settings, r1 + 8, 6);
      break;
    case datChKind::kTx5Tone:
      DigitsIn(digits, r0, 8);
      CopyIn(name, r1, 8);
      SettingsIn(settings, r1 + 8, 2);
      break;
    case datChKind::kUserTone:
      word = datGetWord(r0);
      words[0] = datGetWord(r1);
      words[1] = datGetWord(r1 + 2);
      break;
    case datChKind::k2Tone:
      twoToneFreq[0] = TenthsIn(r0);
      twoToneFreq[1] = TenthsIn(r0 + 2);
      CopyIn(name, r1, 8);
      SettingsIn(settings, r1 + 8, 6);
      for (size_t i = 0; i < 4; ++i) twoToneBound[i] = TenthsIn(raw[2].data() + 2 * i);
      twoToneFreq[2] = TenthsIn(raw[3].data());
      twoToneFreq[3] = TenthsIn(raw[4].data());
      twoToneFreq[4] = TenthsIn(raw[5].data());
      break;
    case datChKind::kBank:
      CopyIn(name, r0, 8);
      break;
    case datChKind::kMskIdGroup:
      word = datGetWord(r0);
      CopyIn(name, r0 + 2, 8);
      SettingsIn(settings, r0 + 12, 3);  // 0xA699 + 16n
      break;
    case datChKind::kMskCallList:
      DigitsIn(digits, r0, 4);
      CopyIn(name, r1, 8);
      SettingsIn(settings, r1 + 8, 2);
      break;
    case datChKind::kMskStatus:
      CopyIn(name, r0, 8);
      SettingsIn(settings, r0 + 8, 4);
      CopyIn(name2, r1, 8);
      SettingsIn(settings2, r1 + 8, 4);
      break;
    case datChKind::kMskShortText:
      CopyIn(name, r0, 8);
      settings[0] = r1[0];
      break;
    case datChKind::kDigStatus:
      CopyIn(name, r0, 16);
      SettingsIn(settings, r0 + 16, 4);
      CopyIn(name2, r1, 16);
      SettingsIn(settings2, r1 + 16, 4);
      break;
    case datChKind::kMdcAlias:
      CopyIn(name, r0, 8);
      word = datGetWord(r0 + 8);
      settings[0] = r0[10];
      aliasType = datGetBits(r0[11], 0, 4);
      break;
    default:
      break;
  }
}

void datCh::PackList() {
  uint8_t* r0 = raw[0].data();
  uint8_t* r1 = raw[1].data();
  switch (kind) {
    case datChKind::kUserChar:
      datSetWord(r0, mask);
      break;
    case datChKind::kDtmf:
      CopyOut(name, r0, 8);
      DigitsOut(digits, r0 + 8, 24);
      r0[20] = static_cast<uint8_t>(dtmfLength);
      break;
    case datChKind::kScanList:
      CopyOut(name, r0, 8);
      SettingsOut(scanSet, r0 + 8, 6);
      SettingsOut(scanRef, r0 + 14, 4);
      break;
    case datChKind::kTonePair:
      toneR.Pack(r0);
      toneT.Pack(r0 + 2);
      break;
    case datChKind::kRx5Tone:
      DigitsOut(digits, r0, 8);
      CopyOut(name, r1, 8);
      SettingsOut(settings, r1 + 8, 6);
      break;
    case datChKind::kTx5Tone:
      DigitsOut(digits, r0, 8);
      CopyOut(name, r1, 8);
      SettingsOut(settings, r1 + 8, 2);
      break;
    case datChKind::kUserTone:
      datSetWord(r0, word);
      datSetWord(r1, words[0]);
      datSetWord(r1 + 2, words[1]);
      break;
    case datChKind::k2Tone:
      TenthsOut(r0, twoToneFreq[0]);
      TenthsOut(r0 + 2, twoToneFreq[1]);
      CopyOut(name, r1, 8);
      SettingsOut(settings, r1 + 8, 6);
      for (size_t i = 0; i < 4; ++i) TenthsOut(raw[2].data() + 2 * i, twoToneBound[i]);
      TenthsOut(raw[3].data(), twoToneFreq[2]);
      TenthsOut(raw[4].data(), twoToneFreq[3]);
      TenthsOut(raw[5].data(), twoToneFreq[4]);
      break;
    case datChKind::kBank:
      CopyOut(name, r0, 8);
      break;
    case datChKind::kMskIdGroup:
      datSetWord(r0, word);
      CopyOut(name, r0 + 2, 8);
      SettingsOut(settings, r0 + 12, 3);
      break;
    case datChKind::kMskCallList:
      DigitsOut(digits, r0, 4);
      CopyOut(name, r1, 8);
      SettingsOut(settings, r1 + 8, 2);
      break;
    case datChKind::kMskStatus:
      CopyOut(name, r0, 8);
      SettingsOut(settings, r0 + 8, 4);
      CopyOut(name2, r1, 8);
      SettingsOut(settings2, r1 + 8, 4);
      break;
    case datChKind::kMskShortText:
      CopyOut(name, r0, 8);
      r1[0] = settings[0];
      break;
    case datChKind::kDigStatus:
      CopyOut(name, r0, 16);
      SettingsOut(settings, r0 + 16, 4);
      CopyOut(name2, r1, 16);
      SettingsOut(settings2, r1 + 16, 4);
      break;
    case datChKind::kMdcAlias:
      CopyOut(name, r0, 8);
      datSetWord(r0 + 8, word);
      r0[10] = settings[0];
      datSetBits(r0[11], 0, 4, aliasType);
      break;
    default:
      break;
  }
}

void datCh::LoadListExtras() {
  if (kind != datChKind::kTonePair) return;
  toneSel = datGetBit(image_->GetByte(cmcImageMap::kToneSelMap + index / 8), kToneSelBit(index));
}

void datCh::StoreListExtras() {
  if (kind != datChKind::kTonePair) return;
  uint8_t b = image_->GetByte(cmcImageMap::kToneSelMap + index / 8);
  datSetBit(b, kToneSelBit(index), toneSel);
  image_->SetByte(cmcImageMap::kToneSelMap + index / 8, b);
}
