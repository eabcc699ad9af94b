#include "cell/indCloneInfoCells.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcTextCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indCodecScope.h"
#include "overlay/cmcGTex.h"

namespace {

// Offsets in the 78-byte radio information record (0 holds its length, 35 the data
// revision, 62-65 the highest address; those are the clone orchestration's).
//   Label                     Offset   Shown as
//   CL_CloneInfo_Comment1     1-16     plain text, read only
//   CL_CloneInfo_Comment2     17-32    plain text, read only
//   CL_CloneInfo_Revision     33       "%d.%d", high and low nibble (firmware revision)
//   CL_CloneInfo_Model        66-73    plain text, read only (model name)
//   CL_CloneInfo_Esn          37-48    12 hexadecimal characters read "%04X%02X%06X", shown "%04d-%02d-%07ld";
//                                      other characters as they stand
//   CL_CloneInfo_CheckSum     49-50    16-bit big-endian word, "%04X"
//   CL_CloneInfo_StunKill     53 bit 0 "GI_AppInd_CloneInfo_Flag" line 1 when set, line 0 when clear
//   CL_CloneInfo_OverVolt     53 bit 1 as above
//   CL_CloneInfo_Dummy        -        empty (a spacer)
constexpr size_t kComment1 = 1;
constexpr size_t kComment2 = 17;
constexpr size_t kCommentLength = 16;
constexpr size_t kRevision = 33;
constexpr size_t kSerial = 37;
constexpr size_t kSerialLength = 12;
constexpr size_t kCheckSum = 49;
constexpr size_t kFlags = 53;
constexpr size_t kModel = 66;
constexpr size_t kModelLength = 8;
constexpr const char* kFlagTexts = "GI_AppInd_CloneInfo_Flag";

std::string Format(const char* format, long a, long b = 0, long c = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

uint8_t At(const std::string& info, size_t i) { return static_cast<uint8_t>(info[i]); }

// A plain text field of the record, shown and never changed.
void PlainField(indCellRequest& r, std::string& info, size_t at, size_t length) {
  r.capsule.keyCode = 0;
  r.capsule.inputKind = 0;
  indCodecScope codec(r);
  std::span<uint8_t> field(reinterpret_cast<uint8_t*>(info.data()) + at, length);
  cmcTextCodecs::PlainTextCodec(r.capsule, field, codec.context.result);
}

void CloneInfo(indCellRequest& r) {
  std::string info = r.host.RadioInfo();
  if (info.size() < kModel + kModelLength) return;
  switch (r.label) {
    case CL_CloneInfo_Comment1:
      PlainField(r, info, kComment1, kCommentLength);
      break;
    case CL_CloneInfo_Comment2:
      PlainField(r, info, kComment2, kCommentLength);
      break;
    case CL_CloneInfo_Model:
      PlainField(r, info, kModel, kModelLength);
      break;
    case CL_CloneInfo_Revision:
      r.SetText(Format("%ld.%ld", At(info, kRevision) >> 4, At(info, kRevision) & 0x0F));
      break;
    case CL_CloneInfo_Esn: {
      const std::string serial = info.substr(kSerial, kSerialLength);
      bool hex = true;
      for (const char c : serial) hex = hex && std::isxdigit(static_cast<unsigned char>(c));
      if (!hex) {
        r.SetText(serial);
        break;
      }
      const long year = std::strtol(serial.substr(0, 4).c_str(), nullptr, 16);
      const long month = std::strtol(serial.substr(4, 2).c_str(), nullptr, 16);
      const long number = std::strtol(serial.substr(6, 6).c_str(), nullptr, 16);
      r.SetText(Format("%04ld-%02ld-%07ld", year, month, number));
      break;
    }
    case CL_CloneInfo_CheckSum:
      r.SetText(Format("%04lX", (At(info, kCheckSum) << 8) | At(info, kCheckSum + 1)));
      break;
    case CL_CloneInfo_StunKill:
    case CL_CloneInfo_OverVolt: {
      const int bit = r.label == CL_CloneInfo_StunKill ? 0 : 1;
      if (cmcGTex* overlay = r.host.Overlay()) r.SetText(overlay->GetLine(kFlagTexts, (At(info, kFlags) >> bit) & 1));
      break;
    }
    default:
      break;
  }
}

}  // namespace

void indCloneInfoCells::Register(indCellHandlers& t) {
  for (const int label :
       {CL_CloneInfo_Model, CL_CloneInfo_Revision, CL_CloneInfo_Comment1, CL_CloneInfo_Comment2, CL_CloneInfo_StunKill,
        CL_CloneInfo_OverVolt, CL_CloneInfo_Esn, CL_CloneInfo_CheckSum, CL_CloneInfo_Dummy})
    t.Set(label, CloneInfo);
}
