#pragma once
// One choice list as the codecs walk it: the entries of a list key's "_Cells" section
// that carry the key label, each a value (the cell's index) and a text, served by the
// sheet cell cache, which builds the list on first use and keeps it. A value in no
// entry shows "error"; stepping from it starts at the first entry.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cell/cmcChoiceContext.h"
#include "cell/cmcFCache.h"

class cmcChoiceList {
 public:
  cmcChoiceList(cmcChoiceContext& context, std::string_view listKey, int keyLabel);

  // The text of the entry holding value; "error" when none does.
  std::string TextOf(int32_t value) const;
  bool Contains(int32_t value) const;
  // The value one entry away (step +1 or -1) in list order, wrapping at both ends;
  // the first entry's value for a value in no entry; value itself for an empty list.
  int32_t Step(int32_t value, int step) const;
  // The value of the entry whose text is the typed text, compared without surrounding
  // blanks and without regard to case, as a chooser would pick it; none when no entry is.
  std::optional<int32_t> ValueOfText(std::string_view typed) const;
  // What a typed text must be: "the choices are A, B, C".
  std::string ChoicesReason() const;
  // The entries in list order (down each column of the section).
  const std::vector<cmcFCache::Record>& Entries() const { return entry_->byReadingOrder; }
  bool Empty() const { return entry_->byReadingOrder.empty(); }

 private:
  cmcFCache& cache_;
  std::string listKey_;
  uint32_t keyLabel_;
  const cmcFCache::Entry* entry_;
};
