#include "shell/ui/cuiOpeningWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include "shell/ui/cuiIcons.h"

namespace {
constexpr QColor kBand(223, 223, 223);
constexpr int kLabelLeft = 16;
constexpr int kLabelFromBottom = 23;
}  // namespace

cuiOpeningWindow::cuiOpeningWindow(QWidget* owner, const QString& caption, const QString& revision)
    : QDialog(owner, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("OpeningWindow");
  setWindowTitle(caption);
  setFixedSize(kWidth, kHeight);
  // The band and the label keep their look whatever the desktop's colour scheme.
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBand);
  palette.setColor(QPalette::WindowText, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);

  revision_ = new QLabel(QStringLiteral("Revision ") + revision, this);
  revision_->setObjectName("Label_Revision");
  revision_->adjustSize();
  revision_->move(kLabelLeft, kHeight - kLabelFromBottom);
  // The label passes its clicks on to the window.
  revision_->setAttribute(Qt::WA_TransparentForMouseEvents);

  if (const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());

  autoClose_.setSingleShot(true);
  autoClose_.setInterval(kAutoCloseMs);
  connect(&autoClose_, &QTimer::timeout, this, &QDialog::accept);
  autoClose_.start();
}

void cuiOpeningWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QSvgRenderer(cuiIcons::Path("opening")).render(&painter, QRectF(0, 0, kWidth, kPictureHeight));
  // A hairline keeps the borderless window apart from what lies behind it.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QColor(120, 120, 120));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void cuiOpeningWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) accept();
}
