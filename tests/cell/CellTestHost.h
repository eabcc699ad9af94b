#pragma once
// A dispatch host for the cell suites: an image with bank 0 holding channels 0-15
// (0-3 in use), texts that are their keys unless a test sets one, scripted prompts,
// a block host that opens and closes channel slots as the model controller does, a
// menu that knows only `CL_Model_Pmr`, and the shipped main overlay with its cell
// cache for the codecs. Every call the dispatch makes is recorded.
#include <map>
#include <string>
#include <vector>

#include "cell/cmcCellCanvas.h"
#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcFCache.h"
#include "cell/indCellHost.h"
#include "cell/indMenuCommands.h"
#include "channel/datCh.h"
#include "channel/datChBlockHost.h"
#include "channel/datClipCh.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcScriptedPrompts.h"

namespace celltest {

class BlockHost : public datChBlockHost {
 public:
  explicit BlockHost(cmcEeprom& image) : banks_(&image) {}
  std::string Text(const std::string& key) override { return key; }
  void Status(const std::string& text) override { status.push_back(text); }
  void Post(int code, int, int, const std::string&) override { posted.push_back(code); }
  void Send(int code, const dst_BankContext& bank, int row) override {
    sent.push_back({code, bank.bank, row});
    if (code == kEvInsertChannel) {
      banks_.InsertChannel(1, row, 128);
      banks_.SetBankCount(bank.bank, banks_.BankCount(bank.bank) + 1);
    } else if (code == kEvDeleteChannel) {
      banks_.DeleteChannel(1, row, 128);
      banks_.SetBankCount(bank.bank, banks_.BankCount(bank.bank) - 1);
    }
  }
  void RecomputeMemory() override {}
  void SetBulkDelete(bool) override {}

  struct Sent {
    int code, bank, row;
  };
  std::vector<std::string> status;
  std::vector<int> posted;
  std::vector<Sent> sent;

 private:
  datChBank banks_;
};

class Menu : public indMenuCommands {
 public:
  explicit Menu(const int& family) : family_(family) {}
  bool Handles(int label) const override { return label == CL_Model_Pmr; }
  void Execute(int label, cmcCellCapsule&) override { executed.push_back(label); }
  dst_MenuState StateOf(int, int) override {
    dst_MenuState s;
    s.ticked = family_ == 1;
    return s;
  }
  std::vector<int> executed;

 private:
  const int& family_;
};

class Grid : public cmcCellGrid {
 public:
  void OpenChooser(cmcCellCapsule&, const std::string& listKey, int, int, const std::string&) override {
    choosers.push_back(listKey);
  }
  void SetClipboardText(const std::string& text) override { clipboard.push_back(text); }
  std::vector<std::string> choosers;
  std::vector<std::string> clipboard;
};

class Canvas : public cmcCellCanvas {
 public:
  uint32_t FontColour() const override { return 0; }
  void FillPolygon(std::span<const cmcCanvasPoint>, uint32_t) override {}
  void SetTextColour(uint32_t colour) override { colours.push_back(colour); }
  void FillBottom(int percent, uint32_t colour) override { fills.push_back({percent, colour}); }
  struct Fill {
    int percent;
    uint32_t colour;
  };
  std::vector<uint32_t> colours;
  std::vector<Fill> fills;
};

class Host : public indCellHost {
 public:
  Host() {
    overlay.SetFile(std::string(RX93_DATA_DIR) + "/RX93KITD_ENG.OVL");
    image.SetSize(cmcEeprom::kImageSize);
    defaults.SetSize(cmcEeprom::kImageSize);
    SetWord(cmcImageMap::kBankCounts, 16);
    for (int n = 0; n < 4; ++n) Use(n);
    overlay.SetFile(std::string(RX93_DATA_DIR) + "/RX93KITD_ENG.OVL");
  }

  // Channel n in use at 450 MHz + n Hz.
  void Use(int n) {
    datCh ch(&image);
    ch.Load(1, n);
    ch.freqR = 450000000 + static_cast<uint32_t>(n);
    ch.inUse = true;
    ch.Store();
  }
  void SetWord(int address, int value) { image.SetWord(address, value); }
  void SetBanks(std::initializer_list<int> counts) {
    int b = 0;
    for (const int c : counts) SetWord(cmcImageMap::kBankCounts + 2 * b++, c);
    for (; b < cmcImageMap::kBanks; ++b) SetWord(cmcImageMap::kBankCounts + 2 * b, 0);
  }

  cmcEeprom& Image() override { return image; }
  const cmcEeprom& DefaultImage() override { return defaults; }
  int ModelFamily() override { return family; }
  std::string Text(const std::string& key) override {
    const auto it = texts.find(key);
    return it == texts.end() ? key : it->second;
  }
  cmcPrompts& Prompts() override { return prompts; }
  datClipCh& Clipboard() override { return clipboard; }
  datChBlockHost& BlockHost() override { return block; }
  indMenuCommands& MenuCommands() override { return menu; }
  void AfterUserAction() override { ++userActions; }
  void ReportEditRestricted() override { ++restricted; }
  void RecomputeMemory() override { ++recomputed; }
  void OpenHelp(const cmcCellCapsule&) override { ++helpOpened; }
  bool MchWinWanted() override { return mchWinShown > 0; }
  void ShowMchWin() override { ++mchWinShown; }
  std::string RadioSerial() override { return serial; }
  bool PresetConfirmed(int preset) override { return confirmed.contains(preset); }
  int AdReading(int) override { return reading; }
  cmcGTex* Overlay() override { return &overlay; }
  cmcFCache* CellCache() override { return &cache; }
  bool MakerReserveMode() override { return makerMode; }
  bool ShiftHeld() override { return shift; }
  void LiveWriteItem(int item) override { liveItems.push_back(item); }
  void LiveWriteByte(int address) override { liveBytes.push_back(address); }

  cmcGTex overlay;
  cmcFCache cache{overlay};
  cmcEeprom image;
  cmcEeprom defaults;
  int family = 0;
  std::map<std::string, std::string> texts{{"GI_NewChTitle", "New"}};
  cmcScriptedPrompts prompts;
  datClipCh clipboard;
  celltest::BlockHost block{image};
  Menu menu{family};
  int userActions = 0;
  int restricted = 0;
  int recomputed = 0;
  int helpOpened = 0;
  int mchWinShown = 0;
  std::string serial;
  std::map<int, bool> confirmed;
  int reading = 0;
  bool makerMode = false;
  bool shift = false;
  std::vector<int> liveItems;
  std::vector<int> liveBytes;
};

}  // namespace celltest
