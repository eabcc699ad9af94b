#pragma once
// A bank sheet: the channels of one bank, a row per channel. Its channel cells count
// from the bank's first channel; its rows end with the new-channel row after the
// bank's last channel and grow and shrink with the bank (events 32 and 33); with banks
// in use its title and header name the bank, the header in cyan for a SmarTrunk bank.
// It answers the bank query (event 28), has the memory channel window show its bank
// and follow its cursor (events 50 and 51), and its cursor follows the window's
// buttons (event 34, and the movement the window collected before the sheet was made).
#include <cstdint>
#include <functional>
#include <string>

#include "channel/sheets/indSheetKind.h"

class cmcEeprom;
class cmcEvMan;
class cmcGTexBase;
class datChBank;
struct cmcEvent;

class indBankSheet : public indSheetKind {
 public:
  // The header's colours: yellow, and cyan for a SmarTrunk bank.
  static constexpr uint32_t kHeaderColour = 65535;
  static constexpr uint32_t kSmarTrunkHeaderColour = 16776960;

  struct Header {
    std::string text;  // empty when banks are not in use
    uint32_t colour = kHeaderColour;
  };

  // The overlay gives the texts; the images the bank arithmetic. When the memory
  // channel window exists, it is made to show this bank and its collected cursor
  // movement is taken over.
  indBankSheet(cmcGTexBase& overlay, cmcEvMan& events, cmcEeprom& image, const cmcEeprom& defaults, int bank);
  ~indBankSheet() override;
  indBankSheet(const indBankSheet&) = delete;
  indBankSheet& operator=(const indBankSheet&) = delete;

  // Applies the collected cursor movement to the sheet.
  void Attach(cmcSheetModel* sheet) override;

  void BeforeCell(cmcCellObj& cell, int col, int row) override;
  bool RowShown(const cmcSheetDef& def, int row) override;
  // "<head> <bank from 1>: <name> <SmarTrunk text>" with banks in use (also the print
  // head); the style's title otherwise.
  std::string Title(const std::string& styleTitle) override;
  void CellSelected(const cmcCellObj& cell, int col, int row) override;

  int Bank() const { return bank_; }
  // Banks are in use: the tree's bank operation line is not "None".
  bool BanksInUse() const;
  // The line above the grid: "<style title> <bank from 1>: <name> <SmarTrunk text>
  // (<channels that still fit> <text>)".
  Header HeaderLine(const std::string& styleTitle) const;
  // Called when the header is to be drawn again (event 29).
  void SetHeaderChanged(std::function<void()> changed) { headerChanged_ = std::move(changed); }

  // The channel cells a bank sheet offsets, and those the window follows.
  static bool IsChannelCell(const cmcCellObj& cell);
  static bool IsSelectingCell(const cmcCellObj& cell);

 private:
  void OnEvent(cmcEvent& event);
  datChBank Banks() const;
  // The bank's name without trailing blanks and its SmarTrunk text.
  std::string Name() const;
  std::string SmarTrunkText() const;

  cmcGTexBase& overlay_;
  cmcEvMan& events_;
  cmcEeprom& image_;
  const cmcEeprom& defaults_;
  int bank_;
  int pendingMove_ = 0;
  std::function<void()> headerChanged_;
};
