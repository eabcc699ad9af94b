// Where every stored setting of every model type lives, learnt by changing it: each
// label's changes, made through the dispatch on a fresh initial image, write bits that
// no other label writes (but for the documented shared bits below), and none of those
// bits is one that saving or writing the image rebuilds from another field or takes
// from the template. The handlers are rows of tables and code alike, so their bits are
// found by watching the image, not by reading the tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cell/indCellHandlers.h"
#include "image/cmcImageMap.h"
#include "sheet/TreeSheetFixture.h"
#include "shell/indImagePacking.h"
#include "shell/indMain.h"

namespace {

using namespace treesheets;

// Labels that write the same bits on purpose, by name prefix, each with its reason.
struct SharedBits {
  const char* a;
  const char* b;
};
constexpr SharedBits kDocumentedShared[] = {
    // One time-out ID bit, named after the ID the model type sends (0xA09D bit 5).
    {"CL_Comm_Tot_ID_Out", "CL_Comm_Tot_Dtmf_ID_Out"},
    // The emergency code decoder, named after the model type's signalling (0xB67E bit 2).
    {"CL_Emer_Signal_2TDec", "CL_Emer_Signal_5TDec"},
    // The man-down siren is the emergency's silent switch (0xB67E bit 5).
    {"CL_Comm_ManDown_Sairen", "CL_Emer_Setting_Silent"},
    // The external PTT port mode is the expansion's PTT/foot switch choice (0xA0A1 bit 1).
    {"CL_ExtPort_PortMode_EPTT", "CL_Exp_Select_ExPttFtsw"},
    // The talk-back cancel is value bit 4 of the cancel channel (scan list byte 10 bit 4).
    {"CL_ScanList_Cancel_CH", "CL_ScanList_Cancel_TalkBack"},
    // A channel's tone and lockout under the plain and the PMR446 labels; the transmit
    // tone follows the receive tone.
    {"CL_Mch_CTone_R", "CL_Mch_CTone_R"},
    {"CL_Mch_CTone_R", "CL_Mch_CTone_T"},
    {"CL_Mch_Lockout", "CL_Mch_Lockout"},
    {"CL_CTone_RX", "CL_CTone_TX"},
    // A key's entry pairs the function-key entry of its twin; the PMR446 keys are the
    // same key bytes.
    {"CL_KDisp_Key_", "CL_KDisp_Key_"},
    // 2-tone and 5-tone receive codes are one set of records, read as the model type's
    // signalling reads them; so are 2-tone and 5-tone transmit codes; the number of
    // tones in a code lays every code out again.
    {"CL_2T", "CL_5T"},
    {"CL_UTone_Tone_Digit", "CL_2T"},
    {"CL_UTone_Tone_Digit", "CL_5T"},
    // Switching the bank mode resets the bank sizes.
    {"CL_Bank_SelBankFree", "CL_Mch_Bank"},
    // Every MDC sheet shows the names of the MDC systems.
    {"CL_Mdc_", "CL_Mdc_System_List_Text"},
};

bool Documented(std::string_view a, std::string_view b) {
  return std::any_of(std::begin(kDocumentedShared), std::end(kDocumentedShared), [&](const SharedBits& s) {
    return (a.starts_with(s.a) && b.starts_with(s.b)) || (a.starts_with(s.b) && b.starts_with(s.a));
  });
}

// Settings whose bits saving rebuilds, each with what rebuilds them: kept off the
// sheets until it is settled where they belong.
struct KnownLoss {
  uint32_t label;
  int modelTypes;  // bit n: model type n
};
constexpr KnownLoss kKnownLosses[] = {
    // 0x299 bits 7-5 are taken from the template.
    {CL_Comm_PTTSide, 0xF},
    {CL_Comm_PTTOver, 0xF},
    {CL_Comm_PTTwithRinger, 0xF},
    // Channel extension byte 15 bits 7-6, which the channel record does not carry.
    {CL_Mch_RogerBeep, 0xF},
    {CL_Mch_Scan_OnOff, 0xF},
    {CL_Mch_Scan_OnOff_Pmr, 0xF},
    // 41118 bit 5 follows the text at 42611; status message byte 8 bit 6 is the template's.
    {CL_Msk_Cfg_Gps_Send_Base, 0x4},
    {CL_Msk_Msg_Status_SFunc, 0x4},
    // On LMR radios the code records' byte 10 bits 7-6 are the template's.
    {CL_5TRx_Ringer, 0x1},
};

bool KnownLost(uint32_t label, int family) {
  return std::any_of(std::begin(kKnownLosses), std::end(kKnownLosses),
                     [&](const KnownLoss& k) { return k.label == label && (k.modelTypes >> family & 1); });
}

// One mask byte per image byte: the bits seen changing.
using Bits = std::vector<uint8_t>;

// Packing's own bytes: its header words (528-551), the packed area (768 to the end of
// the radio's memory) and the copy of the directory, rebuilt whenever the image is packed.
bool PackingArea(int address) {
  using namespace cmcImageMap;
  return (address >= kBudgetWord1 && address < kDirHeader + 8) ||
         (address >= kPackStart && address < cmcEeprom::kEepromSize) ||
         (address >= kFixedDirectory && address < kFixedDirectory + kDirSlots * kDirEntrySize);
}

// Adds the bits that differ between two images, packing's own bytes left out.
void AddFlipped(Bits& bits, const cmcEeprom& before, const cmcEeprom& after) {
  if (before.Equals(after)) return;
  for (int a = 0; a < after.GetSize(); ++a)
    if (!PackingArea(a)) bits[static_cast<size_t>(a)] |= before.GetByte(a) ^ after.GetByte(a);
}

std::string BitName(int address, int bit) {
  std::ostringstream s;
  s << "0x" << std::uppercase << std::hex << address << std::dec << " (" << address << ") bit " << bit;
  return s.str();
}

// Calls visit(address, bit) for every bit set in bits.
template <typename Visit>
void ForEachBit(const Bits& bits, Visit visit) {
  for (int a = 0; a < static_cast<int>(bits.size()); ++a)
    for (int bit = 0; bits[static_cast<size_t>(a)] >> bit; ++bit)
      if ((bits[static_cast<size_t>(a)] >> bit) & 1) visit(a, bit);
}

class SettingFootprints : public TreeSheetFixture {
 protected:
  // The keys and texts a setting is worked with, in this order: the space key through
  // the entries of a choice of up to 16 values, backspace, and texts that reach the bits
  // of bytes, words, timers, decimals, digit strings and radio texts, the largest last
  // so that the setting ends far from its initial value.
  struct Action {
    int key;
    const char* text;
  };
  static constexpr Action kActions[] = {
      {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr},
      {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr}, {' ', nullptr},
      {' ', nullptr}, {' ', nullptr}, {8, nullptr},   {0, "0"},       {0, "A"},       {0, "Z9"},      {0, "1"},
      {0, "7"},       {0, "30"},      {0, "99"},      {0, "FFFF"},    {0, "3000"},    {0, "9999"},    {0, "0.255"},
      {0, "2.55"},    {0, "25.5"},    {0, "100.0"},   {0, "255"},
  };
  static constexpr int kActionCount = static_cast<int>(std::size(kActions));

  struct Setting {
    uint32_t label;
    Binding at;
  };

  // What a setting does to the image: the bits its changes flip, and the bits that
  // preparing the image for writing changes after it was changed.
  struct Footprint {
    Bits written;
    Bits rebuilt;
  };

  void Act(const Setting& s, const Action& action) {
    if (action.text)
      Type(s.at, s.label, action.text);
    else
      Press(s.at, s.label, action.key);
  }

  // Bits that preparing a copy of the working image for writing changes.
  Bits Prepared() {
    cmcEeprom prepared;
    prepared.Assign(Working());
    program_.main.PrepareImage(prepared, indMain::kPrepareWrite);
    Bits bits(static_cast<size_t>(prepared.GetSize()), 0);
    AddFlipped(bits, Working(), prepared);
    return bits;
  }

  // Works the setting alone from the initial image with every action; what it wrote,
  // and what preparing rebuilds after its first change and after its last.
  Footprint Measure(const Setting& s, const cmcEeprom& initial) {
    Working().Assign(initial);
    Footprint f{Bits(static_cast<size_t>(initial.GetSize()), 0), {}};
    cmcEeprom before;
    for (const Action& action : kActions) {
      before.Assign(Working());
      Act(s, action);
      AddFlipped(f.written, before, Working());
      if (f.rebuilt.empty() && Working().Differs(initial)) f.rebuilt = Prepared();
    }
    if (f.rebuilt.empty()) f.rebuilt.assign(f.written.size(), 0);
    const Bits last = Prepared();
    for (size_t a = 0; a < last.size(); ++a) f.rebuilt[a] |= last[a];
    return f;
  }

  // The bits that saving and opening change in images where every setting was worked a
  // random number of its first actions: the rebuilding that needs several settings
  // changed at once. The seed is fixed, so every run works the same images.
  Bits RebuiltTogether(const std::vector<Setting>& settings, const cmcEeprom& initial) {
    Bits rebuilt(static_cast<size_t>(initial.GetSize()), 0);
    std::mt19937 random(93);
    for (int round = 0; round < 6; ++round) {
      Working().Assign(initial);
      for (const Setting& s : settings)
        for (int i = 0, steps = 1 + static_cast<int>(random() % kActionCount); i < steps; ++i) Act(s, kActions[i]);
      cmcEeprom worked;
      worked.Assign(Working());
      EXPECT_TRUE(SaveAndOpen());
      AddFlipped(rebuilt, worked, Working());
    }
    Working().Assign(initial);
    return rebuilt;
  }
};

// The settings a model type offers: those its tree's sheets show (where they show them
// first), and those no model type's sheets show (probed at their first record), which
// the model types they belong to have all the same.
TEST_F(SettingFootprints, EverySettingWritesBitsOfItsOwnThatSavingKeeps) {
  std::map<uint32_t, Shown> shown[4];
  std::set<uint32_t> anywhere;
  for (int family = 0; family <= 3; ++family) {
    OpenInitial(family);
    shown[family] = ShownLabels();
    for (const auto& [label, where] : shown[family]) anywhere.insert(label);
  }
  for (int family = 0; family <= 3; ++family) {
    const cmcEeprom initial = OpenInitial(family);
    program_.main.makerReserveMode = true;
    std::vector<Setting> settings;
    for (uint32_t label = 0; label < kNoLabel; ++label) {
      if (!indCellHandlers::Default().Has(label) || !StoredSetting(label)) continue;
      if (const auto it = shown[family].find(label); it != shown[family].end())
        settings.push_back({label, it->second.binding});
      else if (!anywhere.contains(label) && (ModelTypesOf(label) & (1 << family)))
        settings.push_back({label, ProbeBinding(label)});
    }
    // Which setting's change first made preparing rebuild each bit (kNoLabel: only
    // settings changed together did).
    std::map<std::pair<int, int>, uint32_t> rebuiltAfter;
    std::map<uint32_t, Footprint> footprints;
    for (const Setting& s : settings) {
      footprints[s.label] = Measure(s, initial);
      ForEachBit(footprints[s.label].rebuilt,
                 [&](int a, int bit) { rebuiltAfter.emplace(std::make_pair(a, bit), s.label); });
    }
    ForEachBit(RebuiltTogether(settings, initial),
               [&](int a, int bit) { rebuiltAfter.emplace(std::make_pair(a, bit), kNoLabel); });

    std::map<std::pair<int, int>, uint32_t> owners;  // the first setting writing each bit
    for (const auto& [label, footprint] : footprints) {
      const std::string who = "model type " + std::to_string(family) + ": " + std::string(LabelNameOf(label));
      std::set<uint32_t> sharers;
      bool lost = false;
      ForEachBit(footprint.written, [&](int a, int bit) {
        const auto rebuilt = rebuiltAfter.find({a, bit});
        if (rebuilt != rebuiltAfter.end() && !lost && !KnownLost(label, family)) {
          lost = true;
          ADD_FAILURE() << who << " writes " << BitName(a, bit) << ", which saving rebuilds after a change of "
                        << (rebuilt->second == kNoLabel ? "several settings" : LabelNameOf(rebuilt->second));
        }
        const auto [owner, first] = owners.emplace(std::make_pair(a, bit), label);
        if (!first && !Documented(LabelNameOf(owner->second), LabelNameOf(label)) &&
            sharers.insert(owner->second).second)
          ADD_FAILURE() << who << " writes " << BitName(a, bit) << ", which " << LabelNameOf(owner->second)
                        << " writes too";
      });
    }
  }
}

}  // namespace
