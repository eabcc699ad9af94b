#include "sheet/cmcColumnWidthStore.h"

#include "overlay/cmcGTexBase.h"
#include "runtime/cmcSettingsStore.h"
#include "sheet/cmcSheetRef.h"

namespace {

constexpr char kList[] = "GI_CellWidthRegList";

}  // namespace

cmcColumnWidthStore::cmcColumnWidthStore(cmcSettingsStore& store, cmcGTexBase& mainOverlay, std::string userKey)
    : store_(store), overlay_(mainOverlay), userKey_(std::move(userKey)) {}

template <typename Visit>
void cmcColumnWidthStore::ForEachEntry(Visit visit) {
  // An empty line or one without ":" ends the list as "#" does.
  for (int i = 0;; ++i) {
    const std::string line = overlay_.GetLine(kList, i);
    const size_t colon = line.find(':');
    if (line.empty() || line[0] == '#' || colon == std::string::npos) return;
    if (visit(line.substr(0, colon), line.substr(colon + 1))) return;
  }
}

std::string cmcColumnWidthStore::SubName(std::string_view ref) {
  const std::string sheet = cmcSheetRef(ref).SheetName();
  std::string found;
  ForEachEntry([&](const std::string& name, const std::string& sub) {
    if (name != sheet) return false;
    found = sub;
    return true;
  });
  return found;
}

std::string cmcColumnWidthStore::Key(const std::string& subName) const {
  return userKey_ + "\\Display\\" + subName + "\\colwidth";
}

std::optional<int> cmcColumnWidthStore::Load(const std::string& subName, int col) const {
  return store_.ReadInt(cmcSettingsRoot::CurrentUser, Key(subName), std::to_string(col));
}

void cmcColumnWidthStore::Save(const std::string& subName, int col, int width) {
  store_.WriteInt(cmcSettingsRoot::CurrentUser, Key(subName), std::to_string(col), width);
}

void cmcColumnWidthStore::DeleteAll() {
  ForEachEntry([&](const std::string&, const std::string& sub) {
    store_.DeleteKey(cmcSettingsRoot::CurrentUser, userKey_, "Display\\" + sub + "\\colwidth");
    return false;
  });
}

bool cmcColumnWidthStore::TakeResetRequest() {
  const bool requested = resetRequested_;
  resetRequested_ = false;
  return requested;
}
