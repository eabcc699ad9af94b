#include "cli/cmcTextProgress.h"

#include <algorithm>
#include <string>

void cmcTextProgress::Open() {
  open_ = true;
  shown_ = -1;
  Update(0, 0, 0);
}

void cmcTextProgress::Update(int transferred, int total, int filled) {
  if (!open_) return;
  // 33 filled segments of 32 is the whole bar.
  const int bar = std::clamp(filled, 0, kSegments);
  // Redraw only when the bar or the byte count changed.
  const int key = bar * 65536 + (transferred & 0xFFFF);
  if (key == shown_) return;
  shown_ = key;
  out_ << "\r[" << std::string(static_cast<size_t>(bar), '#') << std::string(static_cast<size_t>(kSegments - bar), '.')
       << "] " << transferred << "/" << total << " bytes" << std::flush;
}

void cmcTextProgress::Close() {
  if (!open_) return;
  open_ = false;
  out_ << "\n" << std::flush;
}
