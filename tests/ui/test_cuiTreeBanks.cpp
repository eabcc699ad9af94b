// The tree's bank nodes show each bank by its own number and name after a clone file is
// opened (a fresh image repeats its first bank's record, name included, into every bank).
#include <gtest/gtest.h>

#include <QTreeWidgetItem>
#include <cstring>
#include <vector>

#include "image/cmcImageMap.h"
#include "shell/indImagePacking.h"
#include "shell/indMain.h"
#include "shell/ui/cuiTree.h"
#include "support/DesktopRig.h"

namespace {

// The captions of the bank nodes, by bank.
std::vector<std::string> BankCaptions(DesktopRig& rig) {
  std::vector<std::string> captions(static_cast<size_t>(indMain::BankCountOf(rig.p.main.ModelType())));
  const auto& nodes = rig.Host().Tree()->Nodes();
  for (size_t n = 0; n < nodes.size(); ++n) {
    const int bank = indTreeModel::BankOfNode(nodes[n]);
    if (bank >= 0 && bank < static_cast<int>(captions.size()))
      captions[static_cast<size_t>(bank)] = rig.window->Tree()->ItemOf(static_cast<int>(n))->text(0).toStdString();
  }
  return captions;
}

std::vector<std::string> Expected(const std::vector<std::string>& names) {
  std::vector<std::string> labels;
  for (size_t b = 0; b < names.size(); ++b) labels.push_back(std::to_string(b + 1) + ": " + names[b]);
  return labels;
}

TEST(TreeBanks, EachBankShowsItsOwnNameAfterOpeningAFile) {
  DesktopRig rig;
  rig.Build();
  const std::vector<std::string> names = {"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO", "FOXTROT", "GOLF", "HOTEL"};
  const int type = rig.p.main.ModelType();
  const std::string path = rig.p.SaveVariant(rig.dir, "NAMED.QCL", [&](cmcEeprom& image) {
    for (size_t b = 0; b < names.size(); ++b) {
      char name[8];
      std::memset(name, ' ', sizeof name);
      std::memcpy(name, names[b].data(), names[b].size());
      image.WriteBlock(cmcImageMap::kBankNames + 8 * static_cast<int>(b), reinterpret_cast<const uint8_t*>(name), 8);
    }
    PackImage(image, type);
  });
  ASSERT_FALSE(rig.p.main.OpenCloneFile(path, false));
  rig.Settle();
  std::vector<std::string> shown = names;
  shown.resize(static_cast<size_t>(indMain::BankCountOf(rig.p.main.ModelType())));
  EXPECT_EQ(BankCaptions(rig), Expected(shown));
}

}  // namespace
