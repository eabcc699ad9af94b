#pragma once
// Saves a widget (with a window open over it) into docs/screenshots/ at 1x and 2x,
// "@2x" before ".png" for the second: drawn at the ratio as a screen of that scale shows it.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace screenshots {

inline const QString kFolder = QStringLiteral(RX93_DATA_DIR "/../docs/screenshots/");

// The widget, with the windows open over it (the last on top), drawn at the ratio as a
// screen of that scale shows them.
inline void Save(QWidget& widget, const QString& name, std::initializer_list<QWidget*> over) {
  QDir().mkpath(kFolder);
  for (const int ratio : {1, 2}) {
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image);
    for (QWidget* window : over) {
      if (!window) continue;
      QPainter painter(&image);
      window->render(&painter, window->mapToGlobal(QPoint()) - widget.mapToGlobal(QPoint()));
    }
    const QString file = kFolder + name + (ratio == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    EXPECT_TRUE(image.save(file)) << file.toStdString();
  }
}

// The widget with at most one window open over it.
inline void Save(QWidget& widget, const QString& name, QWidget* over = nullptr) { Save(widget, name, {over}); }

}  // namespace screenshots
