#include "cell/indBankCells.h"

#include <span>

#include "cell/cmcCellIds.h"
#include "cell/cmcCellRegistry.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/cmcRadioText.h"
#include "cell/cmcTextCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indCodecScope.h"
#include "channel/datChBlockHost.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"

namespace {

// Label                 Data                                  Codec, list key, limits
// CL_Bank_SelBankFree   bank mode (bank 1 holds channels)     choice "GI_Sheet_Sel_Bank_SelBankFree" 0/1;
//                                                             resets the counts, event 25, mask bit 5
// CL_Bank_SmarTrunk     -                                     always "Non"
// CL_Mch_BankText       bank name, kind 14, 8 characters      radio text with the user characters; event 36
// CL_Mch_SmarTrunk      0xA090 bit 7 - bank                   choice "GI_Sheet_Sel_Misc_OnOff2"; rows 8+ "----"; event
// 35 CL_Mch_Bank           word 0xA0CB + 2 x bank                integer, saturating, count - trailing blanks …
//                                                             count + channels that fit; mask bit 2
constexpr const char* kBankModeList = "GI_Sheet_Sel_Bank_SelBankFree";
constexpr const char* kBankFlagList = "GI_Sheet_Sel_Misc_OnOff2";
constexpr int kEvFilterTree = 25;
constexpr int kEvRelabelBank = 36;

// The bank a cell names: the row on the bank list, else the bank of the row's sheet.
int BankOf(const indCellRequest& r) { return r.kind == datChKind::kBank ? r.row : r.bank.bank; }

void SelBankFree(indCellRequest& r) {
  indCodecScope codec(r);
  int32_t v = r.bankMode ? 1 : 0;
  if (!ChoiceCodecFlex0(codec.context, r.capsule, kBankModeList, v)) return;
  r.Banks().SetBankMode(v != 0);
  r.bank = r.Banks().Context(r.bank.bank);
  r.bankMode = v != 0;
  r.host.BlockHost().Send(kEvFilterTree, r.bank, 0);
  r.mask |= indCellRequest::kMaskLayout;
}

void BankSmarTrunk(indCellRequest& r) { r.SetText("Non"); }

void BankText(indCellRequest& r) {
  const int b = BankOf(r);
  if (b < 0 || b >= cmcImageMap::kBanks) return;
  datCh bank(&r.host.Image());
  bank.Load(datChKind::kBank, b);
  indCodecScope codec(r);
  const auto table = indCellSteps::UserTable(r);
  if (!cmcTextCodecs::RadioTextCodec(r.capsule, std::span<uint8_t>(bank.name.data(), 8), table, false,
                                     codec.context.result))
    return;
  bank.Store();
  // The tree's caption of the bank: its number from 1, ": " and the name.
  std::string label =
      std::to_string(b + 1) + ": " + cmcRadioText::RadioTextToEditable(std::span<const uint8_t>(bank.name.data(), 8));
  while (!label.empty() && label.back() == ' ') label.pop_back();
  r.host.BlockHost().Post(kEvRelabelBank, 0, b, label);
}

void MchSmarTrunk(indCellRequest& r) {
  const int b = BankOf(r);
  if (b < 0 || b >= cmcImageMap::kBanks) {
    r.SetText("----");
    return;
  }
  indCodecScope codec(r);
  datChBank banks = r.Banks();
  int32_t v = banks.BankFlag(b) ? 1 : 0;
  if (!ChoiceCodecFlex0(codec.context, r.capsule, kBankFlagList, v)) return;
  banks.SetBankFlag(b, v != 0);
  r.host.BlockHost().Post(datChBlockHost::kEvBankIcons, 0);
}

void BankSize(indCellRequest& r) {
  const int b = BankOf(r);
  if (b < 0 || b >= cmcImageMap::kBanks) return;
  datChBank banks = r.Banks();
  cmcIntegerRule rule;
  banks.BankSizeRange(b, rule.min, rule.max);
  rule.saturate = true;
  indCodecScope codec(r);
  const int32_t count = banks.BankCount(b);
  int32_t v = count;
  if (!IntegerCodec(codec.context, r.capsule, v, rule) || v == count) return;
  r.mask |= banks.ChangeBankSize(RecordKindOf(CT_Mch, r.family), b, v) | indCellRequest::kMaskAttrOrBank;
  r.host.RecomputeMemory();
}

}  // namespace

void indBankCells::Register(indCellHandlers& t) {
  t.Set(CL_Bank_SelBankFree, SelBankFree);
  t.Set(CL_Bank_SmarTrunk, BankSmarTrunk);
  t.Set(CL_Mch_BankText, BankText);
  t.Set(CL_Mch_SmarTrunk, MchSmarTrunk);
  t.Set(CL_Mch_Bank, BankSize);
}
