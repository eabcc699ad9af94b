#include "shell/ui/cuiIcons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <array>
#include <map>
#include <utility>

namespace {

// The pictures of the tree list, by index.
constexpr const char* kTreeNames[] = {
    "tree-radio",          "tree-folder",        "tree-note",          "tree-note-alt",
    "tree-bank-off-empty", "tree-bank-off-used", "tree-bank-on-empty", "tree-bank-on-used",
    "mark-warning",        "mark-error",         "tree-adjust-radio",
};

// The pictures of the tool bar list, by index.
constexpr const char* kToolBarNames[] = {
    "file-new",
    "file-open",
    "file-save",
    "port-1",
    "port-2",
    "port-3",
    "port-4",
    "clone-read",
    "clone-write",
    "clone-info",
    "pcg-pen",
    "pcg-fill",
    "pcg-slider",
    "page-first",
    "page-previous",
    "page-next",
    "page-last",
    "page-zoom",
    "tree-adjust-radio",
    "io-check",
    "flash-write",
    "mch-window",
};

// The sizes, in device pixels, a marked icon is drawn at: 16 and 22 logical pixels
// at the common screen scales.
constexpr int kMarkedSizes[] = {16, 20, 22, 24, 32, 33, 40, 44, 48, 64};

std::vector<QIcon> Load(const char* const* names, size_t count) {
  std::vector<QIcon> icons;
  icons.reserve(count);
  for (size_t i = 0; i < count; ++i) icons.emplace_back(cuiIcons::Path(names[i]));
  return icons;
}

QPixmap Draw(const QString& base, const QString& mark, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QSvgRenderer(base).render(&painter, QRectF(0, 0, size, size));
  // The mark covers the lower right five eighths, as overlay images do.
  const qreal m = size * 5.0 / 8.0;
  QSvgRenderer(mark).render(&painter, QRectF(size - m, size - m, m, m));
  return pixmap;
}

}  // namespace

QString cuiIcons::Path(const char* name) { return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)); }

const std::vector<QIcon>& cuiIcons::Tree() {
  static const std::vector<QIcon> icons = Load(kTreeNames, std::size(kTreeNames));
  return icons;
}

const std::vector<QIcon>& cuiIcons::ToolBar() {
  static const std::vector<QIcon> icons = Load(kToolBarNames, std::size(kToolBarNames));
  return icons;
}

QIcon cuiIcons::TreeIcon(int index) {
  const auto& list = Tree();
  return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)] : QIcon();
}

QIcon cuiIcons::ToolBarIcon(int index) {
  const auto& list = ToolBar();
  return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)] : QIcon();
}

QIcon cuiIcons::Marked(int index, int mark) {
  if (mark != 0 && mark != 1) return TreeIcon(index);
  if (index < 0 || index >= static_cast<int>(std::size(kTreeNames))) return QIcon();
  static std::map<std::pair<int, int>, QIcon> cache;
  QIcon& icon = cache[{index, mark}];
  if (icon.isNull()) {
    const QString base = Path(kTreeNames[index]);
    const QString over = Path(kTreeNames[mark == 0 ? kError : kWarning]);
    for (const int size : kMarkedSizes) icon.addPixmap(Draw(base, over, size));
  }
  return icon;
}

QIcon cuiIcons::Application() {
  const QString path = Path("rx93kit");
  if (QFile::exists(path)) return QIcon(path);
  return QIcon::fromTheme(QStringLiteral("rx93kit"));
}
