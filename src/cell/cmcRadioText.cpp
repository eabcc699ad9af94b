#include "cell/cmcRadioText.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cell/cmcCellCanvas.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcSegmentModel.h"

namespace {

// Masks of the codes 0x20 to 0x7F.
constexpr std::array<uint16_t, 96> kBuiltInMasks = {
    0x0000, 0x0042, 0x0140, 0x075A, 0x2D5A, 0x0924, 0x3699, 0x0020,
    0x0021, 0x0084, 0x00FF, 0x005A, 0x0004, 0x0018, 0x0001, 0x0024,  // 0x20
    0x3F24, 0x1800, 0x3618, 0x3C18, 0x1918, 0x2D18, 0x2F18, 0x3800,
    0x3F18, 0x3D18, 0x3230, 0x0D11, 0x0424, 0x0418, 0x0481, 0x300A,  // 0x30
    0x3E12, 0x3B18, 0x3C4A, 0x2700, 0x3C42, 0x2718, 0x2318, 0x2F08,
    0x1B18, 0x2442, 0x1E00, 0x0331, 0x0700, 0x1BA0, 0x1B81, 0x3F00,  // 0x40
    0x3318, 0x3F01, 0x3319, 0x2C88, 0x2042, 0x1F00, 0x0324, 0x1B05,
    0x00A5, 0x00A2, 0x2424, 0x2700, 0x0081, 0x3C00, 0x0005, 0x0400,  // 0x50
    0x0080, 0x3E18, 0x0F18, 0x0618, 0x1E18, 0x3718, 0x2318, 0x3D18,
    0x0B18, 0x0002, 0x1E00, 0x0331, 0x0042, 0x0A1A, 0x0A18, 0x0E18,  // 0x60
    0x3318, 0x3918, 0x0218, 0x2C88, 0x0718, 0x0E00, 0x0324, 0x0E02,
    0x00A5, 0x1D18, 0x2424, 0x2700, 0x0042, 0x3C00, 0x2000, 0x0405,  // 0x70
};

const cmcSegmentModel* segmentModel = nullptr;

bool IsPrintable(unsigned c) { return c >= 32 && c <= 126; }
// Codes that the editable form writes as "%XX".
bool IsEscapedCode(unsigned c) { return (c >= 16 && c <= 31) || c >= 127; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

uint16_t cmcRadioText::MaskOf(uint8_t code, std::span<const uint8_t> userTable) {
  const unsigned c = code & 0x7F;
  if (c >= 32) return kBuiltInMasks[c - 32];
  if (c >= 16) {
    const size_t at = 2 * (c - 16);
    return at + 1 < userTable.size() ? static_cast<uint16_t>(userTable[at] << 8 | userTable[at + 1]) : 0;
  }
  return 0;
}

bool cmcRadioText::DotAllowed(int position, int fieldLength) {
  return fieldLength <= 1 || (position != 0 && position != 4 && position != 5 && position != 7);
}

std::string cmcRadioText::RadioTextToEditable(std::span<const uint8_t> bytes) {
  std::string text;
  auto escape = [&text](unsigned byte) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", byte);
    text += hex;
  };
  for (const uint8_t b : bytes.first(std::min(bytes.size(), kMaxConverted))) {
    const unsigned code = b & 0x7F;
    const bool dot = b & kDotBit;
    if (code == '%') {
      text += "%%";
    } else if (code == '.') {
      escape(code);  // a plain "." would read back as the lone dot
    } else if (IsPrintable(code)) {
      text += static_cast<char>(code);
    } else if (IsEscapedCode(code)) {
      escape(code);
    } else if (code == 0 && dot) {
      text += ' ';
    } else if (dot) {
      escape(b);  // a dotted control code; its dot draws as on a space
      continue;
    } else {
      break;
    }
    if (dot) text += '.';
  }
  return text;
}

std::vector<uint8_t> cmcRadioText::EditableToRadioText(std::string_view text) {
  text = text.substr(0, std::min(text.size(), kMaxConverted));
  std::vector<uint8_t> bytes;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '.') {
      bytes.push_back(kLoneDot);
      ++i;
      continue;
    }
    const unsigned c = static_cast<unsigned char>(text[i]);
    unsigned byte = IsPrintable(c) || c > 126 ? c : ' ';
    size_t used = 1;
    if (c == '%' && i + 1 < text.size() && text[i + 1] == '%') {
      used = 2;
    } else if (c == '%' && i + 2 < text.size()) {
      const int high = HexDigit(text[i + 1]);
      const int low = HexDigit(text[i + 2]);
      const unsigned escaped = high < 0 || low < 0 ? 0 : static_cast<unsigned>(high * 16 + low);
      if (IsEscapedCode(escaped) || IsPrintable(escaped)) {
        byte = escaped;
        used = 3;
      }
    }
    i += used;
    if (i < text.size() && text[i] == '.') {
      byte |= kDotBit;
      ++i;
    }
    bytes.push_back(static_cast<uint8_t>(byte));
  }
  return bytes;
}

std::string cmcRadioText::FirstUnshowable(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned c = static_cast<unsigned char>(text[i]);
    if (c == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      i += 2;
      continue;
    }
    if (IsPrintable(c)) continue;
    // A UTF-8 lead byte brings its continuation bytes, so the whole character is named.
    size_t end = i + 1;
    if (c >= 0xC0)
      while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return std::string(text.substr(i, end - i));
  }
  return {};
}

std::string cmcRadioText::TypedTextReason(int length) {
  return "radio texts here take up to " + std::to_string(length) +
         " characters the radio can show: ASCII letters, digits, blanks and signs, %XX for a character code, "
         "a \".\" after a character to light its dot";
}

void cmcRadioText::SetSegmentModel(const cmcSegmentModel* model) { segmentModel = model; }

void cmcRadioText::DrawRadioText(cmcCellCapsule& request, std::span<const uint8_t> bytes, int fieldLength,
                                 int charsPerLine, int lines, std::span<const uint8_t> userTable) {
  const cmcSegmentModel* model = segmentModel;
  if (!request.canvas || !request.rect || !model || charsPerLine <= 0 || lines <= 0) return;
  if (model->Width() <= 0 || model->Height() <= 0) return;
  const auto& [left, top, right, bottom] = *request.rect;
  const double cellWidth = static_cast<double>(right - left) / charsPerLine;
  const double lineHeight = static_cast<double>(bottom - top) / lines;
  const double scale = std::min(0.8 * cellWidth / model->Width(), 0.8 * lineHeight / model->Height());
  const double step = model->Width() * scale * 1.25;
  const uint32_t colour = request.canvas->FontColour();

  const size_t count = std::min(bytes.size(), static_cast<size_t>(std::max(fieldLength, 0)));
  for (size_t i = 0; i < count; ++i) {
    const int position = static_cast<int>(i);
    uint16_t mask = MaskOf(bytes[i], userTable);
    if ((bytes[i] & kDotBit) && DotAllowed(position, fieldLength)) mask |= kDotMask;
    const double x0 = left + (position % charsPerLine) * step + 0.1 * step;
    const double y0 = top + (position / charsPerLine) * lineHeight + 0.1 * lineHeight;
    for (int s = 0; s < model->SegmentCount(); ++s) {
      const int bit = model->BitOf(s);
      const cmcSegmentModel::Segment& segment = model->SegmentAt(s);
      if (!segment.drawn || bit >= 16 || !(mask >> bit & 1)) continue;
      for (const cmcSegmentModel::Triangle& t : segment.triangles) {
        std::array<cmcCanvasPoint, 3> points;
        for (size_t k = 0; k < 3; ++k) {
          points[k] = {static_cast<int32_t>(x0 + (t[k].x - model->Left()) * scale),
                       static_cast<int32_t>(y0 + (t[k].y - model->Top()) * scale)};
        }
        request.canvas->FillPolygon(points, colour);
      }
    }
  }
}
