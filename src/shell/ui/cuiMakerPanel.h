#pragma once
// The status bar panel of maker reserve mode: its text in white, centred on dark red
// (128, 0, 0), as wide as the text plus "XX". AddTo inserts it before the bar's last
// panel.
#include <QString>
#include <QWidget>

class cuiStatusBar;

class cuiMakerPanel : public QWidget {
  Q_OBJECT
 public:
  static cuiMakerPanel* AddTo(cuiStatusBar& bar, const QString& text);

  const QString& Text() const { return text_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  cuiMakerPanel(const QString& text, QWidget* parent);
  void FitWidth();

  QString text_;
};
