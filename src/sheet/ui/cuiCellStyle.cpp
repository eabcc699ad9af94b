#include "sheet/ui/cuiCellStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <unordered_map>

namespace {

// The platform default a cell font's height is relative to: 9 points at 96 pixels
// per inch.
constexpr double kDefaultPixels = 12.0;

// The palette role of each system colour 1-20, in the order of the colour table.
struct SystemRole {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};
constexpr SystemRole kSystemRoles[] = {
    {QPalette::Active, QPalette::Dark},             // 1 background (desktop)
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Mid},            // 3 inactive caption
    {QPalette::Active, QPalette::Base},             // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::Text},             // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application work space
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Mid},              // 16 button shadow
    {QPalette::Active, QPalette::PlaceholderText},  // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
};

bool Monospaced(const cmcCellFont& font) {
  if (font.pitch == cmcCellFont::kPitchFixed) return true;
  for (const char* face : {"Courier", "Terminal", "Fixedsys", "Consolas", "Lucida Console", "Mono"})
    if (font.face.find(face) != std::string::npos) return true;
  return false;
}

}  // namespace

QColor cuiCellStyle::Colour(uint32_t colour, const QPalette& palette) {
  if ((colour & 0xFF000000u) == 0xFF000000u) {
    const uint32_t n = colour & 0xFFu;
    if (n >= 1 && n <= std::size(kSystemRoles)) {
      const SystemRole& r = kSystemRoles[n - 1];
      return palette.color(r.group, r.role);
    }
    return palette.color(QPalette::Active, QPalette::Base);
  }
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QColor cuiCellStyle::Colour(uint32_t colour) { return Colour(colour, QApplication::palette()); }

uint32_t cuiCellStyle::Value(const QColor& colour) {
  const QColor c = colour.toRgb();
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 | static_cast<uint32_t>(c.blue()) << 16;
}

QFont cuiCellStyle::SystemFont() { return QApplication::font(); }

std::string cuiCellStyle::FontKey(const cmcCellFont& font) {
  std::string key = font.face;
  const int32_t parts[] = {font.charset, font.height, font.style, font.pitch};
  key.append(reinterpret_cast<const char*>(parts), sizeof parts);
  return key;
}

QFont cuiCellStyle::Font(const cmcCellFont& font) {
  // Painting asks for every cell's font: conversions are kept until the system font
  // changes.
  static QFont cachedFor;
  static std::unordered_map<std::string, QFont> cache;
  const QFont system = SystemFont();
  if (!(system == cachedFor)) {
    cache.clear();
    cachedFor = system;
  }
  const std::string key = FontKey(font);
  const auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  return cache.emplace(key, Convert(font)).first->second;
}

QFont cuiCellStyle::Convert(const cmcCellFont& font) {
  const QFont system = Monospaced(font) ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : SystemFont();
  QFont f(system);
  // A negative height is the character height; a positive one includes the internal
  // leading, about a fifth of it.
  const double height = font.height < 0 ? -font.height : font.height * 0.82;
  const double systemPixels = QFontInfo(SystemFont()).pixelSize();
  const double scale = systemPixels > 0 ? systemPixels / kDefaultPixels : 1.0;
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(height * scale))));
  f.setBold(font.style & cmcCellFont::kBold);
  f.setItalic(font.style & cmcCellFont::kItalic);
  f.setUnderline(font.style & cmcCellFont::kUnderline);
  f.setStrikeOut(font.style & cmcCellFont::kStrikeOut);
  if (font.pitch == cmcCellFont::kPitchFixed) f.setFixedPitch(true);
  return f;
}

QString cuiCellStyle::Text(std::string_view bytes) {
  const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const QString text = QString::fromUtf8(raw);
  if (text.contains(QChar::ReplacementCharacter) && !raw.contains("\xEF\xBF\xBD")) return QString::fromLatin1(raw);
  return text;
}

std::string cuiCellStyle::Bytes(const QString& text) { return text.toUtf8().toStdString(); }

cmcCellPaintPlan::View cuiCellStyle::PaintView(const QPalette& palette, bool focused) {
  return {.focused = focused,
          .windowText = Value(palette.color(QPalette::Active, QPalette::Text)),
          .window = Value(palette.color(QPalette::Active, QPalette::Base)),
          .markWidth = kMarkSize};
}
