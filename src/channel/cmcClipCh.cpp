#include "channel/cmcClipCh.h"

#include <algorithm>
#include <cstddef>

void cmcClipCh::Clear() {
  records_.clear();
  kind_ = 0;
  first_ = 0;
}

void cmcClipCh::Copy(cmcEeprom* image, int kind, int first, int count) {
  Clear();
  if (kind <= 0 || count <= 0) return;
  kind_ = kind;
  first_ = first;
  records_.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) LoadOne(image, kind, first + i, records_[static_cast<size_t>(i)]);
}

void cmcClipCh::LoadOne(cmcEeprom* image, int kind, int index, datCh& record) {
  record.Bind(image);
  record.Load(kind, index);
}

bool cmcClipCh::CanPaste(int kind) const { return kind_ != 0 && !records_.empty() && kind_ == kind; }

void cmcClipCh::Paste(cmcEeprom* image, int kind, int first, int count) {
  if (!CanPaste(kind)) return;
  const int n = std::min(Count(), count);
  for (int i = 0; i < n; ++i) StoreOne(image, kind, first + i, records_[static_cast<size_t>(i)]);
}

void cmcClipCh::StoreOne(cmcEeprom* image, int kind, int index, const datCh& record) {
  datCh r = record;
  r.Bind(image);
  r.kind = kind;
  r.StoreAt(index);
}
