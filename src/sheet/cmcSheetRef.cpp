#include "sheet/cmcSheetRef.h"

cmcSheetRef::cmcSheetRef(std::string_view ref) : text_(ref) {
  const size_t comma = ref.find(',');
  const std::string_view head = ref.substr(0, comma);
  if (comma != std::string_view::npos) option_ = ref.substr(comma + 1);
  const size_t open = head.find('[');
  const size_t close = open == std::string_view::npos ? open : head.find(']', open + 1);
  if (close == std::string_view::npos) {
    sheetName_ = head;
  } else {
    classTag_ = head.substr(open + 1, close - open - 1);
    sheetName_ = head.substr(close + 1);
  }
}

cmcSheetRef::Kind cmcSheetRef::SheetKind() const {
  if (classTag_ == "St_ChBank") return Kind::kBank;
  if (classTag_ == "St_Common") return Kind::kCommon;
  if (!option_.empty() && option_[0] == 'M') return Kind::kMemory;
  return Kind::kPlain;
}

int cmcSheetRef::Bank() const {
  if (classTag_ != "St_ChBank" || option_.rfind("Bank", 0) != 0) return -1;
  int bank = 0;
  bool digits = false;
  for (const char c : std::string_view(option_).substr(4)) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') break;
    bank = bank * 10 + (c - '0');
    digits = true;
  }
  return digits ? bank : -1;
}
