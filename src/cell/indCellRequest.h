#pragma once
// The working state of one request of the active cell dispatch: the capsule, the
// record the cell indexes (loaded on the program's image), the model and bank
// context read at entry, and what the handlers answer (change mask, result byte,
// edit-restricted). Label handlers take it and nothing else.
#include <cstdint>
#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcChoiceContext.h"
#include "channel/datCh.h"
#include "channel/datChBank.h"
#include "channel/datQarnAdr.h"

class indActiveCell;
class indCellHost;

class indCellRequest {
 public:
  // Change mask bits.
  static constexpr int kMaskAlways = 0x01;
  static constexpr int kMaskAttrOrBank = datChBank::kMaskAttrOrBank;
  static constexpr int kMaskRecord = datChBank::kMaskRecord;
  static constexpr int kMaskLayout = datChBank::kMaskLayout;
  // Result bytes.
  static constexpr uint8_t kResultDone = 0;
  static constexpr uint8_t kResultPopupOpened = 1;
  static constexpr uint8_t kResultOpenEditor = 2;
  // Colours handlers draw with.
  static constexpr uint32_t kRestrictedColour = 32896;  // red 128, green 128, blue 0
  static constexpr uint32_t kSilver = 12632256;
  static constexpr uint32_t kMidGrey = 8421504;

  // Steps 1-3 and 5 of the entry: binds the records, reads the cell, the model flags
  // and the bank context, and loads the record the cell indexes.
  indCellRequest(cmcCellCapsule& capsule, indCellHost& host, indActiveCell& dispatch);

  int Key() const { return capsule.keyCode; }
  // A printable key (1-126), the kind that starts typing.
  bool TypingKey() const { return capsule.keyCode >= 1 && capsule.keyCode <= 126; }
  void SetText(std::string text) { capsule.outputText = std::move(text); }
  void SetWarning() { capsule.state |= cmcCellCapsule::kWarningMark; }
  void SetError() { capsule.state |= cmcCellCapsule::kErrorMark; }
  // Only while drawing: without a canvas no colour is set.
  void SetTextColour(uint32_t colour) const;
  datChBank Banks() const;
  // Takes the dispatch result and the text colour a codec answered in codec.
  void TakeCodecAnswer();
  // A typed text (input kind 1) that the cell does not take: why, by default that the
  // setting cannot be changed here (the overlay's edit-restricted text).
  void RefuseTyped();
  void RefuseTyped(std::string reason);

  cmcCellCapsule& capsule;
  indCellHost& host;
  indActiveCell& dispatch;  // for probing other cells
  cmcCellObj& cell;

  datCh record;
  datQarnAdr address;
  cmcChoiceContext codec;  // handed to the value codecs
  int category = 0;
  int label = 0;
  int row = 0;
  int kind = 0;
  bool recordLoaded = false;

  int family = 0;  // 4 and 5 read as 0
  bool lmr = false;
  bool pmr = false;
  bool qarnPmr = false;
  bool dpmr446 = false;

  dst_BankContext bank;
  bool newRow = false;    // the row lies beyond the bank's last channel, or the bank is empty
  bool bankMode = false;  // bank 1 holds channels
  bool digital = false;   // a QarnPmr channel carrying the MSK signal flag
  bool ext3Bit2 = false;  // PMR and QarnPmr: bit 2 of the channel's extension byte 3

  int mask = kMaskAlways;
  uint8_t result = kResultDone;
  bool editRestricted = false;

 private:
  void ReadBankContext();
};
