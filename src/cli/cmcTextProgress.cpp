#include "cli/cmcTextProgress.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "runtime/cmcClock.h"

void cmcTextProgress::Open() {
  open_ = true;
  shown_ = -1;
  shownSeconds_ = -1;
  startMs_ = clock_.NowMs();
  Update(0, 0, 0);
}

void cmcTextProgress::Update(int transferred, int total, int filled) {
  if (!open_) return;
  // 33 filled segments of 32 is the whole bar.
  const int bar = std::clamp(filled, 0, kSegments);
  const int percent =
      total > 0 ? static_cast<int>(std::clamp(int64_t{transferred} * 100 / total, int64_t{0}, int64_t{100})) : 0;
  // The time left at the rate so far, once bytes have moved.
  int seconds = -1;
  if (transferred > 0 && total > transferred) {
    const int64_t elapsed = static_cast<uint32_t>(clock_.NowMs() - startMs_);
    seconds = static_cast<int>((elapsed * (total - transferred) / transferred + 999) / 1000);
  }
  // Redraw only when something shown changed.
  const int key = bar * 65536 + (transferred & 0xFFFF);
  if (key == shown_ && seconds == shownSeconds_) return;
  shown_ = key;
  shownSeconds_ = seconds;
  out_ << "\r[" << std::string(static_cast<size_t>(bar), '#') << std::string(static_cast<size_t>(kSegments - bar), '.')
       << "] " << percent << "% " << transferred << "/" << total << " bytes";
  if (seconds >= 0) {
    char left[32];
    std::snprintf(left, sizeof left, ", %d:%02d left", seconds / 60, seconds % 60);
    out_ << left;
  }
  // Blanks wipe what a longer line before left behind.
  out_ << "    " << std::flush;
}

void cmcTextProgress::Close() {
  if (!open_) return;
  open_ = false;
  out_ << "\n" << std::flush;
}
