#pragma once
// The unpacked view of one record of one record kind (datChKinds.h) bound to an image.
// Load reads the record's image regions and unpacks the fields; the caller edits the
// public fields; Store packs them back into the regions as loaded and writes them, so
// every bit the fields do not model goes back exactly as it came. A record loaded at
// one index and stored at another carries its unmodelled bits along.
#include <array>
#include <cstdint>

#include "channel/datChKinds.h"
#include "channel/datChTone.h"

class cmcEeprom;

class datCh {
 public:
  // Channel attribute bits (attr): derived from radio-wide pointers, not per channel.
  static constexpr uint8_t kAttrPriority = 0x01;
  static constexpr uint8_t kAttrPriorityCleared = 0x02;
  static constexpr uint8_t kAttrScanB = 0x04;
  static constexpr uint8_t kAttrEmergency = 0x08;
  static constexpr uint8_t kAttrEmergencyCleared = 0x10;
  static constexpr uint8_t kAttrSmarTrunk = 0x20;
  static constexpr uint8_t kAttrStart = 0x40;
  // The highest frequency a channel holds, in Hz; larger values read and store as it.
  static constexpr uint32_t kMaxFrequency = 799999950;

  explicit datCh(cmcEeprom* image = nullptr) : image_(image) {}

  void Bind(cmcEeprom* image) { image_ = image; }
  cmcEeprom* Image() const { return image_; }

  // Every field zero, in use set; the binding stays.
  void Clear();
  // Loads record index of kind; indexes are not range-checked (callers keep to the kind table).
  void Load(int kind, int index);
  // Writes the fields back at index, then loads again so derived fields are fresh.
  void Store();
  void StoreAt(int atIndex) {
    index = atIndex;
    Store();
  }
  void Reload() { Load(kind, index); }

  // Free (non-preset) PMR channel defaults: repeater code 0xA, station code 0, code
  // flag and log bits cleared, 2-tone selection 0.
  void ResetPmrFreeChannel();
  // A preset channel with preset number 5, 35 or 85.
  bool IsPmrEmergencyPreset() const;
  // An emergency preset, or a non-preset channel with transmit inhibited.
  bool IsPmrToneless() const;
  // Whether the channel leaves with a receive code selected: saving gives a QarnPmr
  // channel that carries the MSK signal flag X 11 bit 7. The radio then keeps the
  // channel muted until it hears the code, so saving sets the channel mute from this.
  bool HasReceiveCode() const { return rxCode != 0 || (kind == datChKind::kQarnPmr && mskSig); }
  bool HasAttr(uint8_t bits) const { return (attr & bits) != 0; }
  void SetAttr(uint8_t bits, bool on) { attr = on ? (attr | bits) : (attr & ~bits); }

  // ---- record identity ----
  int kind = 0;
  int index = 0;
  bool inUse = true;  // channels: receive frequency not 0

  // ---- memory channel (kinds 1–4): main record M, extension X ----
  uint32_t freqR = 0;               // hertz, M 0–3 bits 30–0, clamped 0 … 799 999 950
  uint32_t freqT = 0;               // M 4–7
  bool inhR = false;                // M 0 bit 7
  bool inhT = false;                // M 4 bit 7
  datChTone toneR;                  // M 8–9
  datChTone toneT;                  // M 10–11
  std::array<uint8_t, 8> chName{};  // M 12–19, radio character codes
  int chMode = 0;                   // M 20 bits 0–1 (3: digital channel)
  bool dup = false;                 // M 20 bit 2
  bool nameEmpty = false;           // M 20 bit 5, recomputed by Store
  int width = 0;                    // M 20 bit 6
  int scanList = 0;                 // M 21
  uint8_t attr = 0;                 // kAttr* bits
  int scan = 0;                     // scan memberships, list 0 in bit 3 … list 3 in bit 0

  int rfPower = 0;             // X 0 bits 0–1
  int lockout = 0;             // X 0 bits 2–3 (value bits 0–1), X 15 bit 4 (value bit 2)
  bool tot = false;            // X 0 bit 4
  bool scanListSel = false;    // X 0 bit 5
  bool moniPmr = false;        // X 0 bit 6
  int powerSave = 0;           // X 0 bit 7 (value bit 0), X 15 bit 5 (value bit 1)
  bool chMute = false;         // X 1 bit 0, rebuilt from HasReceiveCode() on saving
  bool scanInc = false;        // X 1 bit 1
  bool sqlTight = false;       // X 1 bit 2
  bool selPmr = false;         // X 1 bit 3
  int log = 0;                 // X 1 bits 4–7
  int autoReset = 0;           // X 2 bits 0–1
  int callPmr = 0;             // X 2 bits 2–4
  int pttPmr = 0;              // X 2 bits 5–7
  bool autoChScan = false;     // X 3 bit 0
  bool mskSendStatus = false;  // X 3 bit 1
  bool mskRptSpecial = false;  // X 3 bit 2 (MSK repeat shown as 255)
  bool mskSig = false;         // X 3 bit 3 (a QarnPmr channel with it is digital)
  bool compander = false;      // X 3 bit 4
  int scrambler = 0;           // X 3 bits 5–6
  int sigLog = 0;              // X 3 bit 7 (value bit 0), X 4 bit 5 (value bit 1)
  int sigDec = 0;              // X 4 bit 4 (value bit 0), X 13 bit 4 (value bit 1)
  int sigEmg = 0;              // X 4 bits 6–7
  int mdcSystem = 0;           // X 4 bits 0–3
  int presetNo = 0;            // preset number 1–128: X 5 bits 0–6 hold presetNo − 1 (0 is stored as preset 1)
  bool preset = false;         // X 5 bit 7
  int scrmCode = 0;            // X 6
  // PMR codes (kinds 2 and 3; kinds 1 and 4 load the fixed values 0, 1 and the flag set
  // and never store them).
  int rptCode = 0;                 // X 7 bits 0–3
  bool formFlag = false;           // X 7 bit 6
  bool codeFlag = false;           // X 7 bit 7
  int rptNo = 0;                   // X 8 bits 0–6 (MSK repeat)
  int stnCode = 0;                 // X 9 bits 0–6
  int idCode = 0;                  // X 10 bits 0–6
  std::array<bool, 3> codeBit7{};  // bit 7 of X 8, X 9, X 10
  int twoTone = 0;                 // X 9 bits 0–6 (kinds 1 and 4)
  int rxCode = 0;                  // X 11 (kinds 2, 3); X 11–12 bits 15–6 (kinds 1, 4)
  bool ctoneEdit = false;          // X 13 bit 5
  bool ctoneSel = false;           // X 13 bit 6
  bool dupEna = false;             // X 13 bit 7

  // ---- list kinds 5–20 ----
  std::array<uint8_t, 16> name{};      // 8-byte names; 16-byte texts of kind 19
  std::array<uint8_t, 16> name2{};     // the second text of kinds 17 and 19
  std::array<uint8_t, 24> digits{};    // one digit (0–15) per entry: DTMF 24, codes 8, MSK 4
  std::array<uint8_t, 6> settings{};   // setting bytes that follow a name (kinds 6, 9, 10, 12, 15–20)
  std::array<uint8_t, 4> settings2{};  // the flag bytes after the second text (kinds 17, 19)
  int dtmfLength = 0;                  // kind 6 byte 20
  int mask = 0;                        // kind 5: 16-bit segment mask
  int word = 0;                        // kind 11: tone word; kind 15: address; kind 20: ID
  std::array<int, 2> words{};          // kind 11: the two words at 0xA16C + 4n
  std::array<uint8_t, 4> scanRef{};    // kind 7 bytes 14–17: channel references
  std::array<uint8_t, 6> scanSet{};    // kind 7 bytes 8–13: flag and type bytes
  bool toneSel = false;                // kind 8: bit in the map at 0xA0F6
  int aliasType = 0;                   // kind 20: low nibble of byte 11
  // Kind 12 frequencies in hertz; each is a big-endian word in tenths of a hertz:
  // [0], [1] the two code tones (0x8C38 + 4n), [2] at 0xA1B0 + 2n, [3] at 0x8BB4 + 4n,
  // [4] at 0xA487 + 10n.
  std::array<double, 5> twoToneFreq{};
  // Kind 12 acceptance bounds (low, high of the first tone, low, high of the second) in
  // hertz, words in tenths of a hertz at 0xA146 + 8n and 0xA14A + 8n.
  std::array<double, 4> twoToneBound{};

  // The record's region bytes as last loaded (region r of the kind table).
  static constexpr int kMaxRegionSize = 22;
  std::array<std::array<uint8_t, kMaxRegionSize>, 6> raw{};

 private:
  void LoadChannel();
  void StoreChannel();
  void UnpackList();
  void PackList();
  void LoadListExtras();
  void StoreListExtras();

  cmcEeprom* image_;
};
