#include "cell/indReadoutCells.h"

#include <cstdio>
#include <string_view>

#include "cell/cmcCellIds.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"

namespace {

void Readout(indCellRequest& r) {
  const int raw = r.host.AdReading(r.label);
  const std::string_view name = LabelNameOf(r.label);
  char text[32];
  if (name.ends_with("_Hex"))
    std::snprintf(text, sizeof text, "%2X", static_cast<unsigned>(raw));
  else if (name.ends_with("_Vt"))
    std::snprintf(text, sizeof text, "%3.2fV", raw * 5.0 / 255.0);
  else
    std::snprintf(text, sizeof text, "%3d", raw);
  r.SetText(text);
}

}  // namespace

void indReadoutCells::Register(indCellHandlers& t) { t.SetRange(CL_WinAD_VIN_Dec, CL_WinDA_RXLVA_Vt, Readout); }
