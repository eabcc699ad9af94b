#pragma once
// The one conversion of the cell engine's fonts, colours and texts into Qt's: fixed
// colours are 0x00BBGGRR, system colours 0xFF0000nn come from the palette; cell fonts
// keep their pixel heights relative to the platform's default font (9 points), on the
// system's font family unless they ask for a fixed pitch; overlay texts are UTF-8
// (plain ASCII in the shipped overlays), read as Latin-1 when they are not.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "cell/cmcCellFont.h"
#include "sheet/cmcCellPaintPlan.h"

class cuiCellStyle {
 public:
  static QColor Colour(uint32_t colour, const QPalette& palette);
  static QColor Colour(uint32_t colour);  // on the application's palette
  // A plain 0x00BBGGRR value of a Qt colour.
  static uint32_t Value(const QColor& colour);

  static QFont Font(const cmcCellFont& font);
  // A short text that tells cell fonts apart, for caches.
  static std::string FontKey(const cmcCellFont& font);
  // The family and pixel size the system font has, which cell fonts are scaled to.
  static QFont SystemFont();

  static QString Text(std::string_view bytes);
  static std::string Bytes(const QString& text);

  // What a window knows when it paints a sheet: the palette's window colours, its
  // focus and the size of the warning and error marks.
  static cmcCellPaintPlan::View PaintView(const QPalette& palette, bool focused);
  static constexpr int kMarkSize = 16;

 private:
  static QFont Convert(const cmcCellFont& font);
};
