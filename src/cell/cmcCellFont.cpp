#include "cell/cmcCellFont.h"

#include "cell/cmcCellNumber.h"
#include "cell/cmcCellObj.h"
#include "overlay/cmcTextUtil.h"
#include "runtime/cmcFatal.h"

namespace {

struct Named {
  const char* name;
  uint8_t value;
};

constexpr Named kCharsets[] = {
    {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129},    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},      {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},      {"ARABIC_CHARSET", 178},     {"BALTIC_CHARSET", 186},  {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},        {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};

constexpr Named kStyles[] = {
    {"fsBold", cmcCellFont::kBold},
    {"fsItalic", cmcCellFont::kItalic},
    {"fsUnderline", cmcCellFont::kUnderline},
    {"fsStrikeOut", cmcCellFont::kStrikeOut},
};

constexpr Named kPitches[] = {
    {"fpDefault", cmcCellFont::kPitchDefault},
    {"fpFixed", cmcCellFont::kPitchFixed},
    {"fpVariable", cmcCellFont::kPitchVariable},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

const Named* FindName(std::span<const Named> table, std::string_view s) {
  for (const Named& n : table)
    if (s == n.name) return &n;
  return nullptr;
}

// a * b / c rounded half away from zero.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
  const int64_t p = a * b;
  const int64_t q = (p < 0 ? p - c / 2 : p + c / 2) / c;
  return static_cast<int32_t>(q);
}

// A number, or "%" and a percentage of current (truncated; 0 becomes 1). 0 and
// unreadable fields give false: the attribute stays as it is.
bool Amount(std::string_view field, int32_t current, int32_t& result) {
  field = TrimBlanks(field);
  int32_t n = 0;
  if (!field.empty() && field.front() == '%') {
    if (!ParseCellDecimal(field.substr(1), n)) return false;
    const int64_t scaled = int64_t{current} * n / 100;
    result = scaled == 0 ? 1 : static_cast<int32_t>(scaled);
    return true;
  }
  if (!ParseCellDecimal(field, n) || n == 0) return false;
  result = n;
  return true;
}

}  // namespace

int32_t cmcCellFont::Size() const { return -MulDiv(height, 72, kPixelsPerInch); }

void cmcCellFont::SetSize(int32_t points) {
  if (points > kMaxPoints || points < -kMaxPoints) cmcFatal(cmcCellObj::kIllegalAssign);
  height = -MulDiv(points, kPixelsPerInch, 72);
}

void cmcCellFont::ApplyFields(std::string_view fields) {
  // A name matches with blanks before and after it.
  if (const Named* n = FindName(kCharsets, TrimBlanks(cmcField(fields, 0, ',')))) charset = n->value;

  const std::string faceField = cmcField(fields, 1, ',');
  std::string_view faceName = faceField;
  while (!faceName.empty() && IsBlank(faceName.front())) faceName.remove_prefix(1);
  if (!faceName.empty()) face = std::string(faceName);

  if (const auto c = ColourByName(cmcField(fields, 2, ','))) colour = *c;

  int32_t amount = 0;
  if (Amount(cmcField(fields, 3, ','), height, amount)) height = amount;
  if (Amount(cmcField(fields, 4, ','), Size(), amount)) SetSize(amount);

  // The first recognised style name replaces the set; the others add to it.
  const std::string styleField = cmcField(fields, 5, ',');
  bool cleared = false;
  for (std::string_view rest = styleField;;) {
    const std::size_t plus = rest.find('+');
    if (const Named* n = FindName(kStyles, TrimBlanks(rest.substr(0, plus)))) {
      if (!cleared) style = 0;
      cleared = true;
      style |= n->value;
    }
    if (plus == std::string_view::npos) break;
    rest.remove_prefix(plus + 1);
  }

  if (const Named* n = FindName(kPitches, TrimBlanks(cmcField(fields, 6, ',')))) pitch = n->value;
}
