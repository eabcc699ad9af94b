#include "channel/datCh.h"

#include <algorithm>
#include <cstddef>

#include "channel/datChBank.h"
#include "channel/datChBits.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

uint32_t GetFrequency(const uint8_t* b) {
  const uint32_t raw = (static_cast<uint32_t>(b[0] & 0x7F) << 24) | (static_cast<uint32_t>(b[1]) << 16) |
                       (static_cast<uint32_t>(b[2]) << 8) | b[3];
  return std::min(raw, datCh::kMaxFrequency);
}

void SetFrequency(uint8_t* b, uint32_t hz, bool inhibit) {
  hz = std::min(hz, datCh::kMaxFrequency);
  b[0] = static_cast<uint8_t>(((hz >> 24) & 0x7F) | (inhibit ? 0x80 : 0));
  b[1] = static_cast<uint8_t>((hz >> 16) & 0xFF);
  b[2] = static_cast<uint8_t>((hz >> 8) & 0xFF);
  b[3] = static_cast<uint8_t>(hz & 0xFF);
}

bool MapBit(const cmcEeprom& image, int map, int n) { return datGetBit(image.GetByte(map + n / 8), 7 - n % 8); }

void SetMapBit(cmcEeprom& image, int map, int n, bool on) {
  uint8_t b = image.GetByte(map + n / 8);
  datSetBit(b, 7 - n % 8, on);
  image.SetByte(map + n / 8, b);
}

void SetImageBit(cmcEeprom& image, int address, int bit, bool on) {
  uint8_t b = image.GetByte(address);
  datSetBit(b, bit, on);
  image.SetByte(address, b);
}

}  // namespace

void datCh::Clear() {
  cmcEeprom* image = image_;
  *this = datCh(image);
}

void datCh::Load(int k, int n) {
  Clear();
  kind = k;
  index = n;
  if (image_ == nullptr || k <= 0 || k >= datChKind::kCount) return;
  if (datChKind::IsChannel(k) && (n < 0 || n >= cmcImageMap::kChannelSlots)) return;
  const datChKindInfo& info = datChKindOf(k);
  for (int r = 0; r < info.regionCount; ++r) {
    const datChRegion& g = info.regions[static_cast<size_t>(r)];
    image_->ReadBlock(g.base + g.stride * n, raw[static_cast<size_t>(r)].data(), g.size);
  }
  if (datChKind::IsChannel(k)) {
    LoadChannel();
  } else {
    UnpackList();
    LoadListExtras();
  }
}

void datCh::Store() {
  if (image_ == nullptr || kind <= 0 || kind >= datChKind::kCount) return;
  if (datChKind::IsChannel(kind)) {
    if (index < 0 || index >= cmcImageMap::kChannelSlots) return;
    StoreChannel();
  } else {
    PackList();
  }
  const datChKindInfo& info = datChKindOf(kind);
  for (int r = 0; r < info.regionCount; ++r) {
    const datChRegion& g = info.regions[static_cast<size_t>(r)];
    image_->WriteBlock(g.base + g.stride * index, raw[static_cast<size_t>(r)].data(), g.size);
  }
  if (datChKind::IsChannel(kind)) {
    for (int l = 0; l < 4; ++l)
      SetMapBit(*image_, cmcImageMap::kScanMaps + 16 * l, index, ((scan >> (3 - l)) & 1) != 0);
    if (HasAttr(kAttrPriority)) image_->SetByte(cmcImageMap::kPriorityChannel, static_cast<uint8_t>(index));
    SetImageBit(*image_, cmcImageMap::kPriorityFlags, 4, !HasAttr(kAttrPriorityCleared));
    if (HasAttr(kAttrScanB)) image_->SetByte(cmcImageMap::kScanBChannel, static_cast<uint8_t>(index));
    if (HasAttr(kAttrEmergency)) image_->SetByte(cmcImageMap::kEmergencyChannel, static_cast<uint8_t>(index));
    SetImageBit(*image_, cmcImageMap::kEmergencyFlags, 6, !HasAttr(kAttrEmergencyCleared));
    datChBank banks(image_);
    const int bank = banks.BankOfChannel(index);
    if (bank < cmcImageMap::kBanks) banks.SetBankFlag(bank, HasAttr(kAttrSmarTrunk));
    if (HasAttr(kAttrStart)) image_->SetByte(cmcImageMap::kStartChannel, static_cast<uint8_t>(index));
  } else {
    StoreListExtras();
  }
  Reload();
}

void datCh::LoadChannel() {
  const uint8_t* m = raw[0].data();
  const uint8_t* x = raw[1].data();
  const cmcEeprom& img = *image_;
  const int n = index;

  freqR = GetFrequency(m);
  freqT = GetFrequency(m + 4);
  inhR = datGetBit(m[0], 7);
  inhT = datGetBit(m[4], 7);
  inUse = freqR != 0;

  attr = 0;
  const bool priorityOn = datGetBit(img.GetByte(cmcImageMap::kPriorityFlags), 4);
  if (priorityOn && img.GetByte(cmcImageMap::kPriorityChannel) == n) attr |= kAttrPriority;
  if (!priorityOn) attr |= kAttrPriorityCleared;
  const bool emergencyOn = datGetBit(img.GetByte(cmcImageMap::kEmergencyFlags), 6);
  if (emergencyOn && img.GetByte(cmcImageMap::kEmergencyChannel) == n) attr |= kAttrEmergency;
  if (!emergencyOn) attr |= kAttrEmergencyCleared;
  const datChBank banks(image_);
  const int bank = banks.BankOfChannel(n);
  if (bank < cmcImageMap::kBanks && banks.BankFlag(bank)) attr |= kAttrSmarTrunk;
  if (img.GetByte(cmcImageMap::kStartChannel) == n) attr |= kAttrStart;

  toneR.Unpack(m + 8);
  toneT.Unpack(m + 10);
  std::copy(m + 12, m + 20, chName.begin());
  chMode = datGetBits(m[20], 0, 2);
  dup = datGetBit(m[20], 2);
  nameEmpty = datGetBit(m[20], 5);
  width = datGetBits(m[20], 6, 1);
  scanList = m[21];
  scan = 0;
  for (int l = 0; l < 4; ++l)
    if (MapBit(img, cmcImageMap::kScanMaps + 16 * l, n)) scan |= 1 << (3 - l);

  rfPower = datGetBits(x[0], 0, 2);
  lockout = datGetBits(x[0], 2, 2) | (datGetBits(x[15], 4, 1) << 2);
  tot = datGetBit(x[0], 4);
  scanListSel = datGetBit(x[0], 5);
  moniPmr = datGetBit(x[0], 6);
  powerSave = datGetBits(x[0], 7, 1) | (datGetBits(x[15], 5, 1) << 1);
  chMute = datGetBit(x[1], 0);
  scanInc = datGetBit(x[1], 1);
  sqlTight = datGetBit(x[1], 2);
  selPmr = datGetBit(x[1], 3);
  log = datGetBits(x[1], 4, 4);
  autoReset = datGetBits(x[2], 0, 2);
  callPmr = datGetBits(x[2], 2, 3);
  pttPmr = datGetBits(x[2], 5, 3);
  autoChScan = datGetBit(x[3], 0);
  mskSendStatus = datGetBit(x[3], 1);
  mskRptSpecial = datGetBit(x[3], 2);
  mskSig = datGetBit(x[3], 3);
  compander = datGetBit(x[3], 4);
  scrambler = datGetBits(x[3], 5, 2);
  sigLog = datGetBits(x[3], 7, 1) | (datGetBits(x[4], 5, 1) << 1);
  sigDec = datGetBits(x[4], 4, 1) | (datGetBits(x[13], 4, 1) << 1);
  sigEmg = datGetBits(x[4], 6, 2);
  mdcSystem = datGetBits(x[4], 0, 4);
  presetNo = datGetBits(x[5], 0, 7) + 1;
  preset = datGetBit(x[5], 7);
  scrmCode = x[6];
  if (kind == datChKind::kPmr || kind == datChKind::kQarnPmr) {
    rptCode = datGetBits(x[7], 0, 4);
    formFlag = datGetBit(x[7], 6);
    codeFlag = datGetBit(x[7], 7);
    rptNo = datGetBits(x[8], 0, 7);
    stnCode = datGetBits(x[9], 0, 7);
    idCode = datGetBits(x[10], 0, 7);
    for (size_t i = 0; i < 3; ++i) codeBit7[i] = datGetBit(x[8 + i], 7);
    rxCode = x[11];
  } else {
    rptCode = 0;
    stnCode = 1;
    codeFlag = true;
    twoTone = datGetBits(x[9], 0, 7);
    rxCode = datGetWord(x + 11) >> 6;
  }
  ctoneEdit = datGetBit(x[13], 5);
  ctoneSel = datGetBit(x[13], 6);
  dupEna = datGetBit(x[13], 7);
}

void datCh::StoreChannel() {
  uint8_t* m = raw[0].data();
  uint8_t* x = raw[1].data();

  SetFrequency(m, inUse ? freqR : 0, inhR);
  SetFrequency(m + 4, inUse ? freqT : 0, inhT);
  toneR.Pack(m + 8);
  toneT.Pack(m + 10);
  std::array<uint8_t, 8> nameOut = chName;
  if (preset) nameOut[6] = nameOut[7] = ' ';
  std::copy(nameOut.begin(), nameOut.end(), m + 12);
  datSetBits(m[20], 0, 2, chMode);
  datSetBit(m[20], 2, dup);
  datSetBit(m[20], 5, std::all_of(nameOut.begin(), nameOut.end(), [](uint8_t c) { return c == ' '; }));
  datSetBits(m[20], 6, 1, width & 1);
  m[21] = static_cast<uint8_t>(scanList);

  datSetBits(x[0], 0, 2, rfPower);
  datSetBits(x[0], 2, 2, lockout & 3);
  datSetBits(x[15], 4, 1, (lockout >> 2) & 1);
  datSetBit(x[0], 4, tot);
  datSetBit(x[0], 5, scanListSel);
  datSetBit(x[0], 6, moniPmr);
  datSetBits(x[0], 7, 1, powerSave & 1);
  datSetBits(x[15], 5, 1, (powerSave >> 1) & 1);
  datSetBit(x[1], 0, chMute);
  datSetBit(x[1], 1, scanInc);
  datSetBit(x[1], 2, sqlTight);
  datSetBit(x[1], 3, selPmr);
  datSetBits(x[1], 4, 4, log);
  datSetBits(x[2], 0, 2, autoReset);
  datSetBits(x[2], 2, 3, callPmr);
  datSetBits(x[2], 5, 3, pttPmr);
  datSetBit(x[3], 0, autoChScan);
  datSetBit(x[3], 1, mskSendStatus);
  datSetBit(x[3], 2, mskRptSpecial);
  datSetBit(x[3], 3, mskSig);
  datSetBit(x[3], 4, compander);
  datSetBits(x[3], 5, 2, scrambler);
  datSetBits(x[3], 7, 1, sigLog & 1);
  datSetBits(x[4], 5, 1, (sigLog >> 1) & 1);
  datSetBits(x[4], 4, 1, sigDec & 1);
  datSetBits(x[13], 4, 1, (sigDec >> 1) & 1);
  datSetBits(x[4], 6, 2, sigEmg);
  datSetBits(x[4], 0, 4, mdcSystem);
  datSetBits(x[5], 0, 7, std::max(presetNo - 1, 0));
  datSetBit(x[5], 7, preset);
  x[6] = static_cast<uint8_t>(scrmCode);
  if (kind == datChKind::kPmr || kind == datChKind::kQarnPmr) {
    datSetBits(x[7], 0, 4, rptCode);
    datSetBit(x[7], 6, formFlag);
    datSetBit(x[7], 7, codeFlag);
    datSetBits(x[8], 0, 7, rptNo);
    datSetBits(x[9], 0, 7, stnCode);
    datSetBits(x[10], 0, 7, idCode);
    for (size_t i = 0; i < 3; ++i) datSetBit(x[8 + i], 7, codeBit7[i]);
    x[11] = static_cast<uint8_t>(rxCode);
  } else {
    datSetBits(x[9], 0, 7, twoTone);
    const int w = ((rxCode & 0x3FF) << 6) | (datGetWord(x + 11) & 0x3F);
    datSetWord(x + 11, w);
  }
  datSetBit(x[13], 5, ctoneEdit);
  datSetBit(x[13], 6, ctoneSel);
  datSetBit(x[13], 7, dupEna);
}

void datCh::ResetPmrFreeChannel() {
  rptCode = 0xA;
  stnCode = 0;
  codeFlag = false;
  log = 0;
  twoTone = 0;
}

bool datCh::IsPmrEmergencyPreset() const { return preset && (presetNo == 5 || presetNo == 35 || presetNo == 85); }

bool datCh::IsPmrToneless() const { return IsPmrEmergencyPreset() || (!preset && inhT); }
