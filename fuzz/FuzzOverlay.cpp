#include <string>
#include <vector>

#include "FuzzFatal.h"
#include "FuzzTargets.h"
#include "overlay/cmcGTex.h"
#include "sheet/cmcSheetDef.h"

int FuzzOverlay(const uint8_t* data, size_t size) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n')
      lines.emplace_back();
    else if (c != '\r')
      lines.back() += c;
  }
  FuzzFatal::Catch([&] {
    cmcGTex store;
    if (!store.SetLines(lines)) return;
    // The store indexes keys as lookups reach them: the sheets are the "#N_Cells" lines.
    const std::string suffix = "_Cells";
    for (const std::string& line : lines) {
      if (line.size() <= suffix.size() + 1 || line[0] != '#' ||
          line.compare(line.size() - suffix.size(), suffix.size(), suffix) != 0)
        continue;
      const std::string name = line.substr(1, line.size() - suffix.size() - 1);
      for (const auto kind : {cmcSheetRef::Kind::kPlain, cmcSheetRef::Kind::kCommon, cmcSheetRef::Kind::kBank}) {
        FuzzFatal::Catch([&] {
          cmcSheetDef def(store, name, kind, {.family = static_cast<int>(size % 4)});
          def.Build();
        });
      }
    }
  });
  return 0;
}
