#pragma once
// The block operations of the popup menu on record rows: Copy, Paste, CarryUp,
// CarryDown, Clear, Delete and Insert, each over the selected block (or the current
// row) within an allowed range lo … hi. Questions go through the prompts; every
// refusal leaves the image as it was from that point on.
#include <string>

#include "channel/datChBank.h"
#include "channel/datChBlockHost.h"
#include "channel/datClipCh.h"

class cmcEeprom;
class cmcPrompts;

// The row selection of a request and the operation's answer.
struct dst_ChBlock {
  static constexpr int kSelBlock = 0x01;   // a block rangeLo … rangeHi is selected
  static constexpr int kSelResult = 0x02;  // set by the operation: select rangeLo … rangeHi
  int multiSel = 0;
  int rangeLo = 0;
  int rangeHi = 0;
  bool jump = false;  // move the cursor to jumpRow
  int jumpRow = 0;
  int mask = 0;  // change mask bits added by the operation
};

class datChBlockOps {
 public:
  // Popup-menu command ids.
  static constexpr int kCmdCopy = 100;
  static constexpr int kCmdPaste = 101;
  static constexpr int kCmdCarryUp = 102;
  static constexpr int kCmdCarryDown = 103;
  static constexpr int kCmdClear = 104;
  static constexpr int kCmdDelete = 105;
  static constexpr int kCmdInsert = 106;
  static constexpr int kCategoryBank = 16;

  datChBlockOps(cmcEeprom* image, const cmcEeprom* defaults, datClipCh& clipboard, cmcPrompts& prompts,
                datChBlockHost& host);

  // The kind's index range, narrowed to the bank for categories 2, 3 and 5 and to the
  // alias count for category 25. False when nothing is left.
  static bool AllowedRange(int category, int kind, const dst_BankContext& bank, int aliasCount, int& lo, int& hi);

  // Runs command 100–106 on row `row` of kind; category 16 carries whole banks.
  void Run(int command, dst_ChBlock& req, int category, int kind, int row, const dst_BankContext& bank);

  void Copy(dst_ChBlock& req, int kind, int row, int lo, int hi);
  void Paste(dst_ChBlock& req, int kind, int row, int lo, int hi);
  // step −1 (up) or +1 (down).
  void Carry(dst_ChBlock& req, int kind, int row, int lo, int hi, int step);
  void Clear(dst_ChBlock& req, int kind, int row, int lo, int hi);
  void Delete(dst_ChBlock& req, int kind, int row, int lo, int hi, const dst_BankContext& bank);
  void Insert(dst_ChBlock& req, int category, int kind, int row, int lo, int hi, const dst_BankContext& bank);
  // Moves the selected banks one place (step ±1) with their channels, counts and flags.
  void CarryBanks(dst_ChBlock& req, int kind, int bank, int step);

  // Copies rows first … last of the default image back into the image, keeping the
  // destination attributes, and announces each row.
  void RestoreRows(int kind, int first, int last);

 private:
  bool Block(const dst_ChBlock& req, int row, int lo, int hi, int& first, int& last) const;
  bool AnyInUse(int kind, int first, int last) const;
  bool Confirm(const std::string& key);
  void Error(const std::string& key);
  void Select(dst_ChBlock& req, int first, int last);
  void CarryRows(int kind, int first, int last, int step);
  void ShiftTable(int kind, int first, int len, int tableLast, bool remove);

  cmcEeprom* image_;
  const cmcEeprom* defaults_;
  datClipCh& clipboard_;
  cmcPrompts& prompts_;
  datChBlockHost& host_;
  datChBank banks_;
};
