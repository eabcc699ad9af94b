#include "FuzzTargets.h"

std::span<const dst_FuzzTarget> FuzzTargets() {
  static constexpr dst_FuzzTarget kTargets[] = {
      {"clone_file", FuzzCloneFile}, {"clone_driver", FuzzCloneDriver}, {"sim_radio", FuzzSimRadio},
      {"overlay", FuzzOverlay},      {"typed_text", FuzzTypedText},
  };
  return kTargets;
}
